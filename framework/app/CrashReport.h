#pragma once
// The application's side of the crash report: installs the handler, and once a report is written
// puts the desktop's display mode back and shows the report in a "Fatal Error!" box.
#include <string>

// Installs the handler (once). The box goes through the message-box backend.
void InstallCrashReport();

// The text the box shows above the report.
std::string FatalErrorText(const char* report);
