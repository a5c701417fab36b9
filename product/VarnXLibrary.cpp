// Stand-in for the Varnolt library.
#include <windows.h>

// Exported by its plain name through VarnXLibrary.def: the 32-bit build would
// otherwise export stdcall's decorated "VarnXVersion@0".
extern "C" DWORD WINAPI VarnXVersion() { return MAKELONG(0, 2); }

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
