// The accounts and groups every Windows of the NT family knows, laid out as
// the system lays out a SID, kept as data: no call makes them, none frees
// them, and they can stand inside a descriptor that is data too, with the
// access entries laid out here.
#pragma once
#include <windows.h>

template <int SubAuthorities>
struct KnownSid
{
    BYTE revision;
    BYTE subAuthorityCount;
    SID_IDENTIFIER_AUTHORITY authority;
    DWORD subAuthorities[SubAuthorities];
    PSID Get() const { return const_cast<KnownSid*>(this); }
};

inline constexpr KnownSid<1> LOCAL_SYSTEM_SID = { SID_REVISION, 1, SECURITY_NT_AUTHORITY, { SECURITY_LOCAL_SYSTEM_RID } };
inline constexpr KnownSid<2> ADMINISTRATORS_SID = { SID_REVISION, 2, SECURITY_NT_AUTHORITY,
                                                    { SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS } };
inline constexpr KnownSid<2> USERS_SID = { SID_REVISION, 2, SECURITY_NT_AUTHORITY,
                                           { SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS } };
inline constexpr KnownSid<6> TRUSTED_INSTALLER_SID = {
    SID_REVISION, 6, SECURITY_NT_AUTHORITY,
    { SECURITY_SERVICE_ID_BASE_RID, 956008885, 3418522649, 1831038044, 1853292631, 2271478464 }
};
inline constexpr KnownSid<1> CREATOR_OWNER_SID = { SID_REVISION, 1, SECURITY_CREATOR_SID_AUTHORITY,
                                                   { SECURITY_CREATOR_OWNER_RID } };

// An entry that allows the mask to the SID, as the system lays it out.
template <int SubAuthorities>
struct AllowedAce
{
    ACE_HEADER header;
    ACCESS_MASK mask;
    KnownSid<SubAuthorities> sid;
};
template <int SubAuthorities>
constexpr AllowedAce<SubAuthorities> Allow(ACCESS_MASK mask, const KnownSid<SubAuthorities>& sid, BYTE flags = 0)
{
    return { { ACCESS_ALLOWED_ACE_TYPE, flags, sizeof(AllowedAce<SubAuthorities>) }, mask, sid };
}
