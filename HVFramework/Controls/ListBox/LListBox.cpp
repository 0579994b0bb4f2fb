#include "HVFramework/Controls/ListBox/LListBox.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/Controls/ControlsNotificationNames.h"
#include "HVFramework/Controls/DropDown/LDropDownControl.h"
#include "HVFramework/Controls/ListBox/LItemConditionsParam.h"
#include "HVFramework/Controls/ListBox/LListBoxItem.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"
#include "HVFramework/ObjectBase/Holder.h"
#include "HVFramework/ObjectBase/ValueScope.h"
#include "HVFramework/ObjectBase/WrapperStringable.h"
#include "HVFramework/Renderer/ApplicationRenderer.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace HV {
namespace {

constexpr const WChar* kProbeText = u"{WXyg|}";
// No screen is taller: the pool never grows past what this would show.
constexpr double kMaxPoolHeight = 16384;

// Key-downs as whole key words: the virtual key in bits 16-23 with the
// key-down mark; Shift adds its modifier bit.
constexpr uint32_t kKeyDown = KeyCode::kVirtualKeyFlag;
constexpr uint32_t kUpKey = kKeyDown | (0x26u << 16);
constexpr uint32_t kDownKey = kKeyDown | (0x28u << 16);
constexpr uint32_t kLeftKey = kKeyDown | (0x25u << 16);
constexpr uint32_t kRightKey = kKeyDown | (0x27u << 16);
constexpr uint32_t kPageUpKey = kKeyDown | (0x21u << 16);
constexpr uint32_t kPageDownKey = kKeyDown | (0x22u << 16);
constexpr uint32_t kHomeKey = kKeyDown | (0x24u << 16);
constexpr uint32_t kEndKey = kKeyDown | (0x23u << 16);
constexpr uint32_t kReturnKey = kKeyDown | (0x0Du << 16);

constexpr uint32_t kCtrlModifier = 0x01;
constexpr uint32_t kShiftModifier = 0x08;

// "item3" gives 3; anything else 0.
int32_t ItemNumberOf(const StringW& name) {
  static const StringW prefix(u"item");
  if (name.GetLength() <= prefix.GetLength() || name.Left(prefix.GetLength()) != prefix) return 0;
  int32_t number = 0;
  for (int32_t i = prefix.GetLength(); i < name.GetLength(); ++i) {
    const WChar c = name[i];
    if (c < u'0' || c > u'9' || number > 100000) return 0;
    number = number * 10 + (c - u'0');
  }
  return number;
}

StringW NumberedName(const WChar* pattern, int32_t number) {
  StringW name(pattern);
  name += StringW::FromFormat(u"%d", number);
  return name;
}

LListBoxItem* AsItem(LControl* control) { return dynamic_cast<LListBoxItem*>(control); }

}  // namespace

LListBox::LListBox(LControl* parent, const StringW& name) : LScrollView(parent, name) {}

LListBox::~LListBox() = default;

RCPtr<LControl>& LListBox::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                  const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LListBox>(result, parent, descriptor);
}

HResult LListBox::Register(LControlFactory& factory) {
  const HResult list = factory.RegisterControlCreateFunction(StringW(kClassName), &LListBox::Create);
  if (Failed(list)) return list;
  return factory.RegisterControlCreateFunction(StringW(kNoScrollClassName), &LListBox::Create);
}

// --- Creation ---

HResult LListBox::Initialize() {
  const HResult base = LScrollView::Initialize();
  const RCPtr<LControl> self(this);
  mHandler = RCPtr<LNotificationHandler<LListBox>>(new LNotificationHandler<LListBox>(this));
  if (!Failed(base)) SetAutoClientExtent(kAutoOff, 0, 0);
  if (const RCPtr<LControl> templateControl = FindChildControl(StringW(u"templateItem"))) {
    mItemTemplate = templateControl->GetDescriptor();
    CaptureTemplate(templateControl);
    ApplyItemTemplate(*templateControl);
    templateControl->SetVisible(false);
    SetScrollByItems(1, true, mItemHeight);
    UpdateScrollBars();
    if (const RCPtr<LStringTable> table = GetStringTable()) LoadItemsFromStringTable(table);
    return base;
  }
  // Without a template the skin's "item1", "item2", ... are the pool.
  bool found = false;
  for (int32_t number = 1;; ++number) {
    const RCPtr<LControl> item = FindChildControl(NumberedName(u"item", number));
    if (!item) break;
    if (!found) {
      CaptureTemplate(item);
      ApplyItemTemplate(*item);
      found = true;
    }
    mItemControls.push_back(item.Get());
    const int32_t index = GetItemCount();
    InsertItemRecord(index);
    GetItemRecord(index).Tag = MakeStringTag(item->GetText());
    AdoptItemControl(*item);
  }
  if (found) {
    RefreshItemControls(0);
    if (mDropDownMode) SetClientHeight(GetItemsHeight());
    UpdateContentExtent();
    if (mSortOnChange) SortItems();
  }
  return base;
}

void LListBox::CaptureTemplate(const RCPtr<LControl>& templateControl) {
  const LLayoutDescriptor& layout = *templateControl->GetLayout();
  mTemplateTextOverflowX = layout.textOverflowX;
  mTemplateSizesSelf = layout.size[0].referenceMode == 2;
}

int32_t LListBox::TemplateTextOverflowX() const { return mTemplateTextOverflowX; }

bool LListBox::TemplateSizesSelf() const { return !mItemTemplate || mTemplateSizesSelf; }

HResult LListBox::ApplyItemTemplate(LControl& templateControl) {
  const RCPtr<LControl> self(this);
  const RCPtr<LControl> keep(&templateControl);
  const double listWidth = GetRect().width;
  const double nonClientHeight = GetRect().height - GetClientOffsets(-1).height;
  const LLayoutSizeLimit savedMinimum = GetLayout()->minimum[0];
  const LLayoutSizeLimit savedMaximum = GetLayout()->maximum[0];
  SetAxisSizeLimits(0, LLayoutSizeLimit{}, savedMaximum);

  const StringW ownText = templateControl.GetText();
  templateControl.SetText(StringW());
  mItemTextMargin = RoundToInt32(templateControl.GetRect().width);
  templateControl.SetText(StringW(kProbeText));
  mItemHeight = RoundToInt32(templateControl.GetRect().height);
  if (mItemHeight < 1) mItemHeight = kDefaultItemHeight;
  templateControl.SetText(ownText);

  LLayoutSizeLimit minimum = savedMinimum;
  if (templateControl.GetLayout()->textOverflowX == 1 && std::fabs(savedMinimum.absolute) == 0)
    minimum.absolute = listWidth;
  SetAxisSizeLimits(0, minimum, savedMaximum);
  if (const RCPtr<LControlDescriptor>& descriptor = GetDescriptor(); descriptor && descriptor->GetLayout()) {
    const LLayoutDescriptor& layout = *GetLayout();
    SetAxisLayout(0, layout.position[0], descriptor->GetLayout()->size[0], layout.docked[0]);
  }
  (void)nonClientHeight;  // SetClientHeight adds it back
  if (mDropDownMode) SetClientHeight(static_cast<double>(mItemHeight) * std::max(1, GetItemCount()));
  mTemplateApplied = true;
  return S_OK;
}

