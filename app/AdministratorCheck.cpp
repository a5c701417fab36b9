#include "AdministratorCheck.h"
#include "../windows/WellKnownSids.h"
#include "../windows/WindowsVersion.h"
#include <stddef.h>

namespace {

// The check's own access rights: the list grants both to Administrators,
// the check asks for reading.
const DWORD ACCESS_READ = 1;
const DWORD ACCESS_WRITE = 2;

// A descriptor that lets only Administrators in, as the system lays out a
// self-relative one (AccessCheck wants an owner and a group as well).
struct AdministratorsOnlyDescriptor
{
    SECURITY_DESCRIPTOR_RELATIVE header;
    KnownSid<2> owner;
    KnownSid<2> group;
    ACL acl;
    AllowedAce<2> administrators;
};
constexpr AdministratorsOnlyDescriptor ADMINISTRATORS_ONLY = {
    { SECURITY_DESCRIPTOR_REVISION, 0, SE_SELF_RELATIVE | SE_DACL_PRESENT, offsetof(AdministratorsOnlyDescriptor, owner),
      offsetof(AdministratorsOnlyDescriptor, group), 0, offsetof(AdministratorsOnlyDescriptor, acl) },
    ADMINISTRATORS_SID,
    ADMINISTRATORS_SID,
    { ACL_REVISION, 0, sizeof(ACL) + sizeof(AllowedAce<2>), 1, 0 },
    Allow(ACCESS_READ | ACCESS_WRITE, ADMINISTRATORS_SID),
};

}

BOOL IsAdministrator()
{
    if (!IsWindowsNT())
        return TRUE;

    // The access check wants an impersonation token: the thread's own, once
    // it impersonates itself (without one, nobody passes); whatever happens
    // below, the thread stops impersonating before we return.
    BOOL impersonating = ::ImpersonateSelf(SecurityImpersonation);
    HANDLE hToken = NULL;
    if (!::OpenThreadToken(::GetCurrentThread(), TOKEN_QUERY, FALSE, &hToken))
        hToken = NULL;
    GENERIC_MAPPING mapping = { ACCESS_READ, ACCESS_WRITE, 0, ACCESS_READ | ACCESS_WRITE };
    BYTE privileges[sizeof(PRIVILEGE_SET)];
    DWORD privilegesLength = sizeof privileges;
    DWORD granted = 0;
    BOOL accessStatus = FALSE;
    BOOL isAdministrator =
        hToken && ::AccessCheck(const_cast<AdministratorsOnlyDescriptor*>(&ADMINISTRATORS_ONLY), hToken, ACCESS_READ,
                                &mapping, reinterpret_cast<PPRIVILEGE_SET>(privileges), &privilegesLength, &granted,
                                &accessStatus) &&
        accessStatus;
    if (impersonating)
        ::RevertToSelf();
    if (hToken)
        ::CloseHandle(hToken);
    return isAdministrator;
}
