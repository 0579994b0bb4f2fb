// The text box's text, caret, selection, edits, validation and creation.
// The keys and the mouse are in LTextBoxKeys.cpp; measuring, scrolling,
// looks and the caret's drawing in LTextBoxView.cpp.
#include "HVFramework/Controls/TextBox/LTextBox.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/ControlBase/SystemUI/SystemUINotificationNames.h"
#include "HVFramework/Controls/ControlsNotificationNames.h"
#include "HVFramework/Controls/TextBox/TextCharacters.h"
#include "HVFramework/Platform/Core/Clock.h"
#include "HVFramework/ControlBase/SystemUI/ApplicationClipboard.h"

#include <algorithm>

namespace HV {
namespace {

// The edit menu: label text id, command id and edit kind, in menu order.
struct EditMenuRow {
  const WChar* labelId;
  const NotificationName& command;
  int32_t kind;
};
constexpr EditMenuRow kEditMenu[] = {
    {u"EDIT_CUT", kNidEditCutReq, LControl::kEditCut},
    {u"EDIT_COPY", kNidEditCopyReq, LControl::kEditCopy},
    {u"EDIT_PASTE", kNidEditPasteReq, LControl::kEditPaste},
    {u"EDIT_DELETE", kNidEditDeleteReq, LControl::kEditDelete},
};

// The clipboard's text, or null when it holds none (or there is no clipboard).
const StringW* ClipboardText(RCPtr<LRefCountedObject>& content) {
  const RCPtr<LClipboard>& clipboard = GetApplicationClipboard();
  if (!clipboard) return nullptr;
  content = clipboard->GetText();
  return LClipboard::AsText(content.Get());
}

}  // namespace

LTextBox::LTextBox(LControl* parent, const StringW& name) : LScrollView(parent, name) {}

RCPtr<LControl>& LTextBox::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                  const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LTextBox>(result, parent, descriptor);
}

HResult LTextBox::Register(LControlFactory& factory) {
  return factory.RegisterControlCreateFunction(StringW(kClassName), &LTextBox::Create);
}

// --- Creation ---

HResult LTextBox::CreateFromDescriptor(const RCPtr<LControlDescriptor>& descriptor) {
  const StringW before = GetText();
  const HResult built = LScrollView::CreateFromDescriptor(descriptor);
  StringW label;
  if (built < 0 || !GetCreateParam(u"LABEL", label)) return built;
  // The skin's text is the placeholder, not the content.
  SetText(before);
  mLabelText = label;
  if (!mLabelText.IsEmpty()) {
    ApplyLabelText();
    UpdateLook();
  }
  return built;
}

HResult LTextBox::Initialize() {
  const HResult initialized = LScrollView::Initialize();
  if (initialized < 0) return initialized;
  SetLabelScrolls(true);
  UpdateCaretRect();
  return S_OK;
}

HResult LTextBox::Detach() {
  const RCPtr<LControl> self(this);
  const HResult result = LScrollView::Detach();
  mHoldsIdle = false;  // the base dropped every idle request
  return result;
}

void LTextBox::RefreshIdleNotifications() {
  LScrollView::RefreshIdleNotifications();
  const LControlFactory* factory = GetApplicationControlFactory();
  const RCPtr<LStringTable> strings = factory ? factory->GetFrameworkStringTable() : nullptr;
  if (!strings) return;
  const RCPtr<LMenuDescriptor> menu = LMenuDescriptor::Create();
  for (const EditMenuRow& row : kEditMenu) {
    StringW label;
    strings->GetString(StringW(row.labelId), label);
    menu->AppendItem(LMenuItemDescriptor::Create(label, StringW(row.command.GetText()), true, false));
  }
  SetContextMenu(menu);
}

