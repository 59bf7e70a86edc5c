#include "framework/gfx/SdlDisplayDevice.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
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
#include "platform/NullWindowBackend.h"

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

TEST_F(DeviceLifecycle, NoAcceleratedRendererIsMadeForAPathThatCannotBeTaken) {
    int quadsAsked = 0;
    auto factory = [&quadsAsked](bool quads) -> std::unique_ptr<RenderBackend> {
        quadsAsked += quads;
        return std::make_unique<FakeRenderBackend>();
    };
    settings.hardwareAcceleration = false;
    {
        SdlDisplayDevice device(factory, settings, {}, nullptr, nullptr);
        ASSERT_EQ(device.SetMode(false, false), 0);
        EXPECT_FALSE(device.IsDirect3DInUse());
        EXPECT_TRUE(device.IsCapable3D()) << "untested, so the switch may still be turned on";
    }
    EXPECT_EQ(quadsAsked, 0) << "the switch is off";

    settings.hardwareAcceleration = true;
    settings.lastTestVersion = "v.1";
    settings.lastTestBitCount = 32;
    settings.lastResolution = (600 << 16) | 800;
    settings.initError = "Constant AlphaBlend not supported";
    SdlDisplayDevice::Environment env;
    env.programVersion = "v.1";
    SdlDisplayDevice device(factory, settings, env, nullptr, nullptr);
    ASSERT_EQ(device.SetMode(false, false), 0);
    EXPECT_FALSE(device.IsCapable3D());
    EXPECT_EQ(quadsAsked, 0) << "the stored verdict is against it";
    EXPECT_NE(device.Frame(), nullptr);
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

// An uncompressed 24-bit TGA of one colour.
std::vector<uint8_t> PlainTga(int32_t width, int32_t height, uint8_t blue) {
    std::vector<uint8_t> tga(18, 0);
    tga[2] = 2;
    tga[12] = static_cast<uint8_t>(width);
    tga[14] = static_cast<uint8_t>(height);
    tga[16] = 24;
    for (int32_t i = 0; i < width * height; ++i) tga.insert(tga.end(), {blue, 0, 0});
    return tga;
}

TEST_F(DeviceLifecycle, ImageCacheKeepsTheFirstModulesPictureAndOnlyFilesThatLoaded) {
    strings_.Add("TGA", 900, PlainTga(1, 1, 10));
    MemoryResources assets;
    assets.Add("TGA", 900, PlainTga(2, 2, 20));
    const ResourceModule* previousAssets = AssetModule();
    SetAssetModule(&assets);
    SdlDisplayDevice device(Factory(), settings, {}, nullptr, nullptr);

    Image* exeFirst = device.GetImage(900, ImageModule::Executable);
    ASSERT_NE(exeFirst, nullptr);
    EXPECT_EQ(exeFirst->width, 1);
    EXPECT_EQ(device.GetImage(900, ImageModule::Assets), exeFirst) << "the id alone is the key";

    Image* missing = device.GetImage(901, ImageModule::Assets);
    ASSERT_NE(missing, nullptr) << "a failed load is cached as an empty image";
    EXPECT_EQ(missing->width, 0);
    ASSERT_EQ(device.SetMode(false, false), 0);
    Rect covered{1, 2, 3, 4};
    ASSERT_TRUE(device.BeginFrame());
    device.DrawImage(30, 40, missing, nullptr, 100, 100, 255, covered);
    device.EndFrame();
    EXPECT_TRUE(covered.IsEmpty());
    EXPECT_EQ(covered.left, 30);
    EXPECT_EQ(covered.top, 40);

    const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                      ("qm-cache-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::create_directories(dir);
    const std::string logo = (dir / "Logo").string();
    EXPECT_FALSE(device.LoadImageFile(950, logo.c_str()));
    const std::vector<uint8_t> tga = PlainTga(3, 2, 30);
    std::ofstream(dir / "Logo.TGA", std::ios::binary)
        .write(reinterpret_cast<const char*>(tga.data()), static_cast<std::streamsize>(tga.size()));
    EXPECT_TRUE(device.LoadImageFile(950, logo.c_str())) << "nothing was cached by the failed try";
    Image* loaded = device.GetImage(950, ImageModule::Assets);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->width, 3);
    std::filesystem::remove_all(dir);
    EXPECT_TRUE(device.LoadImageFile(950, logo.c_str())) << "a cached id answers without the file";

    SetAssetModule(previousAssets);
}

TEST_F(DeviceLifecycle, ADrawnResourcePictureIsHeldOnceAndItsRowsComeBackWhenWanted) {
    std::ifstream file(std::string(QM_TESTDATA_DIR) + "/pngsuite/basn6a08.png", std::ios::binary);
    MemoryResources assets;
    assets.Add("PNG", 902, std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {}));
    struct AssetsInUse {
        const ResourceModule* previous = AssetModule();
        explicit AssetsInUse(const ResourceModule* module) { SetAssetModule(module); }
        ~AssetsInUse() { SetAssetModule(previous); }
    } inUse(&assets);
    Image reference;
    ASSERT_TRUE(reference.LoadFromResource(902, &assets));
    const size_t rowBytes = static_cast<size_t>(reference.width) * 4;
    auto framePart = [](const SdlDisplayDevice& device) {
        std::vector<uint8_t> part;
        for (int32_t y = 0; y < 32; ++y) {
            const uint8_t* row = device.Frame() + static_cast<int64_t>(y) * device.FramePitch();
            part.insert(part.end(), row, row + 32 * 4);
        }
        return part;
    };

    settings.hardwareAcceleration = false;
    SdlDisplayDevice device(Factory(), settings, {}, nullptr, nullptr);
    ASSERT_EQ(device.SetMode(false, false), 0);
    Image* image = device.GetImage(902, ImageModule::Assets);
    ASSERT_EQ(image->width, 32);
    Rect covered;
    ASSERT_TRUE(device.BeginFrame());
    device.FillFrameRect(nullptr, 0);
    device.DrawImage(0, 0, image, nullptr, 100, 100, 255, covered);
    EXPECT_NE(image->softwareCopy, nullptr);
    EXPECT_EQ(image->pixels, nullptr) << "the software copy alone holds the picture";
    const std::vector<uint8_t> first = framePart(device);

    // A new device has no copy: the rows are decoded again to make one.
    ASSERT_EQ(device.SetMode(false, false), 0);
    ASSERT_TRUE(device.BeginFrame());
    device.FillFrameRect(nullptr, 0);
    device.DrawImage(0, 0, image, nullptr, 100, 100, 255, covered);
    EXPECT_EQ(framePart(device), first);
    EXPECT_EQ(image->pixels, nullptr);

    settings.hardwareAcceleration = true;
    ASSERT_EQ(device.SetMode(false, false), 0);
    ASSERT_TRUE(device.IsDirect3DInUse());
    ASSERT_TRUE(device.BeginFrame());
    device.DrawImage(0, 0, image, nullptr, 100, 100, 255, covered);
    EXPECT_NE(image->tiles, nullptr);
    EXPECT_EQ(image->pixels, nullptr) << "the textures alone hold the picture";

    ASSERT_TRUE(image->RestorePixels()) << "for a caller that reads the rows";
    for (int32_t y = 0; y < image->height; ++y) {
        EXPECT_EQ(std::memcmp(image->pixels + static_cast<int64_t>(y) * image->rowStep,
                              reference.pixels + static_cast<int64_t>(y) * reference.rowStep, rowBytes),
                  0);
    }
    EXPECT_NE(image->tiles, nullptr) << "restoring keeps what was prepared";
}

