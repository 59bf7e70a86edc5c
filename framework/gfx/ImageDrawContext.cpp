#include "framework/gfx/ImageDrawContext.h"

ImageDrawContext& CurrentImageDrawContext() {
    static ImageDrawContext context;
    return context;
}
