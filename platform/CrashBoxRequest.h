#pragma once
// The box process's side of a crash (see CrashHandler::SetBoxCommand): what the crashed process
// handed it on its command line and standard input.
#include <string>

struct CrashBoxRequest {
  unsigned long window = 0;  // the game window's X id, 0 for none
  std::string savedPath;     // empty when no file took the report
  std::string report;
};

// Whether the command line (the program's path first) starts a box for a crashed process.
bool IsCrashBoxCall(int argc, char** argv);

// Binds this process to die with the crashed one, then reads what it was handed. False when the
// command line is not a box's or the crashed process is gone already.
bool ReadCrashBoxRequest(int argc, char** argv, CrashBoxRequest& request);
