// Writes what GetModuleFolder answers for this program into the file named
// by its one argument. With "--system" instead, prints what Windows says of
// the system it runs on: whether this is a 32-bit program on 64-bit Windows,
// and the 32-bit system folder there.
#include "../../files/OwnProgram.h"
#include <stdio.h>
#include <string.h>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    if (strcmp(argv[1], "--system") == 0) {
        BOOL wow64 = FALSE;
        char folder[MAX_PATH] = "";
        IsWow64Process(GetCurrentProcess(), &wow64);
        GetSystemWow64DirectoryA(folder, MAX_PATH);
        printf("IsWow64Process=%s\nGetSystemWow64DirectoryA=%s\n", wow64 ? "TRUE" : "FALSE", folder);
        return 0;
    }
    FILE* out = fopen(argv[1], "wb");
    if (!out)
        return 1;
    CString folder = GetModuleFolder();
    fwrite((const char*)folder, 1, folder.GetLength(), out);
    fclose(out);
    return 0;
}