HResult LListBox::CreateFromDescriptor(const RCPtr<LControlDescriptor>& descriptor) {
  HResult result;
  {
    const FlagScope creating(mCreatingFromDescriptor);
    mItemTemplate = nullptr;
    result = LScrollView::CreateFromDescriptor(descriptor);
  }
  FillItemControls();
  RefreshItemControls(mFirstVisibleIndex);
  if (IsCreated()) RecomputeWidestItem();
  return result;
}

HResult LListBox::AddChildControl(const RCPtr<LControl>& child, const RCPtr<LControlDescriptor>& descriptor) {
  if (!child && descriptor) {
    if (descriptor->GetName() != StringW(u"templateItem")) return E_FAIL;
    LControlFactory* factory = GetApplicationControlFactory();
    if (!factory) return E_FAIL;
    mItemTemplate = descriptor;
    const RCPtr<LControl> templateControl = factory->CreateControl(descriptor, RCPtr<LControl>(this));
    if (!templateControl) return E_FAIL;
    CaptureTemplate(templateControl);
    ApplyItemTemplate(*templateControl);
    templateControl->SetVisible(false);
    return S_OK;
  }
  if (child) {
    const int32_t number = ItemNumberOf(child->GetName());
    const size_t at = static_cast<size_t>(number) - 1;
    if (number >= 1 && at < mItemControls.size())
      mItemControls[at] = child.Get();
    else if (number >= 1 && at == mItemControls.size())
      mItemControls.push_back(child.Get());
  }
  return LScrollView::AddChildControl(child, descriptor);
}

void LListBox::OnChildRemoved(LControl* child, int32_t index) {
  // Only the removed control leaves the pool; the other rows keep theirs.
  mItemControls.erase(std::remove(mItemControls.begin(), mItemControls.end(), child), mItemControls.end());
  LScrollView::OnChildRemoved(child, index);
}

void LListBox::ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                                   const RCPtr<LNotification>& notification) {
  if (DispatchToOwnHandler(*this, mHandler, source, notification)) return;
  LScrollView::ReceiveNotification(source, notification);
}

// --- Item records ---

int32_t LListBox::GetItemCount() const { return static_cast<int32_t>(mItems.size()); }

LListBox::ItemRecord& LListBox::GetItemRecord(int32_t index) { return mItems.at(static_cast<size_t>(index)); }

HResult LListBox::InsertItemRecord(int32_t index) {
  mItems.insert(mItems.begin() + index, ItemRecord{});
  return S_OK;
}

HResult LListBox::EraseItemRecord(int32_t index) {
  mItems.erase(mItems.begin() + index);
  return S_OK;
}

HResult LListBox::SwapItems(int32_t a, int32_t b) {
  std::swap(GetItemRecord(a), GetItemRecord(b));
  return S_OK;
}

// --- Item model ---

StringW LListBox::GetItemText(int32_t index) const {
  if (index < 0 || index >= GetItemCount()) return StringW();
  const RCPtr<LTaggableObject>& tag = GetItemRecord(index).Tag;
  return tag ? tag->ToString() : StringW();
}

RCPtr<LTaggableObject> LListBox::GetItemTag(int32_t index) const {
  if (index < 0 || index >= GetItemCount()) return nullptr;
  return GetItemRecord(index).Tag;
}

HResult LListBox::InsertItem(int32_t index, const RCPtr<LTaggableObject>& tag) {
  if (index < 0 || index > GetItemCount()) return E_INVALIDARG;
  const RCPtr<LControl> self(this);
  const HResult inserted = InsertItemRecord(index);
  if (Failed(inserted)) return inserted;
  GetItemRecord(index).Tag = tag;
  // The anchor and the caret stay on their items.
  if (mAnchorIndex >= index) ++mAnchorIndex;
  if (mCaretIndex >= index) ++mCaretIndex;
  FillItemControls();
  RefreshItemControls(index);
  UpdateContentExtent();
  if (!mSuspendLayout) {
    const int32_t width = GetItemWidth(index);
    if (width > mWidestItemWidth) SetWidestItemWidth(width);
  }
  if (mDropDownMode) SetClientHeight(GetItemsHeight());
  if (mSortOnChange) SortItems();
  return index;
}

HResult LListBox::AddItem(const StringW& text) { return InsertItem(GetItemCount(), MakeStringTag(text)); }

HResult LListBox::SetItemTag(int32_t index, const RCPtr<LTaggableObject>& tag) {
  if (index < 0 || index >= GetItemCount()) return S_OK;
  const RCPtr<LControl> self(this);
  const int32_t oldWidth = mSuspendLayout ? 0 : GetItemWidth(index);
  GetItemRecord(index).Tag = tag;
  RefreshItemText(index);
  if (mSuspendLayout) return S_OK;
  if (oldWidth == mWidestItemWidth) {
    RecomputeWidestItem();
  } else {
    const int32_t width = GetItemWidth(index);
    if (width > mWidestItemWidth) SetWidestItemWidth(width);
  }
  return S_OK;
}

HResult LListBox::SetItem(int32_t index, const RCPtr<LTaggableObject>& tag, double value, bool marked,
                          bool separator) {
  if (index < 0 || index >= GetItemCount()) return S_OK;
  const RCPtr<LControl> self(this);
  ItemRecord& record = GetItemRecord(index);
  // The selected count follows the value, as SetItemValue keeps it.
  const bool wasSelected = record.Value >= 0.5;
  const bool selected = value >= 0.5;
  if (wasSelected != selected) mSelectedCount += selected ? 1 : -1;
  record.Tag = tag;
  record.Value = value;
  record.IsMarked = marked;
  record.IsSeparator = separator;
  UpdateItemControl(index);
  RefreshItemText(index);
  if (!mSuspendLayout) {
    const int32_t width = GetItemWidth(index);
    if (width > mWidestItemWidth) SetWidestItemWidth(width);
  }
  return S_OK;
}

HResult LListBox::SetItemMarked(int32_t index, bool marked) {
  if (index < 0 || index >= GetItemCount()) return S_OK;
  GetItemRecord(index).IsMarked = marked;
  UpdateItemControl(index);
  return S_FALSE;
}

