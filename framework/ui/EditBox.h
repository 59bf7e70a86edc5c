#pragma once

#include <cstdint>

#include "framework/core/String.h"
#include "framework/gfx/Rect.h"
#include "framework/ui/Focusable.h"
#include "framework/ui/Widget.h"

class BitmapFont;

// A single-line text input drawn in a bitmap font: a blinking caret, a selection made with Shift
// and the arrows, the mouse or a double click, cut, copy and paste through the screen manager's
// clipboard, a one-level undo that a second undo reverses, horizontal scrolling that keeps five
// characters around the caret in view, and limits on both the character count and the drawn
// width. Only characters the font can draw get in.
class EditBox : public Widget, public Focusable {
public:
    // What the pending undo step is made of.
    enum UndoKind : int32_t {
        kUndoNone = -1,
        kUndoCaretMoved = 0,
        kUndoDeletion = 1,
        kUndoTyping = 2,
        kUndoPaste = 3,
    };

    EditBox(int32_t width, int32_t height, int32_t maxChars, bool underline);

    // Called with the current text after every change of text, caret or selection.
    virtual void OnTextChanged(const String& text) {}

    void Draw() override;
    void OnCreate() override;
    bool OnLButtonDown(uint32_t keys, int32_t x, int32_t y) override;
    bool OnLButtonDblClk(uint32_t keys, int32_t x, int32_t y) override;
    void OnDragEnd(uint32_t keys, int32_t x, int32_t y) override;
    void OnDragMove(uint32_t keys, int32_t x, int32_t y) override;
    // Never reports the key handled, so other key listeners still hear it.
    bool OnKeyDown(uint32_t virtualKey, int32_t repeat, uint32_t keyFlags) override;
    void OnChar(uint32_t character, int32_t repeat, uint32_t keyFlags) override;
    bool Update() override;

    // A font of the asset module, without a colour key. Before the box is attached the font is
    // fetched when it is.
    void SetFont(int32_t glyphImageId, int32_t metricsId, int32_t textBaselineY,
                 int32_t disabledAlpha);
    void SetHighlightColour(uint32_t colour) { highlightColour_ = colour; }
    void SetFrame(uint32_t colour1, uint32_t colour2, uint32_t colour3);
    // Gaining the focus puts the caret at the end and selects the whole text.
    void SetFocus(bool focused) override;
    void NotifyTextChanged();

    // Replaces the text (cut to the character limit, control characters dropped); the caret goes
    // to the end, the selection and the pending undo step are dropped.
    void SetText(const String& text);
    const String& GetText() const { return text_; }
    bool IsFocused() const { return focused_; }
    int32_t GetCaret() const { return caret_; }
    // -1 when nothing is selected.
    int32_t GetAnchor() const { return HasSelection() ? anchor_ : -1; }
    int32_t GetFirstVisible() const { return firstVisible_; }
    bool IsCaretShown() const { return caretShown_; }
    int32_t GetBlinkPeriod() const { return blinkPeriod_; }
    int32_t GetUndoKind() const { return undoKind_; }
    BitmapFont* GetFontObject() const { return font_; }

    int32_t HitTest(int32_t x);
    int32_t WordLeft(int32_t position) const;
    int32_t WordRight(int32_t position) const;
    bool CanInsert(const String& piece) const;
    bool Copy();
    void Cut();
    void Paste();
    void Undo();

private:
    // An anchor on the caret (a drag that came back to where it began) selects nothing, so it
    // cannot swallow the next Backspace or Delete.
    bool HasSelection() const { return anchor_ >= 0 && anchor_ != caret_; }
    int32_t SelectionStart() const;
    int32_t SelectionEnd() const;
    int32_t SelectedCount() const { return SelectionEnd() - SelectionStart(); }
    void SaveUndo(int32_t kind, int32_t detail);
    void DeleteSelection();
    void InsertAtCaret(const String& piece);
    void StartSelectionAtCaret();
    void ScrollToCaret();
    int32_t WidthOf(int32_t from, int32_t to) const;
    void ClampPositions();
    bool KeyHeld(uint32_t flag) const;
    void ResolveFont();

    int32_t textBaselineY_ = 0;
    int32_t disabledAlpha_ = 255;
    bool frame_ = false;
    Rect frameRect_;
    uint32_t highlightColour_ = 0xFF0033;
    uint32_t frameColours_[3] = {};
    int32_t width_;
    int32_t height_;
    int32_t maxChars_;
    BitmapFont* font_ = nullptr;
    int32_t fontImageId_ = 0;
    int32_t fontMetricsId_ = 0;
    bool underline_;
    int32_t blinkPeriod_ = 20;
    int32_t blinkCountdown_ = 20;
    bool caretShown_ = true;
    String text_;
    String undoSnapshot_;
    bool focused_ = false;
    int32_t caret_ = 0;
    int32_t anchor_ = -1;
    int32_t firstVisible_ = 0;
    int32_t undoKind_ = kUndoNone;
    int32_t undoPosition_ = 0;
    int32_t undoInserted_ = 0;
    int32_t undoDeleted_ = 0;
};
