#pragma once
// The crash report: fatal signals (bad memory access, bus error, arithmetic fault, illegal
// instruction, abort, trap, bad system call) are caught on an alternate stack; a plain-text
// report is appended to "Error.txt" in a private folder, using async-signal-safe calls only;
// then the process's other threads are stopped and a box process of its own (see SetBoxCommand)
// shows the report; once it ends the process ends by the same signal. The crashed process runs
// no code of the allocator or the window system after the fault, which may have left their
// locks held.
#include <cstddef>
#include <cstdint>

class CrashHandler {
public:
  static constexpr size_t kReportCapacity = 10000;
  static constexpr size_t kPathCapacity = 4096;
  // A report file larger than this is renamed to "Error.old.txt" before the next report.
  static constexpr long kRotateBytes = 1024 * 1024;
  // The word after the box command's own that tells its program to be the box.
  static constexpr const char* kBoxWord = "--crash-box";
  static constexpr size_t kBoxCommandWords = 3;

  // Installs the handlers (once; later calls do nothing) and gives the calling thread its
  // alternate stack. The program's end uninstalls them.
  static void Install();
  // Puts the previous handlers back.
  static void Uninstall();
  // Gives the calling thread an alternate stack of its own, so that a stack overflow there is
  // reported too (once per thread; later calls cost a thread-local look). Freed at the thread's
  // end, unless a handler is still on it.
  static void PrepareThread();

  // The folder of "Error.txt": a directory owned by this user that no one else may write,
  // opened without following a link. False (and the previous folder kept) when the path is
  // too long or the folder is not private.
  static bool SetReportFolder(const char* folder);
  // The full path of the report file, empty before a folder was set.
  static const char* ReportPath();

  // Facts gathered beforehand, since the handler may not ask for them.
  static void SetProgram(const char* path, const char* version);
  static void SetScreenMode(int32_t width, int32_t height, int32_t bitsPerPixel);
  // The game window's X id (0: none), which the box takes out of its way.
  static void SetWindow(unsigned long xWindow);

  // The box's command: up to kBoxCommandWords words, the program's path first, to which the
  // handler adds kBoxWord, this process's id, the window's X id in hexadecimal and the saved
  // report's path (an empty word when no file took it); the report comes on the box's standard
  // input. The environment is the one of this call. Without a command (at the start), or when
  // the box cannot start or ends at once, the process ends by its fault once the report is
  // written. False, and no command, when the words do not fit.
  static bool SetBoxCommand(const char* const* words, size_t count);
  // This executable, as its path reads now, alone as the box's command.
  static bool SetBoxCommandToThisProgram();
  // How long writing the report and starting the box may take before the process ends by its
  // fault anyway (default 10 s); the box, once started, is waited for without a limit.
  static void SetReportLimit(unsigned seconds);

  // True from the moment a crash is being reported.
  static bool InCrash();
  // True once a report was written whole into the report file; the report always goes to the
  // standard error stream as well.
  static bool ReportSaved();
};
