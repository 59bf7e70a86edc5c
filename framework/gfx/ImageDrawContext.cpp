#include "framework/gfx/ImageDrawContext.h"

ImageDrawContext& CurrentImageDrawContext() {
    // Never destroyed: the display device, itself a member of a static object, publishes into
    // it while static objects are being destroyed.
    static ImageDrawContext* context = new ImageDrawContext;
    return *context;
}
