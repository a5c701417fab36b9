// Whether the user may run setup: on the NT family, membership of the local
// Administrators group; the older family has no such notion.
#pragma once
#include <windows.h>

BOOL IsAdministrator();
