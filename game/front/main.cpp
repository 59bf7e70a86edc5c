#include "assets/ExeResources.h"
#include "framework/app/CrashReport.h"
#include "framework/app/Entry.h"
#include "game/front/GameApp.h"
#include "platform/CrashBoxRequest.h"

namespace {
// The one application object, reached everywhere through Application::Current().
GameApp g_gameApp;
}  // namespace

int main(int argc, char** argv) {
  // A crashed game shows its box through this program, started afresh: no game, no handler.
  if (IsCrashBoxCall(argc, argv)) return ShowCrashBox(argc, argv);
  InstallCrashReport(true);
  const int code = WinAppEntry(&ExeResources(), argc, argv, 1);
  // A start that failed for a reason the player was told about still ends with an error.
  if (code == 0 && g_gameApp.StartupExitCode() != 0) return g_gameApp.StartupExitCode();
  return code;
}
