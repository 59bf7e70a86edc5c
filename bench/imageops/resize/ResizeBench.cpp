// Resize speed for 8-bit BGRA images, 800x600 -> 1920x1080 and back, in every mode of our plain,
// SSE, SSE2 and SSE3 builds and of the reference scalers that are installed, and linear
// resizing at two further sizes. Rounds are
// interleaved and times are medians (bench/MedianRuns.h). The closing @row lines give, per mode
// and direction, the build the game binds on this processor (by its processor detection; an
// SSE3 build's 8-bit linear requests on the AVX2 kernel where that runs) beside the plain and SSE2
// builds and the reference scalers; the last line the CPU-time ratios of the headline cases
// (ours / theirs: below 1 means ours is faster).

#include "framework/gfx/ImageOpsBinding.h"
#include "imageops/resize/ResizeAvx2Choice.h"
#include "imageops/resize/ResizeImage8u4.h"
#include "imageops/resize/ResizeImage8u4Sse.h"
#include "imageops/resize/ResizeImage8u4Sse2.h"
#include "imageops/resize/ResizeImage8u4Sse3.h"

#include <benchmark/benchmark.h>

#include "bench/MedianRuns.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#if QM_BENCH_PIXMAN
#include <pixman.h>
#endif
#if QM_BENCH_SWSCALE
extern "C" {
#include <libavutil/pixfmt.h>
#include <libswscale/swscale.h>
}
#endif

namespace {

struct Size {
    int width;
    int height;
};

constexpr Size kSmall{800, 600};
constexpr Size kLarge{1920, 1080};
constexpr Size kFullScreen{1280, 800};
constexpr Size kSlightlySmaller{640, 480};

// Further linear cases beside pixman's bilinear filter: the game window to a full screen, and
// a mild reduction.
constexpr Size kLinearOnly[][2] = {{kSmall, kFullScreen}, {kSmall, kSlightlySmaller}};

// Lanczos-3 and area averaging at 4096 pixels and wider, whose row buffers reach the sizes at
// which the SIMD builds clear and copy blocks past the caches.
struct WideCase {
    const char* mode;
    int interpolation;
    Size from;
    Size to;
};

constexpr WideCase kWide[] = {
    {"lanczos", 16, {2048, 1152}, {4096, 2304}},
    {"lanczos", 16, {4096, 2304}, {2048, 1152}},
    {"lanczos", 16, {16384, 64}, {40960, 160}},
    {"area", 8, {4096, 2304}, {2048, 1152}},
    {"area", 8, {40960, 160}, {10240, 40}},
};

std::vector<std::uint8_t> Pattern(Size s) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(s.width) * s.height * 4);
    std::uint32_t x = 12345;
    for (auto& p : pixels) {
        x = x * 1103515245u + 12345u;
        p = static_cast<std::uint8_t>(x >> 24);
    }
    return pixels;
}

std::string Name(const char* mode, Size from, Size to) {
    return std::string(mode) + "-" + std::to_string(from.width) + "x" +
           std::to_string(from.height) + "-to-" + std::to_string(to.width) + "x" +
           std::to_string(to.height);
}

using ResizeEntry = decltype(&ResizeImage8u4);

