#include "framework/gfx/SdlDisplayDevice.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "FakeRenderBackend.h"
#include "TestPictures.h"
#include "framework/core/MemoryResources.h"
#include "framework/core/ResourceModules.h"
#include "framework/gfx/Image.h"
#include "framework/gfx/ImageDrawContext.h"
#include "framework/gfx/ImageDrawing.h"
#include "framework/gfx/SdlRenderBackend.h"
#include "framework/gfx/TextureTile.h"

namespace {

class DeviceLifecycle : public ::testing::Test {
protected:
    void SetUp() override {
        strings_.AddString(76, "Low video memory");
        strings_.AddString(80, "Constant AlphaBlend not supported");
        previous_ = ExeModule();
        SetExeModule(&strings_);
    }
    void TearDown() override { SetExeModule(previous_); }

    SdlDisplayDevice::BackendFactory Factory() {
        return [this](bool) -> std::unique_ptr<RenderBackend> {
            ++made;
            auto fake = std::make_unique<FakeRenderBackend>();
            fake->failOn = failOn;
            last = fake.get();
            return fake;
        };
    }

    DisplaySettings settings;
    FakeRenderBackend* last = nullptr;
    std::string failOn;
    int made = 0;
    int redraws = 0;
    MemoryResources strings_;
    const ResourceModule* previous_ = nullptr;
};

TEST_F(DeviceLifecycle, ALostDeviceIsRebuiltAtTheNextFrame) {
    SdlDisplayDevice device(Factory(), settings, {}, nullptr, [this] { ++redraws; });
    ASSERT_EQ(device.SetMode(false, false), 0);
    EXPECT_TRUE(device.IsDirect3DInUse());
    EXPECT_EQ(redraws, 1);
    auto image = MakeImage(64, 64, 24, Gradient);
    Rect covered;
    ASSERT_TRUE(device.BeginFrame());
    device.DrawImage(0, 0, image.get(), nullptr, 100, 100, 255, covered);
    EXPECT_NE(image->tiles, nullptr);
    device.EndFrame();
    EXPECT_EQ(device.Present(), 0);

    last->lost = true;
    ASSERT_TRUE(device.BeginFrame());
    EXPECT_EQ(made, 2);
    EXPECT_EQ(redraws, 2);
    // The image is the caller's, not cached: its old tiles are found stale and made anew on
    // the new device.
    device.DrawImage(0, 0, image.get(), nullptr, 100, 100, 255, covered);
    EXPECT_NE(image->tiles, nullptr);
    EXPECT_EQ(last->draws, 1);
    device.EndFrame();
    EXPECT_EQ(device.Present(), 0);
    EXPECT_EQ(last->shown[0] & 0xFFFFFF, Gradient(0, 0) & 0xFFFFFF);
    image.reset();
    EXPECT_EQ(last->liveTextures, 2) << "back buffer and cursor save remain";
}

TEST_F(DeviceLifecycle, AFailedPresentReleasesAndTheNextFrameRebuilds) {
    failOn = "Present";
    SdlDisplayDevice device(Factory(), settings, {}, nullptr, nullptr);
    ASSERT_EQ(device.SetMode(false, false), 0);
    ASSERT_TRUE(device.BeginFrame());
    device.EndFrame();
    EXPECT_NE(device.Present(), 0);
    EXPECT_FALSE(device.HasDevice());
    EXPECT_TRUE(device.BeginFrame());
    EXPECT_TRUE(device.HasDevice());
}

TEST_F(DeviceLifecycle, TheSelfTestDecidesThePath) {
    {
        FakeRenderBackend* probe = nullptr;
        SdlDisplayDevice device(
            [&probe](bool quads) -> std::unique_ptr<RenderBackend> {
                auto fake = std::make_unique<FakeRenderBackend>();
                fake->ignoreVertexAlpha = quads;
                probe = fake.get();
                return fake;
            },
            settings, {}, nullptr, nullptr);
        ASSERT_EQ(device.SetMode(false, false), 0);
        EXPECT_FALSE(device.IsDirect3DInUse());
        EXPECT_EQ(settings.initError, "Constant AlphaBlend not supported");
        EXPECT_NE(device.Frame(), nullptr);
    }
    settings = DisplaySettings{};
    SdlDisplayDevice device(
        [](bool) -> std::unique_ptr<RenderBackend> {
            auto fake = std::make_unique<FakeRenderBackend>();
            fake->freeBytes = 12ull << 20;
            return fake;
        },
        settings, {}, nullptr, nullptr);
    ASSERT_EQ(device.SetMode(false, false), 0);
    EXPECT_FALSE(device.IsDirect3DInUse()) << "a warning switches acceleration off";
    EXPECT_FALSE(settings.hardwareAcceleration);
    EXPECT_EQ(settings.initWarning, "Low video memory");

    SdlDisplayDevice none([](bool) { return std::unique_ptr<RenderBackend>(); }, settings, {}, nullptr, nullptr);
    EXPECT_EQ(static_cast<uint32_t>(none.SetMode(false, false)), 0xF000FFFFu);
    EXPECT_FALSE(none.BeginFrame());
}

TEST_F(DeviceLifecycle, DrawingReportsWhatItCovers) {
    SdlDisplayDevice device(Factory(), settings, {}, nullptr, nullptr);
    ASSERT_EQ(device.SetMode(false, false), 0);
    ASSERT_TRUE(device.BeginFrame());
    auto image = MakeImage(40, 30, 32, AlphaRamp);
    Rect covered;
    device.DrawImage(5, 6, image.get(), nullptr, 100, 100, 0, covered);
    EXPECT_EQ(covered, (Rect{5, 6, 5, 6}));
    EXPECT_EQ(image->tiles, nullptr) << "alpha 0 draws nothing";
    const Rect part{10, 0, 30, 10};
    device.DrawImage(5, 6, image.get(), &part, 150, 50, 300, covered);
    EXPECT_EQ(covered, (Rect{5, 6, 35, 11}));
    // A 300x100 picture within 32..256 textures is cut into 256x128 and 64x128 tiles.
    auto wide = MakeImage(300, 100, 24, Gradient);
    ImageDrawContext& ctx = CurrentImageDrawContext();
    const ImageDrawContext saved = ctx;
    ctx.maxTextureWidth = ctx.maxTextureHeight = 256;
    ASSERT_TRUE(CreateImageTextures(*wide));
    std::vector<Rect> tiles;
    for (TextureTile* t = wide->tiles; t; t = t->next) {
        tiles.push_back(Rect{t->left, t->top, t->right, t->bottom});
        EXPECT_EQ(t->textureHeight, 128);
        EXPECT_EQ(t->textureWidth, t->left == 0 ? 256 : 64);
    }
    EXPECT_EQ(tiles, (std::vector<Rect>{Rect{256, 0, 300, 100}, Rect{0, 0, 256, 100}}));
    ctx.squareOnly = true;
    ASSERT_TRUE(CreateImageTextures(*wide));
    for (TextureTile* t = wide->tiles; t; t = t->next) {
        EXPECT_EQ(t->textureWidth, t->textureHeight);
        EXPECT_EQ(t->textureWidth, t->left == 0 ? 256 : 128);
    }
    ctx = saved;
}

TEST_F(DeviceLifecycle, ALateColourKeyIsHonoured) {
    settings.hardwareAcceleration = false;
    SdlDisplayDevice device(Factory(), settings, {}, nullptr, nullptr);
    ASSERT_EQ(device.SetMode(false, false), 0);
    ASSERT_TRUE(device.BeginFrame());
    auto image = MakeImage(41, 41, 24, Keyed);
    Rect covered;
    device.FillFrameRect(nullptr, 0);
    device.DrawImage(0, 0, image.get(), nullptr, 100, 100, 255, covered);
    auto at = [&](int32_t x, int32_t y) {
        const uint8_t* p = device.Frame() + static_cast<int64_t>(y) * device.FramePitch() + x * 4;
        return static_cast<uint32_t>(p[0] | (p[1] << 8) | (p[2] << 16));
    };
    EXPECT_EQ(at(20, 20), 0xFF00FFu);
    device.FillFrameRect(nullptr, 0);
    device.DrawImageKeyed(0, 0, image.get(), 0x00FF00FF, nullptr, 100, 100, 255, covered);
    EXPECT_EQ(at(20, 20), 0u) << "the key set after the first draw applies";
    EXPECT_EQ(at(0, 0), 0x20C040u);
}

TEST_F(DeviceLifecycle, DrawingIntoAnImageClipsToIt) {
    settings.hardwareAcceleration = false;
    SdlDisplayDevice device(Factory(), settings, {}, nullptr, nullptr);
    ASSERT_EQ(device.SetMode(false, false), 0);
    auto source = MakeImage(64, 64, 24, Gradient);
    ASSERT_TRUE(source->PrepareSoftwareCopy());
    Image* target = device.CreateImage(20, 10);
    target->Fill(0xFF000000);
    EXPECT_TRUE(DrawImageInto(*source, *target, 5, 5, Rect{0, 0, 64, 64}, 100, 100, 255));
    target->RestoreRowOrder();
    EXPECT_EQ(PixelOf(*target, 19, 9)[2], Gradient(14, 4) >> 16 & 0xFF);
    EXPECT_EQ(PixelOf(*target, 4, 4)[2], 0);
    Image empty;
    EXPECT_FALSE(DrawImageInto(empty, *target, 0, 0, Rect{0, 0, 1, 1}, 100, 100, 255));
    device.DestroyImage(target);
}

TEST_F(DeviceLifecycle, ADeviceLostWhileDrawingIsRebuiltAtTheNextFrame) {
    SdlDisplayDevice device(Factory(), settings, {}, nullptr, [this] { ++redraws; });
    ASSERT_EQ(device.SetMode(false, false), 0);
    auto image = MakeImage(48, 58, 32, AlphaRamp);
    Rect covered;
    ASSERT_TRUE(device.BeginFrame());
    device.DrawImage(0, 0, image.get(), nullptr, 100, 100, 255, covered);
    last->lost = true;
    device.DrawImage(0, 0, image.get(), nullptr, 100, 100, 255, covered);
    EXPECT_EQ(image->tiles, nullptr) << "a failed draw drops the tiles";
    device.EndFrame();
    // Presenting finds the device lost, makes it anew and asks for the whole screen again.
    EXPECT_EQ(device.Present(), 0);
    EXPECT_EQ(made, 2);
    EXPECT_EQ(redraws, 2);
    ASSERT_TRUE(device.BeginFrame());
    EXPECT_EQ(made, 2);
    device.DrawImage(0, 0, image.get(), nullptr, 100, 100, 255, covered);
    device.EndFrame();
    EXPECT_EQ(device.Present(), 0);
    EXPECT_EQ(last->shown[static_cast<size_t>(10) * 800 + 47] >> 24, 255u) << "drawn on the new device";
}

}  // namespace
