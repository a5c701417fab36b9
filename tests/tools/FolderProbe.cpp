// Writes what GetModuleFolder answers for this program into the file named
// by its one argument.
#include "../../files/OwnProgram.h"
#include <stdio.h>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    FILE* out = fopen(argv[1], "wb");
    if (!out)
        return 1;
    CString folder = GetModuleFolder();
    fwrite((const char*)folder, 1, folder.GetLength(), out);
    fclose(out);
    return 0;
}