TEST_F(DeviceLifecycle, WideScreenShowsACentredFourByThreePictureAndWindowedTheWholeFrame) {
    SdlDisplayDevice::Environment env;
    env.screenWidth = 1280;
    env.screenHeight = 800;
    env.widescreenOption = true;
    SdlDisplayDevice device(Factory(), settings, env, nullptr, nullptr);
    ASSERT_EQ(device.SetMode(true, false), 0);
    Rect view;
    ASSERT_TRUE(device.GetStretchedViewport(view));
    EXPECT_EQ(view, (Rect{106, 0, 1173, 800}));
    ASSERT_TRUE(device.BeginFrame());
    device.EndFrame();
    ASSERT_EQ(device.Present(), 0);
    EXPECT_EQ(last->shownRect, (Rect{106, 0, 1173, 800}));

    ASSERT_EQ(device.SetMode(false, false), 0);
    ASSERT_TRUE(device.BeginFrame());
    device.EndFrame();
    ASSERT_EQ(device.Present(), 0);
    EXPECT_EQ(last->shownRect, (Rect{0, 0, 800, 600})) << "a window shows the frame as it is";
}

// A window whose full-screen requests are taken and never carried out, as on an X server without
// a window manager.
class IgnoredFullScreenWindow : public NullWindowBackend {
public:
    bool SetFullScreen(bool on, int32_t width, int32_t height) override { return true; }
};

