#include "framework/gfx/SdlDisplayDevice.h"

#include <algorithm>

#include "framework/core/ResourceModules.h"
#include "framework/gfx/BitmapFont.h"
#include "framework/gfx/FrameSize.h"
#include "framework/gfx/Image.h"
#include "framework/gfx/ImageDrawContext.h"
#include "framework/gfx/ImageDrawing.h"
#include "framework/gfx/RenderSelfTest.h"
#include "framework/gfx/ScratchImage.h"
#include "framework/gfx/SdlRenderBackend.h"
#include "framework/gfx/ImageOpsDispatchTable.h"
#include "platform/MulDiv.h"
#include "platform/SdlWindowBackend.h"

namespace {

constexpr int32_t kCursorSize = 32;

constexpr uint32_t kNoLibrary = 0xF000FFFF;
constexpr uint32_t kNoFrame = 0xF000FFFD;
constexpr uint32_t kNoAlphaTextures = 0xF000FFFB;
constexpr int32_t kTextNoLibrary = 69;
constexpr int32_t kTextError = 70;
constexpr uint32_t kErrorIcon = 0x10;

int32_t Code(uint32_t code) { return static_cast<int32_t>(code); }

const ResourceModule* ModuleOf(ImageModule module) {
    return module == ImageModule::Executable ? ExeModule() : AssetModule();
}

const Rect kScreen{0, 0, kFrameWidth, kFrameHeight};

}  // namespace

SdlDisplayDevice::SdlDisplayDevice(BackendFactory factory, DisplaySettings& settings, Environment environment,
                                   WindowBackend* window, std::function<void()> onFullRedraw)
    : factory_(std::move(factory)),
      settings_(settings),
      env_(std::move(environment)),
      window_(window),
      onFullRedraw_(std::move(onFullRedraw)) {}

SdlDisplayDevice::~SdlDisplayDevice() {
    imageCache_.clear();
    fontCache_.clear();
    createdImages_.clear();
    ReleaseAll();
    FreeScratchImage();
}

SdlDisplayDevice::BackendFactory SdlDisplayDevice::SdlFactory(WindowBackend& window, bool vsync) {
    auto* sdl = dynamic_cast<SdlWindowBackend*>(&window);
    return [sdl, vsync](bool quads) -> std::unique_ptr<RenderBackend> {
        if (!sdl || !sdl->NativeWindow()) return nullptr;
        return SdlRenderBackend::Create(sdl->NativeWindow(),
                                        quads ? SdlRenderBackend::Kind::Quads : SdlRenderBackend::Kind::FrameOnly,
                                        vsync);
    };
}

void SdlDisplayDevice::Publish() {
    ImageDrawContext& ctx = CurrentImageDrawContext();
    ctx = ImageDrawContext{};
    if (accelerated_ && backend_) {
        ctx.backend = backend_;
        const RenderBackend::Caps caps = backend_->GetCaps();
        ctx.minTextureWidth = std::max(caps.minTextureWidth, 32);
        ctx.minTextureHeight = std::max(caps.minTextureHeight, 32);
        ctx.maxTextureWidth = std::clamp(caps.maxTextureWidth, ctx.minTextureWidth, 512);
        ctx.maxTextureHeight = std::clamp(caps.maxTextureHeight, ctx.minTextureHeight, 512);
        ctx.squareOnly = caps.squareOnly;
        ctx.formats = caps.formats;
    } else if (frame_) {
        ctx.frame = PixelTarget{frame_, framePitch_, kFrameWidth, kFrameHeight};
    }
    ctx.frameClip = DrawableArea();
}

const Rect& SdlDisplayDevice::DrawableArea() const { return clipped_ ? clip_ : kScreen; }

void SdlDisplayDevice::Touch(const Rect& area) {
    if (!accelerated_) changed_ = Rect::Union(changed_, Rect::Intersect(area, DrawableArea()));
}

