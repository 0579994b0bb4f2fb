#include "HVFramework/Controls/MultiColumnListBox/LMultiColumnListBox.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/ControlBase/Views/ViewsNotificationNames.h"
#include "HVFramework/Controls/ControlsNotificationNames.h"
#include "HVFramework/Controls/ListBox/LItemConditionsParam.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"
#include "HVFramework/Notification/CAutoNotificationDisabler.h"

#include <algorithm>
#include <memory>

namespace HV {
namespace {

using SelectionDisabler = CAutoNotificationDisabler<LMultiColumnListBox>;

StringW NumberedName(const WChar* pattern, int32_t number) {
  StringW name(pattern);
  name += StringW::FromFormat(u"%d", number);
  return name;
}

}  // namespace

LMultiColumnListBox::LMultiColumnListBox(LControl* parent, const StringW& name) : LPanel(parent, name) {}

LMultiColumnListBox::~LMultiColumnListBox() = default;

RCPtr<LControl>& LMultiColumnListBox::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                             const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LMultiColumnListBox>(result, parent, descriptor);
}

HResult LMultiColumnListBox::Register(LControlFactory& factory) {
  return factory.RegisterControlCreateFunction(StringW(kClassName), &LMultiColumnListBox::Create);
}

void LMultiColumnListBox::ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                                              const RCPtr<LNotification>& notification) {
  if (DispatchToOwnHandler(*this, mHandler, source, notification)) return;
  LPanel::ReceiveNotification(source, notification);
}

// --- Creation ---

HResult LMultiColumnListBox::Initialize() {
  const HResult base = LPanel::Initialize();
  const RCPtr<LControl> self(this);
  mHandler = RCPtr<LNotificationHandler<LMultiColumnListBox>>(new LNotificationHandler<LMultiColumnListBox>(this));
  for (int32_t number = 1;; ++number) {
    const RCPtr<LListBox> column = DynamicCast<LListBox>(FindChildControl(NumberedName(u"listboxNoScroll", number)));
    if (!column) break;
    mColumns.push_back(column);
    const RCPtr<LNotificationDistributor> source = column;
    mHandler->SetNotification(&LMultiColumnListBox::OnColumnHover, source, kNidItemHoverConditionChange);
    mHandler->SetNotification(&LMultiColumnListBox::OnColumnSelection, source, kNidSelectionChange);
    mHandler->SetNotification(&LMultiColumnListBox::OnColumnActivated, source, kNidItemActivated);
    mHandler->SetNotification(&LMultiColumnListBox::OnColumnDoubleClicked, source, kNidItemDoubleClicked);
    if (number == 1) {
      mHandler->SetNotification(&LMultiColumnListBox::OnFirstColumnScrolled, source, kNidScrollOffsetChange);
      mHandler->SetNotification(&LMultiColumnListBox::OnFirstColumnExtent, source, kNidClientExtentChange);
    }
    DockOnY(*column);
  }
  for (int32_t number = 1;; ++number) {
    const RCPtr<LControl> header = FindChildControl(NumberedName(u"buttonColumnHeader", number));
    if (!header) break;
    mHeaders.push_back(header);
    // A header without a column has nothing to sort.
    if (number <= GetColumnCount())
      mHandler->SetNotification(&LMultiColumnListBox::OnHeaderClick, RCPtr<LNotificationDistributor>(header),
                                kNidLeftClick);
    DockOnY(*header);
  }
  mSortAscending.assign(mColumns.size(), true);
  SetAutoClientExtent(kAutoOff, 0, 0);
  // A failed panel stays a failure rather than being covered by the header
  // check: the caller learns the worse news.
  if (base < 0 || mHeaders.empty()) return base;
  return mHeaders.size() == mColumns.size() ? S_FALSE : S_OK;
}

void LMultiColumnListBox::DockOnY(LControl& control) {
  const LLayoutDescriptor& layout = *control.GetLayout();
  control.SetAxisLayout(1, layout.position[1], layout.size[1], true);
}

HResult LMultiColumnListBox::OnCreated() {
  const HResult base = LPanel::OnCreated();
  if (mColumns.empty()) return base;
  const RCPtr<LControl> self(this);
  for (size_t i = 1; i < mColumns.size(); ++i) mColumns[i]->SetNotFocusable(true);
  SetScrollByItems(1, true, mColumns.front()->GetItemHeight());
  UpdateScrollBars();
  SettleColumnSizes();
  UpdateContentSize();
  return base;
}

void LMultiColumnListBox::SettleColumnSizes() {
  for (const RCPtr<LListBox>& column : mColumns) {
    const RCPtr<LControlDescriptor>& descriptor = column->GetDescriptor();
    if (!descriptor || !descriptor->GetLayout()) continue;
    const LLayoutDescriptor& skin = *descriptor->GetLayout();
    const LLayoutDescriptor& own = *column->GetLayout();
    LLayoutSizeLimit xMaximum = own.maximum[0];
    if (skin.maximum[0].absolute == 0) xMaximum = LLayoutSizeLimit{};
    column->SetAxisSizeLimits(0, own.minimum[0], xMaximum);
    LLayoutSizeLimit yMinimum = own.minimum[1];
    LLayoutSizeLimit yMaximum = own.maximum[1];
    if (skin.minimum[1].absolute == 0) yMinimum = LLayoutSizeLimit{false, {}, 0, double(column->GetItemHeight())};
    if (skin.maximum[1].absolute == 0) yMaximum = LLayoutSizeLimit{};
    column->SetAxisSizeLimits(1, yMinimum, yMaximum);
  }
}

