#include "FolderAccess.h"
#include "../windows/WellKnownSids.h"
#include "../windows/WindowsVersion.h"
#include <stddef.h>

namespace {

// Read and execute, as the security editor names them for a folder.
const DWORD READ_AND_EXECUTE = FILE_GENERIC_READ | FILE_GENERIC_EXECUTE;
// Rights that let their holder change what the folder holds or who may.
const DWORD CHANGING_RIGHTS = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_DELETE_CHILD | DELETE | WRITE_DAC |
                              WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;

template <int SubAuthorities>
struct InheritedAllowedAce
{
    ACE_HEADER header;
    ACCESS_MASK mask;
    KnownSid<SubAuthorities> sid;
};
template <int SubAuthorities>
constexpr InheritedAllowedAce<SubAuthorities> Allow(ACCESS_MASK mask, const KnownSid<SubAuthorities>& sid)
{
    return { { ACCESS_ALLOWED_ACE_TYPE, OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE,
               sizeof(InheritedAllowedAce<SubAuthorities>) },
             mask, sid };
}

// A folder of ours' descriptor as the system lays out a self-relative one:
// Administrators own it; SYSTEM and Administrators have full control, Users
// read and execute, and what is made in it inherits that; nothing of the
// parent's list comes in.
struct ProtectedDescriptor
{
    SECURITY_DESCRIPTOR_RELATIVE header;
    KnownSid<2> owner;
    ACL acl;
    InheritedAllowedAce<1> system;
    InheritedAllowedAce<2> administrators;
    InheritedAllowedAce<2> users;
};
constexpr ProtectedDescriptor PROTECTED_DESCRIPTOR = {
    { SECURITY_DESCRIPTOR_REVISION, 0, SE_SELF_RELATIVE | SE_DACL_PRESENT | SE_DACL_PROTECTED,
      offsetof(ProtectedDescriptor, owner), 0, 0, offsetof(ProtectedDescriptor, acl) },
    ADMINISTRATORS_SID,
    { ACL_REVISION, 0, sizeof(ProtectedDescriptor) - offsetof(ProtectedDescriptor, acl), 3, 0 },
    Allow(FILE_ALL_ACCESS, LOCAL_SYSTEM_SID),
    Allow(FILE_ALL_ACCESS, ADMINISTRATORS_SID),
    Allow(READ_AND_EXECUTE, USERS_SID),
};

BOOL IsTrusted(PSID pSid, PSID pInstallingAccount)
{
    return ::EqualSid(pSid, LOCAL_SYSTEM_SID.Get()) || ::EqualSid(pSid, ADMINISTRATORS_SID.Get()) ||
           ::EqualSid(pSid, TRUSTED_INSTALLER_SID.Get()) || (pInstallingAccount && ::EqualSid(pSid, pInstallingAccount));
}

BOOL IsClosedToOthers(PSECURITY_DESCRIPTOR pDescriptor, PSID pInstallingAccount)
{
    PSID pOwner = NULL;
    PACL pDacl = NULL;
    BOOL defaulted, present = FALSE;
    if (!::GetSecurityDescriptorOwner(pDescriptor, &pOwner, &defaulted) || !pOwner ||
        !IsTrusted(pOwner, pInstallingAccount) || !::GetSecurityDescriptorDacl(pDescriptor, &present, &pDacl, &defaulted) ||
        !present || !pDacl)
        return FALSE;
    for (DWORD i = 0; i < pDacl->AceCount; ++i) {
        ACCESS_ALLOWED_ACE* pAce;
        if (!::GetAce(pDacl, i, reinterpret_cast<void**>(&pAce)))
            return FALSE;
        PSID pSid = &pAce->SidStart;
        if (pAce->Header.AceType != ACCESS_ALLOWED_ACE_TYPE || !(pAce->Mask & CHANGING_RIGHTS) ||
            IsTrusted(pSid, pInstallingAccount) ||
            (::EqualSid(pSid, CREATOR_OWNER_SID.Get()) && (pAce->Header.AceFlags & INHERIT_ONLY_ACE)))
            continue;
        return FALSE;
    }
    return TRUE;
}

}

SECURITY_ATTRIBUTES* GetProtectedAttributes()
{
    static SECURITY_ATTRIBUTES attributes = { sizeof attributes, const_cast<ProtectedDescriptor*>(&PROTECTED_DESCRIPTOR),
                                              FALSE };
    return IsWindowsNT() ? &attributes : NULL;
}

BOOL ProtectObject(HANDLE hObject)
{
    if (!IsWindowsNT())
        return TRUE;
    // An owner other than us could give the folder to others again; not
    // every token may name Administrators as the owner.
    PSECURITY_DESCRIPTOR pDescriptor = const_cast<ProtectedDescriptor*>(&PROTECTED_DESCRIPTOR);
    return ::SetKernelObjectSecurity(hObject, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, pDescriptor) ||
           ::SetKernelObjectSecurity(hObject, DACL_SECURITY_INFORMATION, pDescriptor);
}

BOOL IsClosedToOthers(HANDLE hFolder)
{
    if (!IsWindowsNT())
        return TRUE;
    alignas(DWORD_PTR) BYTE descriptor[4096];
    alignas(DWORD_PTR) BYTE user[SECURITY_MAX_SID_SIZE + sizeof(TOKEN_USER)];
    DWORD needed;
    HANDLE hToken;
    PSID pInstallingAccount = NULL;
    if (::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &hToken)) {
        if (::GetTokenInformation(hToken, TokenUser, user, sizeof user, &needed))
            pInstallingAccount = reinterpret_cast<TOKEN_USER*>(user)->User.Sid;
        ::CloseHandle(hToken);
    }
    return ::GetKernelObjectSecurity(hFolder, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, descriptor,
                                     sizeof descriptor, &needed) &&
           IsClosedToOthers(descriptor, pInstallingAccount);
}

BOOL IsFolderClosedToOthers(const CString& path)
{
    HANDLE hFolder = ::CreateFileA(path, READ_CONTROL, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
    if (hFolder == INVALID_HANDLE_VALUE)
        return ::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES;
    BOOL closed = IsClosedToOthers(hFolder);
    ::CloseHandle(hFolder);
    return closed;
}
