#include "framework/app/CrashReport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

namespace {

TEST(CrashReportTest, ApologyAdvisesDriversAndNamesNoWebSite) {
  const std::string text = FatalErrorText("REPORT BODY");
  EXPECT_NE(text.find("graphics drivers"), std::string::npos);
  EXPECT_NE(text.find("Error.txt"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 11), "REPORT BODY");
  std::string lower = text;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  for (const char* web : {"http", "www.", ".com", ".net", ".org", "microsoft", "directx"})
    EXPECT_EQ(lower.find(web), std::string::npos) << web;
  EXPECT_EQ(FatalErrorText(nullptr).find("(null)"), std::string::npos);
}

}  // namespace
