#pragma once

#include "HVFramework/Controls/Splitter/LSplitterBase.h"

namespace HV {

class LControlFactory;

// LSplitterV: the splitter as a vertical bar, dragged left and right. UI thread only.
class LSplitterV : public LSplitterBase {
 public:
  static constexpr const WChar* kClassName = u"Framework.SplitterV";

  LSplitterV(LControl* parent, const StringW& name);

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  static HResult Register(LControlFactory& factory);
};

}  // namespace HV
