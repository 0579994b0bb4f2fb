#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"

#include <algorithm>
#include <vector>

namespace HV {

void LControlDescriptor::SortChildrenByLayoutOrder() {
  const uint32_t count = mChildren.GetCount();
  if (count < 2) return;
  std::vector<RCPtr<LControlDescriptor>> sorted(mChildren.GetData(), mChildren.GetData() + count);
  auto order = [](const RCPtr<LControlDescriptor>& child) {
    return child->mLayout ? child->mLayout->layoutOrder : 0;
  };
  std::stable_sort(sorted.begin(), sorted.end(),
                   [&](const auto& a, const auto& b) { return order(a) < order(b); });
  std::copy(sorted.begin(), sorted.end(), mChildren.GetData());
}

RCPtr<LControlDescriptor> LControlDescriptor::Clone(const LControlDescriptor& source, const StringW& name,
                                                    const RCPtr<LLayoutDescriptor>& layout) {
  RCPtr<LControlDescriptor> copy = Create(source.mClassName, name, source.mParent);
  for (uint32_t i = 0; i < source.mChildren.GetCount(); ++i)
    copy->mChildren.AddItem(*source.mChildren.GetItemPtr(i));
  copy->mSkin = source.mSkin;
  copy->mLayout = layout;
  copy->mCreateParams = source.mCreateParams;
  copy->mCreateFunction = source.mCreateFunction;
  return copy;
}

}  // namespace HV
