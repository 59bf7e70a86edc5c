#pragma once
// Follows the saves of the player's files, the profile and the list together. Every failure is
// written to stderr; the player is told once per failing streak, and the streak ends only when
// each of the files that failed has been saved again.
#include "framework/core/String.h"

class SaveFailureNotice {
public:
    enum File { kProfile, kList, kFiles };

    // Notes how a save of `file`, kept in `fileName`, went; answers `saved`.
    bool Note(File file, bool saved, const String& fileName);
    // True once per failing streak, while it lasts and the player has not been told yet.
    bool Take();
    // Whether the last save of `file` failed.
    bool IsFailing(File file) const { return failing_[file]; }

private:
    bool failing_[kFiles] = {};
    bool due_ = false;

    bool Failing() const;
};

// The one follower of the player's files, so whichever screen tells of a streak tells it for both.
SaveFailureNotice& PlayerFilesNotice();
