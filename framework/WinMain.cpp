// The process entry: tell msvcrt what it serves, construct the static
// objects, then hand over to AfxWinMain.
// The program starts here rather than in the C runtime's start-up code:
// msvcrt.dll readies itself as it loads, and all the program needs besides
// is its static objects constructed. That start-up code (its argument and
// TLS set-up, pseudo-relocations, signal and maths handlers) was a tenth of
// the program.
#include "WinApp.h"

extern "C" void __main();
extern "C" void __set_app_type(int);

namespace {

// msvcrt's _GUI_APP, which no header of ours declares.
const int GUI_APP = 2;

}

// Static objects live until the process ends, and the system takes back all
// they hold: nothing is registered to destroy them.
extern "C" int atexit(void (*)()) { return 0; }

extern "C" __attribute__((used, force_align_arg_pointer)) void WinMainCRTStartup()
{
    // A fatal error of the runtime then shows its box instead of ending the
    // process without a word.
    __set_app_type(GUI_APP);
    // The static objects, the application object among them. The program
    // reads its command line and show state where it needs them.
    __main();
    ::ExitProcess(AfxWinMain(::GetModuleHandleA(NULL), NULL, NULL, SW_SHOWDEFAULT));
}
