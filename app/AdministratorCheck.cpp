#include "AdministratorCheck.h"
#include "../windows/WindowsVersion.h"

namespace {

// The check's own access rights: the list grants both to Administrators,
// the check asks for reading.
const DWORD ACCESS_READ = 1;
const DWORD ACCESS_WRITE = 2;

// A descriptor allowing only Administrators, and whether the caller's token
// would be let in.
BOOL TokenHoldsAdministrators(HANDLE hToken, PSID pAdministrators, PSECURITY_DESCRIPTOR pDescriptor, PACL* ppAcl)
{
    if (!::InitializeSecurityDescriptor(pDescriptor, SECURITY_DESCRIPTOR_REVISION))
        return FALSE;
    DWORD aclSize = ::GetLengthSid(pAdministrators) + sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) - sizeof(DWORD);
    *ppAcl = static_cast<PACL>(::LocalAlloc(LPTR, aclSize));
    if (!*ppAcl)
        return FALSE;
    if (!::InitializeAcl(*ppAcl, aclSize, ACL_REVISION2))
        return FALSE;
    if (!::AddAccessAllowedAce(*ppAcl, ACL_REVISION2, ACCESS_READ | ACCESS_WRITE, pAdministrators))
        return FALSE;
    if (!::SetSecurityDescriptorDacl(pDescriptor, TRUE, *ppAcl, FALSE))
        return FALSE;
    ::SetSecurityDescriptorGroup(pDescriptor, pAdministrators, FALSE);
    ::SetSecurityDescriptorOwner(pDescriptor, pAdministrators, FALSE);
    if (!::IsValidSecurityDescriptor(pDescriptor))
        return FALSE;

    GENERIC_MAPPING mapping = { ACCESS_READ, ACCESS_WRITE, 0, ACCESS_READ | ACCESS_WRITE };
    BYTE privileges[sizeof(PRIVILEGE_SET)];
    DWORD privilegesLength = sizeof privileges;
    DWORD granted = 0;
    BOOL accessStatus = FALSE;
    if (!::AccessCheck(pDescriptor, hToken, ACCESS_READ, &mapping, reinterpret_cast<PPRIVILEGE_SET>(privileges),
                       &privilegesLength, &granted, &accessStatus))
        return FALSE;
    return accessStatus;
}

HANDLE OpenCallerToken()
{
    HANDLE hToken = NULL;
    if (::OpenThreadToken(::GetCurrentThread(), TOKEN_QUERY, FALSE, &hToken))
        return hToken;
    if (::GetLastError() != ERROR_NO_TOKEN)
        return NULL;
    if (::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &hToken))
        return hToken;
    return NULL;
}

}

BOOL IsAdministrator()
{
    if (!IsWindowsNT())
        return TRUE;

    // The access check wants an impersonation token of our own; whatever
    // happens below, the thread stops impersonating before we return.
    BOOL impersonating = ::ImpersonateSelf(SecurityImpersonation);
    BOOL isAdministrator = FALSE;
    HANDLE hToken = OpenCallerToken();
    PSID pAdministrators = NULL;
    PSECURITY_DESCRIPTOR pDescriptor = NULL;
    PACL pAcl = NULL;
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    if (hToken && ::AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                             DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &pAdministrators)) {
        pDescriptor = ::LocalAlloc(LPTR, SECURITY_DESCRIPTOR_MIN_LENGTH);
        if (pDescriptor)
            isAdministrator = TokenHoldsAdministrators(hToken, pAdministrators, pDescriptor, &pAcl);
    }

    if (impersonating)
        ::RevertToSelf();
    if (pAcl)
        ::LocalFree(pAcl);
    if (pDescriptor)
        ::LocalFree(pDescriptor);
    if (pAdministrators)
        ::FreeSid(pAdministrators);
    if (hToken)
        ::CloseHandle(hToken);
    return isAdministrator;
}
