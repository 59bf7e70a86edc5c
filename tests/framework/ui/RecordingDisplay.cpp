#include "RecordingDisplay.h"

#include <cstdlib>

Image* RecordingDisplay::AddImage(int32_t id, int32_t width, int32_t height) {
    auto image = std::make_unique<Image>();
    image->width = width;
    image->height = height;
    image->bitsPerPixel = 32;
    Image* raw = image.get();
    images_[id] = std::move(image);
    return raw;
}

Image* RecordingDisplay::CreateImage(int32_t width, int32_t height) {
    if (!makesSurfaces) return nullptr;
    auto surface = std::make_unique<Image>();
    if (!surface->CreateBlank(width, height)) return nullptr;
    surfaces_.push_back(std::move(surface));
    return surfaces_.back().get();
}

int32_t RecordingDisplay::IdOf(const Image* image) const {
    for (const auto& [id, held] : images_) {
        if (held.get() == image) return id;
    }
    return -1;
}

std::vector<RecordingDisplay::Draw> RecordingDisplay::ImagesIn(const std::vector<Draw>& frame,
                                                               int32_t id) const {
    std::vector<Draw> found;
    for (const Draw& draw : frame) {
        if ((draw.op == Op::Image || draw.op == Op::KeyedImage) && IdOf(draw.image) == id) {
            found.push_back(draw);
        }
    }
    return found;
}

int32_t RecordingDisplay::SetMode(bool full, bool keepDesktopDepth) {
    ++setModeCalls;
    int32_t result = 0;
    if (!setModeResults.empty()) {
        result = setModeResults.front();
        setModeResults.erase(setModeResults.begin());
    }
    if (result >= 0) fullScreen = full;
    if (settings) {
        // As the real device: a switch that is not refused is the player's choice.
        if (result >= 0) settings->fullScreen = full;
        modeWide.push_back(settings->wideScreen);
        direct3D = result >= 0 && capable3D && settings->hardwareAcceleration;
    }
    return result;
}

bool RecordingDisplay::GetStretchedViewport(Rect& view) const {
    view = viewport;
    return stretched;
}

bool RecordingDisplay::BeginFrame() {
    if (!canDraw) return false;
    frames_.emplace_back();
    open_ = true;
    return true;
}

bool RecordingDisplay::LoadImageFile(int32_t id, const char* path) {
    auto image = std::make_unique<Image>();
    if (!path || !image->LoadFromFile(path)) return false;
    images_[id] = std::move(image);
    return true;
}

Image* RecordingDisplay::GetImage(int32_t id, ImageModule module) {
    requestedImages.push_back(id);
    auto it = images_.find(id);
    return it == images_.end() ? nullptr : it->second.get();
}

void RecordingDisplay::Record(const Draw& draw) {
    // Drawing outside a frame is a fault of the caller: make it visible to the tests.
    if (!open_) std::abort();
    frames_.back().push_back(draw);
}

RecordingDisplay::Draw RecordingDisplay::Blit(Op op, int32_t x, int32_t y, Image* image,
                                              const Rect* source, int32_t scaleX, int32_t scaleY,
                                              int32_t alpha, Rect& covered) {
    Draw draw{op};
    draw.x = x;
    draw.y = y;
    draw.image = image;
    draw.hasSource = source != nullptr;
    Rect src = source ? *source : Rect{0, 0, image->width, image->height};
    draw.source = src;
    draw.scaleX = scaleX;
    draw.scaleY = scaleY;
    draw.alpha = alpha;
    covered = alpha <= 0 ? Rect{x, y, x, y}
                         : Rect{x, y, x + src.Width() * scaleX / 100,
                                y + src.Height() * scaleY / 100};
    draw.rect = covered;
    return draw;
}

void RecordingDisplay::DrawImage(int32_t x, int32_t y, Image* image, const Rect* source,
                                 int32_t scaleX, int32_t scaleY, int32_t alpha, Rect& covered) {
    Record(Blit(Op::Image, x, y, image, source, scaleX, scaleY, alpha, covered));
}

void RecordingDisplay::DrawImageKeyed(int32_t x, int32_t y, Image* image, uint32_t colourKey,
                                      const Rect* source, int32_t scaleX, int32_t scaleY,
                                      int32_t alpha, Rect& covered) {
    Draw draw = Blit(Op::KeyedImage, x, y, image, source, scaleX, scaleY, alpha, covered);
    draw.colour = colourKey;
    Record(draw);
}

void RecordingDisplay::FillFrameRect(const Rect* rect, uint32_t colour) {
    Draw draw{Op::Fill};
    draw.rect = rect ? *rect : Rect{0, 0, 800, 600};
    draw.colour = colour;
    Record(draw);
}

void RecordingDisplay::BlendFrameRect(const Rect* rect, int32_t alpha, uint32_t colour) {
    Draw draw{Op::Blend};
    draw.rect = rect ? *rect : Rect{0, 0, 800, 600};
    draw.alpha = alpha;
    draw.colour = colour;
    Record(draw);
}

void RecordingDisplay::SaveUnderCursor(Rect& rect) {
    Draw draw{Op::SaveCursor};
    draw.rect = rect;
    Record(draw);
}

void RecordingDisplay::RestoreUnderCursor() {
    Record(Draw(Op::RestoreCursor));
}
