#pragma once
// Follows the saves of one player file. Every failure is written to stderr; the player is to be
// told of a failure once, and a save that succeeds afterwards lets the next failure be told again.
#include "framework/core/String.h"

class SaveFailureNotice {
public:
    // Notes how a save of `fileName` went; answers `saved`.
    bool Note(bool saved, const String& fileName);
    // True once after a failure the player has not been told of, while no save has succeeded since.
    bool Take();

private:
    bool failing_ = false;
    bool due_ = false;
};
