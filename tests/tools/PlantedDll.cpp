// Planted beside a program under the name of a DLL it may load: records in
// planted-loaded.txt beside itself which process loaded it, and under which
// name. Kernel32 only and no C runtime, so that it loads under any name.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    char process[MAX_PATH], self[MAX_PATH], record[MAX_PATH + 32];
    if (!GetModuleFileNameA(NULL, process, MAX_PATH) || !GetModuleFileNameA(instance, self, MAX_PATH))
        return TRUE;
    lstrcpyA(record, self);
    for (int i = lstrlenA(record) - 1; i >= 0 && record[i] != '\\'; --i)
        record[i] = 0;
    lstrcatA(record, "planted-loaded.txt");
    HANDLE file = CreateFileA(record, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return TRUE;
    DWORD written;
    WriteFile(file, process, lstrlenA(process), &written, NULL);
    WriteFile(file, " loaded ", 8, &written, NULL);
    WriteFile(file, self, lstrlenA(self), &written, NULL);
    WriteFile(file, "\r\n", 2, &written, NULL);
    CloseHandle(file);
    return TRUE;
}
