// One setup at a time: two would write and delete the same files, values
// and links, and either could report success over a broken result.
#pragma once
#include <windows.h>

// Claims the machine for this setup, until the process ends. When another
// setup of ours holds it, brings that one's window to the front (its wizard,
// its question or its progress window) and returns FALSE.
BOOL ClaimSingleSetup();
