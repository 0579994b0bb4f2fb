#include "HVFramework/Controls/Splitter/LSplitterH.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"

namespace HV {

LSplitterH::LSplitterH(LControl* parent, const StringW& name) : LSplitterBase(parent, name, 0) {}

RCPtr<LControl>& LSplitterH::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LSplitterH>(result, parent, descriptor);
}

HResult LSplitterH::Register(LControlFactory& factory) {
  return factory.RegisterControlCreateFunction(StringW(kClassName), &LSplitterH::Create);
}

}  // namespace HV
