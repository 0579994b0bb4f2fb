#pragma once

#include "HVFramework/ControlBase/Skin/Menu/LMenuItemDescriptor.h"
#include "HVFramework/ControlBase/Views/LScrollView.h"
#include "HVFramework/Controls/TextBox/LTextValidationParams.h"

#include <cstdint>

namespace HV {

class LControlFactory;

// LTextBox: the single-line text entry. A scroll view whose content is its
// own text: it keeps a caret and a selection, edits through the keys, the
// mouse and the clipboard's four edit commands, filters what is typed or
// pasted through an optional character set and a maximum length, shows a
// placeholder label while empty and unfocused, blinks its caret on idle
// ticks, scrolls sideways to keep the caret in view, and lets its observers
// check or rewrite the text ("NID_TEXTBOX_VALIDATING"/"_VALIDATED") on
// Enter, when it is asked to give up the focus, and on SetFocus while it
// holds it. Positions count UTF-16 units, 0..length. UI thread only.
class LTextBox : public LScrollView {
 public:
  static constexpr const WChar* kClassName = u"Framework.TextBox";

  enum Look : int32_t {
    kLookNormal = 0,
    kLookHover = 1,
    kLookLabelBase = 2,  // under the placeholder label
    kLookFocused = 3,    // added to normal or hover
    kLookDisabled = 6,
    kLookLabel = 9,
    kLookSelection = 10,
    kLookSelectionHover = 11,
  };

  // Blink phases, in seconds of the program clock.
  static constexpr double kCaretShownTime = 0.5;
  static constexpr double kCaretHiddenTime = 0.3;

  LTextBox(LControl* parent, const StringW& name);

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  static HResult Register(LControlFactory& factory);

  // --- Text ---
  // The text with the caret at 0.
  HResult SetText(const StringW& text) override;
  virtual HResult SetTextEx(const StringW& text, bool resetCaret);
  // 0 when the text changed (then the selection is cleared, the caret kept
  // in range or, with resetCaret, put at 0, and "NID_TEXTBOX_TEXT_CHANGE"
  // sent with the box), 1 when it was the text already.
  HResult SetTextInternal(const StringW& text, bool resetCaret);
  int32_t GetTextLength() const { return GetText().GetLength(); }
  StringW GetLabelText() const { return mLabelText; }
  // Cuts a longer text to n characters; 0 for no limit.
  void SetMaxLength(int32_t maxLength);
  int32_t GetMaxLength() const { return mMaxLength; }
  // allows: only characters of the set may go in; else none of them. An
  // empty set filters nothing.
  void SetCharSet(const StringW& charSet, bool allows);
  const StringW& GetCharSet() const { return mCharSet; }
  bool DoesCharSetAllow() const { return mCharSetAllows; }
  // Whether a character may be typed or pasted: printable and passing the set.
  bool AcceptsCharacter(char16_t c) const;
  // The characters of text that AcceptsCharacter lets through.
  StringW FilterText(const StringW& text) const;
  // vertical true: the y axis (never scrolled); false: the x axis.
  void SetAutoScroll(bool vertical, bool on);
  bool HasTextChanged() const { return mTextChanged; }

  // --- Caret and selection ---
  // E_INVALIDARG outside 0..length; 1 when the caret was there already.
  HResult SetCaret(int32_t position, bool force);
  int32_t GetCaret() const { return mCaret; }
  int32_t GetSelectionStart() const { return mSelStart; }
  int32_t GetSelectionLength() const { return mSelLength; }
  int32_t GetAnchor() const { return mAnchor; }
  bool HasSelection() const { return mSelLength > 0; }
  StringW GetSelectedText() const { return GetText().Mid(mSelStart, mSelLength); }
  // first -1 clears; (0, -1) selects all; else characters first..last
  // (either order, both inside the text) inclusive.
  void SelectRange(int32_t first, int32_t last);
  void SetSelection(int32_t start, int32_t length, int32_t anchor);
  // Selects from the anchor to position and moves the caret there.
  void ExtendSelectionTo(int32_t position);
  void ClearSelection();

