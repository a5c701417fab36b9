// The control of the planted-DLL test: a program without Setup.exe's
// hardening that loads each DLL named on its command line the ordinary way,
// so the application folder comes first in the search.
#include <windows.h>

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        LoadLibraryA(argv[i]);
    return 0;
}
