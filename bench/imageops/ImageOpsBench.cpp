// Premultiplied over, fills and the colour copy at a tile, the frame and a full-HD size, for
// every build and for pixman. The last line gives the frame-size over of the SSE2 and plain
// builds as multiples of pixman's processor time.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "imageops/ImageAlloc.h"
#include "imageops/ImageOps.h"
#include "imageops/ImageOpsSse.h"
#include "imageops/ImageOpsSse2.h"
#include "imageops/ImageOpsSse3.h"

namespace {

struct Size {
    std::int32_t width, height;
};
constexpr Size kSizes[] = {{48, 58}, {800, 600}, {1920, 1080}};

// An image of the primitives' allocator, seen by pixman as a8r8g8b8 over the same memory.
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
    std::int32_t step() const { return step_; }
    pixman_image_t* pixman() const { return pixman_; }
    Size size() const { return size_; }

   private:
    Size size_;
    std::int32_t step_ = 0;
    std::uint8_t* pixels_ = nullptr;
    pixman_image_t* pixman_ = nullptr;
};

struct Build {
    const char* name;
    decltype(&AlphaComposite8u4) composite;
    decltype(&FillPixel8u4) fill;
    decltype(&CopyColorChannels8u4) copy;
};
constexpr Build kBuilds[] = {
    {"plain", AlphaComposite8u4, FillPixel8u4, CopyColorChannels8u4},
    {"sse", AlphaComposite8u4Sse, FillPixel8u4Sse, CopyColorChannels8u4Sse},
    {"sse2", AlphaComposite8u4Sse2, FillPixel8u4Sse2, CopyColorChannels8u4Sse2},
    {"sse3", AlphaComposite8u4Sse3, FillPixel8u4Sse3, CopyColorChannels8u4Sse3},
};

std::string Name(const char* operation, Size s, const char* build) {
    std::string name(operation);
    name.append("/").append(std::to_string(s.width)).append("x").append(std::to_string(s.height));
    return name.append("/").append(build);
}

void Register() {
    const std::uint8_t value[4] = {0x10, 0x40, 0x80, 0xC0};
    for (const Size size : kSizes) {
        for (const Build& build : kBuilds) {
            benchmark::RegisterBenchmark(
                Name("over", size, build.name).c_str(), [size, build](benchmark::State& state) {
                    Image src(size, 1), dst(size, 2);
                    for (auto _ : state) {
                        build.composite(src.pixels(), src.step(), dst.pixels(), dst.step(), dst.pixels(), dst.step(),
                                        size.width, size.height, CompositeOp::OverPremul);
                        benchmark::ClobberMemory();
                    }
                });
            benchmark::RegisterBenchmark(Name("fill", size, build.name).c_str(),
                                         [size, build, value](benchmark::State& state) {
                                             Image dst(size, 3);
                                             for (auto _ : state) {
                                                 build.fill(value, dst.pixels(), dst.step(), size.width, size.height);
                                                 benchmark::ClobberMemory();
                                             }
                                         });
            benchmark::RegisterBenchmark(
                Name("copy", size, build.name).c_str(), [size, build](benchmark::State& state) {
                    Image src(size, 4), dst(size, 5);
                    for (auto _ : state) {
                        build.copy(src.pixels(), src.step(), dst.pixels(), dst.step(), size.width, size.height);
                        benchmark::ClobberMemory();
                    }
                });
        }
        benchmark::RegisterBenchmark(Name("over", size, "pixman").c_str(), [size](benchmark::State& state) {
            Image src(size, 1), dst(size, 2);
            for (auto _ : state) {
                pixman_image_composite32(PIXMAN_OP_OVER, src.pixman(), nullptr, dst.pixman(), 0, 0, 0, 0, 0, 0,
                                         size.width, size.height);
                benchmark::ClobberMemory();
            }
        });
        benchmark::RegisterBenchmark(Name("fill", size, "pixman").c_str(), [size](benchmark::State& state) {
            Image dst(size, 3);
            for (auto _ : state) {
                pixman_fill(reinterpret_cast<std::uint32_t*>(dst.pixels()), dst.step() / 4, 32, 0, 0, size.width,
                            size.height, 0xC0804010u);
                benchmark::ClobberMemory();
            }
        });
        benchmark::RegisterBenchmark(Name("copy", size, "pixman").c_str(), [size](benchmark::State& state) {
            Image src(size, 4), dst(size, 5);
            for (auto _ : state) {
                pixman_blt(reinterpret_cast<std::uint32_t*>(src.pixels()),
                           reinterpret_cast<std::uint32_t*>(dst.pixels()), src.step() / 4, dst.step() / 4, 32, 32, 0, 0,
                           0, 0, size.width, size.height);
                benchmark::ClobberMemory();
            }
        });
    }
}

// Keeps the least processor time per iteration of each benchmark over its repetitions, for the
// closing ratio line: the least time is the one other load on the machine disturbed least.
class RecordingReporter : public benchmark::ConsoleReporter {
   public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration) continue;
            const double time = run.GetAdjustedCPUTime();
            auto [it, added] = times_.emplace(run.benchmark_name(), time);
            if (!added && time < it->second) it->second = time;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    double Time(const std::string& name) const {
        const auto it = times_.find(name);
        return it == times_.end() ? 0.0 : it->second;
    }

   private:
    std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
    Register();
    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const double pixman = reporter.Time("over/800x600/pixman");
    if (pixman > 0.0) {
        std::printf("over-800x600 sse2/pixman=%.2f plain/pixman=%.2f\n", reporter.Time("over/800x600/sse2") / pixman,
                    reporter.Time("over/800x600/plain") / pixman);
    }
    return 0;
}
