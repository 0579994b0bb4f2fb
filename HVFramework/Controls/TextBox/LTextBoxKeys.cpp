// The text box's keys, word moves and mouse selection.
#include "HVFramework/ControlBase/Skin/KeyCode.h"
#include "HVFramework/Controls/TextBox/LTextBox.h"
#include "HVFramework/Controls/TextBox/TextCharacters.h"

#include <algorithm>

namespace HV {
namespace {

// Key-down codes of the key table: the virtual key in bits 16-23 with the
// key-down mark and the modifier bits.
constexpr uint32_t Down(uint32_t virtualKey, uint32_t modifiers = 0) {
  return KeyCode::kVirtualKeyFlag | (virtualKey << 16) | modifiers;
}
constexpr uint32_t kCtrl = KeyCode::kCtrl;
constexpr uint32_t kShift = KeyCode::kShift;
constexpr uint32_t kBackspaceKey = 0x08;
constexpr uint32_t kEnterKey = 0x0D;
constexpr uint32_t kEndKey = 0x23;
constexpr uint32_t kHomeKey = 0x24;
constexpr uint32_t kLeftKey = 0x25;
constexpr uint32_t kUpKey = 0x26;
constexpr uint32_t kRightKey = 0x27;
constexpr uint32_t kDownKey = 0x28;
constexpr uint32_t kDeleteKey = 0x2E;
constexpr char16_t kBackspaceChar = 8;
// Everything of a key code but its character.
constexpr uint32_t kKeyPartMask = 0x3FFF0000;

// Space, digits and letters type through the character event that follows
// their key, unless a modifier makes them a shortcut.
bool IsTypingKey(uint32_t virtualKey) {
  return virtualKey == 0x20 || (virtualKey >= 0x30 && virtualKey <= 0x39) ||
         (virtualKey >= 0x41 && virtualKey <= 0x5A);
}

// The mouse-event modifier flags.
constexpr uint32_t kMouseCtrl = 0x01;
constexpr uint32_t kMouseShift = 0x08;
// The pointer this close to a side of the text area (or beyond) scrolls.
constexpr double kScrollZone = 20;
constexpr double kScrollSpeedFactor = 5;

}  // namespace

HResult LTextBox::ProcessKey(const RCPtr<LKeyParam>& key) {
  if (!key) return E_INVALIDARG;
  const uint32_t code = key->GetKey().code;
  if (code & KeyCode::kNoKey) return S_OK;
  if ((code & (KeyCode::kVirtualKeyMask | KeyCode::kVirtualKeyFlag)) == 0)
    return ProcessCharacter(static_cast<char16_t>(key->GetKey().GetCharacter()));
  // Key-ups are taken without doing anything.
  if (!(code & KeyCode::kVirtualKeyFlag)) return S_OK;
  const RCPtr<LControl> self(this);
  return ProcessVirtualKey(code & kKeyPartMask);
}

HResult LTextBox::ProcessCharacter(char16_t c) {
  if (!TextCharacters::IsPrintable(c)) return c == kBackspaceChar ? S_OK : S_FALSE;
  // A character the set refuses is swallowed.
  if (AcceptsCharacter(c)) InsertCharacter(c);
  return S_OK;
}

HResult LTextBox::ProcessVirtualKey(uint32_t code) {
  const int32_t length = GetTextLength();
  switch (code) {
    case Down(kLeftKey):
      ClearSelection();
      MoveCaretBy(-1);
      return S_OK;
    case Down(kRightKey):
      ClearSelection();
      MoveCaretBy(1);
      return S_OK;
    case Down(kLeftKey, kShift):
      ShiftLeft();
      return S_OK;
    case Down(kRightKey, kShift):
      ShiftRight();
      return S_OK;
    case Down(kLeftKey, kCtrl):
      ClearSelection();
      SetCaret(PreviousWordStart(), false);
      return S_OK;
    case Down(kRightKey, kCtrl):
      ClearSelection();
      SetCaret(NextWordStart(), false);
      return S_OK;
    case Down(kLeftKey, kCtrl | kShift):
      ExtendSelectionTo(PreviousWordStart());
      return S_OK;
    case Down(kRightKey, kCtrl | kShift):
      ExtendSelectionTo(NextWordStart());
      return S_OK;
    case Down(kHomeKey):
      ClearSelection();
      SetCaret(0, false);
      return S_OK;
    case Down(kEndKey):
      ClearSelection();
      SetCaret(length, false);
      return S_OK;
    case Down(kHomeKey, kShift):
      if (mCaret == 0) return S_OK;
      SetSelection(0, mAnchor, mAnchor);
      SetCaret(0, false);
      return S_OK;
    case Down(kEndKey, kShift):
      if (mCaret == length) return S_OK;
      SetSelection(mAnchor, length - mAnchor, mAnchor);
      SetCaret(length, false);
      return S_OK;
    case Down(kBackspaceKey):
    case Down(kDeleteKey, kShift):
      Backspace();
      return S_OK;
    case Down(kDeleteKey):
      DeleteForward(false);
      return S_OK;
    case Down(kDeleteKey, kCtrl):
      DeleteForward(true);
      return S_OK;
    case Down(kEnterKey):
      // A valid text lets Enter go on (to a dialog's default button).
      return Validate()->isValid ? S_FALSE : S_OK;
    case Down(kUpKey):
    case Down(kDownKey):
    case Down(kUpKey, kShift):
    case Down(kDownKey, kShift):
    case Down(kUpKey, kCtrl):
    case Down(kDownKey, kCtrl):
    case Down(kUpKey, kCtrl | kShift):
    case Down(kDownKey, kCtrl | kShift):
      return S_FALSE;  // for the parent (the up-down steps with them)
    default:
      break;
  }
  if (!IsTypingKey((code & KeyCode::kVirtualKeyMask) >> 16)) return S_FALSE;
  return (code & (KeyCode::kCtrl | KeyCode::kAlt | KeyCode::kCommand)) ? S_FALSE : S_OK;
}

void LTextBox::MoveCaretBy(int32_t delta) {
  const int32_t target = mCaret + delta;
  if (target >= 0 && target <= GetTextLength()) SetCaret(target, false);
}

void LTextBox::ShiftLeft() {
  if (mCaret == 0) return;
  if (!HasSelection())
    SetSelection(mCaret - 1, 1, mCaret);
  else if (mAnchor < mCaret)
    SetSelection(mSelStart, mSelLength - 1, mAnchor);
  else
    SetSelection(mSelStart - 1, mSelLength + 1, mAnchor);
  SetCaret(mCaret - 1, false);
}

void LTextBox::ShiftRight() {
  if (mCaret == GetTextLength()) return;
  if (!HasSelection())
    SetSelection(mCaret, 1, mCaret);
  else if (mCaret < mAnchor)
    SetSelection(mSelStart + 1, mSelLength - 1, mAnchor);
  else
    SetSelection(mSelStart, mSelLength + 1, mAnchor);
  SetCaret(mCaret + 1, false);
}

void LTextBox::Backspace() {
  if (HasSelection())
    DeleteSelection();
  else if (mCaret > 0)
    DeleteRange(mCaret - 1, 1);
}

void LTextBox::DeleteForward(bool toEnd) {
  const int32_t length = GetTextLength();
  if (HasSelection())
    DeleteSelection();
  else if (mCaret < length)
    DeleteRange(mCaret, toEnd ? length - mCaret : 1);
}

// --- Words ---

int32_t LTextBox::NextWordStart() const {
  const StringW& text = GetText();
  const int32_t length = text.GetLength();
  int32_t at = std::clamp(mCaret, 0, length);
  while (at < length && TextCharacters::IsSpace(text[at])) ++at;
  while (at < length && !TextCharacters::IsSpace(text[at])) ++at;
  while (at < length && TextCharacters::IsSpace(text[at])) ++at;
  return at;
}

int32_t LTextBox::PreviousWordStart() const {
  const StringW& text = GetText();
  int32_t at = std::min(mCaret, text.GetLength()) - 1;
  while (at >= 0 && TextCharacters::IsSpace(text[at])) --at;
  while (at >= 0 && !TextCharacters::IsSpace(text[at])) --at;
  return at + 1;
}

void LTextBox::SelectWordAtCaret() {
  const StringW& text = GetText();
  const int32_t length = text.GetLength();
  // A caret already at the start of a word selects that word, not the one before.
  const bool atWordStart = mCaret < length && !TextCharacters::IsSpace(text[mCaret]) &&
                           (mCaret == 0 || TextCharacters::IsSpace(text[mCaret - 1]));
  ClearSelection();
  if (!atWordStart) SetCaret(PreviousWordStart(), false);
  int32_t end = NextWordStart();
  while (end > mCaret && TextCharacters::IsSpace(text[end - 1])) --end;
  ExtendSelectionTo(end);
}

// --- Mouse ---

void LTextBox::OnLeftButtonDown(const RCPtr<LMouseButtonParam>& param) {
  if (!param) return;
  const Point& scroll = GetScrollOffset();
  const int32_t position = CharIndexAtPoint({param->x + scroll.x, param->y + scroll.y});
  if (param->modifiers & kMouseShift) {
    ExtendSelectionTo(position);
    return;
  }
  ClearSelection();
  SetCaret(position, false);
  mAnchor = position;
}

void LTextBox::OnMouseMoved(const RCPtr<LPointWithModifiersParam>& param) {
  if (!param || !(GetConditions() & kLeftDrag)) return;
  const RectT<double> area = GetTextArea();
  const double x = param->x;
  const Point clamped{std::clamp(x, area.x, std::max(area.x, area.x + area.width)),
                      std::clamp(double(param->y), area.y, std::max(area.y, area.y + area.height))};
  const Point& scroll = GetScrollOffset();
  ExtendSelectionTo(CharIndexAtPoint({clamped.x + scroll.x, clamped.y + scroll.y}));
  if (!mAutoScrollX) return;
  const double leftInner = area.x + kScrollZone;
  const double rightInner = area.x + area.width - kScrollZone;
  double speed = 0;
  if (x < leftInner)
    speed = kScrollSpeedFactor * (x - leftInner + 1);
  else if (x > rightInner)
    speed = kScrollSpeedFactor * (x - rightInner + 1);
  if (speed != 0)
    StartScrollAnimation(0, speed, GetFarScrollEdge(), 0, nullptr);
  else
    StopScrollAnimation(0);
}

void LTextBox::OnActivate(const RCPtr<LMouseButtonParam>& param) {
  if (param && (param->doubleClick || (param->modifiers & kMouseCtrl))) SelectWordAtCaret();
}

}  // namespace HV