HResult LListBox::SetItemSeparator(int32_t index, bool separator) {
  if (index < 0 || index >= GetItemCount()) return S_OK;
  GetItemRecord(index).IsSeparator = separator;
  UpdateItemControl(index);
  return S_FALSE;
}

bool LListBox::IsItemMarked(int32_t index) const {
  return index >= 0 && index < GetItemCount() && GetItemRecord(index).IsMarked;
}

bool LListBox::IsItemHidden(int32_t index) const {
  return index >= 0 && index < GetItemCount() && GetItemRecord(index).IsHidden;
}

HResult LListBox::SetItemHidden(int32_t index, bool hidden) {
  if (index < 0 || index >= GetItemCount()) return E_INVALIDARG;
  ItemRecord& record = GetItemRecord(index);
  if (record.IsHidden == hidden) return S_FALSE;
  const RCPtr<LControl> self(this);
  record.IsHidden = hidden;
  mHiddenCount += hidden ? 1 : -1;
  if (hidden) DeselectItem(index);
  RefreshItemControls(std::min(index, mFirstVisibleIndex));
  UpdateContentExtent();
  if (hidden && index == mFirstVisibleIndex) {
    mFirstVisibleIndex = GetItemCount();
    EnsureItemVisible(index);
  }
  return S_OK;
}

int32_t LListBox::SetItemCount(int32_t count) {
  if (count < 0) return E_INVALIDARG;
  const RCPtr<LControl> self(this);
  {
    const FlagScope suspended(mSuspendLayout);
    ++mQuietSelection;  // clearing the removed items' selection is no selection change
    while (GetItemCount() < count)
      if (Failed(InsertItem(GetItemCount(), nullptr))) break;
    while (GetItemCount() > count)
      if (Failed(RemoveItem(GetItemCount() - 1))) break;
    --mQuietSelection;
  }
  UpdateContentExtent();
  RecomputeWidestItem();
  if (mDropDownMode) SetClientHeight(GetItemsHeight());
  const int32_t reached = GetItemCount();
  return reached == count ? count : -reached;
}

HResult LListBox::RemoveItem(int32_t index) {
  if (index < 0 || index >= GetItemCount()) return E_INVALIDARG;
  const RCPtr<LControl> self(this);
  const bool wasWidest = !mSuspendLayout && GetItemWidth(index) >= mWidestItemWidth;
  DeselectItem(index);
  if (GetItemRecord(index).IsHidden) --mHiddenCount;
  const HResult erased = EraseItemRecord(index);
  if (Failed(erased)) return erased;
  if (mAnchorIndex > index && mCaretIndex > index) {
    --mAnchorIndex;
    --mCaretIndex;
  } else if (!(mAnchorIndex <= index && mCaretIndex <= index)) {
    mAnchorIndex = mCaretIndex = -1;
  }
  FillItemControls();
  RefreshItemControls(index);
  UpdateContentExtent();
  if (wasWidest) RecomputeWidestItem();
  if (mDropDownMode) SetClientHeight(GetItemsHeight());
  const int32_t count = GetItemCount();
  if (count > 0) EnsureItemVisible(std::min(mFirstVisibleIndex, count - 1));
  return count;
}

HResult LListBox::RemoveAllItems() {
  if (GetItemCount() == 0) return S_FALSE;
  const RCPtr<LControl> self(this);
  bool failed = false;
  {
    const FlagScope suspended(mSuspendLayout);
    for (int32_t index = GetItemCount() - 1; index >= 0; --index)
      if (Failed(RemoveItem(index))) {
        failed = true;
        break;
      }
  }
  mAnchorIndex = mCaretIndex = -1;
  UpdateContentExtent();
  RecomputeWidestItem();
  if (mDropDownMode) SetClientHeight(GetItemsHeight());
  return failed ? E_FAIL : S_OK;
}

HResult LListBox::LoadItemsFromStringTable(const RCPtr<LStringTable>& table) {
  if (!table) return E_INVALIDARG;
  const RCPtr<LControl> self(this);
  RemoveAllItems();
  const std::vector<StringW> texts = table->GetIndexedTexts(StringW(u"ITEM."));
  {
    const FlagScope suspended(mSuspendLayout);
    SetItemCount(static_cast<int32_t>(texts.size()));
    for (size_t i = 0; i < texts.size(); ++i) SetItemTag(static_cast<int32_t>(i), MakeStringTag(texts[i]));
  }
  UpdateContentExtent();
  RecomputeWidestItem();
  if (mDropDownMode) SetClientHeight(GetItemsHeight());
  return S_OK;
}

// --- Text comparison and search ---

int32_t LListBox::CompareItemTexts(const StringW& a, const StringW& b) {
  if (a.GetBuffer().Get() == b.GetBuffer().Get()) return 0;
  const WChar* left = a.GetText();
  const WChar* right = b.GetText();
  for (;; ++left, ++right) {
    WChar l = *left, r = *right;
    if (l >= u'A' && l <= u'Z') l = static_cast<WChar>(l + (u'a' - u'A'));
    if (r >= u'A' && r <= u'Z') r = static_cast<WChar>(r + (u'a' - u'A'));
    if (l != r) return l < r ? -1 : 1;
    if (l == 0) return 0;
  }
}

int32_t LListBox::FindItemByText(const StringW& text, bool caseSensitive) const {
  for (int32_t index = GetItemCount() - 1; index >= 0; --index) {
    const StringW item = GetItemText(index);
    if (caseSensitive ? item == text : CompareItemTexts(item, text) == 0) return index;
  }
  return -1;
}

HResult LListBox::SelectItemByText(const StringW& text, int32_t afterIndex, bool caseSensitive) {
  const int32_t count = GetItemCount();
  if (afterIndex < -1 || afterIndex >= count) afterIndex = -1;
  for (int32_t step = 1; step <= count; ++step) {
    const int32_t index = (afterIndex + step) % count;
    const StringW item = GetItemText(index);
    if (caseSensitive ? item == text : CompareItemTexts(item, text) == 0) return SelectRange(index, -1, true);
  }
  return -1;
}

// --- Selection ---

bool LListBox::IsItemSelected(int32_t index) const {
  return index >= 0 && index < GetItemCount() && GetItemRecord(index).Value >= 0.5;
}

HResult LListBox::SetItemValue(int32_t index, double value) {
  if (index < 0 || index >= GetItemCount()) return E_INVALIDARG;
  ItemRecord& record = GetItemRecord(index);
  const bool wasSelected = record.Value >= 0.5;
  const bool selected = value >= 0.5;
  if (wasSelected != selected) mSelectedCount += selected ? 1 : -1;
  record.Value = value;
  UpdateItemControl(index);
  return S_OK;
}

