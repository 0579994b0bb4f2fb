#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Utilities/Storage/StringT.h"

namespace HV {

// LTextValidationParams: the payload of one validation run of a text box
// ("NID_TEXTBOX_VALIDATING", then "NID_TEXTBOX_VALIDATED"). Observers of the
// first may rewrite `text` or clear `isValid`; the box takes the rewritten
// text only while the run stays valid. UI thread only.
class LTextValidationParams : public virtual LRefCountedObject {
 public:
  // Both texts start as the box's current text.
  static RCPtr<LTextValidationParams> Create(const StringW& current) {
    return RCPtr<LTextValidationParams>(new LTextValidationParams(current));
  }

  StringW ToString() const override { return text; }

  StringW text;         // what validation settles on
  StringW initialText;  // the box's text when the run started
  bool isValid = true;

 protected:
  explicit LTextValidationParams(const StringW& current) : text(current), initialText(current) {}
};

}  // namespace HV
