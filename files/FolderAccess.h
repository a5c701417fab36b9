// Who may change a folder of ours. What is in the install folder runs
// elevated again (the uninstall entry, the removal link, the product), so
// nobody but SYSTEM and Administrators may write it, whatever its parent
// allows. The older family has no access lists: everything here lets it be.
#pragma once
#include "../framework/String.h"

// The access list a folder of ours gets: SYSTEM and Administrators full
// control, Users read and execute, inherited by what is made in it; none of
// its parent's entries inherited. Null where there are no access lists.
PSECURITY_DESCRIPTOR GetProtectedDescriptor();
// Sets that list, and Administrators as the owner where the token may name
// them, on an object opened with WRITE_DAC and WRITE_OWNER.
BOOL ProtectObject(HANDLE hObject);

// Whether nobody but SYSTEM, Administrators, TrustedInstaller, the creator
// of what is made in it and the installing account can write, add, delete,
// change permissions or take ownership of the folder open with READ_CONTROL.
BOOL IsClosedToOthers(HANDLE hFolder);
// The same for a folder by its name, true where nothing is there yet (with
// bOnlyAbove, the folder itself is not asked: the install closes it again);
// and of each folder above it that is there, that nobody else can move what
// is below it away (and put something else at its name).
BOOL IsFolderClosedToOthers(const CString& path, BOOL bOnlyAbove = FALSE);
