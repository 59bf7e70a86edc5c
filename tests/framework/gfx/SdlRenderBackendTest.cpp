#include "framework/gfx/SdlRenderBackend.h"

#include <gtest/gtest.h>

#include <vector>

#include "SdlVideo.h"
#include "framework/core/MemoryResources.h"
#include "framework/core/ResourceModules.h"
#include "framework/gfx/RenderSelfTest.h"

namespace {

// SDL's software renderer blends correctly but drifts by a texel when a quad is cut at the
// target's edge, so the self-test keeps the accelerated path off on it.
TEST(SdlRenderBackend, SoftwareRendererFailsOnlyTheShiftAndCropScene) {
    MemoryResources strings;
    strings.AddString(81, "Shift and crop not supported");
    const ResourceModule* previous = ExeModule();
    SetExeModule(&strings);
    SdlVideo video("dummy");
    ASSERT_NE(video.Window(), nullptr) << SDL_GetError();
    auto backend = SdlRenderBackend::Create(video.Window(), SdlRenderBackend::Kind::QuadsInSoftware, false);
    ASSERT_NE(backend, nullptr) << SDL_GetError();
    EXPECT_TRUE(backend->GetCaps().accelerated);
    EXPECT_TRUE(backend->GetCaps().formats.argb8888);

    DisplaySettings settings;
    RenderSelfTest test(*backend, settings);
    RenderSelfTest::Environment env{"v.1.0.0.0", 32, 800, 600};
    EXPECT_FALSE(test.Test3D(env));
    EXPECT_EQ(settings.initError, "Shift and crop not supported");
    EXPECT_EQ(settings.initWarning, "");
    SetExeModule(previous);

    std::vector<uint8_t> frame(800 * 600 * 4, 0x40);
    EXPECT_TRUE(backend->PresentFrame(frame.data(), 800 * 4, Rect{0, 0, 800, 600}, Rect{0, 0, 800, 600}));
    EXPECT_FALSE(backend->IsLost());
}

TEST(SdlRenderBackend, FrameOnlyRendererRefusesQuadsAndAResetLosesTheDevice) {
    SdlVideo video("dummy");
    ASSERT_NE(video.Window(), nullptr) << SDL_GetError();
    auto backend = SdlRenderBackend::Create(video.Window(), SdlRenderBackend::Kind::FrameOnly, false);
    ASSERT_NE(backend, nullptr) << SDL_GetError();
    EXPECT_FALSE(backend->GetCaps().accelerated);

    SDL_Event reset{};
    reset.type = SDL_RENDER_TARGETS_RESET;
    SDL_PushEvent(&reset);
    EXPECT_TRUE(backend->IsLost());
    std::vector<uint8_t> frame(800 * 600 * 4, 0);
    EXPECT_FALSE(backend->PresentFrame(frame.data(), 800 * 4, Rect{0, 0, 800, 600}, Rect{0, 0, 800, 600}));
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

}  // namespace
