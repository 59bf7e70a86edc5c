#include "framework/gfx/RenderSelfTest.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "framework/gfx/ImageOpsDispatchTable.h"

namespace {

constexpr int32_t kTextureSize = 64;
constexpr int32_t kTargetSize = 100;
constexpr int32_t kPassDistance = 0x300;

enum TextId : int32_t {
    kLowVideoMemory = 76,
    kNo8888 = 77,
    kNo8888Or4444 = 78,
    kNoAlphaBlend = 79,
    kNoConstantAlpha = 80,
    kNoShiftCrop = 81,
    kBlendNotUniform = 82,
    kNoVideoMemory = 83,
    kNoSurface = 86,
    kNoDevice = 87,
    kNoTexture = 88,
    kNoEndScene = 89,
    kNoBlendOff = 90,
    kNoBeginScene = 91,
    kNoBlendOn = 92,
    kNoClear = 96,
    kNoLockTexture = 97,
    kNoPaint = 99,
    kNoPaintConstant = 100,
};

// A verdict must never be lost to a missing text: without its text an error or warning is
// stored under its number.
String ExeText(int32_t id) {
    String text;
    if (!text.LoadExeString(id) || text.IsEmpty()) text.Format("#%d", static_cast<int>(id));
    return text;
}

int32_t Distance(const uint8_t* pixel, uint32_t rgb) {
    const int32_t db = pixel[0] - static_cast<int32_t>(rgb & 0xFF);
    const int32_t dg = pixel[1] - static_cast<int32_t>((rgb >> 8) & 0xFF);
    const int32_t dr = pixel[2] - static_cast<int32_t>((rgb >> 16) & 0xFF);
    return db * db + dg * dg + dr * dr;
}

uint16_t To4444(uint32_t argb) {
    return static_cast<uint16_t>(((argb >> 28) << 12) | (((argb >> 20) & 0xF) << 8) | (((argb >> 12) & 0xF) << 4) |
                                 ((argb >> 4) & 0xF));
}

int32_t Resolution(const RenderSelfTest::Environment& env) {
    return (env.desktopHeight << 16) | (env.desktopWidth & 0xFFFF);
}

}  // namespace

bool RenderSelfTest::StoredVerdict(const DisplaySettings& settings, const Environment& env, bool& usable) {
    usable = settings.initError.IsEmpty();
    return settings.lastTestVersion == env.programVersion && settings.lastTestBitCount == env.desktopBitsPerPixel &&
           settings.lastResolution == Resolution(env);
}

RenderSelfTest::RenderSelfTest(RenderBackend& backend, DisplaySettings& settings)
    : backend_(backend), settings_(settings) {}

RenderSelfTest::~RenderSelfTest() { ReleaseTestObjects(); }

void RenderSelfTest::SetDirectXError(int32_t textId, uint32_t code) {
    settings_.initError.Format("DXError: 0x%X %s", code, ExeText(textId).CStr());
}

void RenderSelfTest::SetPlainError(int32_t textId) { settings_.initError = ExeText(textId); }

void RenderSelfTest::AddDirectXWarning(int32_t textId) {
    if (!settings_.initWarning.IsEmpty()) settings_.initWarning += " ";
    settings_.initWarning += ExeText(textId);
}

