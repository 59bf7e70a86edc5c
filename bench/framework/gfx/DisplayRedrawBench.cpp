// A full redraw of a play-screen-like frame: an 800x600 opaque background and 144 tiles of
// 48x58 with alpha, on the software path with each build of the primitives and on the
// accelerated path, each shown on the window as the game shows it (the software frame uploaded,
// then presented). The last lines sum it up as milliseconds per redraw.
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/gfx/Image.h"
#include "framework/gfx/ImageOpsBinding.h"
#include "framework/gfx/SdlDisplayDevice.h"
#include "framework/gfx/SdlRenderBackend.h"

namespace {

std::map<std::string, double> g_redrawMs;

std::unique_ptr<Image> Picture(int32_t w, int32_t h, int32_t bits) {
    auto image = std::make_unique<Image>();
    image->width = w;
    image->height = h;
    image->bitsPerPixel = bits;
    if (!image->AllocatePixels()) std::abort();
    for (int32_t y = 0; y < h; ++y) {
        uint8_t* row = image->pixels + static_cast<int64_t>(y) * image->rowStep;
        for (int32_t x = 0; x < w; ++x) {
            uint8_t* p = row + x * (bits / 8);
            p[0] = static_cast<uint8_t>(x * 3);
            p[1] = static_cast<uint8_t>(y * 5);
            p[2] = static_cast<uint8_t>(x + y);
            // Tiles: opaque faces with soft, partly transparent edges.
            if (bits == 32) p[3] = (x < 3 || y < 3 || x >= w - 3 || y >= h - 3) ? 96 : 255;
        }
    }
    return image;
}

class Window {
public:
    Window() {
        setenv("SDL_VIDEODRIVER", std::getenv("DISPLAY") ? "x11" : "offscreen", 0);
        // Without a graphics card the accelerated path is measured on the processor's rasterizer.
        setenv("QUILLOMAR_TEST", "1", 0);
        setenv("QUILLOMAR_SOFTWARE_3D", "1", 0);
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0)
            window_ = SDL_CreateWindow("bench", 0, 0, 800, 600, SDL_WINDOW_HIDDEN);
    }
    ~Window() {
        if (window_) SDL_DestroyWindow(window_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    SDL_Window* Get() const { return window_; }

private:
    SDL_Window* window_ = nullptr;
};

double ProcessMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The builds of the primitives this processor can run, by its instruction sets.
int32_t BestRunnableBuild() {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("sse3")) return 3;
    if (__builtin_cpu_supports("sse2")) return 2;
    if (__builtin_cpu_supports("sse")) return 1;
    return 0;
}

void Redraw(benchmark::State& state, const std::string& name, bool accelerated) {
    Window window;
    if (!window.Get()) {
        state.SkipWithError("no window");
        return;
    }
    SDL_Window* w = window.Get();
    DisplaySettings settings;
    settings.hardwareAcceleration = accelerated;
    SdlDisplayDevice device(
        [w, accelerated](bool quads) -> std::unique_ptr<RenderBackend> {
            if (quads && !accelerated) return nullptr;
            return SdlRenderBackend::Create(w, quads ? SdlRenderBackend::Kind::Quads : SdlRenderBackend::Kind::FrameOnly,
                                            false);
        },
        settings, SdlDisplayDevice::Environment{}, nullptr, nullptr);
    if (device.SetMode(false, false) != 0 || device.IsDirect3DInUse() != accelerated) {
        state.SkipWithError("path not available");
        return;
    }
    auto background = Picture(800, 600, 24);
    auto tile = Picture(48, 58, 32);
    uint8_t pixel[4];
    Rect covered;
    auto frame = [&] {
        device.BeginFrame();
        device.DrawImage(0, 0, background.get(), nullptr, 100, 100, 255, covered);
        for (int32_t i = 0; i < 144; ++i) {
            device.DrawImage(40 + (i % 16) * 44, 40 + (i / 16) * 56, tile.get(), nullptr, 100, 100, 255, covered);
        }
        device.EndFrame();
        device.Present();
        // The renderer queues its work: reading one pixel waits until it is done.
        if (accelerated) device.ReadBackBuffer(Rect{0, 0, 1, 1}, pixel, 4);
    };
    frame();  // prepares the copies or textures
    // The figure is the processor time of the whole process, which a busy machine does not
    // inflate: the renderer and the upload may work on threads of their own. What the display
    // server spends on showing the picture is not in it.
    const double cpuStart = ProcessMilliseconds();
    for (auto _ : state) frame();
    const double spent = ProcessMilliseconds() - cpuStart;
    if (state.iterations() > 0) g_redrawMs[name] = spent / static_cast<double>(state.iterations());
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    struct Path {
        std::string name;
        bool accelerated;
        int32_t build;  // build class of the primitives: 0 plain, 1 SSE, 2 SSE2, 3 SSE3
    };
    // The software path with every build this processor may run, then the accelerated path.
    static const char* const kBuildNames[] = {"plain", "sse", "sse2", "sse3"};
    std::vector<Path> paths;
    const int32_t best = BestRunnableBuild();
    for (int32_t build = 0; build <= best; ++build) paths.push_back({kBuildNames[build], false, build});
    paths.push_back({"accelerated", true, best});

    for (const Path& path : paths) {
        const std::string name = "redraw/" + path.name;
        benchmark::RegisterBenchmark(name.c_str(), [path](benchmark::State& state) {
            if (FillDispatchSlots(path.build) != 1) {
                state.SkipWithError("build not available");
                return;
            }
            Redraw(state, path.name, path.accelerated);
        })->Unit(benchmark::kMillisecond)->MinTime(1.0);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    auto figure = [](const char* name) {
        const auto found = g_redrawMs.find(name);
        if (found == g_redrawMs.end()) return std::string("n/a");
        char text[32];
        std::snprintf(text, sizeof text, "%.3f", found->second);
        return std::string(text);
    };
    for (const Path& path : paths) {
        if (!path.accelerated) std::printf("redraw-ms %s=%s\n", path.name.c_str(), figure(path.name.c_str()).c_str());
    }
    std::printf("redraw-ms plain=%s sse2=%s accelerated=%s\n", figure("plain").c_str(), figure("sse2").c_str(),
                figure("accelerated").c_str());
    return 0;
}
