#include "HVFramework/Controls/ComboBox/LComboBox.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/Controls/ComboBox/DropDownPlacement.h"
#include "HVFramework/Controls/ControlsNotificationNames.h"
#include "HVFramework/Controls/ListBox/LListBox.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"
#include "HVFramework/Controls/TextBox/LTextBox.h"
#include "HVFramework/Controls/TextBox/LTextValidationParams.h"
#include "HVFramework/Utilities/Geometry/Rounding.h"

#include <cmath>

namespace HV {
namespace {

// Key-downs without modifiers: the virtual key in bits 16-23 with the
// key-down mark.
constexpr uint32_t KeyDown(uint32_t virtualKey) { return (virtualKey << 16) | KeyCode::kVirtualKeyFlag; }
constexpr uint32_t kEnterDown = KeyDown(0x0D);
constexpr uint32_t kEscapeDown = KeyDown(0x1B);
constexpr uint32_t kArrowDown = KeyDown(0x28);

// Optional sign and leading digits; text without digits reads as 0.
int32_t LeadingInteger(const StringW& text) {
  const WChar* at = text.GetText();
  if (!at) return 0;
  bool negative = false;
  if (*at == u'-' || *at == u'+') negative = *at++ == u'-';
  int64_t value = 0;
  for (; *at >= u'0' && *at <= u'9' && value <= INT32_MAX; ++at) value = value * 10 + (*at - u'0');
  if (value > INT32_MAX) value = INT32_MAX;
  return static_cast<int32_t>(negative ? -value : value);
}

// A drop-down list fits its height to its items whenever its count is set,
// also to the count it has.
void FitListHeight(LListBox& list) { list.SetItemCount(list.GetItemCount()); }

}  // namespace

LComboBox::LComboBox(LControl* parent, const StringW& name) : LDropDownControl(parent, name) {}

RCPtr<LControl>& LComboBox::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                   const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LComboBox>(result, parent, descriptor);
}

HResult LComboBox::Register(LControlFactory& factory) {
  const HResult plain = factory.RegisterControlCreateFunction(StringW(kClassName), &LComboBox::Create);
  if (Failed(plain)) return plain;
  return factory.RegisterControlCreateFunction(StringW(kTextClassName), &LComboBox::Create);
}

// --- Creation ---

HResult LComboBox::ApplyCreateParams() {
  const HResult base = LDropDownControl::ApplyCreateParams();
  StringW text;
  mInitialSelectedIndex = GetCreateParam(u"INITIAL_SELECTED_INDEX", text) ? LeadingInteger(text) : 0;
  return base;
}

HResult LComboBox::Initialize() {
  if (Failed(LDropDownControl::Initialize())) return E_FAIL;
  mListBox = RCPtr<LListBox>(GetListBox());
  if (!mListBox) return E_FAIL;
  mHandler = RCPtr<LNotificationHandler<LComboBox>>(new LNotificationHandler<LComboBox>(this));
  RegisterPartNotifications();
  mListBox->SetDropDownMode(true);
  mListBox->SetVisible(false);
  // Most lists of a form are never opened: their rows are made on opening.
  mListBox->DeferItemControls(true);
  LoadOwnItems();
  return S_OK;
}

void LComboBox::RegisterPartNotifications() {
  const RCPtr<LNotificationDistributor> list(mListBox.Get());
  mHandler->SetNotification(&LComboBox::OnListVisibilityChanged, list, kNidVisibilityConditionChange);
  mHandler->SetNotification(&LComboBox::OnListItemActivated, list, kNidItemActivated);
  LTextBox* textBox = GetTextBox();
  if (!textBox) return;
  const RCPtr<LNotificationDistributor> text(textBox);
  mHandler->SetNotification(&LComboBox::OnTextBoxPassOn, text, kNidTextboxValidating);
  mHandler->SetNotification(&LComboBox::OnTextBoxValidated, text, kNidTextboxValidated);
  mHandler->SetNotification(&LComboBox::OnTextBoxPassOn, text, kNidTextboxTextChange);
  mHandler->SetNotification(&LComboBox::OnTextBoxFocusChanged, text, kNidHasFocusConditionChange);
}

