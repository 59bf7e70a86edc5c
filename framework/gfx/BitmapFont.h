#pragma once
// A proportional bitmap font: one glyph image plus a metrics text. Measures text, draws it glyph
// by glyph with horizontal and vertical scales, clip width and alpha, and lays out lines: split
// at newlines, centred, or greedily word-wrapped into a box. Characters are 8-bit codes; texts
// longer than 2000 characters are refused as the operations below say.
#include <cstdint>
#include <vector>

#include "framework/gfx/FontMetrics.h"
#include "framework/gfx/Rect.h"

class GlyphCanvas;
class ResourceModule;
class String;

class BitmapFont {
 public:
  static constexpr int kMaxTabStops = 10;
  static constexpr int kMaxTextLength = 2000;

  BitmapFont();
  virtual ~BitmapFont();
  BitmapFont(const BitmapFont&) = delete;
  BitmapFont& operator=(const BitmapFont&) = delete;

  // Reads the "TXT" resource `metricsTextId` of `module` (null: the asset module). True when the
  // text exists, whatever it holds; the glyph image id is kept either way.
  bool Load(int32_t glyphImageId, int32_t metricsTextId, const ResourceModule* module);
  bool LoadWithColourKey(int32_t glyphImageId, int32_t metricsTextId, uint32_t keyColour,
                         const ResourceModule* module);

  int32_t TextWidth(const char* text, int32_t scaleX = 100) const;
  bool HasGlyph(int c) const;
  void RemoveMissingChars(String& text) const;
  // Leading characters whose unscaled advances stay within `width`.
  int CountFitting(const char* text, int32_t width) const;
  // One unscaled advance per character (tabs like any character), valid until the next call;
  // null for texts over 2000 characters. `count` receives the length (0 with a null answer).
  const int32_t* CharAdvances(const char* text, int* count);

  // The rectangle the glyphs of DrawText(x, y, text) without a clip width would cover, in the
  // same coordinates; empty when it draws none.
  Rect TextBounds(int32_t x, int32_t y, const char* text, int32_t scaleX, int32_t scaleY) const;
  // y is the baseline. Answers the number of characters processed.
  int DrawText(GlyphCanvas* target, int32_t x, int32_t y, const char* text, int32_t clipWidth,
               int32_t scaleX, int32_t scaleY, int32_t alpha) const;
  void DrawCentered(GlyphCanvas* target, int32_t x, int32_t y, const char* text, int32_t boxWidth,
                    int32_t scaleX, int32_t scaleY, int32_t alpha) const;
  void DrawRightAligned(GlyphCanvas* target, int32_t rightX, int32_t y, const char* text,
                        int32_t scaleX, int32_t scaleY, int32_t alpha) const;
  void DrawLines(GlyphCanvas* target, int32_t x, int32_t y, const char* text, int32_t lineStep,
                 int32_t scaleX, int32_t scaleY, int32_t alpha) const;
  void DrawLinesCentered(GlyphCanvas* target, int32_t x, int32_t y, const char* text,
                         int32_t boxWidth, int32_t lineStep, int32_t scaleX, int32_t scaleY,
                         int32_t alpha) const;
  // Greedy word wrap at scale 100; answers the lines drawn, or that would be when measuring.
  int DrawWrappedLeft(GlyphCanvas* target, int32_t x, int32_t y, int32_t boxWidth,
                      int32_t boxHeight, const char* text, int32_t lineStep, bool measureOnly,
                      int32_t alpha) const;
  int DrawWrappedCentered(GlyphCanvas* target, int32_t x, int32_t y, int32_t boxWidth,
                          int32_t boxHeight, const char* text, int32_t lineStep, bool measureOnly,
                          int32_t alpha) const;

  void SetTabStops(const int32_t* positions, int count);

  int32_t GlyphImageId() const { return glyphImageId_; }
  bool IsKeyed() const { return keyed_; }
  uint32_t KeyColour() const { return keyColour_; }
  const FontMetrics& Metrics() const { return metrics_; }

 private:
  struct Step {
    int32_t advance = 0;  // scaled
    bool glyph = false;   // drawn from `hit`
    GlyphHit hit;
  };
  // The advance of text[i] at `scale`; `tabs` applies the tab stops from the pen position.
  Step StepAt(const unsigned char* text, int i, bool tabs, int32_t pen, int32_t scale) const;
  int32_t TabAdvance(int32_t x) const;
  static int32_t Scale(int32_t value, int32_t scale);
  static int NextWord(int position, const String& text, String& word);
  static int CountTrailingSpaces(const String& word);
  int WrapText(GlyphCanvas* target, int32_t x, int32_t y, int32_t boxWidth, int32_t boxHeight,
               const char* text, int32_t lineStep, bool measureOnly, int32_t alpha,
               bool centred) const;

  int32_t glyphImageId_ = 0;
  bool keyed_ = false;
  uint32_t keyColour_ = 0;
  FontMetrics metrics_;
  int tabStopCount_ = 0;
  int32_t tabStops_[kMaxTabStops] = {};
  std::vector<int32_t> advances_;
};
