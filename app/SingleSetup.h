// One setup at a time: two would write and delete the same files, values
// and links, and either could report success over a broken result.
#pragma once
#include <windows.h>

// Claims the machine for this setup, across all sessions, until the process
// ends. When the claim cannot be made, returns FALSE; pbHandedOver tells
// whether a setup of ours holds it and its window (its wizard, its question
// or its progress window) was brought to the front. It cannot be when that
// setup runs in another session, or the name is held by an object of
// another kind or one we may not open.
BOOL ClaimSingleSetup(BOOL* pbHandedOver);