void LComboBox::LoadOwnItems() {
  const RCPtr<LStringTable> table = GetStringTable();
  if (!table) return;
  mListBox->LoadItemsFromStringTable(table);
  const int32_t initial = mInitialSelectedIndex;
  if (initial < 0 || initial >= mListBox->GetItemCount()) return;
  if (Failed(mListBox->SelectRange(initial, initial, true))) return;
  LControl::SetText(GetItemText(initial));
  mSelectedIndex = initial;
}

HResult LComboBox::OnCreated() {
  HideList();
  return FitDropDownList();
}

HResult LComboBox::FitDropDownList() {
  if (!mListBox) return E_FAIL;
  LListBox& list = *mListBox;
  const RCPtr<LControlDescriptor>& skin = list.GetDescriptor();
  const RCPtr<LLayoutDescriptor>& skinLayout = skin ? skin->GetLayout() : nullptr;
  const RCPtr<LLayoutDescriptor>& layout = list.GetLayout();
  if (!layout) return S_OK;
  const double skinMinimumWidth = skinLayout ? skinLayout->minimum[0].absolute : 0;
  const double skinMaximumWidth = skinLayout ? skinLayout->maximum[0].absolute : 0;
  if (skinMinimumWidth == 0 || skinMaximumWidth == 0) {
    LLayoutSizeLimit minimum = layout->minimum[0];
    if (skinMinimumWidth == 0) minimum.absolute = std::trunc(GetRect().width);
    list.SetAxisSizeLimits(0, minimum, layout->maximum[0]);
  }
  if (!skinLayout || skinLayout->minimum[1].absolute == 0) {
    LLayoutSizeLimit minimum = layout->minimum[1];
    minimum.absolute = list.GetItemHeight();
    minimum.relative = 0;
    list.SetAxisSizeLimits(1, minimum, layout->maximum[1]);
  }
  if (layout->maximum[1].absolute > 0) FitListHeight(list);
  return S_OK;
}

void LComboBox::ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                                    const RCPtr<LNotification>& notification) {
  if (DispatchToOwnHandler(*this, mHandler, source, notification)) return;
  LDropDownControl::ReceiveNotification(source, notification);
}

// --- Parts ---

LListBox* LComboBox::GetListBox() const {
  return dynamic_cast<LListBox*>(FindChildControl(StringW(u"listBox")).Get());
}

LTextBox* LComboBox::GetTextBox() const {
  return dynamic_cast<LTextBox*>(FindChildControl(StringW(u"textBox")).Get());
}

// --- Items and selection ---

int32_t LComboBox::GetItemCount() const { return mListBox ? mListBox->GetItemCount() : 0; }

RCPtr<LTaggableObject> LComboBox::GetItem(int32_t index) const {
  if (!mListBox || index < 0 || index >= mListBox->GetItemCount()) return nullptr;
  return mListBox->GetItemTag(index);
}

StringW LComboBox::GetItemText(int32_t index) const {
  if (!mListBox || index < 0 || index >= mListBox->GetItemCount()) return StringW();
  return mListBox->GetItemText(index);
}

HResult LComboBox::SetText(const StringW& text) {
  const HResult result = LDropDownControl::SetText(text);
  if (result != S_OK) return result;
  SetSelectedIndex(mListBox ? mListBox->FindItemByText(text, false) : -1);
  return S_OK;
}

int32_t LComboBox::SetSelectedIndex(int32_t index) {
  if (!mListBox) return mSelectedIndex = -1;
  if (index < 0) {
    mSelectedIndex = -1;
    mListBox->ClearSelection();
    return -1;
  }
  if (Failed(mListBox->SelectRange(index, index, true))) return mSelectedIndex = -1;
  const int32_t previous = mSelectedIndex;
  mSelectedIndex = index;
  const StringW text = GetItemText(index);
  LControl::SetText(text);
  if (LTextBox* textBox = GetTextBox()) textBox->SetText(text);
  if (index != previous) SendNotification(LNotification::Create(kNidSelectionChange));
  return index;
}