HResult LListBox::SelectRange(int32_t first, int32_t last, bool exclusive) {
  const int32_t count = GetItemCount();
  if (last < 0) last = first;
  if (first < 0 || first >= count) return E_INVALIDARG;
  last = std::min(last, count - 1);
  const RCPtr<LControl> self(this);
  if (first == last && IsItemSelected(first) && (!exclusive || mSelectedCount == 1)) {
    EnsureItemVisible(first);
    return first;
  }
  mAnchorIndex = first;
  mCaretIndex = last;
  const int32_t low = std::min(first, last);
  const int32_t high = std::max(first, last);
  bool changed = false;
  if (exclusive) {
    // Only a list with selected items outside the range needs the whole walk.
    const int32_t start = mSelectedCount > 0 ? count - 1 : high;
    const int32_t end = mSelectedCount > 0 ? 0 : low;
    for (int32_t index = start; index >= end; --index) {
      const bool inside = index >= low && index <= high;
      if (inside != IsItemSelected(index)) {
        SetItemValue(index, inside ? 1.0 : 0.0);
        changed = true;
      }
    }
  } else {
    const int32_t step = first <= last ? 1 : -1;
    for (int32_t index = first;; index += step) {
      if (!IsItemSelected(index)) {
        SetItemValue(index, 1.0);
        changed = true;
      }
      if (index == last) break;
    }
  }
  EnsureItemVisible(mCaretIndex);
  if (changed) SelectionChanged();
  return first;
}

HResult LListBox::DeselectItem(int32_t index) {
  if (!IsItemSelected(index)) return S_FALSE;
  const RCPtr<LControl> self(this);
  SetItemValue(index, 0.0);
  if (mSelectedCount == 0) {
    mAnchorIndex = mCaretIndex = -1;
  } else {
    const int32_t next = index + 1;
    const int32_t previous = index - 1;
    if (index == mCaretIndex) {
      const bool same = mAnchorIndex == mCaretIndex;
      if (IsItemSelected(next) || IsItemSelected(previous)) {
        mCaretIndex = IsItemSelected(next) ? next : previous;
        if (same) mAnchorIndex = mCaretIndex;
      } else if (mAnchorIndex >= 0 && mAnchorIndex < GetItemCount() && mAnchorIndex != index) {
        mCaretIndex = mAnchorIndex;
      } else {
        int32_t lastSelected = GetItemCount() - 1;
        while (lastSelected >= 0 && !IsItemSelected(lastSelected)) --lastSelected;
        mCaretIndex = mAnchorIndex = lastSelected;
      }
    } else if (index == mAnchorIndex) {
      if (IsItemSelected(next))
        mAnchorIndex = next;
      else if (IsItemSelected(previous))
        mAnchorIndex = previous;
      else
        mAnchorIndex = -1;
    }
  }
  SelectionChanged();
  return S_OK;
}

void LListBox::ClearSelection() {
  const RCPtr<LControl> self(this);
  const bool anySelected = mSelectedCount > 0;
  for (int32_t index = GetItemCount() - 1; index >= 0 && mSelectedCount > 0; --index)
    if (IsItemSelected(index)) SetItemValue(index, 0.0);
  mAnchorIndex = mCaretIndex = -1;
  if (anySelected) SelectionChanged();
}

const std::vector<uint32_t>& LListBox::GetSelectedIndices() {
  mSelectedIndices.clear();
  for (int32_t index = 0; index < GetItemCount(); ++index)
    if (IsItemSelected(index)) mSelectedIndices.push_back(static_cast<uint32_t>(index));
  return mSelectedIndices;
}

void LListBox::SelectionChanged() {
  if (mQuietSelection > 0) return;
  OnSelectionChanging();
  if (!mDropDownMode) SendNotification(LNotification::Create(kNidSelectionChange));
}

void LListBox::ActivateItem(int32_t index) {
  if (index < 0 || index >= GetItemCount() || !IsItemSelectable(index)) return;
  const RCPtr<LControl> self(this);
  OnItemActivating();
  if (mDropDownMode) SetVisible(false);
  if (GetParent()) SendNotification(LNotification::Create(kNidItemActivated));
}

// --- Item controls ---

LControl* LListBox::GetItemControl(int32_t slot) const {
  if (slot < 0 || slot >= GetItemControlCount()) return nullptr;
  return mItemControls[static_cast<size_t>(slot)];
}

void LListBox::AdoptItemControl(LControl& control) {
  const RCPtr<LNotificationDistributor> source(&control);
  mHandler->SetNotification(&LListBox::OnItemMouseDown, source, kNidMouseDown);
  mHandler->SetNotification(&LListBox::OnItemMouseUp, source, kNidMouseUp);
  mHandler->SetNotification(&LListBox::OnItemLeftDrag, source, kNidLeftDragConditionChange);
  mHandler->SetNotification(&LListBox::OnItemHover, source, kNidHoverConditionChange);
  if (LListBoxItem* item = AsItem(&control)) item->SetDropDownMode(mDropDownMode);
  control.SetDragThreshold(mItemDragThreshold);
}

HResult LListBox::AddItemControl() {
  LControlFactory* factory = GetApplicationControlFactory();
  if (!mItemTemplate || !mItemTemplate->GetLayout() || !factory) return E_FAIL;
  const RCPtr<LControl> self(this);
  const RCPtr<LLayoutDescriptor> layout = DynamicCast<LLayoutDescriptor>(mItemTemplate->GetLayout()->CreateCopy());
  if (mItemControls.empty())
    layout->position[1] = LLayoutPosition{0, 1, StringW(u"Client"), 0, 0};
  else
    layout->position[1] = LLayoutPosition{0, 2, mItemControls.back()->GetName(), 1, 0};
  layout->docked[1] = true;
  layout->textOverflowX = 0;
  layout->visible = true;
  const int32_t slot = GetItemControlCount();
  const RCPtr<LControlDescriptor> descriptor =
      LControlDescriptor::Clone(*mItemTemplate, NumberedName(u"ItemControl", slot + 1), layout);
  const RCPtr<LControl> control = factory->CreateControl(descriptor, self);
  if (!control) return E_FAIL;
  mItemControls.push_back(control.Get());
  AdoptItemControl(*control);
  UpdateItemControl(ItemIndexForSlot(slot));
  return S_OK;
}

HResult LListBox::FillItemControls() {
  if (mFillingItemControls || mCreatingFromDescriptor || !mTemplateApplied || mItemControlsDeferred) return S_FALSE;
  const RCPtr<LControl> self(this);
  const FlagScope filling(mFillingItemControls);
  // The rows stack from the top of the client area, each its row height;
  // counting them rather than reading the controls' places keeps a row of
  // no height from filling forever, and a huge area from a huge pool.
  const double clientHeight = std::min(GetClientOffsets(-1).height, kMaxPoolHeight);
  int32_t wanted = 0;
  for (double filled = 0; filled < clientHeight; ++wanted) {
    const int32_t index = ItemIndexForSlot(wanted);
    filled += std::max(1, index < GetItemCount() ? GetRowHeight(index) : mItemHeight);
  }
  while (GetItemControlCount() < wanted)
    if (AddItemControl() != S_OK) break;
  return S_OK;
}

