#pragma once
// The framework's global strings, filled once by WinApp::InitPaths before the window exists and
// unchanged afterwards. Folders end in "/".
#include "framework/core/String.h"

struct AppGlobals {
  String title;             // caption of every window and message box; last folder component
  String programPath;       // the executable's full path
  String baseName;          // its file name without folder and extension
  String programFolder;     // its folder
  String companyKey;        // the maker key word; empty disables the settings store
  String userDataFolder;    // per-user data: profiles, saved games
  String sharedDataFolder;  // data of all the user's installations: crash report, page cache
  String crashReportPath;   // sharedDataFolder + "Error.txt"
  String version;           // "v.1.2.3.4"; empty without a version resource
};

AppGlobals& Globals();