int32_t LComboBox::SetItemCount(int32_t count) {
  if (!mListBox) return E_FAIL;
  const int32_t result = mListBox->SetItemCount(count);
  if (mSelectedIndex >= count) SetSelectedIndex(-1);
  if (IsDropDownShown()) ShowDropDown(true);
  return result;
}

HResult LComboBox::InsertItem(int32_t index, const RCPtr<LTaggableObject>& item) {
  if (!item) return E_INVALIDARG;
  if (!mListBox) return E_FAIL;
  const HResult at = mListBox->InsertItem(index, item);
  if (Failed(at)) return at;
  if (at <= mSelectedIndex) ++mSelectedIndex;
  if (mSelectedIndex < 0 && item->ToString() == GetText()) SetSelectedIndex(at);
  return at;
}

HResult LComboBox::AppendItem(const StringW& text) {
  if (!mListBox) return E_FAIL;
  const HResult added = mListBox->AddItem(text);
  if (Failed(added)) return added;
  const int32_t at = mListBox->GetItemCount() - 1;
  if (mSelectedIndex < 0 && text == GetText()) SetSelectedIndex(at);
  return at;
}

// --- Notifications of the parts ---

HResult LComboBox::OnListVisibilityChanged(const RCPtr<LNotificationDistributor>& /*source*/,
                                           const RCPtr<LNotification>& /*notification*/) {
  UpdateLook();
  return S_OK;
}

HResult LComboBox::OnListItemActivated(const RCPtr<LNotificationDistributor>& /*source*/,
                                       const RCPtr<LNotification>& /*notification*/) {
  int32_t index = mListBox->GetCaretIndex();
  if (index >= mListBox->GetItemCount()) index = -1;
  SetSelectedIndex(index);
  return S_OK;
}

HResult LComboBox::OnTextBoxPassOn(const RCPtr<LNotificationDistributor>& /*source*/,
                                   const RCPtr<LNotification>& notification) {
  SendNotification(LNotification::Create(notification->GetName(), notification->GetPayload()));
  return S_OK;
}

HResult LComboBox::OnTextBoxValidated(const RCPtr<LNotificationDistributor>& /*source*/,
                                      const RCPtr<LNotification>& notification) {
  const RCPtr<LTextValidationParams> params = DynamicCast<LTextValidationParams>(notification->GetPayload());
  if (params) SetSelectedIndex(mListBox->SelectItemByText(params->text, -1, false));
  SendNotification(LNotification::Create(kNidTextboxValidated, notification->GetPayload()));
  return S_OK;
}

HResult LComboBox::OnTextBoxFocusChanged(const RCPtr<LNotificationDistributor>& /*source*/,
                                         const RCPtr<LNotification>& notification) {
  const RCPtr<LConditionsParam> conditions = DynamicCast<LConditionsParam>(notification->GetPayload());
  if (conditions && (conditions->current & kHasFocus) && !(conditions->previous & kHasFocus)) HideList();
  return S_OK;
}

// --- The drop-down ---

bool LComboBox::IsDropDownShown() {
  return mListBox && mListBox->IsVisible() && mListBox->GetRect().width > 0 && mListBox->GetRect().height > 0;
}

void LComboBox::HideList() {
  if (mListBox) mListBox->SetVisible(false);
}

HResult LComboBox::ShowDropDown(bool show) {
  if (!mListBox) return E_FAIL;
  const RCPtr<LListBox> list = mListBox;
  const RCPtr<LControl> self(this);
  if (show) list->DeferItemControls(false);
  if (show && GetParent()) {
    SendNotification(LNotification::Create(kNidDropdownOpening));
    PlaceList(*list);
    SelectShownTextInList(*list);
  }
  list->SetVisible(show);
  if (show) {
    const bool leftHeld = IsCapturing() && (GetConditions() & (kLeftDown | kLeftDrag));
    // The press in the list's coordinates, now that the list is placed.
    const Point listAt = list->GetPositionInParent();
    mPressPoint = {mPressInCombo.x - listAt.x, mPressInCombo.y - listAt.y};
    if (list->IsDropDownMode() && leftHeld) {
      list->StartMouseCapture(1, RoundToInt32(mPressPoint.x),
                              RoundToInt32(mPressPoint.y));
    }
    list->SetFocus(true);
  }
  return S_OK;
}

