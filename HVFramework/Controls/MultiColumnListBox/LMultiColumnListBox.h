#pragma once

#include "HVFramework/ControlBase/Views/LPanel.h"
#include "HVFramework/Controls/ListBox/LListBox.h"
#include "HVFramework/Notification/LNotificationHandler.h"

#include <cstdint>
#include <vector>

namespace HV {

class LControlFactory;

// LMultiColumnListBox: a table shown as a row of list boxes ("listboxNoScroll1",
// "listboxNoScroll2", ...), one per column, under a row of header buttons
// ("buttonColumnHeader1", ...), inside one scrolling panel. The panel keeps
// the columns in step: a row's selection, hover and scroll position are the
// same in every column, a header click sorts all rows by its column
// (ascending, then descending), and the columns' selection, activation and
// double-click notifications are sent again by the panel. Rows are filled
// and changed through the column lists. UI thread only.
class LMultiColumnListBox : public LPanel {
 public:
  static constexpr const WChar* kClassName = u"Framework.listbox2ColumnSortable";

  LMultiColumnListBox(LControl* parent, const StringW& name);
  ~LMultiColumnListBox() override;

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  static HResult Register(LControlFactory& factory);

  // --- Overrides ---
  // The panel's result; with headers, whether there is one per column:
  // S_FALSE (1) when there is, S_OK (0) when the counts differ.
  HResult Initialize() override;
  HResult OnCreated() override;
  // Every change of the panel's offset (bars, wheel, ScrollTo) moves the
  // columns' content with it.
  HResult SetScrollOffset(const Point& offset) override;
  HResult OnChildRectChanged(LControl* child) override;
  Rect GetViewportRect() const override;
  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override;

  // --- The table ---
  // Sorts every row by the texts of one column, keeping the rows' marks and
  // the selection of the sorted column.
  void PerformSort(int32_t column);
  StringW GetCellText(int32_t column, int32_t row) const;
  int32_t GetColumnCount() const { return static_cast<int32_t>(mColumns.size()); }
  LListBox* GetColumn(int32_t column) const;
  bool IsNextSortAscending(int32_t column) const;
  // 1: selection and hover are kept across the row; 0: a selection in one
  // column clears the others.
  void SetRowMode(int32_t mode) { mRowMode = mode; }
  int32_t GetHoveredRow() const { return mHoveredRow; }

 private:
  HResult OnColumnHover(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  HResult OnColumnSelection(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  HResult OnColumnActivated(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  HResult OnColumnDoubleClicked(const RCPtr<LNotificationDistributor>& source,
                                const RCPtr<LNotification>& notification);
  HResult OnFirstColumnScrolled(const RCPtr<LNotificationDistributor>& source,
                                const RCPtr<LNotification>& notification);
  HResult OnFirstColumnExtent(const RCPtr<LNotificationDistributor>& source,
                              const RCPtr<LNotification>& notification);
  HResult OnHeaderClick(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  int32_t ColumnIndexOf(const LNotificationDistributor* source) const;
  void DockOnY(LControl& control);
  void UpdateContentSize();
  void SettleColumnSizes();

  RCPtr<LNotificationHandler<LMultiColumnListBox>> mHandler;
  std::vector<RCPtr<LListBox>> mColumns;
  std::vector<RCPtr<LControl>> mHeaders;
  std::vector<bool> mSortAscending;
  int32_t mRowMode = 1;
  int32_t mHoveredRow = -1;
};

}  // namespace HV