void LListBox::DeferItemControls(bool deferred) {
  if (deferred == mItemControlsDeferred) return;
  mItemControlsDeferred = deferred;
  if (deferred) return;
  const RCPtr<LControl> self(this);
  FillItemControls();
  RefreshItemControls(mFirstVisibleIndex);
}

int32_t LListBox::ItemIndexForSlot(int32_t slot) const {
  const int32_t count = GetItemCount();
  if (mHiddenCount == 0) return mFirstVisibleIndex + slot;
  int32_t index = mFirstVisibleIndex;
  for (int32_t shown = 0;; ++index) {
    if (index < count && GetItemRecord(index).IsHidden) continue;
    if (shown == slot) return index;
    ++shown;
  }
}

int32_t LListBox::GetItemIndexOfControl(const LControl* control) const {
  for (int32_t slot = GetItemControlCount() - 1; slot >= 0; --slot)
    if (mItemControls[static_cast<size_t>(slot)] == control) return ItemIndexForSlot(slot);
  return -1;
}

int32_t LListBox::GetItemControlSlot(int32_t index) const {
  const int32_t count = GetItemCount();
  if (index < mFirstVisibleIndex || IsItemHidden(index)) return -1;
  int32_t slot = index - mFirstVisibleIndex;
  if (mHiddenCount > 0) {
    slot = 0;
    for (int32_t at = mFirstVisibleIndex; at < index && slot < GetItemControlCount(); ++at)
      if (at >= count || !GetItemRecord(at).IsHidden) ++slot;
  }
  return slot < GetItemControlCount() ? slot : -1;
}

HResult LListBox::UpdateItemControl(int32_t index, int32_t* slotOut) {
  const int32_t slot = GetItemControlSlot(index);
  if (slotOut) *slotOut = slot;
  if (slot < 0) return S_FALSE;
  LControl* control = mItemControls[static_cast<size_t>(slot)];
  const RCPtr<LControl> keep(control);
  LListBoxItem* item = AsItem(control);
  if (index < GetItemCount()) {
    const ItemRecord& record = GetItemRecord(index);
    control->SetText(record.IsSeparator ? StringW() : GetItemText(index));
    control->SetNormalizedValue(record.Value);
    if (item) item->SetMarked(record.IsMarked);
    control->SetEnabled(true);
    if (item) item->SetSeparator(record.IsSeparator);
  } else {
    // A slot below the last item: blank and disabled.
    control->SetText(StringW());
    control->SetNormalizedValue(0);
    if (item) item->SetMarked(false);
    control->SetEnabled(false);
    if (item) item->SetSeparator(false);
  }
  return S_OK;
}

void LListBox::RefreshItemControls(int32_t fromIndex) {
  const int32_t slots = GetItemControlCount();
  if (slots == 0) return;
  const int32_t lastShown = ItemIndexForSlot(slots - 1);
  for (int32_t index = std::max(fromIndex, mFirstVisibleIndex); index <= lastShown; ++index)
    UpdateItemControl(index);
}

void LListBox::RefreshItemText(int32_t index) {
  const int32_t slot = GetItemControlSlot(index);
  if (slot >= 0 && index < GetItemCount()) {
    const RCPtr<LControl> control(mItemControls[static_cast<size_t>(slot)]);
    control->SetText(GetItemRecord(index).IsSeparator ? StringW() : GetItemText(index));
  }
  if (mDropDownMode) {
    UpdateContentExtent();
    SetClientHeight(GetItemsHeight());
  }
}

// --- Geometry ---

int32_t LListBox::GetItemIndexAtPoint(const Point& point) const {
  const Rect client = GetClientOffsets(-1);
  if (point.x < 0 || point.y < 0 || point.x >= client.width || point.y >= client.height) return -1;
  const Point content{point.x + GetScrollOffset().x, point.y + GetScrollOffset().y};
  for (int32_t slot = GetItemControlCount() - 1; slot >= 0; --slot) {
    const Rect& rect = mItemControls[static_cast<size_t>(slot)]->GetRect();
    if (content.x >= rect.x && content.y >= rect.y && content.x < rect.x + rect.width &&
        content.y < rect.y + rect.height) {
      const int32_t index = ItemIndexForSlot(slot);
      return index < GetItemCount() ? index : -1;
    }
  }
  return -1;
}

LControl::Rect LListBox::GetItemRect(int32_t index) const {
  const int32_t slot = GetItemControlSlot(index);
  return slot < 0 ? Rect{} : mItemControls[static_cast<size_t>(slot)]->GetRect();
}

HResult LListBox::SetItemHoverOverride(int32_t index, bool hover) {
  const int32_t slot = GetItemControlSlot(index);
  if (slot < 0) return S_FALSE;
  const RCPtr<LControl> control(mItemControls[static_cast<size_t>(slot)]);
  control->SetHoverOverride(hover);
  return S_OK;
}

HResult LListBox::SelectItemLook(int32_t index, int32_t lookIndex) {
  const int32_t slot = GetItemControlSlot(index);
  if (slot < 0) return S_FALSE;
  LControl* control = mItemControls[static_cast<size_t>(slot)];
  if (lookIndex < 0 || lookIndex >= control->GetLookCount()) return S_FALSE;
  return control->SelectLook(lookIndex);
}

int32_t LListBox::GetItemWidth(int32_t index) const {
  if (index < 0 || index >= GetItemCount() || mItemControls.empty()) return 0;
  const RCPtr<LMeasurementRenderer>& renderer = GetApplicationRenderer();
  const StringW text = GetItemText(index);
  const double measured =
      renderer && !text.IsEmpty() ? renderer->MeasureText(text, mItemControls.front()->GetFont()).width : 0.0;
  return static_cast<int32_t>(mItemTextMargin + measured + 0.5);
}

int32_t LListBox::GetItemsHeight() const { return (GetItemCount() - mHiddenCount) * mItemHeight; }

HResult LListBox::SetDropDownMode(bool dropDown) {
  for (LControl* control : mItemControls)
    if (LListBoxItem* item = AsItem(control)) item->SetDropDownMode(dropDown);
  mDropDownMode = dropDown;
  return S_OK;
}

