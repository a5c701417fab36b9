#include "ShortcutWriter.h"
#include "../files/FileSystem.h"
#include "../paths/PathText.h"
#include <shlobj.h>

namespace {

// Sets the link's properties and saves it; the link object is the caller's.
BOOL SaveLink(IShellLinkA* pLink, IPersistFile* pFile, const CString& linkPath, const CString& target,
              const CString& description, const CString& arguments)
{
    pLink->SetPath(target);
    pLink->SetDescription(description);
    pLink->SetArguments(arguments);
    // An empty text, not null: Wine stores a made-up folder for null.
    pLink->SetWorkingDirectory("");
    pLink->SetIconLocation(NULL, 0);
    pLink->SetShowCmd(SW_SHOWNORMAL);

    // A path that does not fit is never saved cut short.
    WCHAR widePath[MAX_PATH];
    if (!::MultiByteToWideChar(CP_ACP, 0, linkPath, -1, widePath, MAX_PATH))
        return FALSE;
    return SUCCEEDED(pFile->Save(widePath, TRUE));
}

}

BOOL CreateShortcut(CString linkPath, CString target, CString description, CString arguments)
{
    if (FAILED(::CoInitialize(NULL)))
        return FALSE;

    BOOL saved = FALSE;
    CString folder = GetParentFolder(linkPath);
    IShellLinkA* pLink = NULL;
    if ((PathExists(folder) || CreateFolderTree(folder)) &&
        SUCCEEDED(::CoCreateInstance(__uuidof(ShellLink), NULL, CLSCTX_INPROC_SERVER, __uuidof(IShellLinkA),
                                     reinterpret_cast<void**>(&pLink)))) {
        IPersistFile* pFile = NULL;
        if (SUCCEEDED(pLink->QueryInterface(__uuidof(IPersistFile), reinterpret_cast<void**>(&pFile)))) {
            saved = SaveLink(pLink, pFile, linkPath, target, description, arguments);
            pFile->Release();
        }
        pLink->Release();
    }
    ::CoUninitialize();
    return saved;
}
