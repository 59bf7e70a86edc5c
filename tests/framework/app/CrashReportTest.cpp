#include "framework/app/CrashReport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>
#include <string>

#include "platform/CrashHandler.h"
#include "platform/NullWindowBackend.h"

namespace {

TEST(CrashReportTest, ApologyAdvisesDriversAndNamesNoWebSite) {
  const std::string text = FatalErrorText("REPORT BODY");
  EXPECT_NE(text.find("graphics drivers"), std::string::npos);
  EXPECT_NE(text.find("Error.txt"), std::string::npos);
  EXPECT_NE(text.find("\nREPORT BODY\n"), std::string::npos);
  std::string lower = text;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  for (const char* web : {"http", "www.", ".com", ".net", ".org", "microsoft", "directx"})
    EXPECT_EQ(lower.find(web), std::string::npos) << web;
  EXPECT_EQ(FatalErrorText(nullptr).find("(null)"), std::string::npos);
}

TEST(CrashReportTest, BoxOverAHiddenWindowShowsTheHeadOfAFullReportWithinTheScreen) {
  NullWindowBackend backend;
  ASSERT_TRUE(backend.CreateMainWindow("Quillomar", 800, 600, true));
  backend.ShowWindow();
  std::string report;
  for (int line = 0; report.size() + 200 < CrashHandler::kReportCapacity; ++line)
    report += "Line " + std::to_string(line) + " " + std::string(150, 'x') + "\r\n";
  ShowFatalError(backend, report.c_str());
  ASSERT_EQ(backend.Boxes().size(), 1u);
  const NullWindowBackend::RecordedBox& box = backend.Boxes()[0];
  EXPECT_FALSE(box.overShownWindow);
  EXPECT_FALSE(backend.IsFullScreen());
  EXPECT_NE(box.text.find("Line 0 xxx"), std::string::npos);
  EXPECT_EQ(box.text.find("Line 60 "), std::string::npos);
  // Desktop boxes neither wrap nor scroll: a 1024x768 screen holds about 40 lines of 100 characters.
  std::istringstream lines(box.text);
  size_t count = 0;
  for (std::string line; std::getline(lines, line); ++count) EXPECT_LE(line.size(), 100u) << line;
  EXPECT_LE(count, 40u);
}

}  // namespace
