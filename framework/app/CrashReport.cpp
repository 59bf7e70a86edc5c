#include "framework/app/CrashReport.h"

#include <algorithm>
#include <string_view>

#include "platform/CrashBoxRequest.h"
#include "platform/CrashHandler.h"
#include "platform/SdlWindowBackend.h"
#include "platform/WindowMessages.h"
#include "platform/X11WithdrawWindow.h"

namespace {

constexpr const char* kApology =
    "We are sorry: an unexpected error has occurred and the game must close.\n"
    "Please run the game again. Should the problem persist,\n"
    "updating your graphics drivers may help.";
constexpr const char* kSupport =
    "If problems continue, please send the file Error.txt below to our support\n"
    "together with a short description of what you were doing.";
constexpr const char* kSupportWithoutFile =
    "If problems continue, please send the report below to our support\n"
    "together with a short description of what you were doing.";
constexpr const char* kNotSaved =
    "The report could not be saved in a file: it went to the standard error\n"
    "stream, and as much of it as fits is shown here.";
constexpr const char* kRestInFile = "(The whole report is in the file named above.)";
constexpr const char* kRestOnStream = "(The rest of the report went to the standard error stream only.)";
// Desktop boxes do not wrap, so no line may be wider than a small screen.
constexpr size_t kLineLimit = 76;
// The report's opening lines: its date, the fault and where it happened.
constexpr int kReportHeadLines = 8;
// Nor do they scroll: the lines an 800x600 screen shows of a box, with its button and caption.
constexpr size_t kBoxLines = 32;

// Appends `line` cut into pieces of at most kLineLimit characters.
void AppendWrapped(std::string& text, std::string_view line) {
  do {
    text.append(line.substr(0, kLineLimit));
    text += '\n';
    line.remove_prefix(std::min(line.size(), kLineLimit));
  } while (!line.empty());
}

// The next line of `rest` without its line end, which is taken off `rest` as well.
std::string_view TakeLine(std::string_view& rest) {
  const size_t end = rest.find_first_of("\r\n");
  const std::string_view line = rest.substr(0, end);
  rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
  if (rest.substr(0, 2) == "\r\n") rest.remove_prefix(2);
  else if (!rest.empty()) rest.remove_prefix(1);
  return line;
}

size_t LineCount(const std::string& text) { return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }

}  // namespace

std::string FatalErrorText(const char* report, const char* savedPath) {
  const bool saved = savedPath != nullptr && savedPath[0] != '\0';
  std::string text = kApology;
  text += "\n\n";
  text += saved ? kSupport : kSupportWithoutFile;
  text += '\n';
  if (saved) {
    AppendWrapped(text, savedPath);
  } else {
    text += kNotSaved;
    text += '\n';
  }
  std::string_view rest = report == nullptr ? std::string_view() : std::string_view(report);
  if (rest.empty()) return text;
  text += '\n';
  if (saved) {
    for (int line = 0; line < kReportHeadLines && !rest.empty(); ++line) {
      text.append(TakeLine(rest).substr(0, kLineLimit));
      text += '\n';
    }
    if (!rest.empty()) text += kRestInFile;
    return text;
  }
  // Only the stream has the rest: every line is shown whole while the box has room, one line
  // kept for the note that follows.
  while (!rest.empty()) {
    std::string_view next = rest;
    const std::string_view line = TakeLine(next);
    const size_t pieces = std::max<size_t>(1, (line.size() + kLineLimit - 1) / kLineLimit);
    if (LineCount(text) + pieces + 1 > kBoxLines) break;
    AppendWrapped(text, line);
    rest = next;
  }
  if (!rest.empty()) text += kRestOnStream;
  return text;
}

void ShowFatalError(WindowBackend& backend, const char* report, const char* savedPath) {
  backend.MessageBox(FatalErrorText(report, savedPath), "Fatal Error!", MB_OK | MB_ICONHAND);
}

void InstallCrashReport(bool boxFromThisProgram) {
  CrashHandler::Install();
  if (boxFromThisProgram) CrashHandler::SetBoxCommandToThisProgram();
}

int ShowCrashBox(int argc, char** argv) {
  CrashBoxRequest request;
  if (!ReadCrashBoxRequest(argc, argv, request)) return 1;
  // A game window in full screen would hide the box.
  X11WithdrawWindow(request.window);
  SdlWindowBackend backend;
  ShowFatalError(backend, request.report.c_str(), request.savedPath.c_str());
  return 0;
}
