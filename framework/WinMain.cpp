// The process entry: tell msvcrt what it serves, construct the static
// objects, then hand over to AfxWinMain.
// The program starts here rather than in the C runtime's start-up code:
// msvcrt.dll readies itself as it loads, and all the program needs besides
// is its static objects constructed. That start-up code (its argument and
// TLS set-up, pseudo-relocations, signal and maths handlers) was a tenth of
// the program.
#include "WinApp.h"

// The linker's list of static constructors: -1, the constructors, then 0.
extern "C" void (*__CTOR_LIST__[])();
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
    // The static objects, the application object among them, constructed
    // from the list's end as gcc's own start-up does. The program reads its
    // command line and show state where it needs them.
    void (**constructor)() = __CTOR_LIST__ + 1;
    while (*constructor)
        ++constructor;
    while (--constructor != __CTOR_LIST__)
        (*constructor)();
    ::ExitProcess(AfxWinMain(::GetModuleHandleA(NULL), NULL, NULL, SW_SHOWDEFAULT));
}
