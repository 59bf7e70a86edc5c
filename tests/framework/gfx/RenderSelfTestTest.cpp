#include "framework/gfx/RenderSelfTest.h"

#include <gtest/gtest.h>

#include "FakeRenderBackend.h"
#include "framework/core/MemoryResources.h"
#include "framework/core/ResourceModules.h"

namespace {

class RenderSelfTestTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* texts[] = {"Low video memory", "ARGB Texture format 8888 not supported",
                               "ARGB Texture format 8888 and 4444 not supported", "32bit AlphaBlend not supported",
                               "Constant AlphaBlend not supported", "Shift and crop not supported",
                               "AlphaBlend not uniform", "Cannot determine available video memory"};
        for (int i = 0; i < 8; ++i) strings_.AddString(76 + i, texts[i]);
        strings_.AddString(86, "Unable to create 3D surface");
        strings_.AddString(87, "Unable to create HAL device");
        strings_.AddString(89, "Unable to end scene");
        strings_.AddString(91, "Unable to begin scene");
        strings_.AddString(99, "Unable to paint 3D texture");
        strings_.AddString(100, "Unable to paint 3D texture (constant alpha)");
        previous_ = ExeModule();
        SetExeModule(&strings_);
        env_.programVersion = "v.1.0.0.1";
        env_.desktopBitsPerPixel = 32;
        env_.desktopWidth = 1280;
        env_.desktopHeight = 800;
    }
    void TearDown() override { SetExeModule(previous_); }

    bool Run() {
        RenderSelfTest test(backend_, settings_);
        const bool ok = test.Test3D(env_);
        ranScenes_ = test.RanScenes();
        EXPECT_EQ(backend_.liveTextures, 0) << "test objects are released";
        return ok;
    }

    MemoryResources strings_;
    const ResourceModule* previous_ = nullptr;
    FakeRenderBackend backend_;
    DisplaySettings settings_;
    RenderSelfTest::Environment env_;
    bool ranScenes_ = false;
};

TEST_F(RenderSelfTestTest, ACorrectDevicePassesAndTheVerdictIsStored) {
    EXPECT_TRUE(Run());
    EXPECT_TRUE(ranScenes_);
    EXPECT_EQ(settings_.initError, "");
    EXPECT_EQ(settings_.initWarning, "");
    EXPECT_TRUE(settings_.hardwareAcceleration);
    EXPECT_EQ(settings_.lastTestVersion, "v.1.0.0.1");
    EXPECT_EQ(settings_.lastTestBitCount, 32);
    EXPECT_EQ(settings_.lastResolution, (800 << 16) | 1280);
    EXPECT_EQ(settings_.freeVideoBlocks, 256);
    EXPECT_FALSE(settings_.useDDTM);
    EXPECT_EQ(backend_.scenes, 3);

    // Unchanged version, depth and resolution: the stored verdict answers, no scene runs.
    EXPECT_TRUE(Run());
    EXPECT_FALSE(ranScenes_);
    EXPECT_EQ(backend_.scenes, 3);
    settings_.initError = "Low video memory";
    EXPECT_FALSE(Run());
    EXPECT_FALSE(ranScenes_);
    // A new resolution runs the whole test again.
    env_.desktopWidth = 1024;
    EXPECT_TRUE(Run());
    EXPECT_TRUE(ranScenes_);
    EXPECT_EQ(settings_.initError, "");
}

TEST_F(RenderSelfTestTest, VideoMemoryLimits) {
    backend_.freeBytes = 12ull << 20;
    EXPECT_TRUE(Run());
    EXPECT_EQ(settings_.initWarning, "Low video memory");
    EXPECT_FALSE(settings_.hardwareAcceleration);
    EXPECT_TRUE(settings_.useDDTM);

    settings_ = DisplaySettings{};
    backend_.freeBytes = 5ull << 20;
    EXPECT_FALSE(Run());
    EXPECT_EQ(settings_.initError, "Low video memory");
    EXPECT_FALSE(ranScenes_);

    settings_ = DisplaySettings{};
    backend_.memoryQueryFails = true;
    EXPECT_FALSE(Run());
    EXPECT_EQ(settings_.initError, "DXError: 0x80004005 Cannot determine available video memory");

    // A renderer that cannot tell its memory is taken to have enough.
    settings_ = DisplaySettings{};
    backend_.memoryQueryFails = false;
    backend_.memoryKnown = false;
    EXPECT_TRUE(Run());
    EXPECT_EQ(settings_.initWarning, "");
}

TEST_F(RenderSelfTestTest, TextureFormats) {
    backend_.caps.formats = RenderBackend::Formats{false, true, true};  // 4444 and 565
    EXPECT_TRUE(Run());
    EXPECT_EQ(settings_.initWarning, "");

    settings_ = DisplaySettings{};
    backend_.caps.formats = RenderBackend::Formats{false, true, false};
    EXPECT_TRUE(Run());
    EXPECT_EQ(settings_.initWarning, "ARGB Texture format 8888 not supported");
    EXPECT_FALSE(settings_.hardwareAcceleration);

    settings_ = DisplaySettings{};
    backend_.caps.formats = RenderBackend::Formats{false, false, true};
    EXPECT_FALSE(Run());
    EXPECT_EQ(settings_.initError, "ARGB Texture format 8888 and 4444 not supported");
}

TEST_F(RenderSelfTestTest, EachWrongRenderingHasItsOwnText) {
    backend_.ignoreTextureAlpha = true;
    EXPECT_FALSE(Run());
    EXPECT_EQ(settings_.initError, "32bit AlphaBlend not supported");

    settings_ = DisplaySettings{};
    backend_.ignoreTextureAlpha = false;
    backend_.ignoreVertexAlpha = true;
    EXPECT_FALSE(Run());
    EXPECT_EQ(settings_.initError, "Constant AlphaBlend not supported");

    settings_ = DisplaySettings{};
    backend_.ignoreVertexAlpha = false;
    backend_.placementShift = 1;
    EXPECT_FALSE(Run());
    EXPECT_EQ(settings_.initError, "32bit AlphaBlend not supported");  // the first scene sees it already
}

TEST_F(RenderSelfTestTest, FailingCallsAreReportedWithTheirCode) {
    struct Case {
        const char* op;
        int32_t after;
        const char* text;
    };
    const Case cases[] = {
        {"CreateTarget", 0, "DXError: 0x80004005 Unable to create 3D surface"},
        {"SetTarget", 0, "DXError: 0x80004005 Unable to create HAL device"},
        {"BeginScene", 0, "DXError: 0x80004005 Unable to begin scene"},
        {"EndScene", 0, "DXError: 0x80004005 Unable to end scene"},
        {"Draw", 0, "DXError: 0x80004005 Unable to paint 3D texture"},
        {"Draw", 3, "DXError: 0x80004005 Unable to paint 3D texture (constant alpha)"},
        {"ReadPixels", 0, "32bit AlphaBlend not supported"},
    };
    for (const Case& c : cases) {
        settings_ = DisplaySettings{};
        FakeRenderBackend fresh;
        fresh.failOn = c.op;
        fresh.failAfter = c.after;
        RenderSelfTest test(fresh, settings_);
        EXPECT_FALSE(test.Test3D(env_)) << c.op;
        EXPECT_EQ(settings_.initError, c.text) << c.op;
    }
    settings_ = DisplaySettings{};
    backend_.caps.accelerated = false;
    EXPECT_FALSE(Run());
    EXPECT_EQ(settings_.initError, "DXError: 0x80004005 Unable to create HAL device");
}

}  // namespace