bool RenderSelfTest::Test3D(const Environment& env) {
    ranScenes_ = false;
    uint64_t freeBytes = 0;
    bool known = false;
    if (!backend_.FreeVideoMemory(freeBytes, known)) {
        SetDirectXError(kNoVideoMemory, kCallFailed);
        return false;
    }
    const int32_t freeMegabytes = known ? static_cast<int32_t>(std::min<uint64_t>(freeBytes >> 20, INT32_MAX)) : 0;
    bool usable = false;
    if (StoredVerdict(settings_, env, usable)) return usable;
    settings_.lastTestVersion = env.programVersion;
    settings_.lastTestBitCount = env.desktopBitsPerPixel;
    settings_.lastResolution = Resolution(env);
    settings_.initError.Empty();
    settings_.initWarning.Empty();
    settings_.freeVideoBlocks = freeMegabytes;

    // A renderer that cannot tell its free memory is taken to have plenty.
    if (known) {
        if (freeMegabytes < settings_.minVideoMemory) {
            SetPlainError(kLowVideoMemory);
            return false;
        }
        if (freeMegabytes < settings_.goodVideoMemory) AddDirectXWarning(kLowVideoMemory);
        settings_.useDDTM = freeMegabytes < settings_.textureManageVideoMemory;
    } else {
        settings_.useDDTM = false;
    }

    ranScenes_ = true;
    const RenderBackend::Caps caps = backend_.GetCaps();
    target_ = backend_.CreateTexture(kTargetSize, kTargetSize, RenderBackend::TextureFormat::Argb8888, true);
    if (!target_) {
        SetDirectXError(kNoSurface, kCallFailed);
        ReleaseTestObjects();
        return false;
    }
    if (!caps.accelerated || !backend_.SetTarget(target_)) {
        SetDirectXError(kNoDevice, kCallFailed);
        ReleaseTestObjects();
        return false;
    }
    if (caps.formats.argb4444 && !caps.formats.argb8888 && !caps.formats.rgb565) AddDirectXWarning(kNo8888);
    if (!caps.formats.argb8888 && !caps.formats.argb4444) {
        SetPlainError(kNo8888Or4444);
        ReleaseTestObjects();
        return false;
    }
    texture_ = backend_.CreateTexture(kTextureSize, kTextureSize,
                                      caps.formats.argb8888 ? RenderBackend::TextureFormat::Argb8888
                                                            : RenderBackend::TextureFormat::Argb4444,
                                      false);
    if (!texture_) {
        SetDirectXError(kNoTexture, kCallFailed);
        ReleaseTestObjects();
        return false;
    }
    const bool passed = RunRenderTests();
    ReleaseTestObjects();
    if (!settings_.initWarning.IsEmpty()) settings_.hardwareAcceleration = false;
    return passed;
}

bool RenderSelfTest::FailScene(int32_t textId, bool plain) {
    backend_.EndScene();
    if (plain) SetPlainError(textId);
    else SetDirectXError(textId, kCallFailed);
    return false;
}

bool RenderSelfTest::RunRenderTests() {
    // Per-pixel alpha: red at alpha 128 over opaque blue.
    if (!BeginTestScene()) return false;
    if (!FillTestTexture(0xFF0000FF, 0xFF0000FF) || !DrawTestTexture(0, 0, 255) ||
        !FillTestTexture(0x80FF0000, 0x80FF0000) || !DrawTestTexture(0, 0, 255)) {
        backend_.EndScene();
        return false;
    }
    if (!backend_.EndScene()) {
        SetDirectXError(kNoEndScene, kCallFailed);
        return false;
    }
    if (!CheckTestReadBack(0x7F007F, false)) {
        SetPlainError(kNoAlphaBlend);
        return false;
    }

    // Constant alpha: opaque red drawn at alpha 128 over opaque blue.
    if (!BeginTestScene()) return false;
    if (!FillTestTexture(0xFF0000FF, 0xFF0000FF) || !DrawTestTexture(0, 0, 255) ||
        !FillTestTexture(0xFFFF0000, 0xFFFF0000) || !DrawTestTexture(0, 0, 128)) {
        backend_.EndScene();
        return false;
    }
    backend_.EndScene();
    if (!CheckTestReadBack(0x7F007F, false)) {
        SetPlainError(kNoConstantAlpha);
        return false;
    }

    // Shift and crop: alternating black and white columns drawn two pixels up and left must
    // land on whole pixels.
    if (!BeginTestScene()) return false;
    if (!backend_.SetBlending(false)) return FailScene(kNoBlendOff, false);
    if (!FillTestTexture(0xFF000000, 0xFFFFFFFF) || !DrawTestTexture(-2, -2, 255)) {
        backend_.EndScene();
        return false;
    }
    backend_.EndScene();
    if (!CheckTestReadBack(0, true)) {
        SetPlainError(kNoShiftCrop);
        return false;
    }
    return true;
}

