#pragma once

#include "framework/core/String.h"

// What the user interface needs from the application that runs it: its folder, its version
// text, the switch for web links and the step to the main screen. The application registers
// itself at start-up; without a host the folder and version are empty, links are active and
// there is no main screen to show.
class UiHost {
public:
    virtual ~UiHost() = default;

    // Ends with a folder separator.
    virtual String ProgramFolder() const = 0;
    virtual String Version() const = 0;
    virtual bool LinksActive() const = 0;
    virtual void SetLinksActive(bool active) = 0;
    virtual void ShowMainScreen() = 0;
};

// The registered host, or null.
UiHost* GetUiHost();
void SetUiHost(UiHost* host);