HResult LTextBox::UpdateMenuItem(const RCPtr<LMenuDescriptor>& /*menu*/, int32_t /*index*/,
                                 const StringW& commandId, LMenuItemState& state) {
  for (const EditMenuRow& row : kEditMenu) {
    if (!(commandId == row.command.GetText())) continue;
    const RCPtr<LClipboard>& clipboard = GetApplicationClipboard();
    state.enabled = clipboard && clipboard->CanPerformEditCommand(row.kind);
    return S_OK;
  }
  return S_FALSE;
}

StringW LTextBox::GetToolTipText() const {
  return IsTextClipped() ? GetText() : LScrollView::GetToolTipText();
}

// --- Text ---

HResult LTextBox::SetText(const StringW& text) { return SetTextInternal(text, true); }

HResult LTextBox::SetTextEx(const StringW& text, bool resetCaret) { return SetTextInternal(text, resetCaret); }

HResult LTextBox::SetTextInternal(const StringW& text, bool resetCaret) {
  const RCPtr<LControl> self(this);
  if (!ApplyText(text)) return S_FALSE;
  mTextChanged = true;
  UpdateClientExtent();
  ClearSelection();
  // A shorter text must not leave the caret or the anchor past its end.
  const int32_t length = GetTextLength();
  if (resetCaret)
    SetCaret(0, true);
  else if (mCaret > length)
    SetCaret(length, true);
  mAnchor = std::min(mAnchor, length);
  ScrollCaretIntoView();
  if (!mLabelText.IsEmpty()) {
    ApplyLabelText();
    UpdateLook();
  }
  SendNotification(LNotification::Create(kNidTextboxTextChange, RCPtr<LRefCountedObject>(this)));
  return S_OK;
}

void LTextBox::SetMaxLength(int32_t maxLength) {
  mMaxLength = maxLength;
  if (maxLength <= 0 || GetTextLength() <= maxLength) return;
  if (SetTextInternal(GetText().Left(maxLength), false) == S_OK) SetCaret(GetTextLength(), true);
}

void LTextBox::SetCharSet(const StringW& charSet, bool allows) {
  mCharSet = charSet;
  mCharSetAllows = allows;
}

bool LTextBox::AcceptsCharacter(char16_t c) const {
  if (!TextCharacters::IsPrintable(c)) return false;
  if (mCharSet.IsEmpty()) return true;
  return (mCharSet.Find(c) >= 0) == mCharSetAllows;
}

StringW LTextBox::FilterText(const StringW& text) const {
  StringW kept;
  for (int32_t i = 0; i < text.GetLength(); ++i)
    if (AcceptsCharacter(text[i])) kept += text[i];
  return kept;
}

void LTextBox::SetAutoScroll(bool vertical, bool on) {
  if (vertical)
    mAutoScrollY = on;
  else
    mAutoScrollX = on;
}

// --- Caret and selection ---

HResult LTextBox::SetCaret(int32_t position, bool force) {
  if (position < 0 || position > GetTextLength()) return E_INVALIDARG;
  const bool same = position == mCaret;
  if (same && !force) {
    if (!HasSelection()) mAnchor = mCaret;
    return S_FALSE;
  }
  mCaret = position;
  if (!HasSelection()) mAnchor = mCaret;
  UpdateCaretRect();
  ScrollCaretIntoView();
  RestartBlink();
  const Rect& rect = GetRect();
  Invalidate({0, 0, rect.width, rect.height}, 0);
  return same ? S_FALSE : S_OK;
}

void LTextBox::SelectRange(int32_t first, int32_t last) {
  const int32_t length = GetTextLength();
  int32_t start = mSelStart, count = mSelLength, anchor = mAnchor;
  if (first == -1) {
    start = count = anchor = 0;
  } else if (first == 0 && last == -1) {
    start = anchor = 0;
    count = length;
  } else if (first < 0 || first >= length || last < 0 || last >= length) {
    return;
  } else {
    start = anchor = std::min(first, last);
    count = std::max(first, last) - start + 1;
  }
  const bool changed = start != mSelStart || count != mSelLength;
  mSelStart = start;
  mSelLength = count;
  mAnchor = anchor;
  if (changed) UpdateLook();
}

