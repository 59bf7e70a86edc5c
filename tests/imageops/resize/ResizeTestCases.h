#pragma once
// The sample layouts and the shape of a resize request that the build comparisons share.

// Interleaved with `stride` elements per pixel, or planar with one plane per channel.
struct ResizeLayout {
    int channels;
    int stride;
    bool planar;
};

inline constexpr ResizeLayout kResizeLayouts[] = {
    {1, 1, false}, {3, 3, false}, {3, 4, false}, {4, 4, false}, {3, 1, true}, {4, 1, true},
};

struct ResizeCase {
    int srcWidth;
    int srcHeight;
    int roiX;
    int roiY;
    int roiWidth;
    int roiHeight;
    int dstWidth;
    int dstHeight;
    double xFactor;
    double yFactor;
    int padding;  // elements after each row
};
