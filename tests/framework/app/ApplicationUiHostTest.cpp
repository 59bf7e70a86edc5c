// The application as the interface's host: registered when an application is made, answering
// from the globals and settings, and reaching the game's main-screen hook.
#include "framework/app/ApplicationUiHost.h"

#include <gtest/gtest.h>

#include "ShellTestApp.h"
#include "framework/app/AppGlobals.h"
#include "framework/app/Settings.h"

namespace {

class MainScreenApp : public ShellTestApp {
public:
  int mainScreens = 0;
  void ShowMainScreen() override { ++mainScreens; }
};

}  // namespace

TEST(ApplicationUiHost, MadeApplicationIsTheHostAndForwardsToItsState) {
  const AppGlobals savedGlobals = Globals();
  const Settings savedSettings = AppSettings();
  SetUiHost(nullptr);
  {
    MainScreenApp app;
    UiHost* host = GetUiHost();
    ASSERT_EQ(host, &ApplicationUiHost::Instance());
    Globals().programFolder = "/opt/quillomar/";
    Globals().version = "v.1.0.0.7";
    EXPECT_STREQ(host->ProgramFolder().CStr(), "/opt/quillomar/");
    EXPECT_STREQ(host->Version().CStr(), "v.1.0.0.7");
    AppSettings().activateLinks = true;
    EXPECT_TRUE(host->LinksActive());
    host->SetLinksActive(false);
    EXPECT_FALSE(AppSettings().activateLinks);
    EXPECT_FALSE(host->LinksActive());
    host->ShowMainScreen();
    EXPECT_EQ(app.mainScreens, 1);
  }
  Globals() = savedGlobals;
  AppSettings() = savedSettings;
}
