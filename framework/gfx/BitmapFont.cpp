#include "framework/gfx/BitmapFont.h"

#include <algorithm>
#include <cstring>

#include "framework/core/ResourceModules.h"
#include "framework/core/String.h"
#include "framework/gfx/GlyphCanvas.h"
#include "platform/MulDiv.h"

namespace {

const unsigned char* Bytes(const char* text) {
  return reinterpret_cast<const unsigned char*>(text != nullptr ? text : "");
}

bool IsWrapBreak(char c) { return c == '.' || c == ',' || c == ':' || c == ';' || c == ' '; }

// Draws nothing and keeps the union of the glyph rectangles it was asked to draw.
class MeasuringCanvas : public GlyphCanvas {
 public:
  void DrawGlyph(int32_t x, int32_t y, int32_t, const Rect& source, int32_t scaleX, int32_t scaleY,
                 int32_t) override {
    Add(x, y, source, scaleX, scaleY);
  }
  void DrawGlyphKeyed(int32_t x, int32_t y, int32_t, uint32_t, const Rect& source, int32_t scaleX,
                      int32_t scaleY, int32_t) override {
    Add(x, y, source, scaleX, scaleY);
  }
  const Rect& Bounds() const { return bounds_; }

 private:
  void Add(int32_t x, int32_t y, const Rect& source, int32_t scaleX, int32_t scaleY) {
    const Rect glyph{x, y, x + MulDiv(source.Width(), scaleX, 100), y + MulDiv(source.Height(), scaleY, 100)};
    bounds_ = Rect::Union(bounds_, glyph);
  }

  Rect bounds_;
};

}  // namespace

BitmapFont::BitmapFont() = default;

BitmapFont::~BitmapFont() = default;

bool BitmapFont::Load(int32_t glyphImageId, int32_t metricsTextId, const ResourceModule* module) {
  glyphImageId_ = glyphImageId;
  if (module == nullptr) module = AssetModule();
  if (module == nullptr) return false;
  ResourceModule::Bytes text = module->Find(kTextType, uint32_t(metricsTextId));
  if (text.empty()) return false;
  metrics_.ParseText(reinterpret_cast<const char*>(text.data()), text.size());
  return true;
}

bool BitmapFont::LoadWithColourKey(int32_t glyphImageId, int32_t metricsTextId, uint32_t keyColour,
                                   const ResourceModule* module) {
  keyed_ = true;
  keyColour_ = keyColour;
  return Load(glyphImageId, metricsTextId, module);
}

int32_t BitmapFont::Scale(int32_t value, int32_t scale) {
  return scale == 100 ? value : MulDiv(value, scale, 100);
}

int32_t BitmapFont::TabAdvance(int32_t x) const {
  for (int i = 0; i < tabStopCount_; ++i)
    if (tabStops_[i] > x) return tabStops_[i] - x;
  return 0;
}

BitmapFont::Step BitmapFont::StepAt(const unsigned char* text, int i, bool tabs, int32_t pen,
                                    int32_t scale) const {
  Step step;
  unsigned char c = text[i];
  if (c == ' ') {
    step.advance = Scale(metrics_.spaceWidth, scale);
  } else if (c == '\t' && tabs) {
    step.advance = Scale(TabAdvance(pen), scale);
  } else if (metrics_.glyphs && metrics_.glyphs->Lookup(c, text[i + 1], step.hit)) {
    step.glyph = true;
    step.advance = Scale(metrics_.extraSpacing + step.hit.width + step.hit.kerning, scale);
  }
  return step;
}

int32_t BitmapFont::TextWidth(const char* text, int32_t scaleX) const {
  const unsigned char* s = Bytes(text);
  int32_t width = 0;
  for (int i = 0; s[i] != 0; ++i) {
    if (i == kMaxTextLength) return 0;
    width += StepAt(s, i, true, width, scaleX).advance;
  }
  return width;
}