void LListBox::UpdateContentExtent() {
  if (mSuspendLayout) return;
  const RCPtr<LControl> self(this);
  double width = 0;
  if (TemplateSizesSelf()) {
    width = mWidestItemWidth;
    for (LControl* control : mItemControls) {
      const RCPtr<LControl> keep(control);
      control->SetAxisLayout(0, LLayoutPosition{0.5f, 1, StringW(u"Client"), 0.5f, 0},
                             LLayoutSize{2, {}, 0, static_cast<double>(mWidestItemWidth)},
                             control->GetLayout()->docked[0]);
    }
  }
  SetClientExtent(width, GetItemsHeight());
}

HResult LListBox::SetWidestItemWidth(int32_t width) {
  if (mSuspendLayout || width == mWidestItemWidth) return S_FALSE;
  mWidestItemWidth = width;
  UpdateContentExtent();
  if (TemplateTextOverflowX() == 1) SetClientWidth(GetCornerSize().x + width);
  return S_OK;
}

void LListBox::RecomputeWidestItem() {
  if (mSuspendLayout) return;
  int32_t widest = 0;
  for (int32_t index = 0; index < GetItemCount(); ++index) widest = std::max(widest, GetItemWidth(index));
  SetWidestItemWidth(widest);
}

HResult LListBox::SetClientWidth(double width) {
  const LLayoutDescriptor& layout = *GetLayout();
  const double size = RoundHalfAway(GetRect().width - GetClientOffsets(-1).width + width);
  SetAxisLayout(0, layout.position[0], LLayoutSize{2, {}, 0, size}, layout.docked[0]);
  return S_OK;
}

HResult LListBox::SetClientHeight(double height) {
  if (mSuspendLayout) return S_FALSE;
  const LLayoutDescriptor& layout = *GetLayout();
  const double size = RoundHalfAway(GetRect().height - GetClientOffsets(-1).height + height);
  SetAxisLayout(1, layout.position[1], LLayoutSize{2, {}, 0, size}, layout.docked[1]);
  return S_OK;
}

void LListBox::OnBarShownOrHidden(int32_t axis) {
  LScrollView::OnBarShownOrHidden(axis);
  if (axis == 1 && TemplateTextOverflowX() == 1) SetClientWidth(GetCornerSize().x + mWidestItemWidth);
}

HResult LListBox::UpdateLayout() {
  const RCPtr<LControl> self(this);
  const HResult result = LScrollView::UpdateLayout();
  FillItemControls();
  if (mFirstVisibleIndex < GetItemCount()) EnsureItemVisible(mFirstVisibleIndex);
  return result;
}

HResult LListBox::OnChildRectChanged(LControl* child) {
  const HResult result = LScrollView::OnChildRectChanged(child);
  FillItemControls();
  return result;
}

void LListBox::OnClientAreaChanged() {
  LScrollView::OnClientAreaChanged();
  FillItemControls();
}

// --- Scrolling ---

int32_t LListBox::StepShownItems(int32_t index, int32_t count) const {
  const int32_t step = count < 0 ? -1 : 1;
  for (int32_t left = count < 0 ? -count : count; left > 0;) {
    int32_t at = index + step;
    while (at >= 0 && at < GetItemCount() && GetItemRecord(at).IsHidden) at += step;
    if (at < 0 || at >= GetItemCount()) break;
    index = at;
    --left;
  }
  return index;
}

int32_t LListBox::CountShownBefore(int32_t index) const {
  if (mHiddenCount == 0) return index;
  int32_t shown = 0;
  for (int32_t at = 0; at < index && at < GetItemCount(); ++at)
    if (!GetItemRecord(at).IsHidden) ++shown;
  return shown;
}

HResult LListBox::SetScrollOffset(const Point& offset) {
  const RCPtr<LControl> self(this);
  const int32_t count = GetItemCount();
  if (mItemHeight > 0 && count > 0) {
    const int32_t rows = static_cast<int32_t>(std::max(0.0, std::trunc(offset.y / mItemHeight)));
    int32_t first = 0;
    if (mHiddenCount == 0) {
      first = std::min(rows, count - 1);
    } else {
      int32_t lastShown = count - 1;
      while (lastShown > 0 && GetItemRecord(lastShown).IsHidden) --lastShown;
      first = 0;
      while (first < lastShown && GetItemRecord(first).IsHidden) ++first;
      first = std::min(StepShownItems(first, rows), lastShown);
    }
    if (first != mFirstVisibleIndex) {
      mFirstVisibleIndex = first;
      RefreshItemControls(first);
      // The focus must not stay on a control that now shows another item.
      if (LRootWindow* root = GetRootWindow())
        if (LControl* focused = root->GetFocusControl(); focused && focused->GetParent() == this) {
          const RCPtr<LControl> keep(focused);
          focused->SetVisible(false);
          focused->SetVisible(true);
        }
    }
  }
  return LScrollView::SetScrollOffset(offset);
}

HResult LListBox::EnsureItemVisible(int32_t index) {
  const int32_t count = GetItemCount();
  if (index < 0 || index >= count) return E_INVALIDARG;
  if (GetItemRecord(index).IsHidden) {
    int32_t shown = index - 1;
    while (shown >= 0 && GetItemRecord(shown).IsHidden) --shown;
    if (shown < 0) {
      shown = index + 1;
      while (shown < count && GetItemRecord(shown).IsHidden) ++shown;
      if (shown >= count) return S_FALSE;
    }
    index = shown;
  }
  if (mItemControls.empty()) return S_FALSE;
  const RCPtr<LControl> self(this);
  const int32_t fit = GetLowestFullSlot();
  const int32_t lastFirst = GetLastFirstIndex(fit);
  // An item already wholly shown keeps the view where it is.
  if (index >= mFirstVisibleIndex && ItemIndexForSlot(fit) >= index) return S_OK;
  int32_t target;
  if (index <= lastFirst)
    target = index < mFirstVisibleIndex ? index : StepShownItems(index, -fit);
  else
    target = lastFirst;
  ShowFromItem(target);
  return S_OK;
}

int32_t LListBox::GetLowestFullSlot() const {
  // The controls wholly inside the client area, less one.
  const double bottom = GetScrollOffset().y + GetViewportRect().height;
  int32_t fit = -1;
  for (LControl* control : mItemControls)
    if (control->GetRect().y + control->GetRect().height <= bottom + 1e-9) ++fit;
  return std::max(fit, 0);
}

int32_t LListBox::GetLastFirstIndex(int32_t fit) const {
  int32_t lastShown = GetItemCount() - 1;
  while (lastShown > 0 && GetItemRecord(lastShown).IsHidden) --lastShown;
  return StepShownItems(lastShown, -fit);
}

