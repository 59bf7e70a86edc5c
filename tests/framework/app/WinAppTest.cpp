#include "framework/app/WinApp.h"

#include <sys/stat.h>

#include <vector>

#include "AppTestHome.h"
#include "framework/app/Entry.h"
#include "framework/core/MemoryResources.h"
#include "framework/core/ResourceModules.h"

namespace {

class TestApp : public WinApp {
 public:
  TestApp() : WinApp(64, 65) {}
  bool Init() override {
    calls.push_back("Init");
    return initResult;
  }
  int Run() override {
    calls.push_back("Run");
    return 7;
  }

  std::vector<std::string> calls;
  bool initResult = true;

 protected:
  String ModuleFileName() const override { return "/opt/my.games/quillomar.bin"; }
};

class WinAppTest : public AppTestHome {
 protected:
  void SetUp() override {
    AppTestHome::SetUp();
    Globals() = AppGlobals();
    exe_.AddString(64, "Quillomar");
    exe_.AddString(65, "QuillomarWnd");
  }
  void TearDown() override {
    SetExeModule(nullptr);
    AppTestHome::TearDown();
  }
  MemoryResources exe_;
};

TEST_F(WinAppTest, EntryFillsPathsThenRunsInitAndRun) {
  TestApp app;
  char arg0[] = "quillomar";
  char arg1[] = "-Restart";
  char* argv[] = {arg0, arg1};
  EXPECT_EQ(WinAppEntry(&exe_, 2, argv, 5), 7);
  EXPECT_EQ(app.calls, (std::vector<std::string>{"Init", "Run"}));
  EXPECT_EQ(ExeModule(), &exe_);
  EXPECT_TRUE(app.HasOption("-restart"));
  EXPECT_EQ(app.ShowCommand(), 5);
  const AppGlobals& g = Globals();
  EXPECT_STREQ(g.title.CStr(), "Quillomar");
  EXPECT_STREQ(app.ClassName().CStr(), "QuillomarWnd");
  EXPECT_STREQ(g.programPath.CStr(), "/opt/my.games/quillomar.bin");
  EXPECT_STREQ(g.baseName.CStr(), "quillomar");
  EXPECT_STREQ(g.programFolder.CStr(), "/opt/my.games/");
  EXPECT_STREQ(g.companyKey.CStr(), "Fennlow");
  EXPECT_STREQ(g.userDataFolder.CStr(), (home_.string() + "/data/Fennlow/Quillomar/").c_str());
  EXPECT_STREQ(g.sharedDataFolder.CStr(), (home_.string() + "/cache/Fennlow/Quillomar/").c_str());
  EXPECT_STREQ(g.crashReportPath.CStr(), (home_.string() + "/cache/Fennlow/Quillomar/Error.txt").c_str());
  struct stat info;
  ASSERT_EQ(stat(g.userDataFolder.CStr(), &info), 0);
  EXPECT_EQ(info.st_mode & 0077, 0u);
}

TEST_F(WinAppTest, FailedInitEndsWithZero) {
  TestApp app;
  app.initResult = false;
  EXPECT_EQ(WinAppEntry(&exe_, 0, nullptr, 1), 0);
  EXPECT_EQ(app.calls, std::vector<std::string>{"Init"});
}

TEST_F(WinAppTest, TitleFallsBackToTheBaseName) {
  TestApp app;
  MemoryResources empty;
  app.SetStartup(&empty, CommandLine(), 0);
  SetExeModule(&empty);
  app.InitPaths();
  EXPECT_STREQ(Globals().title.CStr(), "quillomar");
}

TEST_F(WinAppTest, VersionString) {
  TestApp app;
  app.SetStartup(&exe_, CommandLine(), 0);
  app.ReadFileVersion();
  EXPECT_TRUE(Globals().version.IsEmpty());
  exe_.Add(kVersionType, 1, "1.2.30.4\n");
  app.ReadFileVersion();
  EXPECT_STREQ(Globals().version.CStr(), "v.1.2.30.4");
  exe_.Add(kVersionType, 1, "1.2.70000.4");
  app.ReadFileVersion();
  EXPECT_TRUE(Globals().version.IsEmpty());
  exe_.Add(kVersionType, 1, "1.2.3");
  app.ReadFileVersion();
  EXPECT_TRUE(Globals().version.IsEmpty());
}

TEST_F(WinAppTest, OnlyOneCurrentApplication) {
  EXPECT_EQ(WinApp::Current(), nullptr);
  {
    WinApp app(0, 0);
    EXPECT_EQ(WinApp::Current(), &app);
    EXPECT_EQ(app.Run(), 0);
  }
  EXPECT_EQ(WinApp::Current(), nullptr);
}

}  // namespace
