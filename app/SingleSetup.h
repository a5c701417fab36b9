// One setup at a time: two would write and delete the same files, values
// and links, and either could report success over a broken result.
#pragma once
#include <windows.h>

// Claims the machine for this setup, across all sessions, until the process
// ends. When the claim cannot be made, returns FALSE; with bHandOver, the
// window of the setup of ours that holds it (its wizard, its question or its
// progress window) is brought to the front, and pbHandedOver tells whether
// one was. None is when that setup runs in another session, or the name is
// held by an object of another kind or one we may not open.
BOOL ClaimSingleSetup(BOOL bHandOver, BOOL* pbHandedOver);