void LMultiColumnListBox::UpdateContentSize() {
  if (mColumns.empty()) return;
  const Rect& last = mColumns.back()->GetRect();
  SetClientExtent(last.x + last.width, mColumns.front()->GetClientExtent().y);
}

HResult LMultiColumnListBox::OnChildRectChanged(LControl* child) {
  const HResult result = LPanel::OnChildRectChanged(child);
  if (!mColumns.empty() && child == mColumns.back().Get()) UpdateContentSize();
  return result;
}

LControl::Rect LMultiColumnListBox::GetViewportRect() const {
  if (mColumns.empty()) return Rect{};
  const LListBox& first = *mColumns.front();
  return Rect{first.GetRect().x, first.GetRect().y,
              std::max(0.0, GetClientOffsets(-1).width - GetCornerSize().x), first.GetClientOffsets(-1).height};
}

// --- Scrolling ---

HResult LMultiColumnListBox::SetScrollOffset(const Point& offset) {
  const RCPtr<LControl> self(this);
  if (!mColumns.empty()) {
    const SelectionDisabler quiet(mHandler, RCPtr<LNotificationDistributor>(mColumns.front()), kNidScrollOffsetChange);
    for (const RCPtr<LListBox>& column : mColumns) column->SetScrollOffset({column->GetScrollOffset().x, offset.y});
  }
  return LPanel::SetScrollOffset(offset);
}

HResult LMultiColumnListBox::OnFirstColumnScrolled(const RCPtr<LNotificationDistributor>& /*source*/,
                                                   const RCPtr<LNotification>& /*notification*/) {
  if (mColumns.empty()) return 0;
  ScrollTo({GetScrollOffset().x, mColumns.front()->GetScrollOffset().y});
  return 0;
}

HResult LMultiColumnListBox::OnFirstColumnExtent(const RCPtr<LNotificationDistributor>& /*source*/,
                                                 const RCPtr<LNotification>& /*notification*/) {
  if (mColumns.empty()) return 0;
  SetScrollByItems(1, true, mColumns.front()->GetItemHeight());
  UpdateScrollBars();
  UpdateContentSize();
  return 0;
}

// --- Rows in step ---

int32_t LMultiColumnListBox::ColumnIndexOf(const LNotificationDistributor* source) const {
  for (size_t i = 0; i < mColumns.size(); ++i)
    if (static_cast<const LNotificationDistributor*>(mColumns[i].Get()) == source) return static_cast<int32_t>(i);
  return -1;
}

LListBox* LMultiColumnListBox::GetColumn(int32_t column) const {
  return column >= 0 && column < GetColumnCount() ? mColumns[static_cast<size_t>(column)].Get() : nullptr;
}

bool LMultiColumnListBox::IsNextSortAscending(int32_t column) const {
  return column >= 0 && column < GetColumnCount() && mSortAscending[static_cast<size_t>(column)];
}

HResult LMultiColumnListBox::OnColumnHover(const RCPtr<LNotificationDistributor>& source,
                                           const RCPtr<LNotification>& notification) {
  const RCPtr<LItemConditionsParam> param =
      notification ? DynamicCast<LItemConditionsParam>(notification->GetPayload()) : nullptr;
  const int32_t from = ColumnIndexOf(source.Get());
  if (!param || from < 0 || mRowMode != 1) return 0;
  const RCPtr<LControl> self(this);
  const uint32_t previous = param->previous;
  const uint32_t current = param->current;
  const int32_t row = param->ItemIndex;
  const bool on = (current & kHover) && !(previous & kHover);
  const bool off = (previous & kHover) && !(current & kHover);
  if (on && !param->IsMouseOver) return 0;  // an override set from here
  if (on || off) mHoveredRow = on ? row : -1;
  for (int32_t other = 0; other < GetColumnCount(); ++other) {
    if (other == from) continue;
    LListBox& column = *mColumns[static_cast<size_t>(other)];
    if (on || off)
      column.SetItemHoverOverride(row, on);
    else
      column.SelectItemLook(row, param->LookIndex);
  }
  return 0;
}

