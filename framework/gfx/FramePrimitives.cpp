#include "framework/gfx/FramePrimitives.h"

FramePrimitives& ActiveFramePrimitives() {
    static FramePrimitives table;
    return table;
}
