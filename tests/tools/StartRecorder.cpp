// Planted where a program must never be started: records its own start in
// a file beside itself (its path + ".started"), holding its command line.
#include <windows.h>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char path[MAX_PATH];
    if (!GetModuleFileNameA(NULL, path, MAX_PATH))
        return 1;
    std::string record = std::string(path) + ".started";
    HANDLE file = CreateFileA(record.c_str(), FILE_APPEND_DATA, 0, NULL, OPEN_ALWAYS, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    std::string line = std::string(GetCommandLineA()) + "\r\n";
    DWORD written;
    WriteFile(file, line.data(), (DWORD)line.size(), &written, NULL);
    CloseHandle(file);
    return 0;
}