HResult LMultiColumnListBox::OnColumnSelection(const RCPtr<LNotificationDistributor>& source,
                                               const RCPtr<LNotification>& /*notification*/) {
  const int32_t from = ColumnIndexOf(source.Get());
  if (from < 0) return 0;
  const RCPtr<LControl> self(this);
  LListBox& sender = *mColumns[static_cast<size_t>(from)];
  const bool exclusive = !mColumns.front()->IsMultiSelect();
  for (int32_t other = GetColumnCount() - 1; other >= 0; --other) {
    if (other == from) continue;
    const RCPtr<LListBox> column = mColumns[static_cast<size_t>(other)];
    const SelectionDisabler quiet(mHandler, RCPtr<LNotificationDistributor>(column), kNidSelectionChange);
    if (mRowMode != 1) {
      column->ClearSelection();
      continue;
    }
    for (int32_t row = std::min(sender.GetItemCount(), column->GetItemCount()) - 1; row >= 0; --row) {
      const bool selected = sender.IsItemSelected(row);
      if (column->IsItemSelected(row) == selected) continue;
      if (selected)
        column->SelectRange(row, -1, exclusive);
      else
        column->DeselectItem(row);
    }
  }
  SendNotification(LNotification::Create(kNidSelectionChange));
  return 1;
}

HResult LMultiColumnListBox::OnColumnActivated(const RCPtr<LNotificationDistributor>& /*source*/,
                                               const RCPtr<LNotification>& /*notification*/) {
  SendNotification(LNotification::Create(kNidItemActivated));
  return 1;
}

HResult LMultiColumnListBox::OnColumnDoubleClicked(const RCPtr<LNotificationDistributor>& /*source*/,
                                                   const RCPtr<LNotification>& /*notification*/) {
  SendNotification(LNotification::Create(kNidItemDoubleClicked));
  return 1;
}

HResult LMultiColumnListBox::OnHeaderClick(const RCPtr<LNotificationDistributor>& source,
                                           const RCPtr<LNotification>& /*notification*/) {
  for (int32_t header = static_cast<int32_t>(mHeaders.size()) - 1; header >= 0; --header)
    if (static_cast<LNotificationDistributor*>(mHeaders[static_cast<size_t>(header)].Get()) == source.Get()) {
      if (header < GetColumnCount()) PerformSort(header);
      return 1;
    }
  return 0;
}

// --- Sorting ---

StringW LMultiColumnListBox::GetCellText(int32_t column, int32_t row) const {
  const LListBox* list = GetColumn(column);
  if (!list || mColumns.empty() || row < 0 || row >= mColumns.front()->GetItemCount()) return StringW();
  return list->GetItemText(row);
}

void LMultiColumnListBox::PerformSort(int32_t column) {
  LListBox* sorted = GetColumn(column);
  if (!sorted) return;
  const RCPtr<LControl> self(this);
  const int32_t rows = mColumns.front()->GetItemCount();
  struct Entry {
    int32_t row;
    StringW text;
    bool marked;
  };
  std::vector<Entry> entries;
  entries.reserve(static_cast<size_t>(rows));
  for (int32_t row = 0; row < rows; ++row)
    entries.push_back({row, GetCellText(column, row), mColumns.front()->IsItemMarked(row)});
  const std::vector<uint32_t> keptSelection = sorted->GetSelectedIndices();
  std::vector<bool> wasSelected(static_cast<size_t>(rows), false);
  for (const uint32_t row : keptSelection)
    if (row < static_cast<uint32_t>(rows)) wasSelected[row] = true;
  {
    // The columns' own selection changes during the sort are not re-sent.
    std::vector<std::unique_ptr<SelectionDisabler>> quiet;
    for (auto at = mColumns.rbegin(); at != mColumns.rend(); ++at)
      quiet.push_back(std::make_unique<SelectionDisabler>(mHandler, RCPtr<LNotificationDistributor>(*at),
                                                          kNidSelectionChange));
    for (auto at = mColumns.rbegin(); at != mColumns.rend(); ++at) (*at)->ClearSelection();
    const bool ascending = mSortAscending[static_cast<size_t>(column)];
    std::sort(entries.begin(), entries.end(), [ascending](const Entry& a, const Entry& b) {
      return ascending ? LListBox::CompareItemTexts(a.text, b.text) < 0
                       : LListBox::CompareItemTexts(b.text, a.text) < 0;
    });
    mSortAscending[static_cast<size_t>(column)] = !ascending;
    for (const RCPtr<LListBox>& list : mColumns) {
      std::vector<RCPtr<LTaggableObject>> tags;
      const int32_t count = std::min(rows, list->GetItemCount());
      tags.reserve(static_cast<size_t>(count));
      for (int32_t row = 0; row < count; ++row) tags.push_back(list->GetItemTag(row));
      for (int32_t row = count - 1; row >= 0; --row) {
        const int32_t old = entries[static_cast<size_t>(row)].row;
        if (old < count) list->SetItemTag(row, tags[static_cast<size_t>(old)]);
      }
    }
    for (int32_t row = rows - 1; row >= 0; --row) {
      const Entry& entry = entries[static_cast<size_t>(row)];
      bool stop = false;
      for (const RCPtr<LListBox>& list : mColumns) {
        list->SetItemMarked(row, entry.marked);
        if (wasSelected[static_cast<size_t>(entry.row)] && Failed(list->SelectRange(row, -1, false))) stop = true;
      }
      if (stop) break;
    }
  }
}

}  // namespace HV
