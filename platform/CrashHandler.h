#pragma once
// The crash report: fatal signals (bad memory access, bus error, arithmetic fault, illegal
// instruction, abort, trap, bad system call) are caught on an alternate stack; a plain-text
// report is appended to "Error.txt" in a private folder, using async-signal-safe calls only;
// then an optional hook may restore the display and show the report, on the main thread whichever
// thread faulted, while the process's other threads are stopped; then the process ends by the
// same signal.
#include <cstddef>
#include <cstdint>

class CrashHandler {
public:
  // After the report is written, on the main thread: the report text (at most
  // kReportCapacity - 1 characters).
  using AfterReport = void (*)(const char* report);

  static constexpr size_t kReportCapacity = 10000;
  static constexpr size_t kPathCapacity = 4096;
  // A report file larger than this is renamed to "Error.old.txt" before the next report.
  static constexpr long kRotateBytes = 1024 * 1024;

  // Installs the handlers (once; later calls do nothing). The program's end uninstalls them.
  static void Install();
  // Puts the previous handlers back.
  static void Uninstall();

  // The folder of "Error.txt": a directory owned by this user that no one else may write,
  // opened without following a link. False (and the previous folder kept) when the path is
  // too long or the folder is not private.
  static bool SetReportFolder(const char* folder);
  // The full path of the report file, empty before a folder was set.
  static const char* ReportPath();

  // Facts gathered beforehand, since the handler may not ask for them.
  static void SetProgram(const char* path, const char* version);
  static void SetScreenMode(int32_t width, int32_t height, int32_t bitsPerPixel);
  static void SetAfterReport(AfterReport hook);
  // How long the hook may take before the process ends by its fault anyway (default 60 s).
  static void SetAfterReportLimit(unsigned seconds);

  // True from the moment a crash is being reported.
  static bool InCrash();
  // True once a report was written whole into the report file; the report always goes to the
  // standard error stream as well.
  static bool ReportSaved();
};
