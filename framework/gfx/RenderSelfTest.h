#pragma once

#include <cstdint>

#include "framework/core/String.h"
#include "framework/gfx/DisplaySettings.h"
#include "framework/gfx/RenderBackend.h"

// Proves on the real renderer, before the accelerated path is trusted, that what image drawing
// relies on works: enough video memory, render targets, an alpha texture format, per-pixel and
// constant alpha blending and exact pixel placement of textured quads. The verdict and its
// texts are stored in the settings; an unchanged program version, desktop depth and resolution
// reuse the stored verdict without testing.
class RenderSelfTest {
public:
    struct Environment {
        String programVersion;
        int32_t desktopBitsPerPixel = 0;
        int32_t desktopWidth = 0;
        int32_t desktopHeight = 0;
    };

    // The code stored with a failed renderer call ("DXError: 0x%X ...").
    static constexpr uint32_t kCallFailed = 0x80004005;

    RenderSelfTest(RenderBackend& backend, DisplaySettings& settings);
    ~RenderSelfTest();
    RenderSelfTest(const RenderSelfTest&) = delete;
    RenderSelfTest& operator=(const RenderSelfTest&) = delete;

    // True when the accelerated path may be used (the "HardwareAcceleration" switch aside).
    bool Test3D(const Environment& environment);

    // Whether the stored verdict answers for this environment, with the verdict in `usable`.
    static bool StoredVerdict(const DisplaySettings& settings, const Environment& environment, bool& usable);

    // True when the last Test3D ran the scenes rather than answering from the stored verdict.
    bool RanScenes() const { return ranScenes_; }

private:
    bool RunRenderTests();
    bool BeginTestScene();
    bool FillTestTexture(uint32_t even, uint32_t odd);
    bool DrawTestTexture(int32_t x, int32_t y, int32_t alpha);
    bool CheckTestReadBack(uint32_t expected, bool shiftCrop);
    void ReleaseTestObjects();
    bool FailScene(int32_t textId, bool plain);

    void SetDirectXError(int32_t textId, uint32_t code);
    void SetPlainError(int32_t textId);
    void AddDirectXWarning(int32_t textId);

    RenderBackend& backend_;
    DisplaySettings& settings_;
    RenderBackend::Texture* target_ = nullptr;
    RenderBackend::Texture* texture_ = nullptr;
    uint8_t* readBack_ = nullptr;
    int32_t readBackStep_ = 0;
    bool ranScenes_ = false;
};