TEST_F(DeviceLifecycle, FullScreenThatNeverHappensGoesOnInTheWindowShowingTheWholeFrame) {
    SdlDisplayDevice::Environment env;
    env.screenWidth = 1024;
    env.screenHeight = 768;
    IgnoredFullScreenWindow window;
    ASSERT_TRUE(window.CreateMainWindow("Quillomar", 800, 600, false));
    SdlDisplayDevice device(Factory(), settings, env, &window, nullptr);
    ASSERT_EQ(device.SetMode(true, false), 0);
    EXPECT_FALSE(device.IsFullScreen());
    Rect view;
    EXPECT_FALSE(device.GetStretchedViewport(view));
    ASSERT_TRUE(device.BeginFrame());
    device.EndFrame();
    ASSERT_EQ(device.Present(), 0);
    EXPECT_EQ(last->shownRect, (Rect{0, 0, 800, 600}));
}

TEST_F(DeviceLifecycle, FullScreenThatFallsBackToTheWindowStaysThePlayersChoice) {
    IgnoredFullScreenWindow window;
    ASSERT_TRUE(window.CreateMainWindow("Quillomar", 800, 600, false));
    SdlDisplayDevice device(Factory(), settings, SdlDisplayDevice::Environment{}, &window, nullptr);
    ASSERT_EQ(device.SetMode(true, false), 0);
    device.ReleaseAll();
    ASSERT_TRUE(device.BeginFrame()) << "the device is made anew in the window";
    device.EndFrame();
    EXPECT_TRUE(settings.fullScreen);
}

TEST_F(DeviceLifecycle, AReportedErrorShowsItsTextAndForcesTheNextFullSelfTest) {
    strings_.AddString(69, "Install the graphics library.");
    strings_.AddString(70, "A graphics error occurred: %X");
    NullWindowBackend window;
    SdlDisplayDevice::Environment env;
    env.caption = "Quillomar";
    settings.lastTestVersion = "v.1.0.0.0";
    SdlDisplayDevice device(Factory(), settings, env, &window, nullptr);
    device.ReportDirectXError(static_cast<int32_t>(0xF000FFFEu));
    ASSERT_EQ(window.Boxes().size(), 1u);
    EXPECT_EQ(window.Boxes()[0].text, "A graphics error occurred: F000FFFE");
    EXPECT_EQ(window.Boxes()[0].caption, "Quillomar");
    EXPECT_TRUE(settings.lastTestVersion.IsEmpty());
    device.ReportDirectXError(static_cast<int32_t>(0xF000FFFFu));
    ASSERT_EQ(window.Boxes().size(), 2u);
    EXPECT_EQ(window.Boxes()[1].text, "Install the graphics library.");
}

}  // namespace