bool RenderSelfTest::BeginTestScene() {
    if (!backend_.BeginScene()) {
        SetDirectXError(kNoBeginScene, kCallFailed);
        return false;
    }
    if (!backend_.SetBlending(true)) return FailScene(kNoBlendOn, false);
    if (!backend_.Clear(nullptr, 0xFF000000)) return FailScene(kNoClear, false);
    return true;
}

bool RenderSelfTest::FillTestTexture(uint32_t even, uint32_t odd) {
    const bool wide = texture_->format == RenderBackend::TextureFormat::Argb8888;
    const int32_t bytes = wide ? 4 : 2;
    std::vector<uint8_t> pixels(static_cast<size_t>(kTextureSize) * kTextureSize * bytes);
    for (int32_t y = 0; y < kTextureSize; ++y) {
        for (int32_t x = 0; x < kTextureSize; ++x) {
            const uint32_t argb = (x & 1) ? odd : even;
            const uint32_t value = wide ? argb : To4444(argb);
            uint8_t* p = &pixels[(static_cast<size_t>(y) * kTextureSize + x) * bytes];
            for (int32_t b = 0; b < bytes; ++b) p[b] = static_cast<uint8_t>(value >> (8 * b));
        }
    }
    if (!backend_.UpdateTexture(texture_, pixels.data(), kTextureSize * bytes)) {
        SetDirectXError(kNoLockTexture, kCallFailed);
        return false;
    }
    return true;
}

bool RenderSelfTest::DrawTestTexture(int32_t x, int32_t y, int32_t alpha) {
    const float left = static_cast<float>(x);
    const float top = static_cast<float>(y);
    const float right = left + kTextureSize;
    const float bottom = top + kTextureSize;
    const uint32_t colour = (static_cast<uint32_t>(alpha) << 24) | 0xFFFFFF;
    const RenderBackend::Vertex quad[4] = {{left, top, colour, 0, 0},
                                           {left, bottom, colour, 0, 1},
                                           {right, top, colour, 1, 0},
                                           {right, bottom, colour, 1, 1}};
    if (!backend_.DrawQuad(texture_, quad)) {
        SetDirectXError(alpha == 255 ? kNoPaint : kNoPaintConstant, kCallFailed);
        return false;
    }
    return true;
}

bool RenderSelfTest::CheckTestReadBack(uint32_t expected, bool shiftCrop) {
    if (!readBack_) readBack_ = AllocImage8u4Stub(kTextureSize, kTextureSize, &readBackStep_);
    if (!readBack_ || !backend_.ReadPixels(Rect{0, 0, kTextureSize, kTextureSize}, readBack_, readBackStep_)) {
        return false;
    }
    const int32_t size = shiftCrop ? kTextureSize - 2 : kTextureSize;
    bool uniform = true;
    const uint8_t* first = readBack_;
    for (int32_t y = 0; y < size; ++y) {
        const uint8_t* row = readBack_ + static_cast<int64_t>(y) * readBackStep_;
        for (int32_t x = 0; x < size; ++x) {
            const uint8_t* p = row + x * 4;
            const uint32_t want = shiftCrop ? ((x & 1) ? 0xFFFFFFu : 0u) : expected;
            if (Distance(p, want) >= kPassDistance) return false;
            uniform = uniform && p[0] == first[0] && p[1] == first[1] && p[2] == first[2];
        }
    }
    if (!shiftCrop && !uniform) AddDirectXWarning(kBlendNotUniform);
    return true;
}

void RenderSelfTest::ReleaseTestObjects() {
    FreeImageStub(readBack_);
    readBack_ = nullptr;
    if (texture_) backend_.DestroyTexture(texture_);
    texture_ = nullptr;
    if (target_) {
        backend_.SetTarget(nullptr);
        backend_.DestroyTexture(target_);
    }
    target_ = nullptr;
}
