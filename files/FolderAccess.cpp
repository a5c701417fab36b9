#include "FolderAccess.h"
#include "../paths/PathText.h"
#include "../windows/WellKnownSids.h"
#include "../windows/WindowsVersion.h"
#include <stddef.h>

namespace {

// Read and execute, as the security editor names them for a folder.
const DWORD READ_AND_EXECUTE = FILE_GENERIC_READ | FILE_GENERIC_EXECUTE;
// Rights that let their holder change what the folder holds or who may.
const DWORD CHANGING_RIGHTS = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_DELETE_CHILD | DELETE | WRITE_DAC |
                              WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;
// Rights on a folder above that let their holder move what is below it
// away, and put something else at its name.
const DWORD MOVING_RIGHTS = FILE_DELETE_CHILD | DELETE | WRITE_DAC | WRITE_OWNER | GENERIC_ALL;
// The entry types that grant; all share the header and the mask, and the
// plain and callback ones the place of the SID.
const DWORD GRANTING_TYPES = 1 << ACCESS_ALLOWED_ACE_TYPE | 1 << ACCESS_ALLOWED_COMPOUND_ACE_TYPE |
                             1 << ACCESS_ALLOWED_OBJECT_ACE_TYPE | 1 << ACCESS_ALLOWED_CALLBACK_ACE_TYPE |
                             1 << ACCESS_ALLOWED_CALLBACK_OBJECT_ACE_TYPE;

const BYTE INHERITED_BY_ALL = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;

// A folder of ours' descriptor as the system lays out a self-relative one:
// Administrators own it; SYSTEM and Administrators have full control, Users
// read and execute, and what is made in it inherits that; nothing of the
// parent's list comes in.
struct ProtectedDescriptor
{
    SECURITY_DESCRIPTOR_RELATIVE header;
    KnownSid<2> owner;
    ACL acl;
    AllowedAce<1> system;
    AllowedAce<2> administrators;
    AllowedAce<2> users;
};
constexpr ProtectedDescriptor PROTECTED_DESCRIPTOR = {
    { SECURITY_DESCRIPTOR_REVISION, 0, SE_SELF_RELATIVE | SE_DACL_PRESENT | SE_DACL_PROTECTED,
      offsetof(ProtectedDescriptor, owner), 0, 0, offsetof(ProtectedDescriptor, acl) },
    ADMINISTRATORS_SID,
    { ACL_REVISION, 0, sizeof(ProtectedDescriptor) - offsetof(ProtectedDescriptor, acl), 3, 0 },
    Allow(FILE_ALL_ACCESS, LOCAL_SYSTEM_SID, INHERITED_BY_ALL),
    Allow(FILE_ALL_ACCESS, ADMINISTRATORS_SID, INHERITED_BY_ALL),
    Allow(READ_AND_EXECUTE, USERS_SID, INHERITED_BY_ALL),
};

BOOL IsTrusted(PSID pSid, PSID pInstallingAccount)
{
    return ::EqualSid(pSid, LOCAL_SYSTEM_SID.Get()) || ::EqualSid(pSid, ADMINISTRATORS_SID.Get()) ||
           ::EqualSid(pSid, TRUSTED_INSTALLER_SID.Get()) || (pInstallingAccount && ::EqualSid(pSid, pInstallingAccount));
}

BOOL IsClosedToOthers(PSECURITY_DESCRIPTOR pDescriptor, PSID pInstallingAccount, DWORD rights)
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
        BYTE type = pAce->Header.AceType;
        if (type > ACCESS_MAX_MS_V4_ACE_TYPE || !(GRANTING_TYPES >> type & 1) || !(pAce->Mask & rights))
            continue;
        // An entry whose SID lies elsewhere is taken for someone else's.
        PSID pSid = &pAce->SidStart;
        BOOL sidInPlace = type == ACCESS_ALLOWED_ACE_TYPE || type == ACCESS_ALLOWED_CALLBACK_ACE_TYPE;
        if (sidInPlace && (IsTrusted(pSid, pInstallingAccount) || (::EqualSid(pSid, CREATOR_OWNER_SID.Get()) &&
                                                                   (pAce->Header.AceFlags & INHERIT_ONLY_ACE))))
            continue;
        return FALSE;
    }
    return TRUE;
}

BOOL IsClosedToOthers(HANDLE hFolder, DWORD rights)
{
    if (!IsWindowsNT())
        return TRUE;
    alignas(DWORD_PTR) BYTE user[SECURITY_MAX_SID_SIZE + sizeof(TOKEN_USER)];
    DWORD needed = 0;
    HANDLE hToken;
    PSID pInstallingAccount = NULL;
    if (::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &hToken)) {
        if (::GetTokenInformation(hToken, TokenUser, user, sizeof user, &needed))
            pInstallingAccount = reinterpret_cast<TOKEN_USER*>(user)->User.Sid;
        ::CloseHandle(hToken);
    }
    const SECURITY_INFORMATION WHAT = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    ::GetKernelObjectSecurity(hFolder, WHAT, NULL, 0, &needed);
    PSECURITY_DESCRIPTOR pDescriptor = ::LocalAlloc(LMEM_FIXED, needed);
    BOOL closed = pDescriptor && ::GetKernelObjectSecurity(hFolder, WHAT, pDescriptor, needed, &needed) &&
                  IsClosedToOthers(pDescriptor, pInstallingAccount, rights);
    ::LocalFree(pDescriptor);
    return closed;
}

}

PSECURITY_DESCRIPTOR GetProtectedDescriptor()
{
    return IsWindowsNT() ? const_cast<ProtectedDescriptor*>(&PROTECTED_DESCRIPTOR) : NULL;
}

BOOL ProtectObject(HANDLE hObject)
{
    if (!IsWindowsNT())
        return TRUE;
    // An owner other than us could give the folder to others again; not
    // every token may name Administrators as the owner.
    PSECURITY_DESCRIPTOR pDescriptor = GetProtectedDescriptor();
    return ::SetKernelObjectSecurity(hObject, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, pDescriptor) ||
           ::SetKernelObjectSecurity(hObject, DACL_SECURITY_INFORMATION, pDescriptor);
}


BOOL IsClosedToOthers(HANDLE hFolder) { return IsClosedToOthers(hFolder, CHANGING_RIGHTS); }

BOOL IsFolderClosedToOthers(const CString& path, BOOL bOnlyAbove)
{
    // The folder itself, if it is there, and each folder above it that is.
    int rootLength = FullPathRootLength(path);
    DWORD rights = bOnlyAbove ? MOVING_RIGHTS : CHANGING_RIGHTS;
    for (CString folder = bOnlyAbove ? GetParentFolder(path) : path;
         rootLength > 0 && folder.GetLength() >= rootLength - 1; folder = GetParentFolder(folder), rights = MOVING_RIGHTS) {
        CString name = folder.GetLength() == rootLength - 1 ? folder + "\\" : folder;
        HANDLE hFolder = ::CreateFileA(name, READ_CONTROL, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
        if (hFolder == INVALID_HANDLE_VALUE && ::GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES)
            return FALSE;
        BOOL closed = hFolder == INVALID_HANDLE_VALUE || IsClosedToOthers(hFolder, rights);
        ::CloseHandle(hFolder);
        if (!closed)
            return FALSE;
    }
    return TRUE;
}