void SdlDisplayDevice::ClipFrame(const Rect* area) {
    clipped_ = area != nullptr;
    clip_ = area ? Rect::Intersect(*area, kScreen) : Rect{};
    CurrentImageDrawContext().frameClip = DrawableArea();
    if (accelerated_ && backend_) backend_->SetClip(area ? &clip_ : nullptr);
}

void SdlDisplayDevice::ReleaseAll() {
    for (auto& entry : imageCache_) {
        entry.second->DropTextures();
        entry.second->DropSoftwareCopy();
    }
    for (auto& image : createdImages_) {
        image->DropTextures();
        image->DropSoftwareCopy();
    }
    if (backend_) {
        if (cursorTexture_) backend_->DestroyTexture(cursorTexture_);
        if (backBuffer_) backend_->DestroyTexture(backBuffer_);
    }
    cursorTexture_ = nullptr;
    backBuffer_ = nullptr;
    cursorRect_ = Rect{};
    clipped_ = false;
    backend_.reset();
    FreeImageStub(frame_);
    frame_ = nullptr;
    framePitch_ = 0;
    accelerated_ = false;
    Publish();
}

void SdlDisplayDevice::Close() {
    const bool accelerated = accelerated_;
    ReleaseAll();
    closed_ = true;
    accelerated_ = accelerated;
}

int32_t SdlDisplayDevice::SetMode(bool fullScreen, bool keepDesktopDepth) {
    (void)keepDesktopDepth;  // the renderer always presents at the desktop's depth
    ReleaseAll();
    if (fullScreen != fullScreen_) {
        const bool sized = fullScreen && env_.explicitScreenSize;
        if (window_ && !window_->SetFullScreen(fullScreen, sized ? env_.screenWidth : 0,
                                               sized ? env_.screenHeight : 0)) {
            return Code(kModeRefused);
        }
        // A switch is the player's choice (or the stored one at start), kept even when it does
        // not happen.
        settings_.fullScreen = fullScreen;
        // A window manager may refuse full screen or not carry it out, and the window keeps
        // its size: the game goes on in the window rather than show a corner of its picture,
        // for this run only.
        if (fullScreen && window_ && !window_->IsFullScreen()) {
            window_->SetFullScreen(false, 0, 0);
            fullScreen = false;
        }
        fullScreen_ = fullScreen;
    }
    UpdateViewport();
    const int32_t result = InitDevice();
    if (result != 0) {
        ReleaseAll();
        return result;
    }
    if (onFullRedraw_) onFullRedraw_();
    return 0;
}

// The picture covers the window's drawable area as it is now (a window manager may resize the
// window at any time): in full screen all of it, or a centred 4:3 part of a wide screen when
// asked to; in a window of another size than the frame, the largest centred 4:3 part.
void SdlDisplayDevice::UpdateViewport() {
    int32_t width = fullScreen_ ? env_.screenWidth : kFrameWidth;
    int32_t height = fullScreen_ ? env_.screenHeight : kFrameHeight;
    if (window_ && window_->HasWindow()) {
        int32_t w = 0;
        int32_t h = 0;
        window_->GetClientSize(w, h);
        if (w > 0 && h > 0) {
            width = w;
            height = h;
        }
    }
    viewport_ = Rect{0, 0, width, height};
    const bool wideShown = env_.widescreenOption || (settings_.wideScreen && env_.desktopIsWide);
    if (!fullScreen_ || wideShown) {
        int32_t pictureWidth = MulDiv(height, 4, 3);
        int32_t pictureHeight = height;
        if (pictureWidth > width) {
            pictureWidth = width;
            pictureHeight = MulDiv(width, 3, 4);
        }
        viewport_.left = (width - pictureWidth) / 2;
        viewport_.right = viewport_.left + pictureWidth;
        viewport_.top = (height - pictureHeight) / 2;
        viewport_.bottom = viewport_.top + pictureHeight;
    }
    stretched_ = viewport_ != kScreen && !viewport_.IsEmpty();
}