void LTextBox::SetSelection(int32_t start, int32_t length, int32_t anchor) {
  if (length > 0) {
    SelectRange(start, start + length - 1);
  } else {
    const bool changed = mSelLength != 0 || mSelStart != start;
    mSelStart = start;
    mSelLength = 0;
    if (changed) UpdateLook();
  }
  mAnchor = anchor;
}

void LTextBox::ExtendSelectionTo(int32_t position) {
  if (position < 0 || position > GetTextLength()) return;
  const int32_t start = std::min(mAnchor, position);
  SetSelection(start, std::abs(position - mAnchor), mAnchor);
  SetCaret(position, false);
}

void LTextBox::ClearSelection() {
  const bool had = HasSelection();
  mSelStart = mSelLength = 0;
  // With nothing selected the anchor stays with the caret, so that a
  // selection extended next starts where the caret is.
  mAnchor = mCaret;
  if (had) UpdateLook();
}

// --- Editing ---

void LTextBox::DeleteRange(int32_t start, int32_t count) {
  StringW text = GetText();
  if (!text.Remove(start, count)) return;
  if (SetTextInternal(text, false) == S_OK) SetCaret(start, true);
}

void LTextBox::DeleteSelection() {
  if (HasSelection()) DeleteRange(mSelStart, mSelLength);
}

HResult LTextBox::ReplaceSelection(const StringW& text) {
  if (!HasSelection()) return E_FAIL;
  const int32_t length = GetTextLength();
  if (mMaxLength != 0 && length + text.GetLength() - mSelLength > mMaxLength) return E_FAIL;
  const int32_t start = mSelStart;
  StringW result = GetText();
  result.Remove(start, mSelLength);
  result.Insert(start, text);
  const HResult applied = SetTextInternal(result, false);
  SetCaret(start + text.GetLength(), true);
  ClearSelection();
  return applied;
}

void LTextBox::InsertCharacter(char16_t c) {
  if (HasSelection()) {
    const int32_t start = mSelStart;
    DeleteSelection();
    ClearSelection();
    SetCaret(start, true);
  }
  if (mMaxLength != 0 && GetTextLength() >= mMaxLength) return;
  StringW text = GetText();
  text.Insert(mCaret, StringW(c));
  const int32_t caret = mCaret;
  if (SetTextInternal(text, false) == S_OK) SetCaret(caret + 1, true);
}

bool LTextBox::CanPerformEdit(int32_t editKind) {
  switch (editKind) {
    case kEditDelete:
    case kEditCut:
    case kEditCopy:
      return HasSelection();
    case kEditPaste: {
      RCPtr<LRefCountedObject> content;
      const StringW* text = ClipboardText(content);
      if (!text) return false;
      const int32_t pasted = FilterText(*text).GetLength();
      if (pasted == 0) return false;
      return mMaxLength == 0 || mMaxLength >= GetTextLength() + pasted - mSelLength;
    }
    default:
      return false;
  }
}

HResult LTextBox::PerformEdit(int32_t editKind) {
  const RCPtr<LControl> self(this);
  switch (editKind) {
    case kEditDelete:
      if (!HasSelection()) return E_FAIL;
      DeleteSelection();
      return S_OK;
    case kEditCut:
    case kEditCopy: {
      const RCPtr<LClipboard>& clipboard = GetApplicationClipboard();
      if (!HasSelection() || !clipboard) return E_FAIL;
      clipboard->SetContent(LClipboard::MakeText(GetSelectedText()));
      if (editKind == kEditCut) DeleteSelection();
      return S_OK;
    }
    case kEditPaste: {
      RCPtr<LRefCountedObject> content;
      const StringW* text = ClipboardText(content);
      if (!text) return E_FAIL;
      // Pasting goes through the same filter as typing.
      const StringW pasted = FilterText(*text);
      if (pasted.IsEmpty()) return E_FAIL;
      if (HasSelection()) return ReplaceSelection(pasted);
      if (mMaxLength != 0 && mMaxLength < GetTextLength() + pasted.GetLength()) return E_FAIL;
      StringW result = GetText();
      const int32_t caret = mCaret;
      result.Insert(caret, pasted);
      if (SetTextInternal(result, false) != S_OK) return E_FAIL;
      SetCaret(caret + pasted.GetLength(), true);
      return S_OK;
    }
    default:
      return E_FAIL;
  }
}