bool BitmapFont::HasGlyph(int c) const {
  return c == ' ' || (metrics_.glyphs && metrics_.glyphs->HasGlyph(c));
}

void BitmapFont::RemoveMissingChars(String& text) const {
  String kept;
  for (int i = 0; i < text.Length(); ++i)
    if (HasGlyph(static_cast<unsigned char>(text[i]))) kept += text[i];
  text = kept;
}

int BitmapFont::CountFitting(const char* text, int32_t width) const {
  const unsigned char* s = Bytes(text);
  int32_t x = 0;
  int i = 0;
  for (; s[i] != 0 && i <= kMaxTextLength; ++i) {
    int32_t advance = StepAt(s, i, true, x, 100).advance;
    if (x + advance > width) break;
    x += advance;
  }
  return i;
}

const int32_t* BitmapFont::CharAdvances(const char* text, int* count) {
  const unsigned char* s = Bytes(text);
  size_t length = std::strlen(reinterpret_cast<const char*>(s));
  if (length > size_t(kMaxTextLength)) {
    if (count != nullptr) *count = 0;
    return nullptr;
  }
  if (length > advances_.size()) advances_.assign(length, 0);
  for (size_t i = 0; i < length; ++i) advances_[i] = StepAt(s, int(i), false, 0, 100).advance;
  if (count != nullptr) *count = int(length);
  return advances_.data();
}

Rect BitmapFont::TextBounds(int32_t x, int32_t y, const char* text, int32_t scaleX,
                            int32_t scaleY) const {
  MeasuringCanvas canvas;
  DrawText(&canvas, x, y, text, -1, scaleX, scaleY, 255);
  return canvas.Bounds();
}

int BitmapFont::DrawText(GlyphCanvas* target, int32_t x, int32_t y, const char* text,
                         int32_t clipWidth, int32_t scaleX, int32_t scaleY, int32_t alpha) const {
  const unsigned char* s = Bytes(text);
  int32_t pen = 0;
  int i = 0;
  for (; s[i] != 0; ++i) {
    if (i > kMaxTextLength) return i;
    Step step = StepAt(s, i, true, pen, scaleX);
    if (step.glyph) {
      if (clipWidth != -1 && pen + step.advance > clipWidth) return i;
      if (target != nullptr) {
        int32_t top = step.hit.run * metrics_.rowHeight;
        Rect source{step.hit.xOffset, top, step.hit.xOffset + step.hit.width, top + metrics_.rowHeight};
        int32_t gx = x + pen;
        int32_t gy = y - metrics_.baselineOffset;
        if (keyed_)
          target->DrawGlyphKeyed(gx, gy, glyphImageId_, keyColour_, source, scaleX, scaleY, alpha);
        else
          target->DrawGlyph(gx, gy, glyphImageId_, source, scaleX, scaleY, alpha);
      }
    }
    pen += step.advance;
  }
  return i;
}

void BitmapFont::DrawCentered(GlyphCanvas* target, int32_t x, int32_t y, const char* text,
                              int32_t boxWidth, int32_t scaleX, int32_t scaleY,
                              int32_t alpha) const {
  DrawText(target, x + (boxWidth - TextWidth(text, scaleX)) / 2, y, text, -1, scaleX, scaleY, alpha);
}

void BitmapFont::DrawRightAligned(GlyphCanvas* target, int32_t rightX, int32_t y, const char* text,
                                  int32_t scaleX, int32_t scaleY, int32_t alpha) const {
  DrawText(target, rightX - TextWidth(text, scaleX), y, text, -1, scaleX, scaleY, alpha);
}

void BitmapFont::DrawLines(GlyphCanvas* target, int32_t x, int32_t y, const char* text,
                           int32_t lineStep, int32_t scaleX, int32_t scaleY, int32_t alpha) const {
  String all(text);
  int32_t step = Scale(lineStep, scaleY);
  for (int position = 0; position < all.Length(); y += step) {
    String line = all.Tokenize('\n', &position);
    DrawText(target, x, y, line.CStr(), -1, scaleX, scaleY, alpha);
  }
}