int32_t SdlDisplayDevice::InitDevice() {
    const RenderSelfTest::Environment testEnv{env_.programVersion, env_.desktopBitsPerPixel, env_.desktopWidth,
                                              env_.desktopHeight};
    // The accelerated renderer loads the 3D drivers, which stay in the process once loaded, so
    // it is made only when its path may be taken. With the switch off and no stored verdict the
    // device counts as capable until the test, run once the switch is on, says otherwise.
    bool storedUsable = false;
    const bool stored = RenderSelfTest::StoredVerdict(settings_, testEnv, storedUsable);
    const bool wanted = settings_.hardwareAcceleration && (!stored || storedUsable);
    std::unique_ptr<RenderBackend> quads = wanted && factory_ ? factory_(true) : nullptr;
    if (quads) {
        RenderSelfTest test(*quads, settings_);
        capable3D_ = test.Test3D(testEnv);
    } else {
        capable3D_ = !wanted && (!stored || storedUsable);
    }
    accelerated_ = capable3D_ && settings_.hardwareAcceleration;
    if (accelerated_) {
        backend_ = std::move(quads);
        const RenderBackend::Caps caps = backend_->GetCaps();
        if (!caps.formats.argb8888 && !caps.formats.argb4444) return Code(kNoAlphaTextures);
        backBuffer_ = backend_->CreateTexture(kFrameWidth, kFrameHeight, RenderBackend::TextureFormat::Argb8888, true);
        if (!backBuffer_ || !backend_->SetTarget(backBuffer_) || !backend_->Clear(nullptr, 0xFF000000)) {
            return Code(RenderSelfTest::kCallFailed);
        }
        cursorTexture_ = backend_->CreateTexture(kCursorSize, kCursorSize, RenderBackend::TextureFormat::Argb8888,
                                                 false);
    } else {
        quads.reset();
        backend_ = factory_ ? factory_(false) : nullptr;
        if (!backend_) return Code(kNoLibrary);
        frame_ = AllocImage8u4Stub(kFrameWidth, kFrameHeight, &framePitch_);
        if (!frame_) return Code(kNoFrame);
        static const uint8_t kBlack[4] = {0, 0, 0, 0xFF};
        FillPixel8u4Stub(kBlack, frame_, framePitch_, kFrameWidth, kFrameHeight);
        changed_ = kScreen;
    }
    backend_->SetVSync(vsync_);
    Publish();
    return 0;
}

bool SdlDisplayDevice::EnsureDevice() {
    if (busy_ || closed_) return false;
    if (backend_ && backend_->IsLost()) ReleaseAll();
    if (backend_) return true;
    if (window_ && (!window_->HasWindow() || window_->IsMinimized())) return false;
    return SetMode(fullScreen_, false) == 0 || SetMode(fullScreen_, true) == 0;
}

void SdlDisplayDevice::ReportDirectXError(int32_t code) {
    busy_ = true;
    String text;
    if (static_cast<uint32_t>(code) == kNoLibrary) text.LoadExeString(kTextNoLibrary);
    else text.FormatExeString(kTextError, static_cast<unsigned>(code));
    if (window_) window_->MessageBox(text.CStr(), env_.caption.CStr(), kErrorIcon);
    busy_ = false;
    settings_.lastTestVersion.Empty();
}

void SdlDisplayDevice::SetViewRect(int32_t x, int32_t y) {
    // The renderer draws into the window's own client area, wherever the window lies.
    (void)x;
    (void)y;
}

bool SdlDisplayDevice::GetStretchedViewport(Rect& viewport) const {
    viewport = viewport_;
    return stretched_;
}

bool SdlDisplayDevice::SetVSyncWait(bool on) {
    const bool previous = vsync_;
    vsync_ = on;
    if (backend_) backend_->SetVSync(on);
    return previous;
}

bool SdlDisplayDevice::BeginFrame() {
    if (!EnsureDevice()) return false;
    if (clipped_) ClipFrame(nullptr);
    if (!accelerated_) return true;
    if (!backend_->BeginScene() || !backend_->SetTarget(backBuffer_) || !backend_->SetBlending(false)) {
        ReleaseAll();
        return false;
    }
    return true;
}

