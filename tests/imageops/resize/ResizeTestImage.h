#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

// An image for the resize tests: rows of `step` elements with a guard band after the last row,
// so that a write past the requested size is visible as a changed sentinel.
template <typename T>
struct TestImage {
    int width = 0;
    int height = 0;
    int stride = 1;  // elements per pixel
    int step = 0;    // elements per row
    std::vector<T> data;

    TestImage(int w, int h, int pixelStride, int padding = 3)
        : width(w), height(h), stride(pixelStride), step(w * pixelStride + padding),
          data(static_cast<std::size_t>(step) * h + 16) {}

    // No byte after the last pixel of the last row: any read past the image is out of bounds.
    static TestImage Exact(int w, int h, int pixelStride) {
        TestImage image(w, h, pixelStride);
        image.data.resize(static_cast<std::size_t>(image.step) * (h - 1) +
                          static_cast<std::size_t>(w) * pixelStride);
        return image;
    }

    int StepBytes() const { return step * static_cast<int>(sizeof(T)); }
    T* Data() { return data.data(); }
    const T* Data() const { return data.data(); }
    T& At(int x, int y, int c) { return data[static_cast<std::size_t>(y) * step + x * stride + c]; }
    const T& At(int x, int y, int c) const {
        return data[static_cast<std::size_t>(y) * step + x * stride + c];
    }
};

// Fills every element (padding included) with values of the sample type's range.
template <typename T>
void FillRandom(TestImage<T>& image, std::uint32_t seed) {
    std::mt19937 random(seed);
    for (auto& v : image.data) {
        if constexpr (sizeof(T) == 1) {
            v = static_cast<T>(random() & 0xFF);
        } else if constexpr (sizeof(T) == 2 && !std::is_floating_point_v<T>) {
            v = static_cast<T>(random() & 0xFFFF);
        } else {
            v = static_cast<T>(static_cast<double>(random() % 20001) / 100.0 - 50.0);
        }
    }
}

// Sets every element to one bit pattern, so untouched elements can be recognised.
template <typename T>
void FillSentinel(TestImage<T>& image) {
    std::memset(image.data.data(), 0xA5, image.data.size() * sizeof(T));
}

template <typename T>
bool SameBits(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

template <typename T>
int SampleTypeOf() {
    if constexpr (std::is_same_v<T, std::uint8_t>) {
        return 0;
    } else if constexpr (std::is_same_v<T, std::uint16_t>) {
        return 1;
    } else {
        return 2;
    }
}
