#pragma once

#include "HVFramework/Controls/Splitter/LSplitterBase.h"

namespace HV {

class LControlFactory;

// LSplitterH: the splitter as a horizontal bar, dragged up and down. UI thread only.
class LSplitterH : public LSplitterBase {
 public:
  static constexpr const WChar* kClassName = u"Framework.SplitterH";

  LSplitterH(LControl* parent, const StringW& name);

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  static HResult Register(LControlFactory& factory);
};

}  // namespace HV
