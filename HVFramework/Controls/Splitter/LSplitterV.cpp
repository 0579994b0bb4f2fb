#include "HVFramework/Controls/Splitter/LSplitterV.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"

namespace HV {

LSplitterV::LSplitterV(LControl* parent, const StringW& name) : LSplitterBase(parent, name, 1) {}

RCPtr<LControl>& LSplitterV::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LSplitterV>(result, parent, descriptor);
}

HResult LSplitterV::Register(LControlFactory& factory) {
  return factory.RegisterControlCreateFunction(StringW(kClassName), &LSplitterV::Create);
}

}  // namespace HV
