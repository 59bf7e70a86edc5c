#include "game/model/SaveFailureNotice.h"

#include <cstdio>

bool SaveFailureNotice::Note(bool saved, const String& fileName)
{
    if (saved) {
        // The whole record reached the disk: nothing is left unsaved to tell of.
        failing_ = due_ = false;
        return true;
    }
    std::fprintf(stderr, "quillomar: could not save the player's progress in %s\n", fileName.CStr());
    due_ = due_ || !failing_;
    failing_ = true;
    return false;
}

bool SaveFailureNotice::Take()
{
    const bool due = due_;
    due_ = false;
    return due;
}
