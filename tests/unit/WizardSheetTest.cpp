// The wizard sheet as it is handed to comctl32, before it runs.
#include "../../framework/WinApp.h"
#include "../../res/resource.h"
#include "../../wizard/MainPage.h"
#include <gtest/gtest.h>
#include <string.h>

TEST(WizardSheet, HeaderAndPagesAsHandedToTheSystem)
{
    COutcome outcome;
    CMainPage sheet("インストーラ", outcome);
    EXPECT_STREQ("インストーラ", sheet.m_psh.pszCaption);
    EXPECT_TRUE(sheet.m_psh.dwFlags & PSH_WIZARD);
    EXPECT_TRUE(sheet.m_psh.dwFlags & PSH_USEHICON);
    EXPECT_FALSE(sheet.m_psh.dwFlags & PSH_HASHELP);
    EXPECT_NE(nullptr, sheet.m_psh.hIcon) << "icon 128";
    EXPECT_EQ(0u, sheet.m_psh.nStartPage);
    ASSERT_EQ(4, sheet.GetPageCount());
    EXPECT_TRUE(sheet.m_strInstallPath.IsEmpty() && sheet.m_strProgramsFolder.IsEmpty() &&
                sheet.m_strSystemFolder.IsEmpty());

    const CPropertyPage* pages[] = { &sheet.m_page1, &sheet.m_page2, &sheet.m_page3, &sheet.m_page4 };
    const int templates[] = { IDD_AGREEMENT_PAGE, IDD_DESTINATION_PAGE, IDD_PROGRESS_PAGE, IDD_FINISH_PAGE };
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(MAKEINTRESOURCEA(templates[i]), pages[i]->m_psp.pszTemplate) << i;
        EXPECT_FALSE(pages[i]->m_psp.dwFlags & (PSP_HASHELP | PSP_USETITLE)) << "page " << i + 1;
        // Each page is made by its runtime class's name, as the framework's
        // dynamic creation does.
        const CRuntimeClass* pClass = pages[i]->GetRuntimeClass();
        EXPECT_EQ("CPage" + std::to_string(i + 1), pClass->m_lpszClassName);
        CObject* pMade = pClass->CreateObject();
        ASSERT_NE(nullptr, pMade);
        EXPECT_TRUE(pMade->IsKindOf(RUNTIME_CLASS(CPropertyPage)));
        delete pMade;
    }
    EXPECT_STREQ("CMainPage", sheet.GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(nullptr, sheet.GetRuntimeClass()->CreateObject()) << "the sheet is not made by name";
}
