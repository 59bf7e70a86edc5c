// Every per-pixel primitive in every build, beside pixman (the library a user would otherwise
// pick) where it has the same operation, and beside memset or memcpy of the same bytes, the
// memory-bandwidth floor. Rounds are interleaved and each time is the median of its rounds
// (bench/MedianRuns.h). The closing table gives, per primitive and size, every build's time,
// the peers' and the fastest build's ratios to them; the @row lines carry the fastest build
// into the table of `./dev bench`.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench/MedianRuns.h"
#include "imageops/ImageAlloc.h"
#include "imageops/ImageOps.h"
#include "imageops/ImageOpsSse.h"
#include "imageops/ImageOpsSse2.h"
#include "imageops/ImageOpsSse3.h"

namespace {

struct Size {
    std::int32_t width, height;
};
// A tile, a small and a large square on either side of 262144 bytes, the frame and full HD.
constexpr Size kFillSizes[] = {{16, 16}, {48, 58}, {256, 256}, {260, 260}, {800, 600}, {1920, 1080}};
constexpr Size kSizes[] = {{48, 58}, {800, 600}, {1920, 1080}};

// An image of the primitives' allocator with premultiplied random pixels, seen by pixman as
// a8r8g8b8 over the same memory.
class Image {
   public:
    Image(Size size, std::uint32_t seed) : size_(size) {
        pixels_ = AllocImage8u4(size.width, size.height, &step_);
        std::mt19937 rng(seed);
        for (std::int32_t y = 0; y < size.height; ++y) {
            std::uint8_t* row = pixels_ + static_cast<std::ptrdiff_t>(y) * step_;
            for (std::int32_t x = 0; x < size.width; ++x) {
                const std::uint32_t r = rng();
                const std::uint32_t a = r >> 24;
                for (int k = 0; k < 3; ++k)
                    row[x * 4 + k] = static_cast<std::uint8_t>(((r >> (8 * k)) & 0xFF) * a / 255);
                row[x * 4 + 3] = static_cast<std::uint8_t>(a);
            }
        }
        pixman_ = pixman_image_create_bits(PIXMAN_a8r8g8b8, size.width, size.height,
                                           reinterpret_cast<std::uint32_t*>(pixels_), step_);
    }
    ~Image() {
        pixman_image_unref(pixman_);
        FreeImage(pixels_);
    }
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    std::uint8_t* pixels() const { return pixels_; }
    std::uint8_t* row(std::int32_t y) const { return pixels_ + static_cast<std::ptrdiff_t>(y) * step_; }
    std::int32_t step() const { return step_; }
    std::size_t rowBytes() const { return static_cast<std::size_t>(size_.width) * 4; }
    std::int32_t width() const { return size_.width; }
    std::int32_t height() const { return size_.height; }
    pixman_image_t* pixman() const { return pixman_; }

