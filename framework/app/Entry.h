#pragma once
// The program's entry, called by the executable's main(): it hands the executable's own
// resources, the command line and the show command to the application object, fills the
// paths, then runs the application's Init and Run. Answers the process exit code.
#include "framework/core/ResourceModule.h"

int WinAppEntry(const ResourceModule* instance, int argc, char** argv, int showCommand);
