#include "framework/app/CrashReport.h"

#include "framework/app/MessageBoxes.h"
#include "platform/CrashHandler.h"
#include "platform/WindowMessages.h"

namespace {

constexpr const char* kApology =
    "We are sorry: an unexpected error has occurred and the game must close.\n"
    "Please run the game again. Should the problem persist, updating your graphics drivers "
    "may help.";
constexpr const char* kSupport =
    "If problems continue, please send the file Error.txt below to our support together with a "
    "short description of what you were doing.";

// Runs after the report is safely written, so it may use the window system.
void ShowFatalError(const char* report) {
  WindowBackend* backend = MessageBoxBackend();
  if (backend == nullptr) return;
  if (backend->HasWindow()) backend->SetFullScreen(false, 0, 0);
  backend->MessageBox(FatalErrorText(report), "Fatal Error!", MB_OK | MB_ICONHAND);
}

}  // namespace

std::string FatalErrorText(const char* report) {
  std::string text = kApology;
  text += "\n\n";
  text += kSupport;
  text += "\n";
  text += CrashHandler::ReportPath();
  text += "\n\n";
  text += report == nullptr ? "" : report;
  return text;
}

void InstallCrashReport() {
  CrashHandler::Install();
  CrashHandler::SetAfterReport(ShowFatalError);
}
