// CRemovalOperations: registry entries, shortcuts and files, walked from the
// catalogue. Each row takes one step of the progress; what could not be
// removed goes into the failure list. Folders are never removed, but for the
// program group once it is empty.
#pragma once
#include "../outcome/FailureList.h"
#include "../outcome/ProgressSink.h"

class CRemovalOperations
{
public:
    CRemovalOperations(CProgressSink& progress, CFailureList& failures);

    void RemoveRegistry();
    void RemoveShortcuts();
    // installFolder: where the product's own files are deleted; empty when
    // there is no install folder to delete in. bUnregistered: nothing names
    // it as the install, so only files that are as the build laid them out
    // are taken for ours.
    void RemoveFiles(const CString& installFolder, BOOL bUnregistered);
    // Deletes every subkey below root\path, depth first; the key itself stays.
    static void DeleteKeyTree(HKEY hRootKey, CString path);

private:
    CRemovalOperations(const CRemovalOperations&);
    CRemovalOperations& operator=(const CRemovalOperations&);

    CProgressSink& m_progress;
    CFailureList& m_failures;
};