void LComboBox::PlaceList(LListBox& list) {
  LRootWindow* root = GetRootWindow();
  const RCPtr<LControlDescriptor>& skin = list.GetDescriptor();
  const RCPtr<LLayoutDescriptor>& skinLayout = skin ? skin->GetLayout() : nullptr;
  const RCPtr<LLayoutDescriptor>& layout = list.GetLayout();
  if (!layout) return;
  DropDownPlacement::Room room;
  room.top = GetOriginInRoot().y;
  room.boxHeight = GetRect().height;
  room.windowHeight = root ? std::trunc(root->GetScreenRect().height) : 0;
  room.margin = kScreenMargin;
  DropDownPlacement::List rows;
  rows.count = list.GetItemCount();
  rows.rowHeight = list.GetItemHeight();
  rows.frame = std::max(0.0, list.GetRect().height - list.GetClientOffsets(-1).height);
  rows.skinMaximum = skinLayout ? skinLayout->maximum[1].absolute : 0;
  const DropDownPlacement placement = DropDownPlacement::Compute(room, rows);

  // Whole rows: the list is never taller than the rows it shows.
  LLayoutSizeLimit maximum = layout->maximum[1];
  maximum.absolute = placement.height;
  list.SetAxisSizeLimits(1, layout->minimum[1], maximum);

  LLayoutPosition position;
  position.referenceMode = 0;  // the parent: the combo box
  position.placementAnchor = placement.below ? 0.0f : 1.0f;
  position.relative = placement.below ? 1.0f : 0.0f;
  position.absolute = placement.below ? -placement.shift : placement.shift;
  LLayoutSize size = layout->size[1];
  size.absolute = placement.height;
  list.SetAxisLayout(1, position, size, false);
  FitListHeight(list);
}

void LComboBox::SelectShownTextInList(LListBox& list) {
  const StringW& shown = GetText();
  bool found = false;
  for (int32_t index = list.GetItemCount() - 1; index >= 0; --index) {
    if (list.GetItemText(index) != shown) continue;
    list.SelectRange(index, index, true);
    list.EnsureItemVisible(index);
    found = true;
  }
  if (!found && list.GetItemCount() > 0) {
    list.SelectRange(0, 0, true);
    list.EnsureItemVisible(0);
  }
}

// --- Input and looks ---

void LComboBox::OnConditionsChanged(const RCPtr<LConditionsParam>& conditions) {
  // The press point first: the toggle may open the list, which takes the
  // capture at that point.
  if (conditions && (conditions->current & kLeftDown) && !(conditions->previous & kLeftDown))
    mPressInCombo = {conditions->x, conditions->y};
  LDropDownControl::OnConditionsChanged(conditions);
  UpdateLook();
}

HResult LComboBox::ProcessKey(const RCPtr<LKeyParam>& key) {
  if (!key) return S_FALSE;
  const uint32_t code = key->GetKey().code;
  if ((code == kArrowDown || code == kEnterDown) && !IsDropDownShown()) {
    ShowDropDown(true);
    return S_OK;
  }
  if (code == kEscapeDown && IsDropDownShown()) {
    HideList();
    return S_OK;
  }
  return S_FALSE;
}

HResult LComboBox::OnChildKey(const RCPtr<LKeyParam>& key) {
  if (key && key->GetKey().code == kEscapeDown && IsDropDownShown()) {
    HideList();
    return S_OK;
  }
  return LDropDownControl::OnChildKey(key);
}

HResult LComboBox::UpdateLook() { return SelectLook(GetStateLook()); }

int32_t LComboBox::GetStateLook() {
  if (!IsEnabled(true)) return kLookDisabled;
  const uint32_t word = GetConditions();
  const bool hover = (word & kMouseOver) != 0;
  if (IsDropDownShown()) return hover ? kLookOpenHover : kLookOpen;
  const bool focus = (word & (kHasFocus | kContainsFocus)) != 0;
  return (hover ? kLookClosedHover : kLookClosed) + (focus ? 1 : 0);
}

StringW LComboBox::GetToolTipText() const {
  return IsTextClipped() ? GetText() : LDropDownControl::GetToolTipText();
}

}  // namespace HV
