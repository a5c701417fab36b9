// Stand-in for the Varnolt library.
#include <windows.h>

extern "C" __declspec(dllexport) DWORD WINAPI VarnXVersion() { return MAKELONG(0, 2); }

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
