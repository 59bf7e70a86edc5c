#pragma once
// Where the player files live and the installation path their profiles are bound to. The
// application sets both at start-up, before any player file is read; tests point them at a
// scratch folder.
#include "framework/core/String.h"

class PlayerFolders {
public:
    // `userData` ends in "/"; `programFolder` is folded into every profile's CRC as given.
    static void Set(const String& userData, const String& programFolder);
    static const String& UserData();
    static const String& ProgramFolder();
};
