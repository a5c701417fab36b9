// The unit tests run inside one process with a CSetupApp of their own, as
// Setup.exe does, so framework calls find the application and resources.
#include "../../app/SetupApp.h"
#include <commctrl.h>
#include <gtest/gtest.h>

CSetupApp theApp;

int main(int argc, char** argv)
{
    INITCOMMONCONTROLSEX controls = { sizeof controls, ICC_WIN95_CLASSES };
    InitCommonControlsEx(&controls);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
