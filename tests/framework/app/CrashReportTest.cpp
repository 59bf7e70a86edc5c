#include "framework/app/CrashReport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>
#include <string>

#include "platform/CrashHandler.h"
#include "platform/NullWindowBackend.h"

namespace {

constexpr const char* kSavedPath = "/home/player/.local/share/Fennlow/Quillomar/Error.txt";

// A report of `lines` numbered lines, every third one too long for a line of the box.
std::string LongReport(int lines) {
  std::string report;
  for (int line = 0; line < lines; ++line)
    report += "Line " + std::to_string(line) + " " + std::string(line % 3 == 0 ? 150 : 20, 'x') + "\r\n";
  return report;
}

// Desktop boxes neither wrap nor scroll: an 800x600 screen shows about 34 lines of a box beside
// its button, each of about 100 characters.
void ExpectFitsTheSmallestScreen(const std::string& text) {
  std::istringstream lines(text);
  size_t count = 0;
  for (std::string line; std::getline(lines, line); ++count) EXPECT_LE(line.size(), 100u) << line;
  EXPECT_LE(count, 34u);
}

size_t Occurrences(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

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

TEST(CrashReportTest, BoxOverAHiddenWindowShowsTheHeadOfAFullReportWithinTheScreen) {
  NullWindowBackend backend;
  ASSERT_TRUE(backend.CreateMainWindow("Quillomar", 800, 600, true));
  backend.ShowWindow();
  std::string report;
  for (int line = 0; report.size() + 200 < CrashHandler::kReportCapacity; ++line)
    report += "Line " + std::to_string(line) + " " + std::string(150, 'x') + "\r\n";
  ShowFatalError(backend, report.c_str(), kSavedPath);
  ASSERT_EQ(backend.Boxes().size(), 1u);
  const NullWindowBackend::RecordedBox& box = backend.Boxes()[0];
  EXPECT_FALSE(box.overShownWindow);
  EXPECT_FALSE(backend.IsFullScreen());
  EXPECT_NE(box.text.find("Line 0 xxx"), std::string::npos);
  EXPECT_EQ(box.text.find("Line 60 "), std::string::npos);
  ExpectFitsTheSmallestScreen(box.text);
}

TEST(CrashReportTest, AReportNoFileTookSaysWhereItWentAndFillsTheBox) {
  const std::string report = LongReport(100);
  const std::string saved = FatalErrorText(report.c_str(), kSavedPath);
  const std::string unsaved = FatalErrorText(report.c_str(), nullptr);
  EXPECT_EQ(FatalErrorText(report.c_str(), ""), unsaved);
  EXPECT_EQ(unsaved.find("file named above"), std::string::npos);
  EXPECT_NE(unsaved.find("standard error stream"), std::string::npos);
  EXPECT_GT(Occurrences(unsaved, "Line "), Occurrences(saved, "Line "));
  // Long lines are shown whole, the rest of a line on the next.
  const size_t first = unsaved.find("Line 0 ");
  const std::string line0 = unsaved.substr(first, unsaved.find("Line 1 ") - first);
  EXPECT_EQ(Occurrences(line0, "x"), 150u);
  ExpectFitsTheSmallestScreen(unsaved);
  // A report that fits is shown to its end, with no word of a rest.
  const std::string whole = FatalErrorText(LongReport(4).c_str(), nullptr);
  EXPECT_NE(whole.find("Line 3 "), std::string::npos);
  EXPECT_EQ(whole.find("(The rest"), std::string::npos);
}

}  // namespace
