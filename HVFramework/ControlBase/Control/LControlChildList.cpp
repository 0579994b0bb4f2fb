#include "HVFramework/ControlBase/Control/LControlChildList.h"

#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/ObjectBase/Exception.h"

#include <algorithm>
#include <numeric>

namespace HV {
namespace {

int32_t DockedAxes(const LLayoutDescriptor& layout) {
  return static_cast<int32_t>(layout.docked[0]) + static_cast<int32_t>(layout.docked[1]);
}

const LLayoutDescriptor& LayoutOf(const LControl& control) { return control.ReadLayout(); }

}  // namespace

LControlChildList::LControlChildList(LControl* owner)
    : mOwner(owner), mChildrenArray(std::make_unique<RCPtrArray<LControl>>()) {}

uint32_t LControlChildList::GetCount() const { return mChildrenArray->GetCount(); }

LControlChildList::~LControlChildList() {
  RCPtrArray<LControl>& children = *mChildrenArray;
  // The owner is going: no child may keep a link to it.
  while (children.GetCount() > 0) {
    RCPtr<LControl> child;
    children.RemoveLastItem(child);
    child->mParent = nullptr;
    child->AddInternalReferences(-1);
  }
}

const RCPtr<LControl>& LControlChildList::GetAt(uint32_t index, int32_t order) {
  if (index >= mChildrenArray->GetCount())
    Throw<std::runtime_error>(HV_HERE("HV::LControl::ChildControlList::GetAt"));
  switch (order) {
    case kAttachment:
      return *mChildrenArray->GetItemPtr(index);
    case kZ:
      BuildOrders();
      return *mChildrenArray->GetItemPtr(mZOrder[index]);
    case kTab:
      BuildOrders();
      return *mChildrenArray->GetItemPtr(mTabOrder[index]);
    default:
      Throw<std::runtime_error>(HV_HERE("HV::LControl::ChildControlList::GetAt"));
  }
}

std::vector<RCPtr<LControl>> LControlChildList::Snapshot() const {
  std::vector<RCPtr<LControl>> children;
  children.reserve(mChildrenArray->GetCount());
  for (uint32_t i = 0; i < mChildrenArray->GetCount(); ++i)
    children.push_back(*mChildrenArray->GetItemPtr(i));
  return children;
}

HResult LControlChildList::Add(const RCPtr<LControl>& child) {
  if (!child) return E_INVALIDARG;
  if (Find(child->GetName())) return E_FAIL;
  child->mParent = mOwner;
  child->AddInternalReferences(1);
  const HResult added = mChildrenArray->AddItem(child);
  if (added < 0) {
    child->AddInternalReferences(-1);
    child->mParent = nullptr;
    return added;
  }
  MarkChanged();
  return S_OK;
}

bool LControlChildList::Remove(LControl* child) {
  if (IndexOf(child) < 0) return false;
  // The child's window forgets it while its place in the tree still shows
  // which window that is. That may call out, so the index is taken after.
  child->OnLeavingTree();
  const int32_t index = IndexOf(child);
  if (index < 0) return false;
  RCPtr<LControl> removed;
  // The list's reference stops being internal before it moves to `removed`,
  // so the drop below is an ordinary release.
  child->AddInternalReferences(-1);
  child->mParent = nullptr;
  mChildrenArray->RemoveItem(static_cast<uint32_t>(index), removed);
  MarkChanged();
  mOwner->OnChildRemoved(child, index);
  return true;
}

HResult LControlChildList::Rename(LControl* child, const StringW& name) {
  if (child->GetName() == name) return S_FALSE;
  if (Find(name)) return E_FAIL;
  const int32_t index = IndexOf(child);
  if (index < 0) return E_INVALIDARG;
  const StringW old = child->GetName();
  child->mName = name;
  for (uint32_t i = static_cast<uint32_t>(index) + 1; i < mChildrenArray->GetCount(); ++i) {
    const LControl& sibling = **mChildrenArray->GetItemPtr(i);
    for (int axis : {LLayoutDescriptor::kX, LLayoutDescriptor::kY}) {
      if (sibling.ReadLayout().position[axis].referenceName == old)
        sibling.GetLayout()->position[axis].referenceName = name;
      if (sibling.ReadLayout().size[axis].referenceName == old) sibling.GetLayout()->size[axis].referenceName = name;
    }
  }
  return S_OK;
}

RCPtr<LControl> LControlChildList::Find(const StringW& name) const {
  for (uint32_t i = mChildrenArray->GetCount(); i-- > 0;) {
    const RCPtr<LControl>& child = *mChildrenArray->GetItemPtr(i);
    if (child->GetName() == name) return child;
  }
  return nullptr;
}

int32_t LControlChildList::IndexOf(const LControl* child) const {
  for (uint32_t i = mChildrenArray->GetCount(); i-- > 0;)
    if (mChildrenArray->GetItemPtr(i)->Get() == child) return static_cast<int32_t>(i);
  return -1;
}

void LControlChildList::BuildOrders() {
  if (mBuiltAt == mChangeCounter && mZOrder.size() == mChildrenArray->GetCount()) return;
  const uint32_t count = mChildrenArray->GetCount();
  mTabOrder.resize(count);
  mZOrder.resize(count);
  std::iota(mTabOrder.begin(), mTabOrder.end(), 0u);
  std::iota(mZOrder.begin(), mZOrder.end(), 0u);
  auto layout = [this](uint32_t i) -> const LLayoutDescriptor& {
    return LayoutOf(**mChildrenArray->GetItemPtr(i));
  };
  std::stable_sort(mTabOrder.begin(), mTabOrder.end(),
                   [&](uint32_t a, uint32_t b) { return layout(a).tabStop < layout(b).tabStop; });
  std::stable_sort(mZOrder.begin(), mZOrder.end(), [&](uint32_t a, uint32_t b) {
    const LLayoutDescriptor& la = layout(a);
    const LLayoutDescriptor& lb = layout(b);
    if (la.clipToParent != lb.clipToParent) return la.clipToParent;
    if (DockedAxes(la) != DockedAxes(lb)) return DockedAxes(la) < DockedAxes(lb);
    return la.zOrder < lb.zOrder;
  });
  mBuiltAt = mChangeCounter;
}

}  // namespace HV
