#include "framework/app/Entry.h"

#include "framework/app/WinApp.h"
#include "framework/core/ResourceModules.h"

int WinAppEntry(const ResourceModule* instance, int argc, char** argv, int showCommand) {
  SetExeModule(instance);
  WinApp* app = WinApp::Current();
  if (!app) return 0;
  app->SetStartup(instance, CommandLine(argc, argv), showCommand);
  app->InitPaths();
  if (!app->Init()) return 0;
  return app->Run();
}
