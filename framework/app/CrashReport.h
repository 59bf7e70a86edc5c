#pragma once
// The application's side of the crash report: installs the handler, and once a report is written
// puts the desktop's display mode back, hides the game's window and shows a "Fatal Error!" box
// with the head of the report and the path of the file that holds all of it, or, when no file
// could take it, as much of the report as the box holds.
#include <string>

#include "platform/WindowBackend.h"

// Installs the handler (once). The box goes through the message-box backend.
void InstallCrashReport();

// The box's text: the apology, the report file's path and the report's first lines; with no
// path (the report was not saved), word of where it went and as many of its lines as fit.
// Every line is short and there are few, so the box fits on the smallest screen the game runs on.
std::string FatalErrorText(const char* report, const char* savedPath);

// What the handler does once the report is written: the window leaves full screen and is
// hidden, then the box is shown.
void ShowFatalError(WindowBackend& backend, const char* report, const char* savedPath);