   private:
    Size size_;
    std::int32_t step_ = 0;
    std::uint8_t* pixels_ = nullptr;
    pixman_image_t* pixman_ = nullptr;
};

// The memory floor of a primitive: memset of the destination rows or memcpy of the source rows
// onto them (one call when the rows touch).
void SetRows(const Image& dst, Size s) {
    if (static_cast<std::size_t>(dst.step()) == dst.rowBytes()) {
        std::memset(dst.pixels(), 0x5A, dst.rowBytes() * s.height);
        return;
    }
    for (std::int32_t y = 0; y < s.height; ++y) std::memset(dst.row(y), 0x5A, dst.rowBytes());
}

void CopyRows(const Image& src, const Image& dst, Size s) {
    if (static_cast<std::size_t>(dst.step()) == dst.rowBytes()) {
        std::memcpy(dst.pixels(), src.pixels(), dst.rowBytes() * s.height);
        return;
    }
    for (std::int32_t y = 0; y < s.height; ++y) std::memcpy(dst.row(y), src.row(y), dst.rowBytes());
}

struct Build {
    const char* name;
    decltype(&AlphaComposite8u4) composite;
    decltype(&FillPixel8u4) fill;
    decltype(&CopyColorChannels8u4) copy;
    decltype(&PremultiplyAlpha8u4) premultiply;
    decltype(&MultiplyConst8u4) multiply;
    decltype(&CopyOpaqueRow8u4) keyedRow;
    decltype(&MultiplyColorInPlace8u4) veil;
    decltype(&AddColorScaledInPlace8u4) addColour;
};
constexpr Build kBuilds[] = {
    {"plain", AlphaComposite8u4, FillPixel8u4, CopyColorChannels8u4, PremultiplyAlpha8u4, MultiplyConst8u4,
     CopyOpaqueRow8u4, MultiplyColorInPlace8u4, AddColorScaledInPlace8u4},
    {"sse", AlphaComposite8u4Sse, FillPixel8u4Sse, CopyColorChannels8u4Sse, PremultiplyAlpha8u4Sse,
     MultiplyConst8u4Sse, CopyOpaqueRow8u4Sse, MultiplyColorInPlace8u4Sse, AddColorScaledInPlace8u4Sse},
    {"sse2", AlphaComposite8u4Sse2, FillPixel8u4Sse2, CopyColorChannels8u4Sse2, PremultiplyAlpha8u4Sse2,
     MultiplyConst8u4Sse2, CopyOpaqueRow8u4Sse2, MultiplyColorInPlace8u4Sse2, AddColorScaledInPlace8u4Sse2},
    {"sse3", AlphaComposite8u4Sse3, FillPixel8u4Sse3, CopyColorChannels8u4Sse3, PremultiplyAlpha8u4Sse3,
     MultiplyConst8u4Sse3, CopyOpaqueRow8u4Sse3, MultiplyColorInPlace8u4Sse3, AddColorScaledInPlace8u4Sse3},
};

// The software copy of a keyed picture: tiles of 48x58 whose last six columns and four rows
// hold the key (all four bytes 0), every other pixel opaque; and its key as pixman's a8 mask.
class KeyedPicture {
   public:
    explicit KeyedPicture(Size size)
        : image_(size, 3), mask_(static_cast<std::size_t>(MaskStep(size)) * static_cast<std::size_t>(size.height)) {
        const std::int32_t maskStep = MaskStep(size);
        for (std::int32_t y = 0; y < size.height; ++y) {
            std::uint8_t* row = image_.row(y);
            for (std::int32_t x = 0; x < size.width; ++x) {
                const bool key = x % 48 >= 42 || y % 58 >= 54;
                if (key) std::memset(row + x * 4, 0, 4);
                row[x * 4 + 3] = key ? 0 : 255;
                mask_[static_cast<std::size_t>(y) * maskStep + x] = key ? 0 : 255;
            }
        }
        pixmanMask_ = pixman_image_create_bits(PIXMAN_a8, size.width, size.height,
                                               reinterpret_cast<std::uint32_t*>(mask_.data()), maskStep);
    }
    ~KeyedPicture() { pixman_image_unref(pixmanMask_); }
    KeyedPicture(const KeyedPicture&) = delete;
    KeyedPicture& operator=(const KeyedPicture&) = delete;

    const Image& image() const { return image_; }
    pixman_image_t* mask() const { return pixmanMask_; }

   private:
    static std::int32_t MaskStep(Size size) { return (size.width + 3) / 4 * 4; }

