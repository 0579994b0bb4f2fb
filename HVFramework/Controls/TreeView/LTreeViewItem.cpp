#include "HVFramework/Controls/TreeView/LTreeViewItem.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/Controls/Button/LButton.h"

namespace HV {

LTreeViewItem::LTreeViewItem(LControl* parent, const StringW& name) : LCheckedListBoxItem(parent, name) {}

RCPtr<LControl>& LTreeViewItem::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                       const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LTreeViewItem>(result, parent, descriptor);
}

HResult LTreeViewItem::Register(LControlFactory& factory) {
  return factory.RegisterControlCreateFunction(StringW(kClassName), &LTreeViewItem::Create);
}

void LTreeViewItem::SetIndentLevel(int32_t level) {
  const RCPtr<LLayoutDescriptor>& layout = GetLayout();
  if (!layout) return;
  const LButton* checkBox = GetCheckBox();
  LLayoutPosition position = layout->position[0];
  position.absolute = level * (checkBox ? checkBox->GetRect().width : 0.0);
  SetAxisLayout(0, position, layout->size[0], layout->docked[0]);
}

}  // namespace HV
