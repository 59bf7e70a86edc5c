#pragma once
// How a question box reports its answer to the screen that asked. True lets the box close itself;
// an answer of false keeps it open (the listener has usually changed the screens itself).
#include <cstdint>

class DialogListener {
public:
    virtual ~DialogListener() = default;
    virtual bool OnAccept(int32_t dialogId) { return true; }
    virtual bool OnDecline(int32_t dialogId) { return true; }
};
