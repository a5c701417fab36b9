#include "OwnProgram.h"
#include "../paths/PathText.h"
#include "../windows/WindowsVersion.h"
#include "VerifiedCopy.h"

namespace {

// Longest path the system hands out (the \\?\ form included).
const DWORD MAX_MODULE_PATH = 32768;

// The running program's file; empty when the system cannot tell.
CString GetModulePath()
{
    CString path;
    char* buffer = path.GetBuffer(MAX_MODULE_PATH);
    if (!buffer)
        return CString();
    DWORD length = ::GetModuleFileNameA(NULL, buffer, MAX_MODULE_PATH);
    if (length == 0 || length >= MAX_MODULE_PATH)
        return CString();
    path.ReleaseBuffer((int)length);
    return path;
}

}

CString GetModuleFolder() { return GetParentFolder(GetModulePath()); }

BOOL IsFileOfModule(HANDLE hFile, HMODULE hModule)
{
    typedef LONG(NTAPI * NtAreMappedFilesTheSameFn)(PVOID, PVOID);
    HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    NtAreMappedFilesTheSameFn areMappedFilesTheSame = reinterpret_cast<NtAreMappedFilesTheSameFn>(
        reinterpret_cast<void*>(ntdll ? ::GetProcAddress(ntdll, "NtAreMappedFilesTheSame") : NULL));
    // The older family keeps a running program's file from being renamed.
    if (!areMappedFilesTheSame)
        return !IsWindowsNT();
    HANDLE hMapping = ::CreateFileMappingA(hFile, NULL, PAGE_READONLY, 0, 0, NULL);
    void* pView = hMapping ? ::MapViewOfFile(hMapping, FILE_MAP_READ, 0, 0, 0) : NULL;
    BOOL same = pView && areMappedFilesTheSame(hModule, pView) == 0;
    if (pView)
        ::UnmapViewOfFile(pView);
    if (hMapping)
        ::CloseHandle(hMapping);
    return same;
}

HANDLE OpenOwnProgramFile()
{
    // Until the file is held, its name can be given to another: what is
    // opened must be the file the program was started from.
    CString path = GetModulePath();
    HANDLE hFile = path.IsEmpty() ? INVALID_HANDLE_VALUE : OpenInstallSource(path);
    if (hFile != INVALID_HANDLE_VALUE && !IsFileOfModule(hFile, ::GetModuleHandleA(NULL))) {
        ::CloseHandle(hFile);
        return INVALID_HANDLE_VALUE;
    }
    return hFile;
}