void LListBox::ShowFromItem(int32_t target) {
  if (target == mFirstVisibleIndex) return;
  const Point offset{GetScrollOffset().x, static_cast<double>(CountShownBefore(target)) * mItemHeight};
  const ValueScope notDropDown(mDropDownMode, false);
  ScrollTo(offset);
}

HResult LListBox::OnMouseWheelUpDown(const RCPtr<LMouseWheelParam>& param) {
  const HResult result = LScrollView::OnMouseWheelUpDown(param);
  if (result != S_FALSE || !mDropDownMode || !param) return result;
  // An open drop-down scrolls by rows without a bar too, and keeps every
  // step: the view behind it would carry its combo box away from under it.
  if (!mItemControls.empty() && GetItemCount() > 0) {
    const RCPtr<LControl> self(this);
    const int32_t lastFirst = GetLastFirstIndex(GetLowestFullSlot());
    ShowFromItem(std::min(StepShownItems(mFirstVisibleIndex, param->direction == 1 ? -1 : 1), lastFirst));
  }
  return S_OK;
}

HResult LListBox::OnMouseWheelOther(const RCPtr<LMouseWheelParam>& param) {
  const HResult result = LScrollView::OnMouseWheelOther(param);
  return result == S_FALSE && mDropDownMode ? S_OK : result;
}

// --- Sorting ---

bool LListBox::SortItems() { return !Failed(SortItemRange(0, GetItemCount())); }

HResult LListBox::SortItemRange(int32_t start, int32_t count) {
  if (count == 0) return S_FALSE;
  if (start < 0 || count < 0 || start + count > GetItemCount()) return E_INVALIDARG;
  const RCPtr<LControl> self(this);
  struct Entry {
    int32_t oldIndex;
    StringW text;
  };
  std::vector<Entry> entries;
  entries.reserve(static_cast<size_t>(count));
  for (int32_t index = start; index < start + count; ++index) entries.push_back({index, GetItemText(index)});
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return CompareItemTexts(a.text, b.text) < 0; });
  // where[k]: the current position of the item that was at start + k;
  // who[p]: the original position of the item now at start + p.
  std::vector<int32_t> where(static_cast<size_t>(count)), who(static_cast<size_t>(count));
  for (int32_t k = 0; k < count; ++k) where[static_cast<size_t>(k)] = who[static_cast<size_t>(k)] = k;
  for (int32_t position = 0; position < count; ++position) {
    const int32_t original = entries[static_cast<size_t>(position)].oldIndex - start;
    if (mAnchorIndex == original + start) mAnchorIndex = -2 - (position + start);
    if (mCaretIndex == original + start) mCaretIndex = -2 - (position + start);
  }
  // Marked as -2 - new index above so that one item is never moved twice.
  if (mAnchorIndex <= -2) mAnchorIndex = -2 - mAnchorIndex;
  if (mCaretIndex <= -2) mCaretIndex = -2 - mCaretIndex;
  for (int32_t position = 0; position < count; ++position) {
    const int32_t original = entries[static_cast<size_t>(position)].oldIndex - start;
    const int32_t current = where[static_cast<size_t>(original)];
    if (current == position) continue;
    SwapItems(start + position, start + current);
    const int32_t displaced = who[static_cast<size_t>(position)];
    where[static_cast<size_t>(displaced)] = current;
    who[static_cast<size_t>(current)] = displaced;
    where[static_cast<size_t>(original)] = position;
    who[static_cast<size_t>(position)] = original;
  }
  RefreshItemControls(mFirstVisibleIndex);
  if (mCaretIndex >= 0) EnsureItemVisible(mCaretIndex);
  return S_OK;
}

// --- Mouse ---

HResult LListBox::OnItemMouseDown(const RCPtr<LNotificationDistributor>& source,
                                  const RCPtr<LNotification>& notification) {
  const RCPtr<LMouseButtonParam> param =
      notification ? DynamicCast<LMouseButtonParam>(notification->GetPayload()) : nullptr;
  const LControl* control = dynamic_cast<LControl*>(source.Get());
  if (!param || !control || mDropDownMode) return 0;
  const int32_t index = GetItemIndexOfControl(control);
  if (index < 0 || index >= GetItemCount()) return 0;
  const RCPtr<LControl> self(this);
  if (param->button == LMouseButtonParam::kLeft) {
    if (!mMultiSelect) {
      HandleClick(index, param->modifiers, param->doubleClick);
    } else if (!IsItemSelected(index)) {
      mPendingPressIndex = index;
      HandleClick(index, param->modifiers, param->doubleClick);
    } else if (param->doubleClick) {
      // A double click into a multi-selection keeps the selection.
      SendNotification(LNotification::Create(kNidItemDoubleClicked));
    }
  } else if (param->button == LMouseButtonParam::kRight && !param->doubleClick) {
    SendNotification(LNotification::Create(kNidItemRightClick, RCPtr<LRefCountedObject>(new LHolder<int>(index))));
  }
  return 0;
}

HResult LListBox::OnItemMouseUp(const RCPtr<LNotificationDistributor>& source,
                                const RCPtr<LNotification>& notification) {
  const RCPtr<LMouseButtonParam> param =
      notification ? DynamicCast<LMouseButtonParam>(notification->GetPayload()) : nullptr;
  const LControl* control = dynamic_cast<LControl*>(source.Get());
  if (!param || !control || mDropDownMode || !mMultiSelect || param->button != LMouseButtonParam::kLeft) return 0;
  const RCPtr<LControl> self(this);
  const int32_t index = GetItemIndexOfControl(control);
  // A press into the selection is handled now that the button is released.
  if (IsItemSelected(index) && index != mPendingPressIndex) HandleClick(index, param->modifiers, false);
  mPendingPressIndex = -1;
  return 0;
}

void LListBox::HandleClick(int32_t index, uint32_t modifiers, bool doubleClick) {
  if (!mMultiSelect) {
    SelectRange(index, index, true);
  } else if (mMultiSelectMode != 1) {
    ToggleItem(index);
  } else if (!(modifiers & kCtrlModifier)) {
    if (modifiers & kShiftModifier) {
      mCaretIndex = index;
      SelectRange(mAnchorIndex >= 0 ? mAnchorIndex : index, index, true);
    } else {
      SelectRange(index, index, true);
    }
  } else if (modifiers & kShiftModifier) {
    mAnchorIndex = mCaretIndex = index;
    SelectRange(index, index, false);
  } else {
    ToggleItem(index);
  }
  if (doubleClick) SendNotification(LNotification::Create(kNidItemDoubleClicked));
}

void LListBox::ToggleItem(int32_t index) {
  if (IsItemSelected(index))
    DeselectItem(index);
  else
    SelectRange(index, index, false);
}

HResult LListBox::OnItemLeftDrag(const RCPtr<LNotificationDistributor>& source,
                                 const RCPtr<LNotification>& notification) {
  SendItemConditions(source, notification, kNidItemLeftDragConditionChange);
  return 0;
}

