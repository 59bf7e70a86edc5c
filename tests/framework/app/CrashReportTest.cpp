#include "framework/app/CrashReport.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <sstream>
#include <string>

#include "platform/CrashHandler.h"
#include "platform/NullWindowBackend.h"
#include "platform/WindowMessages.h"

namespace {

constexpr const char* kSavedPath = "/home/player/.local/share/Fennlow/Quillomar/Error.txt";

TEST(CrashReportTest, ApologyAdvisesDriversAndNamesNoWebSite) {
  const std::string text = FatalErrorText("REPORT BODY", kSavedPath);
  EXPECT_NE(text.find("graphics drivers"), std::string::npos);
  EXPECT_NE(text.find("Error.txt"), std::string::npos);
  EXPECT_NE(text.find("\nREPORT BODY\n"), std::string::npos);
  std::string lower = text;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  for (const char* web : {"http", "www.", ".com", ".net", ".org", "microsoft", "directx"})
    EXPECT_EQ(lower.find(web), std::string::npos) << web;
  EXPECT_EQ(FatalErrorText(nullptr, kSavedPath).find("(null)"), std::string::npos);
}

// Desktop boxes neither wrap nor scroll: an 800x600 screen shows 32 lines of a box beside
// its button, each of about 100 characters. Of a report no file took, the box shows more than
// the head, its lines whole.
TEST(CrashReportTest, BoxShowsAsMuchOfAFullReportAsFitsTheScreen) {
  NullWindowBackend backend;
  std::string report;
  for (int line = 0; report.size() + 200 < CrashHandler::kReportCapacity; ++line)
    report += "Line " + std::to_string(line) + " " + std::string(line % 3 == 0 ? 150 : 20, 'x') + "\r\n";
  ShowFatalError(backend, report.c_str(), kSavedPath);
  ShowFatalError(backend, report.c_str(), nullptr);
  ASSERT_EQ(backend.Boxes().size(), 2u);
  const NullWindowBackend::RecordedBox& box = backend.Boxes()[0];
  EXPECT_NE(box.text.find("Line 0 xxx"), std::string::npos);
  EXPECT_EQ(box.text.find("Line 60 "), std::string::npos);
  std::string unsaved = backend.Boxes()[1].text;
  EXPECT_EQ(FatalErrorText(report.c_str(), ""), unsaved);
  EXPECT_EQ(unsaved.find("Error.txt"), std::string::npos);
  EXPECT_NE(unsaved.find("standard error stream"), std::string::npos);
  size_t reportLines[2] = {};
  for (size_t i = 0; i < 2; ++i) {
    std::istringstream lines(backend.Boxes()[i].text);
    size_t count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
      EXPECT_LE(line.size(), 100u) << line;
      reportLines[i] += line.rfind("Line ", 0) == 0;
    }
    EXPECT_LE(count, 32u);
  }
  EXPECT_GT(reportLines[1], reportLines[0]);
  unsaved.erase(std::remove(unsaved.begin(), unsaved.end(), '\n'), unsaved.end());
  EXPECT_NE(unsaved.find("Line 0 " + std::string(150, 'x') + "Line 1 "), std::string::npos);
}

// The box's process, started by a crashed one that is its parent, shows the report it was
// handed; one whose report no file took names no file. A command line not from a crash shows none.
enum class Box { Saved, Unsaved, Orphan };

// Runs as a box's process handed a short report, and ends with its exit code.
[[noreturn]] void RunBoxProcess(Box box) {
  setenv("QUILLOMAR_TEST", "1", 1);
  int report[2];
  if (pipe(report) != 0 || write(report[1], "REPORT BODY\r\n", 13) != 13) _exit(90);
  close(report[1]);
  dup2(report[0], STDIN_FILENO);
  // The crashed process is the box's parent; here the test's runner, or this process.
  std::string crashed = std::to_string(box == Box::Orphan ? getpid() : getppid());
  char program[] = "quillomar";
  char word[] = "--crash-box";
  char window[] = "0";
  std::string path = box == Box::Saved ? kSavedPath : "";
  char* argv[] = {program, word, crashed.data(), window, path.data(), nullptr};
  _exit(ShowCrashBox(5, argv));
}

TEST(CrashReportTest, TheBoxProcessShowsTheReportItWasHanded) {
  EXPECT_EXIT(RunBoxProcess(Box::Saved), ::testing::ExitedWithCode(0), "Error.txt below(.|\n)*REPORT BODY");
  EXPECT_EXIT(RunBoxProcess(Box::Unsaved), ::testing::ExitedWithCode(0), "could not be saved(.|\n)*REPORT BODY");
  EXPECT_EXIT(RunBoxProcess(Box::Orphan), ::testing::ExitedWithCode(1), "");
  char program[] = "quillomar";
  char word[] = "--crash-box";
  char* argv[] = {program, word, nullptr};
  EXPECT_NE(ShowCrashBox(2, argv), 0);
}

}  // namespace
