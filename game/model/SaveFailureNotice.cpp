#include "game/model/SaveFailureNotice.h"

#include <cstdio>

bool SaveFailureNotice::Note(File file, bool saved, const String& fileName)
{
    if (saved) {
        failing_[file] = false;
        // Every file that failed has reached the disk: nothing is left unsaved to tell of.
        if (!Failing())
            due_ = false;
        return true;
    }
    std::fprintf(stderr, "quillomar: could not save the player's progress in %s\n", fileName.CStr());
    due_ = due_ || !Failing();
    failing_[file] = true;
    return false;
}

bool SaveFailureNotice::Take()
{
    const bool due = due_;
    due_ = false;
    return due;
}

bool SaveFailureNotice::Failing() const { return failing_[kProfile] || failing_[kList]; }

SaveFailureNotice& PlayerFilesNotice()
{
    static SaveFailureNotice notice;
    return notice;
}
