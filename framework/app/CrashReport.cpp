#include "framework/app/CrashReport.h"

#include <algorithm>
#include <string_view>

#include "framework/app/MessageBoxes.h"
#include "platform/CrashHandler.h"
#include "platform/WindowMessages.h"

namespace {

constexpr const char* kApology =
    "We are sorry: an unexpected error has occurred and the game must close.\n"
    "Please run the game again. Should the problem persist,\n"
    "updating your graphics drivers may help.";
constexpr const char* kSupport =
    "If problems continue, please send the file Error.txt below to our support\n"
    "together with a short description of what you were doing.";
constexpr const char* kRestInFile = "(The whole report is in the file named above.)";
// Desktop boxes do not wrap, so no line may be wider than a small screen.
constexpr size_t kLineLimit = 76;
// The report's opening lines: its date, the fault and where it happened.
constexpr int kReportHeadLines = 8;

// Appends `line` cut into pieces of at most kLineLimit characters.
void AppendWrapped(std::string& text, std::string_view line) {
  do {
    text.append(line.substr(0, kLineLimit));
    text += '\n';
    line.remove_prefix(std::min(line.size(), kLineLimit));
  } while (!line.empty());
}

// Runs after the report is safely written, so it may use the window system.
void ShowFatalErrorThroughBoxes(const char* report) {
  if (WindowBackend* backend = MessageBoxBackend()) ShowFatalError(*backend, report);
}

}  // namespace

std::string FatalErrorText(const char* report) {
  std::string text = kApology;
  text += "\n\n";
  text += kSupport;
  text += '\n';
  AppendWrapped(text, CrashHandler::ReportPath());
  std::string_view rest = report == nullptr ? std::string_view() : std::string_view(report);
  if (rest.empty()) return text;
  text += '\n';
  for (int line = 0; line < kReportHeadLines && !rest.empty(); ++line) {
    const size_t end = rest.find_first_of("\r\n");
    std::string_view head = rest.substr(0, end);
    text.append(head.substr(0, kLineLimit));
    text += '\n';
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
    if (rest.substr(0, 2) == "\r\n") rest.remove_prefix(2);
    else if (!rest.empty()) rest.remove_prefix(1);
  }
  if (!rest.empty()) text += kRestInFile;
  return text;
}

void ShowFatalError(WindowBackend& backend, const char* report) {
  if (backend.HasWindow()) {
    backend.SetFullScreen(false, 0, 0);
    backend.HideWindow();
  }
  backend.MessageBox(FatalErrorText(report), "Fatal Error!", MB_OK | MB_ICONHAND);
}

void InstallCrashReport() {
  CrashHandler::Install();
  CrashHandler::SetAfterReport(ShowFatalErrorThroughBoxes);
}