// --- Validation ---

RCPtr<LTextValidationParams> LTextBox::Validate() {
  const RCPtr<LControl> self(this);
  const RCPtr<LTextValidationParams> params = LTextValidationParams::Create(GetText());
  const RCPtr<LRefCountedObject> payload(params.Get());
  SendNotification(LNotification::Create(kNidTextboxValidating, payload));
  if (!params->isValid) return params;
  if (!(params->text == GetText())) SetTextInternal(params->text, false);
  SendNotification(LNotification::Create(kNidTextboxValidated, payload));
  return params;
}

bool LTextBox::CanReleaseFocus() { return Validate()->isValid; }

HResult LTextBox::SetFocus(bool forward) {
  if (HasFocus()) Validate();
  return LScrollView::SetFocus(forward);
}

// --- Focus and hover ---

void LTextBox::OnConditionsChanged(const RCPtr<LConditionsParam>& conditions) {
  LScrollView::OnConditionsChanged(conditions);
  if (!conditions) return;
  const RCPtr<LControl> self(this);
  const uint32_t before = conditions->previous;
  const uint32_t now = conditions->current;
  const auto began = [&](uint32_t bit) { return (now & bit) && !(before & bit); };
  const auto ended = [&](uint32_t bit) { return (before & bit) && !(now & bit); };
  LRootWindow* root = GetRootWindow();
  const Rect& rect = GetRect();
  if (began(kHasFocus)) {
    if (root) root->SetTextInputState(true, 0);
    ScrollCaretIntoView();
    UpdateLook();
    RestartBlink();
    Invalidate({0, 0, rect.width, rect.height}, 0);
    HoldIdle(true);
    return;
  }
  if (ended(kHasFocus)) {
    if (root) root->SetTextInputState(false, 0);
    HoldIdle(false);
    mCaretVisible = false;
    SetScrollOffset({0, 0});
    UpdateLook();
    Invalidate({0, 0, rect.width, rect.height}, 0);
    return;
  }
  if (began(kHover) && GetCursor() == 0 && root && root->GetHost()) {
    if (const CursorHandle beam = root->GetHost()->GetCursorByName(StringW(u"UI_CURSOR_IBEAM"))) {
      SetCursor(beam);
      // The base showed the control's cursor before this change reached us.
      if ((now & kMouseOver) && !(now & kCapture)) ApplyCursor();
    }
  }
  if (ended(kLeftDrag)) {
    StopScrollAnimation(0);
    StopScrollAnimation(1);
  }
  const uint32_t watched = kHover | kMouseOver | kHasFocus | kEnabled | kLeftDrag;
  if ((before ^ now) & watched) UpdateLook();
}

void LTextBox::RestartBlink() {
  mCaretVisible = true;
  mNextBlinkTime = Platform::GetSecondsSinceStart() + kCaretShownTime;
}

void LTextBox::HoldIdle(bool hold) {
  if (hold == mHoldsIdle) return;
  mHoldsIdle = hold;
  if (hold)
    StartIdleNotifications();
  else
    StopIdleNotifications();
}

void LTextBox::OnIdleTick() {
  LScrollView::OnIdleTick();
  if (!mHoldsIdle || Platform::GetSecondsSinceStart() < mNextBlinkTime) return;
  mCaretVisible = !mCaretVisible;
  mNextBlinkTime = Platform::GetSecondsSinceStart() + (mCaretVisible ? kCaretShownTime : kCaretHiddenTime);
  const Rect& rect = GetRect();
  Invalidate({0, 0, rect.width, rect.height}, 0);
}

}  // namespace HV
