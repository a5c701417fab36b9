#include "../../app/AdministratorCheck.h"
#include "../../windows/WindowsVersion.h"
#include <gtest/gtest.h>

namespace {

bool ThreadIsImpersonating()
{
    HANDLE token;
    if (!OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token))
        return false;
    CloseHandle(token);
    return true;
}

}

TEST(AdministratorCheck, TheWineUserIsAnAdministratorOnTheNtFamily)
{
    EXPECT_TRUE(IsWindowsNT());
    EXPECT_TRUE(IsAdministrator());
    // The check impersonates itself; it must not leave the thread so.
    EXPECT_FALSE(ThreadIsImpersonating());
    EXPECT_TRUE(IsAdministrator()) << "a second check gives the same answer";
    EXPECT_FALSE(ThreadIsImpersonating());
}
