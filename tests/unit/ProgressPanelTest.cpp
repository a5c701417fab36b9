#include "../../remove/ProgressPanel.h"
#include "../../res/resource.h"
#include "../support/WindowDriver.h"
#include <commctrl.h>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Opens what the tests need of the panel's insides.
class TestPanel : public CProgressPanel
{
public:
    using CProgressPanel::m_bOwnerDisabled;
    using CProgressPanel::m_ctlProgress;
};

std::string Percent(const CProgressPanel& panel) { return ControlText(panel.m_hWnd, IDC_PANEL_PERCENT); }

int BarPosition(TestPanel& panel) { return (int)panel.m_ctlProgress.SendMessage(PBM_GETPOS); }

// The panel paints only while messages are handled; a photograph taken from
// this same thread needs them handled first.
void Photograph(const CProgressPanel& panel, const std::string& name)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < 300; Sleep(10)) {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    SaveScreenshot(panel.m_hWnd, name);
}

// Counts the texts set on the percentage label.
int g_labelWrites;
WNDPROC g_labelProc;
LRESULT CALLBACK CountingLabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTEXT)
        ++g_labelWrites;
    return CallWindowProcA(g_labelProc, window, message, wParam, lParam);
}

}

TEST(ProgressPanel, StartsAtTheLowerBoundWithItsTemplateLabel)
{
    TestPanel panel;
    ASSERT_TRUE(panel.Create(NULL));
    panel.SetRange(0, 16);
    panel.SetStep(1);
    EXPECT_EQ(" 0 %", Percent(panel));
    EXPECT_EQ(0, BarPosition(panel));
    EXPECT_EQ(16, (int)panel.m_ctlProgress.SendMessage(PBM_GETRANGE, FALSE));
    EXPECT_TRUE(IsWindowVisible(panel.m_hWnd)) << "the template makes it visible";
    EXPECT_FALSE(GetWindowLongA(panel.m_hWnd, GWL_STYLE) & WS_SYSMENU) << "no close box";
    Photograph(panel, "panel-created");
}

TEST(ProgressPanel, ShowsTheSixteenPercentagesOfARemoval)
{
    TestPanel panel;
    ASSERT_TRUE(panel.Create(NULL));
    panel.SetRange(0, 16);
    panel.SetStep(1);
    std::vector<std::string> shown;
    for (int step = 0; step < 16; ++step) {
        EXPECT_EQ(step, panel.StepIt()) << "StepIt answers the position before the step";
        shown.push_back(Percent(panel));
    }
    std::vector<std::string> expected = { "6%",  "12%", "18%", "25%", "31%", "37%", "43%", "50%",
                                          "56%", "62%", "68%", "75%", "81%", "87%", "93%", "100%" };
    EXPECT_EQ(expected, shown);
    EXPECT_EQ(16, BarPosition(panel));
    Photograph(panel, "panel-complete");

    panel.StepIt();
    EXPECT_EQ("6%", Percent(panel)) << "a 17th step wraps past 100";
}

TEST(ProgressPanel, RangeAndStepSetBeforeCreateReachTheBar)
{
    TestPanel panel;
    panel.SetRange(10, 30);
    panel.SetStep(5);
    ASSERT_TRUE(panel.Create(NULL));
    EXPECT_EQ(10, BarPosition(panel));
    EXPECT_EQ(10, panel.StepIt());
    EXPECT_EQ("25%", Percent(panel));
    EXPECT_EQ(15, BarPosition(panel));
}

TEST(ProgressPanel, TheDefaultRangeWrapsAfterAHundred)
{
    TestPanel panel;
    ASSERT_TRUE(panel.Create(NULL));
    for (int step = 0; step < 100; ++step)
        panel.StepIt();
    EXPECT_EQ("100%", Percent(panel));
    // The bar stops at its end; the label reckons from the old position.
    panel.StepIt();
    EXPECT_EQ("1%", Percent(panel));
}

TEST(ProgressPanel, AnUnchangedPercentageIsNotWrittenAgain)
{
    TestPanel panel;
    ASSERT_TRUE(panel.Create(NULL));
    panel.SetRange(0, 1000);
    HWND label = GetDlgItem(panel.m_hWnd, IDC_PANEL_PERCENT);
    g_labelWrites = 0;
    g_labelProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingLabelProc)));
    for (int step = 0; step < 100; ++step)
        panel.StepIt();
    EXPECT_EQ("10%", Percent(panel));
    EXPECT_EQ(11, g_labelWrites) << "0% once, then one write per whole percent";
}

TEST(ProgressPanel, EnterAndEscapeDoNotCloseIt)
{
    TestPanel panel;
    ASSERT_TRUE(panel.Create(NULL));
    SendMessageA(panel.m_hWnd, WM_COMMAND, IDOK, 0);
    SendMessageA(panel.m_hWnd, WM_COMMAND, IDCANCEL, 0);
    SendMessageA(panel.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    panel.StepIt();
    EXPECT_TRUE(IsWindow(panel.m_hWnd));
    EXPECT_TRUE(IsWindowVisible(panel.m_hWnd));
}

TEST(ProgressPanel, HoldsAnEnabledOwnerDisabledAndEnablesItOnce)
{
    TestPanel owner;
    ASSERT_TRUE(owner.Create(NULL));
    {
        TestPanel panel;
        ASSERT_TRUE(panel.Create(&owner));
        EXPECT_FALSE(IsWindowEnabled(owner.m_hWnd));
        EXPECT_EQ(owner.m_hWnd, GetWindow(panel.m_hWnd, GW_OWNER));
        panel.DestroyWindow();
        EXPECT_TRUE(IsWindowEnabled(owner.m_hWnd));
        EnableWindow(owner.m_hWnd, FALSE);
    }
    EXPECT_FALSE(IsWindowEnabled(owner.m_hWnd)) << "the destructor does not enable the owner a second time";

    TestPanel second;
    ASSERT_TRUE(second.Create(&owner));
    EXPECT_FALSE(second.m_bOwnerDisabled) << "an owner that was disabled already is not the panel's to enable";
    second.DestroyWindow();
    EXPECT_FALSE(IsWindowEnabled(owner.m_hWnd));
}

TEST(ProgressPanel, WithoutAWindowStepsStillCount)
{
    TestPanel panel;
    panel.SetRange(0, 16);
    panel.SetStep(1);
    for (int step = 0; step < 16; ++step)
        panel.StepIt();
    EXPECT_EQ(NULL, panel.m_hWnd);
    EXPECT_FALSE(panel.DestroyWindow());
}

TEST(ProgressPanel, AnEmptyRangeShowsCompletion)
{
    TestPanel panel;
    ASSERT_TRUE(panel.Create(NULL));
    panel.SetRange(5, 5);
    panel.StepIt();
    EXPECT_EQ("100%", Percent(panel));
}
