#include "framework/ui/EditBox.h"

#include <algorithm>

#include "framework/gfx/BitmapFont.h"
#include "framework/ui/Screen.h"
#include "framework/ui/ScreenManager.h"

namespace {

// Virtual-key codes the box reacts to.
constexpr uint32_t kVkBack = 0x08;
constexpr uint32_t kVkEnd = 0x23;
constexpr uint32_t kVkHome = 0x24;
constexpr uint32_t kVkLeft = 0x25;
constexpr uint32_t kVkRight = 0x27;
constexpr uint32_t kVkInsert = 0x2D;
constexpr uint32_t kVkDelete = 0x2E;

// Control characters the window sends for the editing shortcuts.
constexpr uint32_t kCharCopy = 3;
constexpr uint32_t kCharEnter = 13;
constexpr uint32_t kCharPaste = 22;
constexpr uint32_t kCharCut = 24;
constexpr uint32_t kCharUndo = 26;

constexpr int32_t kBlinkMs = 500;
constexpr int32_t kScrollMargin = 5;
constexpr uint32_t kWhite = 0xFFFFFF;

// Letters and digits of Windows-1252, as the desktop's alphanumeric test classifies them.
bool IsAlphaNumeric(char c) {
    unsigned char b = static_cast<unsigned char>(c);
    if ((b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z')) return true;
    switch (b) {
        case 0x83: case 0x8A: case 0x8C: case 0x8E: case 0x9A: case 0x9C: case 0x9E: case 0x9F:
        case 0xAA: case 0xB2: case 0xB3: case 0xB5: case 0xB9: case 0xBA:
            return true;
        default:
            return b >= 0xC0 && b != 0xD7 && b != 0xF7;
    }
}

// A single-line box holds no control characters: they would end the text early (NUL) or draw
// as nothing while still counting against the limit.
bool IsControl(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

}  // namespace

EditBox::EditBox(int32_t width, int32_t height, int32_t maxChars, bool underline)
    : frameRect_{-4, -2, width + 4, height + 4},
      width_(width),
      height_(height),
      maxChars_(std::max(maxChars, 0)),
      underline_(underline) {}

void EditBox::OnCreate() {
    uint32_t interval = GetManager() ? GetManager()->GetFrameInterval() : 0;
    blinkPeriod_ = interval > 0 ? std::max<int32_t>(1, kBlinkMs / static_cast<int32_t>(interval))
                                : kBlinkMs / 25;
    blinkCountdown_ = blinkPeriod_;
    SetCursorKind(ScreenManager::kCursorIBeam, false);
    EnableChar(true);
    EnableKeyDown(true);
    EnableUpdates(true);
    EnableClicks(true);
    EnableHover(true);
    SetWantsDoubleClicks(true);
    ResolveFont();
}

void EditBox::SetFont(int32_t glyphImageId, int32_t metricsId, int32_t textBaselineY,
                      int32_t disabledAlpha) {
    fontImageId_ = glyphImageId;
    fontMetricsId_ = metricsId;
    textBaselineY_ = textBaselineY;
    disabledAlpha_ = std::clamp(disabledAlpha, 0, 255);
    ResolveFont();
}

void EditBox::ResolveFont() {
    if (fontImageId_ != 0 && GetManager()) font_ = GetFont(fontImageId_, fontMetricsId_);
}

void EditBox::SetFrame(uint32_t colour1, uint32_t colour2, uint32_t colour3) {
    frame_ = true;
    frameColours_[0] = colour1;
    frameColours_[1] = colour2;
    frameColours_[2] = colour3;
}

void EditBox::SetFocus(bool focused) {
    if (!focused) {
        focused_ = false;
        if (GetManager()) GetManager()->MarkDirty();
        return;
    }
    focused_ = true;
    caret_ = text_.Length();
    anchor_ = text_.IsEmpty() ? -1 : 0;
    NotifyTextChanged();
}

// The caret shows at once but keeps its blink countdown, so it hides when the current half
// second ends.
void EditBox::NotifyTextChanged() {
    caretShown_ = true;
    if (GetManager()) GetManager()->MarkDirty();
    OnTextChanged(text_);
}

void EditBox::SetText(const String& text) {
    String kept;
    for (int32_t i = 0; i < text.Length() && kept.Length() < maxChars_; ++i) {
        if (!IsControl(static_cast<unsigned char>(text[i]))) kept += text[i];
    }
    text_ = kept;
    undoSnapshot_ = kept;
    undoKind_ = kUndoNone;
    undoPosition_ = undoInserted_ = undoDeleted_ = 0;
    caret_ = text_.Length();
    anchor_ = -1;
    firstVisible_ = 0;
    NotifyTextChanged();
}

int32_t EditBox::SelectionStart() const {
    return HasSelection() ? std::min(anchor_, caret_) : caret_;
}

int32_t EditBox::SelectionEnd() const {
    return HasSelection() ? std::max(anchor_, caret_) : caret_;
}

bool EditBox::KeyHeld(uint32_t flag) const {
    return GetManager() && (GetManager()->GetKeyState() & flag) != 0;
}

void EditBox::StartSelectionAtCaret() {
    if (anchor_ < 0) anchor_ = caret_;
}

void EditBox::ClampPositions() {
    int32_t length = text_.Length();
    caret_ = std::clamp(caret_, 0, length);
    if (anchor_ > length) anchor_ = length;
    firstVisible_ = std::clamp(firstVisible_, 0, length);
}

bool EditBox::OnKeyDown(uint32_t virtualKey, int32_t repeat, uint32_t keyFlags) {
    if (!focused_) return false;
    bool shift = KeyHeld(kKeyShift);
    bool control = KeyHeld(kKeyControl);
    bool changed = false;
    bool moves = virtualKey == kVkRight || virtualKey == kVkLeft || virtualKey == kVkHome ||
                 virtualKey == kVkEnd;
    if (moves) {
        if (shift) {
            StartSelectionAtCaret();
        } else if (anchor_ >= 0) {
            anchor_ = -1;
            changed = true;
        }
    }
    auto backspace = [&] {
        if (HasSelection()) {
            SaveUndo(kUndoDeletion, 2);
            DeleteSelection();
            changed = true;
        } else if (caret_ > 0) {
            SaveUndo(kUndoDeletion, 0);
            text_.Delete(caret_ - 1, 1);
            --caret_;
            anchor_ = -1;
            changed = true;
        }
    };
    switch (virtualKey) {
        case kVkBack:
            backspace();
            break;
        case kVkDelete:
            if (shift) {
                if (HasSelection()) {
                    Cut();
                } else {
                    backspace();
                }
            } else if (HasSelection()) {
                backspace();
            } else if (caret_ < text_.Length()) {
                SaveUndo(kUndoDeletion, 1);
                text_.Delete(caret_, 1);
                anchor_ = -1;
                changed = true;
            }
            break;
        case kVkHome:
            caret_ = 0;
            break;
        case kVkEnd:
            caret_ = text_.Length();
            break;
        case kVkLeft:
            if (caret_ > 0) caret_ = control ? WordLeft(caret_) : caret_ - 1;
            break;
        case kVkRight:
            if (caret_ < text_.Length()) caret_ = control ? WordRight(caret_) : caret_ + 1;
            break;
        case kVkInsert:
            if (control) {
                Copy();
            } else if (shift) {
                Paste();
            }
            break;
        default:
            break;
    }
    if (moves) {
        undoKind_ = kUndoCaretMoved;
        changed = true;
    }
    if (anchor_ == caret_) anchor_ = -1;
    if (changed) NotifyTextChanged();
    return false;
}

void EditBox::OnChar(uint32_t character, int32_t repeat, uint32_t keyFlags) {
    if (!focused_) return;
    switch (character) {
        case kCharCopy:
            Copy();
            return;
        case kCharEnter:
            if (GetScreen()) GetScreen()->OnEditEnter(this);
            return;
        case kCharPaste:
            Paste();
            return;
        case kCharCut:
            Cut();
            return;
        case kCharUndo:
            Undo();
            NotifyTextChanged();
            return;
        default:
            break;
    }
    if (character > 0xFF || IsControl(static_cast<unsigned char>(character))) return;
    if (!font_ || !font_->HasGlyph(static_cast<int>(character))) return;
    String piece(static_cast<char>(character), 1);
    if (!CanInsert(piece)) return;
    SaveUndo(kUndoTyping, 0);
    DeleteSelection();
    InsertAtCaret(piece);
    NotifyTextChanged();
}

bool EditBox::CanInsert(const String& piece) const {
    if (!font_) return false;
    int32_t selected = SelectedCount();
    if (text_.Length() + piece.Length() - selected > maxChars_) return false;
    String rest = text_.Left(SelectionStart()) + text_.Mid(SelectionEnd()) + piece;
    return font_->TextWidth(rest.CStr(), 100) < width_;
}

bool EditBox::Copy() {
    if (!HasSelection() || !GetManager()) return false;
    return GetManager()->SetClipboardText(text_.MidCount(SelectionStart(), SelectedCount()));
}

void EditBox::Cut() {
    if (!Copy()) return;
    SaveUndo(kUndoDeletion, 2);
    DeleteSelection();
    NotifyTextChanged();
}

void EditBox::Paste() {
    if (!font_ || !GetManager()) return;
    String clip;
    if (!GetManager()->GetClipboardText(clip)) return;
    String piece;
    for (int32_t i = 0; i < clip.Length(); ++i) {
        if (!IsControl(static_cast<unsigned char>(clip[i]))) piece += clip[i];
    }
    // A text the font can draw none of still takes the selection's place, as pasting nothing.
    font_->RemoveMissingChars(piece);
    if (!CanInsert(piece)) return;
    SaveUndo(kUndoPaste, piece.Length());
    DeleteSelection();
    InsertAtCaret(piece);
    NotifyTextChanged();
}

void EditBox::InsertAtCaret(const String& piece) {
    text_.Insert(caret_, piece.CStr());
    caret_ += piece.Length();
    anchor_ = -1;
}

void EditBox::DeleteSelection() {
    if (!HasSelection()) {
        anchor_ = -1;
        return;
    }
    int32_t start = SelectionStart();
    text_.Delete(start, SelectedCount());
    caret_ = start;
    anchor_ = -1;
}

void EditBox::SaveUndo(int32_t kind, int32_t detail) {
    if (kind != undoKind_) {
        undoSnapshot_ = text_;
        undoKind_ = kind;
        undoPosition_ = HasSelection() && anchor_ < caret_ ? anchor_ : caret_;
        undoInserted_ = 0;
        undoDeleted_ = 0;
    }
    int32_t selected = HasSelection() ? SelectedCount() : 0;
    switch (kind) {
        case kUndoDeletion:
            if (detail == 0) {
                ++undoDeleted_;
                --undoPosition_;
            } else if (detail == 1) {
                ++undoDeleted_;
            } else {
                undoDeleted_ += selected;
            }
            break;
        case kUndoTyping:
            undoDeleted_ += selected;
            ++undoInserted_;
            break;
        case kUndoPaste:
            undoDeleted_ += selected;
            undoInserted_ += detail;
            break;
        default:
            break;
    }
}

void EditBox::Undo() {
    std::swap(text_, undoSnapshot_);
    int32_t length = text_.Length();
    int32_t position = std::clamp(undoPosition_, 0, length);
    if (undoDeleted_ >= 1) {
        anchor_ = position;
        caret_ = std::min(position + undoDeleted_, length);
    } else {
        caret_ = position;
        anchor_ = -1;
    }
    if (anchor_ == caret_) anchor_ = -1;
    std::swap(undoInserted_, undoDeleted_);
    undoKind_ = kUndoNone;
    ClampPositions();
}

int32_t EditBox::WordLeft(int32_t position) const {
    int32_t i = std::min(position, text_.Length()) - 1;
    while (i >= 0 && !IsAlphaNumeric(text_[i])) --i;
    while (i >= 0 && IsAlphaNumeric(text_[i])) --i;
    return i + 1;
}

int32_t EditBox::WordRight(int32_t position) const {
    int32_t length = text_.Length();
    int32_t i = std::max(position, 0);
    while (i < length && IsAlphaNumeric(text_[i])) ++i;
    while (i < length && !IsAlphaNumeric(text_[i])) ++i;
    return std::min(i, length);
}

int32_t EditBox::HitTest(int32_t x) {
    ClampPositions();
    if (x < 0) return std::max(firstVisible_ - 1, 0);
    if (!font_) return text_.Length();
    int count = 0;
    const int32_t* advances = font_->CharAdvances(text_.CStr() + firstVisible_, &count);
    if (!advances) return text_.Length();
    int32_t sum = 0;
    for (int k = 0; k < count; ++k) {
        if (x < sum + advances[k] / 2) return firstVisible_ + k;
        sum += advances[k];
    }
    return text_.Length();
}

bool EditBox::OnLButtonDown(uint32_t keys, int32_t x, int32_t y) {
    if (keys & kKeyShift) {
        StartSelectionAtCaret();
    } else {
        anchor_ = -1;
    }
    caret_ = HitTest(x);
    if (!focused_ && GetScreen()) GetScreen()->SetFocus(this);
    caretShown_ = true;
    if (GetManager()) {
        GetManager()->MarkDirty();
        GetManager()->BeginDrag(this, ScreenManager::kDragSendMoves, 0, 0, 0, 0);
    }
    return true;
}

void EditBox::OnDragMove(uint32_t keys, int32_t x, int32_t y) {
    StartSelectionAtCaret();
    int32_t before = caret_;
    caret_ = HitTest(x);
    if (caret_ != before && GetManager()) GetManager()->MarkDirty();
}

void EditBox::OnDragEnd(uint32_t keys, int32_t x, int32_t y) {
    caretShown_ = true;
    if (GetManager()) GetManager()->MarkDirty();
}

bool EditBox::OnLButtonDblClk(uint32_t keys, int32_t x, int32_t y) {
    int32_t p = HitTest(x);
    int32_t wordStart = WordLeft(p);
    int32_t wordEnd = WordRight(p);
    if (keys & kKeyShift) {
        StartSelectionAtCaret();
        caret_ = wordStart < anchor_ ? wordStart : wordEnd;
    } else {
        anchor_ = wordStart;
        caret_ = wordEnd;
    }
    if (anchor_ == caret_) anchor_ = -1;
    NotifyTextChanged();
    return true;
}

bool EditBox::Update() {
    if (!focused_ || !IsShownAndEnabled()) return false;
    if (--blinkCountdown_ > 0) return false;
    blinkCountdown_ = blinkPeriod_;
    caretShown_ = !caretShown_;
    return true;
}

int32_t EditBox::WidthOf(int32_t from, int32_t to) const {
    if (!font_ || to <= from) return 0;
    return font_->TextWidth(text_.MidCount(from, to - from).CStr(), 100);
}

void EditBox::ScrollToCaret() {
    ClampPositions();
    if (!font_) return;
    if (caret_ < firstVisible_) firstVisible_ = std::max(caret_ - kScrollMargin, 0);
    int32_t visibleEnd =
        firstVisible_ + font_->CountFitting(text_.CStr() + firstVisible_, width_);
    if (caret_ > visibleEnd) {
        int32_t end = std::min(caret_ + kScrollMargin, text_.Length());
        String head = text_.Left(end);
        head.MakeReverse();
        firstVisible_ = end - font_->CountFitting(head.CStr(), width_);
    }
}

void EditBox::Draw() {
    if (underline_) FillRect(Rect{0, height_ - 1, width_, height_}, kWhite, true);
    if (frame_) {
        DrawFrame(frameRect_, frameColours_[2], true);
        DrawFrame(frameRect_.Offset(-1, -1), frameColours_[0], true);
        DrawFrame(frameRect_.Offset(-2, -2), frameColours_[1], true);
    }
    ScrollToCaret();
    if (!font_) return;
    bool enabled = IsEffectivelyEnabled();
    if (focused_ && enabled && HasSelection()) {
        int32_t visibleEnd =
            firstVisible_ + font_->CountFitting(text_.CStr() + firstVisible_, width_);
        int32_t start = std::clamp(SelectionStart(), firstVisible_, visibleEnd);
        int32_t end = std::clamp(SelectionEnd(), firstVisible_, visibleEnd);
        int32_t x1 = WidthOf(firstVisible_, start);
        int32_t x2 = WidthOf(firstVisible_, end);
        if (x1 != x2) FillRect(Rect{x1 - 1, 0, x2, height_}, highlightColour_, true);
    }
    if (focused_ && caretShown_) {
        int32_t x = WidthOf(firstVisible_, caret_);
        FillRect(Rect{x - 1, 0, x, height_}, kWhite, true);
    }
    font_->DrawText(this, 0, textBaselineY_, text_.CStr() + firstVisible_, width_, 100, 100,
                    enabled ? 255 : disabledAlpha_);
}
