#include "framework/app/WinApp.h"

#include <unistd.h>

#include <cstdio>
#include <string>

#include "framework/app/AppGlobals.h"
#include "framework/app/Paths.h"
#include "framework/core/ResourceModules.h"
#include "platform/XdgFolders.h"

namespace {
WinApp* g_app = nullptr;
// The maker key word: first folder below the configuration and data bases.
constexpr const char* kCompanyKey = "Fennlow";
}  // namespace

WinApp::WinApp(int titleId, int classId) : titleId_(titleId), classId_(classId) { g_app = this; }

WinApp::~WinApp() {
  if (g_app == this) g_app = nullptr;
}

WinApp* WinApp::Current() { return g_app; }

int WinApp::Run() {
  Exit();
  return 0;
}

bool WinApp::Init() { return true; }

void WinApp::Exit() {}

String WinApp::GetCompanyKey() const { return String(kCompanyKey); }

void WinApp::SetStartup(const ResourceModule* instance, const CommandLine& commandLine, int showCommand) {
  instance_ = instance;
  commandLine_ = commandLine;
  showCommand_ = showCommand;
}

String WinApp::ModuleFileName() const {
  char path[4096];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return String();
  path[n] = '\0';
  return String(path);
}

void WinApp::InitPaths() {
  AppGlobals& g = Globals();
  String text;
  if (titleId_ != 0 && text.LoadExeString(titleId_)) g.title = text;
  if (classId_ != 0 && text.LoadExeString(classId_)) className_ = text;

  g.programPath = ModuleFileName();
  const String withoutExtension = StripExtension(g.programPath);
  if (g.baseName.IsEmpty()) g.baseName = FileNameFromPath(withoutExtension);
  if (g.title.IsEmpty()) g.title = g.baseName;
  if (g.programFolder.IsEmpty()) g.programFolder = FolderOfPath(g.programPath);

  g.companyKey = GetCompanyKey();
  g.userDataFolder = Paths::ApplicationDataFolder(XdgDataHome().c_str(), g.companyKey, g.title, g.programFolder);
  g.sharedDataFolder = Paths::ApplicationDataFolder(XdgCacheHome().c_str(), g.companyKey, g.title, g.programFolder);
  g.crashReportPath = g.sharedDataFolder + "Error.txt";
}

void WinApp::ReadFileVersion() {
  Globals().version.Empty();
  const ResourceModule* module = instance_ ? instance_ : ExeModule();
  if (!module) return;
  const ResourceModule::Bytes bytes = module->Find(kVersionType, 1);
  if (bytes.empty() || bytes.size() > 64) return;
  const std::string text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  unsigned parts[4];
  int consumed = 0;
  if (std::sscanf(text.c_str(), "%5u.%5u.%5u.%5u%n", &parts[0], &parts[1], &parts[2], &parts[3], &consumed) != 4 ||
      text.find_first_not_of(" \r\n", static_cast<size_t>(consumed)) != std::string::npos)
    return;
  for (unsigned part : parts) {
    if (part > 0xFFFF) return;  // each is one 16-bit word of the file version
  }
  Globals().version.Format("v.%u.%u.%u.%u", parts[0], parts[1], parts[2], parts[3]);
}
