// One scene drawn on both paths of the display device, read back and compared pixel by pixel.
// Runs headless on SDL's offscreen OpenGL driver and under Xvfb on the X11 driver; each run
// leaves its frames as PPM files in the build folder. (SDL's own software renderer places
// textured quads half a pixel off, fails the self-test and so never serves the accelerated
// path.)
#include <SDL.h>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <link.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "FakeRenderBackend.h"
#include "SdlVideo.h"
#include "TestPictures.h"
#include "framework/gfx/SdlDisplayDevice.h"
#include "framework/gfx/SdlRenderBackend.h"

namespace {

constexpr int32_t kWidth = 800;
constexpr int32_t kHeight = 600;

struct Region {
    const char* what;
    Rect rect;
    int tolerance;  // largest difference of one colour byte
};

// The parts of the scene and how far the paths may differ in each, with the reason.
const Region kRegions[] = {
    // Fills and opaque copies move whole bytes on both paths.
    {"fill", Rect{0, 0, 800, 40}, 0},
    {"opaque", Rect{10, 50, 74, 114}, 0},
    // The key is applied bit-exactly on both paths: keyed pixels are left alone, the rest copied.
    {"keyed", Rect{100, 50, 141, 91}, 0},
    // Per-pixel alpha: the software path composites a premultiplied copy (two roundings), the
    // renderer blends straight alpha (one rounding); they part by at most one step each.
    {"alpha", Rect{200, 50, 248, 108}, 2},
    // Constant alpha over an opaque picture: the same two roundings against one.
    {"constant24", Rect{300, 50, 364, 114}, 2},
    // Constant alpha over per-pixel alpha: premultiply, constant multiply and blend each round
    // on the software path, against the renderer's modulate-then-blend.
    {"constant32", Rect{400, 50, 448, 108}, 3},
    {"keyed-constant", Rect{500, 50, 541, 91}, 3},
    // Nearest sampling of 2x2 blocks: the two paths may pick neighbouring source pixels, which
    // hold the same colour.
    {"scaled-up", Rect{10, 150, 138, 278}, 0},
    {"scaled-down", Rect{200, 150, 232, 182}, 0},
    // Veils: a multiply and a saturating add against the renderer's blend, one rounding each.
    {"veil", Rect{0, 300, 800, 400}, 2},
    {"darken", Rect{0, 400, 800, 500}, 2},
    // A picture cut by the frame's corner.
    {"corner", Rect{780, 580, 800, 600}, 0},
    {"whole", Rect{0, 0, 800, 600}, 3},
};

void DrawScene(DisplayDevice& device, Image& opaque, Image& alpha, Image& blocks, Image& keyed) {
    Rect covered;
    device.FillFrameRect(nullptr, 0x00604020);
    const Rect band{0, 300, 800, 500};
    device.FillFrameRect(&band, 0x00C0A080);
    device.DrawImage(10, 50, &opaque, nullptr, 100, 100, 255, covered);
    device.DrawImageKeyed(100, 50, &keyed, 0x00FF00FF, nullptr, 100, 100, 255, covered);
    device.DrawImage(200, 50, &alpha, nullptr, 100, 100, 255, covered);
    device.DrawImage(300, 50, &opaque, nullptr, 100, 100, 128, covered);
    device.DrawImage(400, 50, &alpha, nullptr, 100, 100, 100, covered);
    device.DrawImageKeyed(500, 50, &keyed, 0x00FF00FF, nullptr, 100, 100, 160, covered);
    device.DrawImage(10, 150, &blocks, nullptr, 200, 200, 255, covered);
    device.DrawImage(200, 150, &blocks, nullptr, 50, 50, 255, covered);
    const Rect veil{0, 300, 800, 400};
    device.BlendFrameRect(&veil, 96, 0x00FFFFFF);
    const Rect darken{0, 400, 800, 500};
    device.BlendFrameRect(&darken, 128, 0);
    device.DrawImage(780, 580, &opaque, nullptr, 100, 100, 255, covered);
}

void SavePpm(const char* name, const std::vector<uint8_t>& frame) {
    const std::string path = std::string(QM_BINARY_DIR) + "/display-scene-" + name + ".ppm";
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    std::fprintf(f, "P6\n%d %d\n255\n", kWidth, kHeight);
    for (size_t i = 0; i < static_cast<size_t>(kWidth) * kHeight; ++i) {
        const uint8_t rgb[3] = {frame[i * 4 + 2], frame[i * 4 + 1], frame[i * 4]};
        std::fwrite(rgb, 1, 3, f);
    }
    std::fclose(f);
}

// The OpenGL drivers keep their allocations in globals and are unloaded when SDL lets them go,
// which leaves the allocations unreachable and unnamed at exit. Keeping every loaded library
// loaded keeps them reachable (and any report about them named).
int PinLibrary(dl_phdr_info* info, size_t, void*) {
    if (info->dlpi_name && info->dlpi_name[0]) dlopen(info->dlpi_name, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
    return 0;
}

using Factory = SdlDisplayDevice::BackendFactory;

Factory SdlFactory(SDL_Window* window, SdlRenderBackend::Kind quadsKind) {
    return [window, quadsKind](bool quads) -> std::unique_ptr<RenderBackend> {
        auto made = SdlRenderBackend::Create(window, quads ? quadsKind : SdlRenderBackend::Kind::FrameOnly, false);
        dl_iterate_phdr(PinLibrary, nullptr);
        return made;
    };
}

class DisplayScene : public ::testing::Test {
protected:
    DisplayScene()
        : opaque(MakeImage(64, 64, 24, Gradient)),
          alpha(MakeImage(48, 58, 32, AlphaRamp)),
          blocks(MakeImage(64, 64, 24, Blocks)),
          keyed(MakeImage(41, 41, 24, Keyed)) {}

    // Draws the scene on one path and answers the frame read back as 32-bit top-down pixels.
    std::vector<uint8_t> Render(Factory factory, bool accelerated) {
        DisplaySettings settings;
        settings.hardwareAcceleration = accelerated;
        SdlDisplayDevice device(std::move(factory), settings, SdlDisplayDevice::Environment{}, nullptr, nullptr);
        std::vector<uint8_t> frame(static_cast<size_t>(kWidth) * kHeight * 4);
        EXPECT_EQ(device.SetMode(false, false), 0);
        EXPECT_EQ(device.IsDirect3DInUse(), accelerated) << settings.initError.CStr();
        if (!device.BeginFrame()) {
            ADD_FAILURE() << "no frame";
            return frame;
        }
        DrawScene(device, *opaque, *alpha, *blocks, *keyed);
        device.EndFrame();
        if (accelerated) {
            EXPECT_TRUE(device.ReadBackBuffer(Rect{0, 0, kWidth, kHeight}, frame.data(), kWidth * 4));
        } else {
            for (int32_t y = 0; y < kHeight; ++y) {
                std::copy_n(device.Frame() + static_cast<int64_t>(y) * device.FramePitch(), kWidth * 4,
                            frame.data() + static_cast<size_t>(y) * kWidth * 4);
            }
        }
        EXPECT_EQ(device.Present(), 0);
        return frame;
    }

    static void Compare(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
        for (const Region& region : kRegions) {
            int worst = 0;
            int worstX = 0;
            int worstY = 0;
            for (int32_t y = region.rect.top; y < region.rect.bottom; ++y) {
                for (int32_t x = region.rect.left; x < region.rect.right; ++x) {
                    for (int c = 0; c < 3; ++c) {
                        const size_t i = (static_cast<size_t>(y) * kWidth + x) * 4 + c;
                        const int d = std::abs(a[i] - b[i]);
                        if (d > worst) {
                            worst = d;
                            worstX = x;
                            worstY = y;
                        }
                    }
                }
            }
            EXPECT_LE(worst, region.tolerance) << region.what << " differs most at " << worstX << "," << worstY;
        }
    }

    static uint32_t At(const std::vector<uint8_t>& frame, int32_t x, int32_t y) {
        const uint8_t* p = &frame[(static_cast<size_t>(y) * kWidth + x) * 4];
        return static_cast<uint32_t>(p[0] | (p[1] << 8) | (p[2] << 16));
    }

    // The software path's frame, with spot checks of what it must show.
    std::vector<uint8_t> SoftwareFrame(Factory factory) {
        auto frame = Render(std::move(factory), false);
        SavePpm("software", frame);
        EXPECT_EQ(At(frame, 5, 5), 0x204060u) << "the fill";
        EXPECT_EQ(At(frame, 100 + 20, 50 + 20), 0x204060u) << "the keyed centre shows the fill";
        EXPECT_EQ(At(frame, 100, 50), 0x20C040u);
        EXPECT_EQ(At(frame, 10 + 3, 50 + 2), Gradient(3, 2) & 0xFFFFFF);
        EXPECT_EQ(At(frame, 10 + 5, 150 + 9), Blocks(2, 4) & 0xFFFFFF) << "doubled";
        EXPECT_EQ(At(frame, 200 + 7, 150 + 3), Blocks(14, 6) & 0xFFFFFF) << "halved";
        EXPECT_EQ(At(frame, 799, 599), Gradient(19, 19) & 0xFFFFFF) << "cut by the corner";
        // The darkened band keeps 127/255 of the band's colour, truncating, and adds nothing.
        EXPECT_EQ(At(frame, 5, 450), (0x80u * 127 / 255) << 16 | (0xA0u * 127 / 255) << 8 | 0xC0u * 127 / 255);
        return frame;
    }

    std::unique_ptr<Image> opaque, alpha, blocks, keyed;
};

// The headless machines have only a renderer that rasterizes on the processor; the harness lets
// it stand in for a hardware one.
void AllowSoftwareRasterizer(bool allowed) {
    setenv("QUILLOMAR_TEST", "1", 1);
    setenv("QUILLOMAR_SOFTWARE_3D", allowed ? "1" : "0", 1);
}

std::string CurrentGlRenderer() {
    using GetString = const unsigned char* (*)(unsigned int);
    const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* name = SDL_GL_GetCurrentContext() && getString ? getString(0x1F01) : nullptr;
    return name ? reinterpret_cast<const char*>(name) : "";
}

TEST_F(DisplayScene, TheHardwareRendererDrawsWhatTheSoftwarePathDraws) {
    SdlVideo video(std::getenv("DISPLAY") ? "x11" : "offscreen");
    ASSERT_NE(video.Window(), nullptr) << SDL_GetError();
    AllowSoftwareRasterizer(true);
    const auto software = SoftwareFrame(SdlFactory(video.Window(), SdlRenderBackend::Kind::Quads));
    {
        auto probe = SdlRenderBackend::Create(video.Window(), SdlRenderBackend::Kind::Quads, false);
        if (!probe) GTEST_SKIP() << "no hardware renderer on this machine: " << SDL_GetError();
    }
    const auto accelerated = Render(SdlFactory(video.Window(), SdlRenderBackend::Kind::Quads), true);
    SavePpm("accelerated", accelerated);
    Compare(software, accelerated);
}

// A GL renderer that draws on the processor costs more than the software path: it fails the
// self-test as no hardware device, and the device takes the software path.
TEST_F(DisplayScene, ARendererThatRasterizesOnTheProcessorIsNoHardwareDevice) {
    // A layer over the rasterizer is still the rasterizer; a card's driver built with LLVM is not.
    EXPECT_TRUE(SdlRenderBackend::IsSoftwareRasterizer("zink (llvmpipe (LLVM 15.0.6, 256 bits))"));
    EXPECT_FALSE(SdlRenderBackend::IsSoftwareRasterizer("AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49)"));

    SdlVideo video(std::getenv("DISPLAY") ? "x11" : "offscreen");
    ASSERT_NE(video.Window(), nullptr) << SDL_GetError();
    AllowSoftwareRasterizer(false);
    bool emulated = false;
    {
        auto probe = SdlRenderBackend::Create(video.Window(), SdlRenderBackend::Kind::Quads, false);
        if (!probe) GTEST_SKIP() << "no hardware renderer on this machine: " << SDL_GetError();
        emulated = SdlRenderBackend::IsSoftwareRasterizer(CurrentGlRenderer());
        EXPECT_EQ(probe->GetCaps().accelerated, !emulated) << CurrentGlRenderer();
    }
    DisplaySettings settings;
    settings.hardwareAcceleration = true;
    SdlDisplayDevice device(SdlFactory(video.Window(), SdlRenderBackend::Kind::Quads), settings,
                            SdlDisplayDevice::Environment{}, nullptr, nullptr);
    EXPECT_EQ(device.SetMode(false, false), 0);
    EXPECT_EQ(device.IsDirect3DInUse(), !emulated);
    EXPECT_EQ(settings.initError.IsEmpty(), !emulated) << settings.initError.CStr();
    AllowSoftwareRasterizer(true);
}

int NoteDriver(dl_phdr_info* info, size_t, void* found) {
    const std::string name = info->dlpi_name ? info->dlpi_name : "";
    for (const char* driver : {"libGLX_mesa", "libEGL_mesa", "_dri.so", "libLLVM", "libgallium"}) {
        if (name.find(driver) != std::string::npos) *static_cast<std::string*>(found) = name;
    }
    return 0;
}

// The 3D drivers stay in the process once loaded, so the software path must never need them.
// Another case of this program may have loaded them already: the check runs in a fresh copy of it.
TEST_F(DisplayScene, TheSoftwarePathLoadsNoThreeDimensionalDriver) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            SdlVideo video(std::getenv("DISPLAY") ? "x11" : "offscreen");
            if (video.Window()) SoftwareFrame(SdlFactory(video.Window(), SdlRenderBackend::Kind::Quads));
            std::string driver;
            dl_iterate_phdr(NoteDriver, &driver);
            std::fprintf(stderr, "%s %s\n", SDL_GetError(), driver.c_str());
            std::exit(video.Window() && driver.empty() && !HasFailure() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

// The in-memory renderer follows the renderer's rules exactly (pixel centres, nearest texels,
// straight-alpha blending), so the comparison holds even where SDL has no renderer at all.
TEST_F(DisplayScene, TheReferenceRendererDrawsWhatTheSoftwarePathDraws) {
    const auto software = SoftwareFrame([](bool quads) -> std::unique_ptr<RenderBackend> {
        return quads ? nullptr : std::make_unique<FakeRenderBackend>();
    });
    const auto reference = Render([](bool) -> std::unique_ptr<RenderBackend> {
        return std::make_unique<FakeRenderBackend>();
    }, true);
    Compare(software, reference);
}

}  // namespace