  // --- Editing ---
  void DeleteRange(int32_t start, int32_t count);
  void DeleteSelection();
  // E_FAIL without a selection or past the maximum length; else
  // SetTextInternal's result.
  HResult ReplaceSelection(const StringW& text);
  void InsertCharacter(char16_t c);
  bool CanPerformEdit(int32_t editKind) override;
  // Through the application clipboard; E_FAIL when there is nothing to act
  // on, no clipboard, or the result would break the maximum length.
  HResult PerformEdit(int32_t editKind) override;
  bool IsEditTarget() const override { return true; }

  // --- Validation ---
  RCPtr<LTextValidationParams> Validate();
  // The root window's question before the focus moves: the text validates.
  bool CanReleaseFocus() override;
  // Validates first while the box holds the focus.
  HResult SetFocus(bool forward) override;

  // --- Geometry (content coordinates) ---
  Rect GetCharRect(int32_t index);
  Rect GetRangeRect(int32_t a, int32_t b);
  int32_t CharIndexAtPoint(const Point& point);
  const Rect& GetCaretRect() const { return mCaretRect; }
  bool IsCaretVisible() const { return mCaretVisible; }
  int32_t NextWordStart() const;
  int32_t PreviousWordStart() const;

  // --- Looks and menu ---
  void UpdateLook();
  // The edit menu's items follow what the clipboard could do now: 0 for the
  // four edit commands, 1 for any other.
  HResult UpdateMenuItem(const RCPtr<LMenuDescriptor>& menu, int32_t index, const StringW& commandId,
                         LMenuItemState& state) override;

  // --- Overrides of the control base ---
  HResult SetScrollOffset(const Point& offset) override;
  void OnConditionsChanged(const RCPtr<LConditionsParam>& conditions) override;
  void RefreshIdleNotifications() override;
  HResult CreateFromDescriptor(const RCPtr<LControlDescriptor>& descriptor) override;
  void OnLeftButtonDown(const RCPtr<LMouseButtonParam>& param) override;
  void OnMouseMoved(const RCPtr<LPointWithModifiersParam>& param) override;
  void OnActivate(const RCPtr<LMouseButtonParam>& param) override;
  HResult ProcessKey(const RCPtr<LKeyParam>& key) override;
  void OnIdleTick() override;
  int32_t DrawOverlay(const RCPtr<LRenderer>& renderer) override;
  HResult Initialize() override;
  StringW GetToolTipText() const override;
  HResult Detach() override;

 private:
  // The key table (LTextBoxKeys.cpp).
  HResult ProcessCharacter(char16_t c);
  HResult ProcessVirtualKey(uint32_t code);
  void MoveCaretBy(int32_t delta);
  void ShiftLeft();
  void ShiftRight();
  void Backspace();
  void DeleteForward(bool toEnd);
  void SelectWordAtCaret();

  // Measuring (LTextBoxView.cpp).
  RCPtr<LFontText> GetTextLayout() const;
  double MeasureWidth(const StringW& text) const;
  double GetLineHeight() const;
  // The current look's text box and the first line's place in it.
  RectT<double> GetTextArea() const;
  Point GetTextOffset() const;
  double PrefixWidth(int32_t count) const;
  void UpdateCaretRect();
  void UpdateClientExtent();
  void ScrollCaretIntoView();
  double GetFarScrollEdge() const;
  Point ContentPointAtMouse() const;
  void ApplyLabelText();
  bool HasLook(int32_t index) const;
  void ShowLabelLooks();
  void ShowSelectionLooks(int32_t base);
  void RestartBlink();
  void HoldIdle(bool hold);

  StringW mCharSet;
  bool mCharSetAllows = true;
  StringW mLabelText;
  int32_t mCaret = 0;
  int32_t mSelStart = 0;
  int32_t mSelLength = 0;
  int32_t mAnchor = 0;
  int32_t mMaxLength = 0;
  bool mAutoScrollX = false;
  bool mAutoScrollY = false;
  bool mTextChanged = false;
  Rect mCaretRect;
  bool mInScrollUpdate = false;
  bool mCaretVisible = true;
  double mNextBlinkTime = 0;
  bool mHoldsIdle = false;
};

}  // namespace HV
