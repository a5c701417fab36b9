// The one application object; the framework's entry runs it.
#include "SetupApp.h"

CSetupApp theApp;
