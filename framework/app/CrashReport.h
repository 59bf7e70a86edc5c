#pragma once
// The application's side of the crash report: installs the handler; once a report is written a
// process of its own takes the game's window out of the way and shows a "Fatal Error!" box with
// the head of the report and the path of the file that holds all of it, or, when no file could
// take it, as much of the report as the box holds.
#include <string>

#include "platform/WindowBackend.h"

// Installs the handler (once). With `boxFromThisProgram` the box's process runs this executable,
// whose main() must then hand a command line that IsCrashBoxCall accepts to ShowCrashBox first.
void InstallCrashReport(bool boxFromThisProgram = false);

// The box's process: withdraws the crashed game's window and shows the box through SDL; answers
// the exit code (not 0 when the command line is not a box's or the crashed process is gone).
int ShowCrashBox(int argc, char** argv);

// The box's text: the apology, the report file's path and the report's first lines; with no
// path (the report was not saved), word of where it went and as many of its lines as fit.
// Every line is short and there are few, so the box fits on the smallest screen the game runs on.
std::string FatalErrorText(const char* report, const char* savedPath);

// Shows the box of a crash.
void ShowFatalError(WindowBackend& backend, const char* report, const char* savedPath);
