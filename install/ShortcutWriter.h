// Writes one shell link through the shell's link object.
#pragma once
#include "../framework/String.h"

// Saves linkPath (its folder made when missing) starting target with
// arguments, described by description; no working folder, no icon, shown
// normally. False when the link was not saved.
BOOL CreateShortcut(CString linkPath, CString target, CString description, CString arguments);