void SdlDisplayDevice::EndFrame() {
    if (clipped_) ClipFrame(nullptr);
    if (accelerated_ && backend_) backend_->EndScene();
}

int32_t SdlDisplayDevice::Present() {
    if (!EnsureDevice()) return 0;
    UpdateViewport();
    const Rect dest = stretched_ ? viewport_ : kScreen;
    const bool shown = accelerated_ ? backend_->PresentTarget(backBuffer_, dest)
                                    : backend_->PresentFrame(frame_, framePitch_, dest, changed_);
    if (!shown) {
        ReleaseAll();
        return Code(RenderSelfTest::kCallFailed);
    }
    changed_ = Rect{};
    return 0;
}

Image* SdlDisplayDevice::GetImage(int32_t id, ImageModule module) {
    auto found = imageCache_.find(id);
    if (found != imageCache_.end()) return found->second.get();
    auto image = std::make_unique<Image>();
    image->LoadFromResource(static_cast<uint32_t>(id), ModuleOf(module));
    Image* result = image.get();
    imageCache_.emplace(id, std::move(image));
    return result;
}

bool SdlDisplayDevice::LoadImageFile(int32_t id, const char* path) {
    if (imageCache_.count(id)) return true;
    auto image = std::make_unique<Image>();
    if (!path || !image->LoadFromFile(path)) return false;
    imageCache_.emplace(id, std::move(image));
    return true;
}

void SdlDisplayDevice::UnloadImage(int32_t id) { imageCache_.erase(id); }

Image* SdlDisplayDevice::CreateImage(int32_t width, int32_t height) {
    auto image = std::make_unique<Image>();
    image->CreateBlank(width, height);
    createdImages_.push_back(std::move(image));
    return createdImages_.back().get();
}

void SdlDisplayDevice::DestroyImage(Image* image) {
    auto found = std::find_if(createdImages_.begin(), createdImages_.end(),
                              [image](const std::unique_ptr<Image>& p) { return p.get() == image; });
    if (found != createdImages_.end()) createdImages_.erase(found);
}

BitmapFont* SdlDisplayDevice::GetFont(int32_t glyphImageId, int32_t metricsId, uint32_t colourKey,
                                      ImageModule module) {
    auto found = fontCache_.find(glyphImageId);
    if (found != fontCache_.end()) return found->second.get();
    auto font = std::make_unique<BitmapFont>();
    if (colourKey != 0xFFFFFFFF) font->LoadWithColourKey(glyphImageId, metricsId, colourKey, ModuleOf(module));
    else font->Load(glyphImageId, metricsId, ModuleOf(module));
    BitmapFont* result = font.get();
    fontCache_.emplace(glyphImageId, std::move(font));
    return result;
}

void SdlDisplayDevice::DrawImageEx(int32_t x, int32_t y, Image* image, const uint32_t* key, const Rect* source,
                                   int32_t scaleX, int32_t scaleY, int32_t alpha, Rect& covered) {
    covered = Rect{x, y, x, y};
    if (!image || alpha <= 0) return;
    alpha = std::min(alpha, 255);
    if (key) image->SetColourKey(*key);
    const Rect from = source ? *source : Rect{0, 0, image->width, image->height};
    const bool blend = key || image->bitsPerPixel == 32 || alpha < 255;
    if (accelerated_ && backend_ && blend) backend_->SetBlending(true);
    DrawImageToFrame(*image, x, y, from, scaleX, scaleY, alpha);
    // Drawn, a resource's picture lives in its prepared form; the decoded rows come back from
    // the resource whenever they are wanted again.
    image->DropReloadablePixels();
    if (accelerated_ && backend_ && blend) backend_->SetBlending(false);
    covered = Rect{x, y, x + MulDiv(from.Width(), scaleX, 100), y + MulDiv(from.Height(), scaleY, 100)};
    Touch(covered);
}

void SdlDisplayDevice::DrawImage(int32_t x, int32_t y, Image* image, const Rect* source, int32_t scaleX,
                                 int32_t scaleY, int32_t alpha, Rect& covered) {
    DrawImageEx(x, y, image, nullptr, source, scaleX, scaleY, alpha, covered);
}

