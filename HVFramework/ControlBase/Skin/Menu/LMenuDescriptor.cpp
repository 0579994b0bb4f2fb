#include "HVFramework/ControlBase/Skin/Menu/LMenuDescriptor.h"

#include "HVFramework/ControlBase/Skin/Menu/LMenuItemDescriptor.h"

namespace HV {

RCPtr<LMenuDescriptor> LMenuDescriptor::Create() { return RCPtr<LMenuDescriptor>(new LMenuDescriptor()); }

RCPtr<LMenuItemDescriptor> LMenuDescriptor::GetItem(uint32_t index) const {
  return index < mItems.GetCount() ? *mItems.GetItemPtr(index) : RCPtr<LMenuItemDescriptor>();
}

void LMenuDescriptor::SetParentLink(LMenuDescriptor* parent) {
  if (parent == mParent.Get()) return;
  RCPtr<LMenuDescriptor> old = std::move(mParent);
  if (parent) {
    mParent = parent;
    parent->AddInternalReferences(1);
  }
  if (old) old->AddInternalReferences(-1);
}

HResult LMenuDescriptor::InsertItem(uint32_t index, const RCPtr<LMenuItemDescriptor>& item) {
  if (!item) return E_INVALIDARG;
  const HResult result = mItems.InsertItem(index, item);
  if (Succeeded(result)) item->SetParent(this);
  return result;
}

HResult LMenuDescriptor::InsertNewItem(uint32_t index, const StringW& label, const StringW& commandId,
                                       bool enabled, bool checked) {
  return InsertItem(index, LMenuItemDescriptor::Create(label, commandId, enabled, checked));
}

HResult LMenuDescriptor::InsertSeparator(uint32_t index) {
  return InsertItem(index, LMenuItemDescriptor::CreateSeparator());
}

HResult LMenuDescriptor::GetItemState(uint32_t index, LMenuItemState& state) const {
  if (index >= mItems.GetCount()) {
    state = {};
    return E_INVALIDARG;
  }
  const LMenuItemDescriptor& item = **mItems.GetItemPtr(index);
  state = {item.enabled, item.checked, item.label};
  return S_OK;
}

HResult LMenuDescriptor::Clear() {
  RCPtr<LMenuDescriptor> keepAlive(this);  // unlinking the items may drop the last reference
  while (mItems.GetCount() > 0) {
    RCPtr<LMenuItemDescriptor> item;
    mItems.RemoveLastItem(item);
    if (item) item->SetParent(nullptr);
  }
  SetParentLink(nullptr);
  return S_OK;
}

HResult LMenuDescriptor::ReleaseInternalReferences() { return Clear(); }

void LMenuDescriptor::CloneItemsInto(LMenuDescriptor& copy) const {
  for (uint32_t i = 0; i < mItems.GetCount(); ++i) copy.AppendItem((*mItems.GetItemPtr(i))->CloneItem());
}

RCPtr<LMenuDescriptor> LMenuDescriptor::Clone() const {
  RCPtr<LMenuDescriptor> copy = Create();
  CloneItemsInto(*copy);
  return copy;
}

RCPtr<LMenuItemDescriptor> LMenuItemDescriptor::Create(const StringW& label, const StringW& commandId,
                                                       bool enabled, bool checked) {
  RCPtr<LMenuItemDescriptor> item(new LMenuItemDescriptor());
  item->label = label;
  item->commandId = commandId;
  item->enabled = enabled;
  item->checked = checked;
  return item;
}

RCPtr<LMenuItemDescriptor> LMenuItemDescriptor::CreateSeparator() {
  RCPtr<LMenuItemDescriptor> item = Create(StringW(), StringW(), true, false);
  item->separator = true;
  return item;
}

RCPtr<LMenuItemDescriptor> LMenuItemDescriptor::CloneItem() const {
  RCPtr<LMenuItemDescriptor> copy = Create(label, commandId, enabled, checked);
  copy->hotKeyText = hotKeyText;
  copy->helpText = helpText;
  copy->separator = separator;
  CloneItemsInto(*copy);
  return copy;
}

}  // namespace HV
