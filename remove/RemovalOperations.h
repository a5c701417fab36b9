// CRemovalOperations: registry entries, shortcuts and files, walked from the
// catalogue. Each row takes one step of the progress; what could not be
// removed goes into the failure list, an item found gone already too, and a
// file in use that the restart deletes into the restart list. Folders are
// never removed, but for the program group once it is empty.
#pragma once
#include "../files/FilesInUse.h"
#include "../outcome/FailureList.h"
#include "../outcome/ProgressSink.h"
#include "../outcome/RestartList.h"

class CRemovalOperations
{
public:
    CRemovalOperations(CProgressSink& progress, CFailureList& failures, CRestartList& restarts);

    void RemoveRegistry();
    void RemoveShortcuts();
    // installFolder: where the product's own files are deleted; empty when
    // there is no install folder to delete in. bUnregistered: nothing names
    // it as the install, so only files that are as the build laid them out
    // are taken for ours.
    void RemoveFiles(const CString& installFolder, BOOL bUnregistered);
    // Deletes every subkey below root\path, depth first; the key itself stays.
    static void DeleteKeyTree(HKEY hRootKey, CString path);
    // Whether any of the walks found an item of the catalogue.
    BOOL FoundAnything() const { return m_bFoundAnything; }

private:
    CRemovalOperations(const CRemovalOperations&);
    CRemovalOperations& operator=(const CRemovalOperations&);

    // An item's fate, with that of what earlier runs left beside it: its
    // line where it stays (and, bGoneListed, where it was gone already),
    // its place in the restart list where the restart deletes it.
    void Record(FileFate fate, FileFate leftovers, const char* pszWhat, const CString& item, BOOL bGoneListed);

    CProgressSink& m_progress;
    CFailureList& m_failures;
    CRestartList& m_restarts;
    BOOL m_bFoundAnything;
};