    Image image_;
    std::vector<std::uint8_t> mask_;
    pixman_image_t* pixmanMask_ = nullptr;
};

const KeyedPicture& KeyedPictureOf(Size s) {
    static std::vector<std::unique_ptr<KeyedPicture>> made;
    for (const auto& k : made) {
        if (k->image().width() == s.width && k->image().height() == s.height) return *k;
    }
    made.push_back(std::make_unique<KeyedPicture>(s));
    return *made.back();
}

// One primitive: what it is called, its pixman equivalent (if any) and its memory floor.
struct Primitive {
    const char* name;
    const char* pixmanName;  // null when pixman has no such operation
    const char* floorName;
    std::function<void(const Build&, const Image& src, const Image& dst, Size)> ours;
    std::function<void(const Image& src, const Image& dst, Size)> pixman;
    std::function<void(const Image& src, const Image& dst, Size)> floor;
};

const std::uint8_t kFillValue[4] = {0x10, 0x40, 0x80, 0xC0};
const std::uint8_t kHalf[4] = {0x80, 0x80, 0x80, 0x80};
// A veil of colour 0x3060C0 at alpha 0x60 as the software path draws it: the colour bytes kept
// at 255 - alpha, then the colour at alpha added.
constexpr std::uint8_t kVeilAlpha = 0x60;
const std::uint8_t kVeilKeep[3] = {255 - kVeilAlpha, 255 - kVeilAlpha, 255 - kVeilAlpha};
const std::uint8_t kVeilAdd[3] = {0xC0 * kVeilAlpha / 255, 0x60 * kVeilAlpha / 255, 0x30 * kVeilAlpha / 255};

std::vector<Primitive> Primitives() {
    std::vector<Primitive> list;
    list.push_back({"fill", "pixman_fill", "memset",
                    [](const Build& b, const Image&, const Image& d, Size s) {
                        b.fill(kFillValue, d.pixels(), d.step(), s.width, s.height);
                    },
                    [](const Image&, const Image& d, Size s) {
                        pixman_fill(reinterpret_cast<std::uint32_t*>(d.pixels()), d.step() / 4, 32, 0, 0, s.width,
                                    s.height, 0xC0804010u);
                    },
                    [](const Image&, const Image& d, Size s) { SetRows(d, s); }});
    list.push_back({"over", "pixman over", "memcpy",
                    [](const Build& b, const Image& a, const Image& d, Size s) {
                        b.composite(a.pixels(), a.step(), d.pixels(), d.step(), d.pixels(), d.step(), s.width,
                                    s.height, CompositeOp::OverPremul);
                    },
                    [](const Image& a, const Image& d, Size s) {
                        pixman_image_composite32(PIXMAN_OP_OVER, a.pixman(), nullptr, d.pixman(), 0, 0, 0, 0, 0, 0,
                                                 s.width, s.height);
                    },
                    [](const Image& a, const Image& d, Size s) { CopyRows(a, d, s); }});
    list.push_back({"copy colour", "pixman_blt", "memcpy",
                    [](const Build& b, const Image& a, const Image& d, Size s) {
                        b.copy(a.pixels(), a.step(), d.pixels(), d.step(), s.width, s.height);
                    },
                    [](const Image& a, const Image& d, Size s) {
                        pixman_blt(reinterpret_cast<std::uint32_t*>(a.pixels()),
                                   reinterpret_cast<std::uint32_t*>(d.pixels()), a.step() / 4, d.step() / 4, 32, 32,
                                   0, 0, 0, 0, s.width, s.height);
                    },
                    [](const Image& a, const Image& d, Size s) { CopyRows(a, d, s); }});
    list.push_back({"premultiply", nullptr, "memcpy",
                    [](const Build& b, const Image&, const Image& d, Size s) {
                        b.premultiply(d.pixels(), d.step(), s.width, s.height);
                    },
                    nullptr, [](const Image& a, const Image& d, Size s) { CopyRows(a, d, s); }});
    // pixman scales by a solid mask's alpha with a source copy.
    list.push_back({"multiply", "pixman src x mask", "memcpy",
                    [](const Build& b, const Image& a, const Image& d, Size s) {
                        b.multiply(a.pixels(), a.step(), kHalf, d.pixels(), d.step(), s.width, s.height);
                    },
                    [](const Image& a, const Image& d, Size s) {
                        static pixman_image_t* const mask = [] {
                            const pixman_color_t half{0x8080, 0x8080, 0x8080, 0x8080};
                            return pixman_image_create_solid_fill(&half);
                        }();
                        pixman_image_composite32(PIXMAN_OP_SRC, a.pixman(), mask, d.pixman(), 0, 0, 0, 0, 0, 0,
                                                 s.width, s.height);
                    },
                    [](const Image& a, const Image& d, Size s) { CopyRows(a, d, s); }});
    // A keyed picture drawn at full alpha; pixman draws the picture through its key as a mask.
    list.push_back({"keyed copy", "pixman over a8 mask", "memcpy",
                    [](const Build& b, const Image&, const Image& d, Size s) {
                        const Image& k = KeyedPictureOf(s).image();
                        for (std::int32_t y = 0; y < s.height; ++y) b.keyedRow(k.row(y), d.row(y), s.width);
                    },
                    [](const Image&, const Image& d, Size s) {
                        const KeyedPicture& k = KeyedPictureOf(s);
                        pixman_image_composite32(PIXMAN_OP_OVER, k.image().pixman(), k.mask(), d.pixman(), 0, 0, 0,
                                                 0, 0, 0, s.width, s.height);
                    },
                    [](const Image& a, const Image& d, Size s) { CopyRows(a, d, s); }});
    // A translucent colour over the image: pixman's over with a solid source.
    list.push_back({"alpha fill", "pixman over solid", "memcpy",
                    [](const Build& b, const Image&, const Image& d, Size s) {
                        b.veil(kVeilKeep, d.pixels(), d.step(), s.width, s.height);
                        b.addColour(kVeilAdd, d.pixels(), d.step(), s.width, s.height, 0);
                    },
                    [](const Image&, const Image& d, Size s) {
                        static pixman_image_t* const solid = [] {
                            const pixman_color_t veil{0x3030 * kVeilAlpha / 255, 0x6060 * kVeilAlpha / 255,
                                                      0xC0C0 * kVeilAlpha / 255, kVeilAlpha * 0x101};
                            return pixman_image_create_solid_fill(&veil);
                        }();
                        pixman_image_composite32(PIXMAN_OP_OVER, solid, nullptr, d.pixman(), 0, 0, 0, 0, 0, 0,
                                                 s.width, s.height);
                    },
                    [](const Image& a, const Image& d, Size s) { CopyRows(a, d, s); }});
    return list;
}

std::string Name(const char* primitive, Size s, const char* variant) {
    return std::string(primitive) + "/" + std::to_string(s.width) + "x" + std::to_string(s.height) + "/" + variant;
}

template <class Body>
void Register(const std::string& name, Size size, Body body) {
    benchmark::RegisterBenchmark(name.c_str(),
                                 [size, body](benchmark::State& state) {
                                     Image src(size, 1), dst(size, 2);
                                     for (auto _ : state) {
                                         body(src, dst, size);
                                         benchmark::ClobberMemory();
                                     }
                                 })
        ->Unit(benchmark::kMicrosecond);
}

std::vector<Size> SizesOf(const Primitive& p) {
    if (std::strcmp(p.name, "fill") == 0) return {std::begin(kFillSizes), std::end(kFillSizes)};
    return {std::begin(kSizes), std::end(kSizes)};
}

void RegisterAll(const std::vector<Primitive>& primitives) {
    for (const Primitive& p : primitives) {
        for (const Size s : SizesOf(p)) {
            for (const Build& b : kBuilds) {
                Register(Name(p.name, s, b.name), s,
                         [&p, b](const Image& src, const Image& dst, Size size) { p.ours(b, src, dst, size); });
            }
            if (p.pixman) Register(Name(p.name, s, "pixman"), s, p.pixman);
            Register(Name(p.name, s, "floor"), s, p.floor);
        }
    }
}

// The build with the least median time and that time.
std::pair<std::string, double> Fastest(const Primitive& p, Size s, const bench::MedianReporter& reporter) {
    std::pair<std::string, double> best{"-", 0.0};
    for (const Build& b : kBuilds) {
        const double t = reporter.Median(Name(p.name, s, b.name));
        if (t > 0.0 && (best.second == 0.0 || t < best.second)) best = {b.name, t};
    }
    return best;
}

void PrintSummary(const std::vector<Primitive>& primitives, const bench::MedianReporter& reporter) {
    std::printf("\nmedian CPU time, us; ratio = fastest build / peer\n");
    std::printf("%-12s %-10s %9s %9s %9s %9s %9s %9s  %-5s %7s %7s\n", "primitive", "size", "plain", "sse", "sse2",
                "sse3", "pixman", "floor", "best", "/pixman", "/floor");
    for (const Primitive& p : primitives) {
        for (const Size s : SizesOf(p)) {
            const std::string size = std::to_string(s.width) + "x" + std::to_string(s.height);
            std::printf("%-12s %-10s", p.name, size.c_str());
            for (const Build& b : kBuilds) std::printf(" %9.2f", reporter.Median(Name(p.name, s, b.name)));
            const auto [best, bestTime] = Fastest(p, s, reporter);
            const double pixman = p.pixman ? reporter.Median(Name(p.name, s, "pixman")) : 0.0;
            const double floor = reporter.Median(Name(p.name, s, "floor"));
            std::printf(" %9.2f %9.2f  %-5s", pixman, floor, best.c_str());
            if (pixman > 0.0) std::printf(" %7.2f", bestTime / pixman); else std::printf(" %7s", "-");
            if (floor > 0.0) std::printf(" %7.2f\n", bestTime / floor); else std::printf(" %7s\n", "-");
        }
    }
    for (const Primitive& p : primitives) {
        for (const Size s : SizesOf(p)) {
            const auto [best, bestTime] = Fastest(p, s, reporter);
            std::vector<std::pair<std::string, double>> peers;
            if (p.pixman) peers.emplace_back(p.pixmanName, reporter.Median(Name(p.name, s, "pixman")));
            peers.emplace_back(p.floorName, reporter.Median(Name(p.name, s, "floor")));
            bench::PrintRow(std::string(p.name) + " " + std::to_string(s.width) + "x" + std::to_string(s.height) +
                                " (" + best + ")",
                            "us", bestTime, peers);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<Primitive> primitives = Primitives();
    RegisterAll(primitives);
    bench::MedianReporter reporter;
    bench::RunInterleaved(argc, argv, reporter);
    PrintSummary(primitives, reporter);
    return 0;
}
