#pragma once

#include "HVFramework/Controls/CheckedListBox/LCheckedListBoxItem.h"

namespace HV {

class LControlFactory;

// LTreeViewItem: a tree row; a checked row whose check box is the expander
// and which can move itself right by its depth. UI thread only.
class LTreeViewItem : public LCheckedListBoxItem {
 public:
  static constexpr const WChar* kClassName = u"Framework.TreeViewItem";

  LTreeViewItem(LControl* parent, const StringW& name);

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  static HResult Register(LControlFactory& factory);

  // The row's x offset becomes level check-box widths; the rest of its x
  // placement stays.
  void SetIndentLevel(int32_t level);
};

}  // namespace HV
