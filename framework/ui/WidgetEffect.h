#pragma once

#include <cstdint>

#include "framework/gfx/Rect.h"
#include "framework/ui/Attachable.h"

class Widget;

// Something a widget owns besides its children: updated and drawn with it (over or under it) and
// paused with its clock. The widget deletes its effects.
class WidgetEffect : public Attachable<Widget> {
public:
    virtual void SetPaused(bool paused) = 0;
    // Advances to `gameTime`; true when what it draws changed.
    virtual bool Update(uint32_t gameTime) = 0;
    // After an update that answered true: the frame area that holds everything the change
    // altered (what was drawn before and what will be drawn now), so that only it is drawn
    // anew. False when it cannot tell; the whole frame is then drawn again.
    virtual bool GetChangedArea(Rect& area) const { return false; }
    virtual void Draw() = 0;
    // Follows the owner's clock, which stands still while the owner is disabled.
    virtual void SetClockPaused(bool paused) = 0;

protected:
    void OnAttach() override {}
};
