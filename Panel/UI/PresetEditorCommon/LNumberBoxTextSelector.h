#pragma once

#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "HVFramework/ControlBase/Views/LPanel.h"
#include "HVFramework/Controls/LLabel.h"
#include "HVFramework/Controls/NumericUpDown/LNumericUpDown.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"

namespace HV {

// LNumberBoxTextSelector: a number on its "numericUpDown" with the number's
// name on its "label" (a controller number: "Modulation", "Sustain Pedal"),
// the name being the label's string-table entry at that position. Its owner
// reads and sets the number on the up-down.
class LNumberBoxTextSelector : public LOwnHandlerControl<LPanel, LNumberBoxTextSelector> {
 public:
  LNumberBoxTextSelector(LControl* parent, const StringW& name);
  ~LNumberBoxTextSelector() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

  HResult Initialize() override;
  // A number without an entry (negative, or past the table) leaves the name as it is.
  void UpdateNumberText();
  HResult OnNumberValueChanged(const RCPtr<LNotificationDistributor>& source,
                               const RCPtr<LNotification>& notification);

  RCPtr<LNumericUpDown> GetNumericUpDown() const { return mNumber; }


 private:
  RCPtr<LLabel> mLabel;
  RCPtr<LNumericUpDown> mNumber;
};

}  // namespace HV
