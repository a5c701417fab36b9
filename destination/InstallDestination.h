// Where an install goes: the install the registry names, the folder
// proposed when nothing is named, and the verdict on a folder typed or
// given on the command line.
#pragma once
#include "../framework/String.h"

// The folder of the installed program that the registry names, in its long
// form; empty when it names none, or one that the folder rules refuse.
CString GetRegisteredInstallFolder();
// The install an install must go into or leave alone: the other build's
// when the registry's other view names one (the 64-bit build's, seen by the
// 32-bit build on 64-bit Windows, and the reverse), for there is one Varnolt
// per machine; else this build's own, as GetRegisteredInstallFolder names it.
struct RegisteredInstall
{
    CString strFolder;  // empty when none is registered
    BOOL bOtherBuild;
};
RegisteredInstall FindRegisteredInstall();
// Where an install goes unless told otherwise: the registered install's
// folder, else VarnX below the Program Files folder of the program's own
// view; empty when the system cannot tell.
CString GetDefaultInstallFolder(const CString& registeredFolder);

enum DestinationVerdict
{
    DESTINATION_TAKEN,
    DESTINATION_UNUSABLE,         // refused by the folder rules
    DESTINATION_NOT_REGISTERED,   // another folder than the registered install's
    DESTINATION_OPEN_TO_OTHERS,   // a folder that users other than administrators can change
    DESTINATION_OTHER_BUILD,      // the other build is installed: nothing may be
};
// Whether an install may go into destination (as typed: "/" read as a
// backslash, a trailing backslash dropped): none while the other build is
// installed, else a usable folder, and the registered install's own when
// there is one (a second copy would orphan the first); a folder that exists
// must be closed to others, unless it is the registered install's, which
// the install closes again, and so must be the folders above it, which are
// not ours to close. destinationLong receives its long form, which is what
// the install uses.
DestinationVerdict CheckDestination(const CString& destination, const RegisteredInstall& registered,
                                    CString& destinationLong);
