#pragma once
// The running application as the user interface's host: folders and version from the globals,
// the links switch from the settings, the main screen from the application's hook.
#include "framework/ui/UiHost.h"

class ApplicationUiHost : public UiHost {
public:
  // The one instance, registered by every application when it is made.
  static ApplicationUiHost& Instance();

  String ProgramFolder() const override;
  String Version() const override;
  bool LinksActive() const override;
  void SetLinksActive(bool active) override;
  void ShowMainScreen() override;
};
