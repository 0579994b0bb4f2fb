#pragma once

#include "HVFramework/ControlBase/Skin/ControlFactory/LLayoutDescriptor.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LSkinDescriptor.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LStringTable.h"
#include "HVFramework/Utilities/Storage/RCPtrArray.h"

namespace HV {

class LControl;

// LControlDescriptor: one control of a skin tree: class, name, children in
// layout order, skin, layout and create parameters. Built while the skin is
// read; shared and read-only afterwards. The parent owns its children; the
// back pointer to the parent holds no reference.
class LControlDescriptor : public virtual LRefCountedObject {
 public:
  // The create function of the class, cached by the control-class registry:
  // builds a control under parent (null for a top-level one) into result.
  using CreateFunction = RCPtr<LControl>& (*)(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                              const RCPtr<LControlDescriptor>& descriptor);

  static RCPtr<LControlDescriptor> Create(const StringW& className, const StringW& name,
                                          LControlDescriptor* parent) {
    return RCPtr<LControlDescriptor>(new LControlDescriptor(className, name, parent));
  }

  const StringW& GetClassName() const { return mClassName; }
  const StringW& GetName() const { return mName; }
  LControlDescriptor* GetParent() const { return mParent; }
  const RCPtrArray<LControlDescriptor>& GetChildren() const { return mChildren; }
  RCPtrArray<LControlDescriptor>& GetChildren() { return mChildren; }
  const RCPtr<LSkinDescriptor>& GetSkin() const { return mSkin; }
  const RCPtr<LLayoutDescriptor>& GetLayout() const { return mLayout; }
  const RCPtr<LStringTable>& GetCreateParams() const { return mCreateParams; }
  CreateFunction GetCreateFunction() const { return mCreateFunction; }

  void SetSkin(const RCPtr<LSkinDescriptor>& skin) { mSkin = skin; }
  void SetLayout(const RCPtr<LLayoutDescriptor>& layout) { mLayout = layout; }
  void SetCreateParams(const RCPtr<LStringTable>& params) { mCreateParams = params; }
  void SetCreateFunction(CreateFunction function) { mCreateFunction = function; }
  void AppendChild(const RCPtr<LControlDescriptor>& child) { mChildren.AddItem(child); }

  // Stable: children of equal layout order keep document order.
  void SortChildrenByLayoutOrder();

  // A descriptor like source (class, parent, the same child descriptors,
  // skin, create parameters, create function) with a new name and layout.
  static RCPtr<LControlDescriptor> Clone(const LControlDescriptor& source, const StringW& name,
                                         const RCPtr<LLayoutDescriptor>& layout);

 protected:
  LControlDescriptor(const StringW& className, const StringW& name, LControlDescriptor* parent)
      : mClassName(className), mName(name), mParent(parent) {}

 private:
  StringW mClassName;
  StringW mName;
  LControlDescriptor* mParent;  // not owned
  RCPtrArray<LControlDescriptor> mChildren;
  RCPtr<LSkinDescriptor> mSkin;
  RCPtr<LLayoutDescriptor> mLayout;
  RCPtr<LStringTable> mCreateParams;
  CreateFunction mCreateFunction = nullptr;
};

}  // namespace HV