void SdlDisplayDevice::DrawImageKeyed(int32_t x, int32_t y, Image* image, uint32_t colourKey, const Rect* source,
                                      int32_t scaleX, int32_t scaleY, int32_t alpha, Rect& covered) {
    DrawImageEx(x, y, image, &colourKey, source, scaleX, scaleY, alpha, covered);
}

void SdlDisplayDevice::FillFrameRect(const Rect* rect, uint32_t colour) {
    if (!accelerated_) {
        const Rect area = rect ? Rect::Intersect(*rect, DrawableArea()) : DrawableArea();
        FillTargetRect(CurrentImageDrawContext().frame, &area, colour);
        Touch(area);
        return;
    }
    if (!backend_) return;
    const uint32_t argb = 0xFF000000u | ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
    backend_->Clear(rect, argb);
}

void SdlDisplayDevice::BlendFrameRect(const Rect* rect, int32_t alpha, uint32_t colour) {
    Rect r = rect ? *rect : kScreen;
    if (!accelerated_) {
        r = Rect::Intersect(r, DrawableArea());
        BlendTargetRect(CurrentImageDrawContext().frame, r, alpha, colour);
        Touch(r);
        return;
    }
    if (!backend_) return;
    alpha = std::clamp(alpha, 0, 255);
    const uint32_t argb = (static_cast<uint32_t>(alpha) << 24) | ((colour & 0xFF) << 16) | (colour & 0xFF00) |
                          ((colour >> 16) & 0xFF);
    const float l = static_cast<float>(r.left), t = static_cast<float>(r.top);
    const float rt = static_cast<float>(r.right), b = static_cast<float>(r.bottom);
    const RenderBackend::Vertex quad[4] = {{l, t, argb, 0, 0}, {l, b, argb, 0, 0}, {rt, t, argb, 0, 0},
                                           {rt, b, argb, 0, 0}};
    backend_->SetBlending(true);
    backend_->DrawQuad(nullptr, quad);
    backend_->SetBlending(false);
}

void SdlDisplayDevice::SaveUnderCursor(Rect& rect) {
    rect = Rect::Intersect(rect, kScreen);
    if (!accelerated_ || !backend_ || !cursorTexture_) return;
    if (rect.IsEmpty() || rect.Width() > kCursorSize || rect.Height() > kCursorSize) return;
    cursorPixels_.assign(static_cast<size_t>(kCursorSize) * kCursorSize * 4, 0);
    if (backend_->ReadPixels(rect, cursorPixels_.data(), kCursorSize * 4)) cursorRect_ = rect;
}

void SdlDisplayDevice::RestoreUnderCursor() {
    if (!accelerated_ || !backend_ || !cursorTexture_ || cursorRect_.IsEmpty()) return;
    if (!backend_->UpdateTexture(cursorTexture_, cursorPixels_.data(), kCursorSize * 4)) return;
    const float l = static_cast<float>(cursorRect_.left), t = static_cast<float>(cursorRect_.top);
    const float r = static_cast<float>(cursorRect_.right), b = static_cast<float>(cursorRect_.bottom);
    const float u = static_cast<float>(cursorRect_.Width()) / kCursorSize;
    const float v = static_cast<float>(cursorRect_.Height()) / kCursorSize;
    const RenderBackend::Vertex quad[4] = {{l, t, 0xFFFFFFFF, 0, 0}, {l, b, 0xFFFFFFFF, 0, v},
                                           {r, t, 0xFFFFFFFF, u, 0}, {r, b, 0xFFFFFFFF, u, v}};
    backend_->SetBlending(false);
    backend_->DrawQuad(cursorTexture_, quad);
}

bool SdlDisplayDevice::ReadBackBuffer(const Rect& rect, uint8_t* dst, int32_t pitch) {
    return accelerated_ && backend_ && backend_->SetTarget(backBuffer_) && backend_->ReadPixels(rect, dst, pitch);
}
