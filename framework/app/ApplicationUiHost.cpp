#include "framework/app/ApplicationUiHost.h"

#include "framework/app/AppGlobals.h"
#include "framework/app/Application.h"
#include "framework/app/Settings.h"

ApplicationUiHost& ApplicationUiHost::Instance() {
  static ApplicationUiHost host;
  return host;
}

String ApplicationUiHost::ProgramFolder() const { return Globals().programFolder; }

String ApplicationUiHost::Version() const { return Globals().version; }

bool ApplicationUiHost::LinksActive() const { return AppSettings().activateLinks; }

void ApplicationUiHost::SetLinksActive(bool active) { AppSettings().activateLinks = active; }

void ApplicationUiHost::ShowMainScreen() {
  if (Application* app = Application::Current()) app->ShowMainScreen();
}