void BitmapFont::DrawLinesCentered(GlyphCanvas* target, int32_t x, int32_t y, const char* text,
                                   int32_t boxWidth, int32_t lineStep, int32_t scaleX,
                                   int32_t scaleY, int32_t alpha) const {
  String all(text);
  int32_t step = Scale(lineStep, scaleY);
  for (int position = 0; position < all.Length(); y += step) {
    String line = all.Tokenize('\n', &position);
    DrawCentered(target, x, y, line.CStr(), boxWidth, scaleX, scaleY, alpha);
  }
}

int BitmapFont::NextWord(int position, const String& text, String& word) {
  if (position >= text.Length()) {
    word.Empty();
    return -1;
  }
  int search = position;
  while (search < text.Length() && text[search] == ' ') ++search;
  int end = search;
  while (end < text.Length() && !IsWrapBreak(text[end])) ++end;
  end = std::min(end + 1, text.Length());  // the break character belongs to the word
  word = text.MidCount(position, end - position);
  return end;
}

int BitmapFont::CountTrailingSpaces(const String& word) {
  return !word.IsEmpty() && word[word.Length() - 1] == ' ' ? 1 : 0;
}

int BitmapFont::WrapText(GlyphCanvas* target, int32_t x, int32_t y, int32_t boxWidth,
                         int32_t boxHeight, const char* text, int32_t lineStep, bool measureOnly,
                         int32_t alpha, bool centred) const {
  auto drawLine = [&](const String& line, int32_t lineY) {
    if (measureOnly) return;
    if (centred)
      DrawCentered(target, x, lineY, line.CStr(), boxWidth, 100, 100, alpha);
    else
      DrawText(target, x, lineY, line.CStr(), boxWidth + 1, 100, 100, alpha);
  };
  String remaining(text);
  String word;
  int32_t lineWidth = 0;
  int lines = 0;
  int32_t currentY = y;
  int next = NextWord(0, remaining, word);
  int lineEnd = next;
  while (next != -1) {
    lineWidth += TextWidth(word.CStr(), 100);
    if (lineWidth - metrics_.spaceWidth * CountTrailingSpaces(word) > boxWidth && lineEnd > 0) {
      String line = remaining.Left(lineEnd);
      line.TrimRight();
      if (currentY - y > boxHeight) return lines;
      drawLine(line, currentY);
      ++lines;
      remaining = remaining.Mid(lineEnd);
      remaining.TrimLeft();
      lineWidth = 0;
      lineEnd = 0;
      currentY += lineStep;
      next = NextWord(0, remaining, word);
    } else {
      lineEnd = next;
      next = NextWord(next, remaining, word);
    }
  }
  remaining.TrimRight();
  if (!remaining.IsEmpty() && currentY - y <= boxHeight) {
    drawLine(remaining, currentY);
    ++lines;
  }
  return lines;
}

int BitmapFont::DrawWrappedLeft(GlyphCanvas* target, int32_t x, int32_t y, int32_t boxWidth,
                                int32_t boxHeight, const char* text, int32_t lineStep,
                                bool measureOnly, int32_t alpha) const {
  return WrapText(target, x, y, boxWidth, boxHeight, text, lineStep, measureOnly, alpha, false);
}

int BitmapFont::DrawWrappedCentered(GlyphCanvas* target, int32_t x, int32_t y, int32_t boxWidth,
                                    int32_t boxHeight, const char* text, int32_t lineStep,
                                    bool measureOnly, int32_t alpha) const {
  return WrapText(target, x, y, boxWidth, boxHeight, text, lineStep, measureOnly, alpha, true);
}

void BitmapFont::SetTabStops(const int32_t* positions, int count) {
  tabStopCount_ = positions != nullptr ? std::clamp(count, 0, kMaxTabStops) : 0;
  std::copy(positions, positions + tabStopCount_, tabStops_);
}