HResult LListBox::OnItemHover(const RCPtr<LNotificationDistributor>& source,
                              const RCPtr<LNotification>& notification) {
  SendItemConditions(source, notification, kNidItemHoverConditionChange);
  return 0;
}

void LListBox::SendItemConditions(const RCPtr<LNotificationDistributor>& source,
                                  const RCPtr<LNotification>& notification, const NotificationName& name) {
  const RCPtr<LConditionsParam> param =
      notification ? DynamicCast<LConditionsParam>(notification->GetPayload()) : nullptr;
  LControl* control = dynamic_cast<LControl*>(source.Get());
  if (!param || !control || !control->IsEnabled(true)) return;
  // The item's parameter object is reused: take its words now.
  const uint32_t previous = param->previous;
  const uint32_t current = param->current;
  const RCPtr<LControl> self(this);
  const int32_t index = GetItemIndexOfControl(control);
  const bool hoverOn = (current & kHover) && !(previous & kHover);
  if (&name == &kNidItemHoverConditionChange && mDropDownMode && hoverOn && index >= 0 && index < GetItemCount() &&
      IsItemSelectable(index))
    SelectRange(index, -1, true);
  RCPtr<LItemConditionsParam> payload =
      LItemConditionsParam::Create(*param, index, control->GetCurrentLookIndex(), control->IsMouseOver());
  payload->previous = previous;
  payload->current = current;
  SendNotification(LNotification::Create(name, RCPtr<LRefCountedObject>(payload)));
}

void LListBox::OnMouseMoved(const RCPtr<LPointWithModifiersParam>& param) {
  LScrollView::OnMouseMoved(param);
  if (!param || !mDropDownMode || !IsCapturing() || !(GetConditions() & kLeftDrag)) return;
  const RCPtr<LControl> self(this);
  const Rect client = GetClientOffsets(-1);
  const int32_t index = GetItemIndexAtPoint({param->x - client.x, param->y - client.y});
  if (index >= 0)
    SelectRange(index, -1, true);
  else
    ClearSelection();
}

void LListBox::OnLeftButtonUp(const RCPtr<LMouseButtonParam>& param) {
  LScrollView::OnLeftButtonUp(param);
  if (!param || !mDropDownMode) return;
  const RCPtr<LControl> self(this);
  const Rect client = GetClientOffsets(-1);
  const int32_t index = GetItemIndexAtPoint({param->x - client.x, param->y - client.y});
  LControl* parent = GetParent();
  if (index >= 0 && parent) {
    ActivateItem(index);
    return;
  }
  // A release outside the combo control the list dropped down from closes it;
  // a list in drop-down mode under any other parent stays.
  if (!dynamic_cast<LDropDownControl*>(parent)) return;
  const Point at = GetPositionInParent();
  const double x = at.x + param->x;
  const double y = at.y + param->y;
  const Rect& owner = parent->GetRect();
  if (x < 0 || y < 0 || x >= owner.width || y >= owner.height) SetVisible(false);
}

// --- Keys and state ---

void LListBox::OnKey(const RCPtr<LKeyParam>& key) {
  // The list moves its selection before its scroll bars, which listen to
  // the keys offered to the list's children, take the same keys.
  if (key && IsVisible(true) && IsEnabled(true)) {
    const RCPtr<LControl> self(this);
    if (ProcessKey(key) != S_FALSE) return;
  }
  LScrollView::OnKey(key);
}

HResult LListBox::ProcessKey(const RCPtr<LKeyParam>& key) {
  if (!key) return S_FALSE;
  const RCPtr<LControl> self(this);
  switch (key->GetKey().code) {
    case kUpKey:
      MoveCaret(-1, false);
      return S_OK;
    case kDownKey:
      MoveCaret(1, false);
      return S_OK;
    case kUpKey | KeyCode::kShift:
      MoveCaret(-1, true);
      return S_OK;
    case kDownKey | KeyCode::kShift:
      MoveCaret(1, true);
      return S_OK;
    case kLeftKey:
    case kRightKey:
      PassKeyToBar(GetHorizontalBar(), key);
      return S_OK;
    case kPageUpKey:
    case kPageDownKey:
      PassKeyToBar(GetVerticalBar(), key);
      return S_OK;
    case kHomeKey:
    case kEndKey:
      PassKeyToBar(GetHorizontalBar(), key);
      PassKeyToBar(GetVerticalBar(), key);
      return S_OK;
    case kReturnKey:
      if (mCaretIndex >= 0) ActivateItem(mCaretIndex);
      return S_OK;
    default:
      return S_FALSE;
  }
}

void LListBox::PassKeyToBar(LControl* bar, const RCPtr<LKeyParam>& key) {
  if (!bar) return;
  const RCPtr<LControl> keep(bar);
  bar->SendNotification(
      LNotification::Create(kNidSiblingKey, RCPtr<LRefCountedObject>(LSiblingKeyParam::Create(key->GetKey(), bar))));
}

int32_t LListBox::NextSelectableItem(int32_t step) const {
  if (mCaretIndex < 0 && step < 0) return -1;
  for (int32_t index = mCaretIndex + step; index >= 0 && index < GetItemCount(); index += step)
    if (!GetItemRecord(index).IsHidden && IsItemSelectable(index)) return index;
  return -1;
}

void LListBox::MoveCaret(int32_t step, bool extend) {
  const int32_t index = NextSelectableItem(step);
  if (index < 0) return;
  if (extend && mMultiSelect)
    SelectRange(mAnchorIndex >= 0 ? mAnchorIndex : index, index, false);
  else
    SelectRange(index, -1, true);
}

void LListBox::OnConditionsChanged(const RCPtr<LConditionsParam>& conditions) {
  // The parameter object is reused while the base runs: take the words now.
  const uint32_t previous = conditions ? conditions->previous : 0;
  const uint32_t current = conditions ? conditions->current : 0;
  LScrollView::OnConditionsChanged(conditions);
  if ((current & kVisible) && !(previous & kVisible)) DeferItemControls(false);
  if (!conditions || !((previous ^ current) & (kEnabled | kHasFocus)) || GetLookCount() == 0) return;
  int32_t look = !(current & kEnabled) ? 1 : (current & kHasFocus) ? 2 : 0;
  if (look >= GetLookCount()) look = 0;
  const double clientHeight = GetClientOffsets(-1).height;
  SelectLook(look);
  // A look of another client height (a focus line under the rows) must not
  // leave a dropped-down list a row short, scrolling onto its last row.
  if (mDropDownMode && GetClientOffsets(-1).height != clientHeight) SetClientHeight(GetItemsHeight());
}

}  // namespace HV
