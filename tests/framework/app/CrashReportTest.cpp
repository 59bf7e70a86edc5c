#include "framework/app/CrashReport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdio>
#include <sstream>
#include <string>
#include <thread>

#include "framework/app/MessageBoxes.h"
#include "platform/CrashHandler.h"
#include "platform/NullWindowBackend.h"
#include "platform/WindowMessages.h"
#include "tests/platform/ScratchFolder.h"

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
TEST(CrashReportTest, BoxOverAHiddenWindowShowsAsMuchOfAFullReportAsFitsTheScreen) {
  NullWindowBackend backend;
  ASSERT_TRUE(backend.CreateMainWindow("Quillomar", 800, 600, true));
  backend.ShowWindow();
  std::string report;
  for (int line = 0; report.size() + 200 < CrashHandler::kReportCapacity; ++line)
    report += "Line " + std::to_string(line) + " " + std::string(line % 3 == 0 ? 150 : 20, 'x') + "\r\n";
  ShowFatalError(backend, report.c_str(), kSavedPath);
  ShowFatalError(backend, report.c_str(), nullptr);
  ASSERT_EQ(backend.Boxes().size(), 2u);
  const NullWindowBackend::RecordedBox& box = backend.Boxes()[0];
  EXPECT_FALSE(box.overShownWindow);
  EXPECT_FALSE(backend.IsFullScreen());
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

// The box after a report that its file could not take names no file, though the handler has a path;
// a crash on another thread than the window's shows it too.
TEST(CrashReportTest, BoxOfACrashWhoseReportNoFileTookNamesNoFile) {
  ScratchFolder folder;
  ASSERT_EQ(mkdir((folder / "Error.txt").c_str(), 0700), 0);
  struct BoxesOnTheStream : NullWindowBackend {
    int32_t MessageBox(std::string_view text, std::string_view, uint32_t) override {
      std::fprintf(stderr, "%.*s", static_cast<int>(text.size()), text.data());
      return IDOK;
    }
  };
  for (const bool otherThread : {false, true}) {
    EXPECT_EXIT(
        {
          static BoxesOnTheStream boxes;
          SetMessageBoxBackend(&boxes);
          InstallCrashReport();
          if (!CrashHandler::SetReportFolder(folder.Path().c_str())) _exit(90);
          if (otherThread) std::thread([] { raise(SIGSEGV); }).join();
          raise(SIGSEGV);
        },
        ::testing::KilledBySignal(SIGSEGV), "could not be saved") << otherThread;
  }
}

}  // namespace