void Ours(benchmark::State& state, ResizeEntry entry, int interpolation, Size from, Size to) {
    const auto src = Pattern(from);
    std::vector<std::uint8_t> dst(static_cast<std::size_t>(to.width) * to.height * 4);
    const double fx = static_cast<double>(to.width) / from.width;
    const double fy = static_cast<double>(to.height) / from.height;
    for (auto _ : state) {
        const ImageOpStatus status = entry(src.data(), from.width, from.height, from.width * 4, 0,
                                           0, from.width, from.height, dst.data(), to.width * 4,
                                           to.width, to.height, fx, fy, interpolation);
        if (status != ImageOpStatus::Ok) {
            state.SkipWithError("resize failed");
            break;
        }
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
}

#if QM_BENCH_PIXMAN
void Pixman(benchmark::State& state, pixman_filter_t filter, Size from, Size to) {
    auto src = Pattern(from);
    std::vector<std::uint8_t> dst(static_cast<std::size_t>(to.width) * to.height * 4);
    pixman_image_t* in = pixman_image_create_bits(
        PIXMAN_a8r8g8b8, from.width, from.height, reinterpret_cast<std::uint32_t*>(src.data()),
        from.width * 4);
    pixman_image_t* out = pixman_image_create_bits(
        PIXMAN_a8r8g8b8, to.width, to.height, reinterpret_cast<std::uint32_t*>(dst.data()),
        to.width * 4);
    pixman_transform_t transform;
    pixman_transform_init_scale(&transform,
                                pixman_double_to_fixed(static_cast<double>(from.width) / to.width),
                                pixman_double_to_fixed(static_cast<double>(from.height) / to.height));
    pixman_image_set_transform(in, &transform);
    pixman_image_set_filter(in, filter, nullptr, 0);
    pixman_image_set_repeat(in, PIXMAN_REPEAT_PAD);
    for (auto _ : state) {
        pixman_image_composite32(PIXMAN_OP_SRC, in, nullptr, out, 0, 0, 0, 0, 0, 0, to.width,
                                 to.height);
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    pixman_image_unref(in);
    pixman_image_unref(out);
}
#endif

#if QM_BENCH_SWSCALE
void Swscale(benchmark::State& state, int flags, Size from, Size to) {
    const auto src = Pattern(from);
    std::vector<std::uint8_t> dst(static_cast<std::size_t>(to.width) * to.height * 4);
    SwsContext* context = sws_getContext(from.width, from.height, AV_PIX_FMT_BGRA, to.width,
                                         to.height, AV_PIX_FMT_BGRA, flags, nullptr, nullptr,
                                         nullptr);
    if (context == nullptr) {
        state.SkipWithError("no scaler context");
        return;
    }
    const std::uint8_t* const srcPlanes[1] = {src.data()};
    const int srcSteps[1] = {from.width * 4};
    std::uint8_t* const dstPlanes[1] = {dst.data()};
    const int dstSteps[1] = {to.width * 4};
    for (auto _ : state) {
        sws_scale(context, srcPlanes, srcSteps, 0, from.height, dstPlanes, dstSteps);
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    sws_freeContext(context);
}
#endif

// Our builds of one resize, the SSE build only with `withSse`.
void RegisterOurs(const char* mode, int interpolation, Size from, Size to, bool withSse) {
    const struct {
        const char* name;
        ResizeEntry entry;
    } builds[] = {{"plain", ResizeImage8u4}, {"sse", ResizeImage8u4Sse}, {"sse2", ResizeImage8u4Sse2},
                  {"sse3", ResizeImage8u4Sse3}};
    for (const auto& b : builds) {
        if ((b.entry == ResizeImage8u4Sse && !withSse) ||
            (b.entry == ResizeImage8u4Sse3 && !__builtin_cpu_supports("sse3"))) {
            continue;
        }
        const ResizeEntry entry = b.entry;
        benchmark::RegisterBenchmark((std::string(b.name) + "/" + Name(mode, from, to)).c_str(),
                                     [=](benchmark::State& s) { Ours(s, entry, interpolation, from, to); })
            ->Unit(benchmark::kMillisecond);
    }
}

void Register() {
    struct Mode {
        const char* name;
        int interpolation;
    };
    const Mode modes[] = {{"nearest", 1}, {"linear", 2}, {"cubic", 4}, {"lanczos", 16},
                          {"area", 8}};
    const Size directions[][2] = {{kSmall, kLarge}, {kLarge, kSmall}};
    for (const auto& d : directions) {
        for (const Mode& m : modes) {
            if (m.interpolation == 8 && d[1].width > d[0].width) {
                continue;  // area averaging only reduces
            }
            RegisterOurs(m.name, m.interpolation, d[0], d[1], true);
        }
#if QM_BENCH_PIXMAN
        const Size from = d[0];
        const Size to = d[1];
        benchmark::RegisterBenchmark(("pixman/" + Name("nearest", from, to)).c_str(),
                                     [=](benchmark::State& s) { Pixman(s, PIXMAN_FILTER_NEAREST, from, to); })
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("pixman/" + Name("linear", from, to)).c_str(),
                                     [=](benchmark::State& s) { Pixman(s, PIXMAN_FILTER_BILINEAR, from, to); })
            ->Unit(benchmark::kMillisecond);
#endif
#if QM_BENCH_SWSCALE
        const Mode scalers[] = {{"nearest", SWS_POINT}, {"linear", SWS_BILINEAR},
                                {"cubic", SWS_BICUBIC}, {"lanczos", SWS_LANCZOS},
                                {"area", SWS_AREA}};
        for (const Mode& m : scalers) {
            const Size sFrom = d[0];
            const Size sTo = d[1];
            if (m.interpolation == SWS_AREA && sTo.width > sFrom.width) {
                continue;
            }
            const int flags = m.interpolation;
            benchmark::RegisterBenchmark(("swscale/" + Name(m.name, sFrom, sTo)).c_str(),
                                         [=](benchmark::State& s) { Swscale(s, flags, sFrom, sTo); })
                ->Unit(benchmark::kMillisecond);
        }
#endif
    }
    for (const auto& d : kLinearOnly) {
        const Size from = d[0];
        const Size to = d[1];
        RegisterOurs("linear", 2, from, to, false);
#if QM_BENCH_PIXMAN
        benchmark::RegisterBenchmark(("pixman/" + Name("linear", from, to)).c_str(),
                                     [=](benchmark::State& s) { Pixman(s, PIXMAN_FILTER_BILINEAR, from, to); })
            ->Unit(benchmark::kMillisecond);
#endif
    }
    for (const WideCase& w : kWide) {
        RegisterOurs(w.mode, w.interpolation, w.from, w.to, false);
#if QM_BENCH_SWSCALE
        const int flags = w.interpolation == 8 ? SWS_AREA : SWS_LANCZOS;
        benchmark::RegisterBenchmark(("swscale/" + Name(w.mode, w.from, w.to)).c_str(),
                                     [=](benchmark::State& s) { Swscale(s, flags, w.from, w.to); })
            ->Unit(benchmark::kMillisecond);
#endif
    }
}

std::string Ratio(const bench::MedianReporter& reporter, const std::string& ours, const std::string& theirs) {
    const double a = reporter.Median(ours);
    const double b = reporter.Median(theirs);
    if (a <= 0.0 || b <= 0.0) {
        return "n/a";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", a / b);
    return text;
}

// The build the game binds here, by its benchmark prefix, and how its rows are labelled.
struct BoundBuild {
    std::string prefix;
    std::string label;
};

BoundBuild Bound() {
    switch (CpuClass()) {
        case 1:
            return {"sse/", "sse"};
        case 2:
            return {"sse2/", "sse2"};
        case 3:
            return {"sse3/", ResizeMayUseAvx2() ? "sse3, avx2 linear" : "sse3"};
        default:
            return {"plain/", "plain"};
    }
}

void PrintRows(const bench::MedianReporter& reporter) {
    const BoundBuild bound = Bound();
    // Peers that did not run this case have no time and are left out of its row.
    const auto row = [&](const std::string& name) {
        bench::PrintRow("resize " + name + " (" + bound.label + ")", "ms", reporter.Median(bound.prefix + name),
                        {{"plain", reporter.Median("plain/" + name)},
                         {"sse2", reporter.Median("sse2/" + name)},
                         {"pixman", reporter.Median("pixman/" + name)},
                         {"swscale", reporter.Median("swscale/" + name)}});
    };
    const char* const modes[] = {"nearest", "linear", "cubic", "lanczos", "area"};
    const Size directions[][2] = {{kSmall, kLarge}, {kLarge, kSmall}};
    for (const auto& d : directions) {
        for (const char* mode : modes) {
            row(Name(mode, d[0], d[1]));
        }
    }
    for (const auto& d : kLinearOnly) {
        row(Name("linear", d[0], d[1]));
    }
    for (const WideCase& w : kWide) {
        row(Name(w.mode, w.from, w.to));
    }
}

}  // namespace

int main(int argc, char** argv) {
    Register();
    bench::MedianReporter reporter;
    bench::RunInterleaved(argc, argv, reporter, "0.1");
    PrintRows(reporter);
    const std::string up = Name("nearest", kSmall, kLarge);
    const std::string linearUp = Name("linear", kSmall, kLarge);
    std::printf("%s plain/pixman=%s %s plain/swscale=%s\n", up.c_str(),
                Ratio(reporter, "plain/" + up, "pixman/" + up).c_str(), linearUp.c_str(),
                Ratio(reporter, "plain/" + linearUp, "swscale/" + linearUp).c_str());
    return 0;
}
