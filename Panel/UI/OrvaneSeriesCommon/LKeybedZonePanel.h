#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementInterface.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "HVFramework/ControlBase/Views/LPanel.h"
#include "HVFramework/Controls/LLabel.h"
#include "HVFramework/Utilities/Storage/ParamDescriptor.h"
#include "Panel/UI/OrvaneSeriesCommon/KeyNames.h"

#include <cstdint>

namespace HV {

// LKeybedZonePanel: the tile of one keybed zone ("zone1" to "zone4"): its
// title "ZONE n", the first and last key it covers as note names and its
// channel. It only shows; the group listens to its "button".
class LKeybedZonePanel : public LPanel, public IKeybedZone {
 public:
  LKeybedZonePanel(LControl* parent, const StringW& name);
  ~LKeybedZonePanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

  // Throws without its "infoLabel".
  HResult Initialize() override;
  // Stores the place and titles the tile; throws without its "zoneName".
  void SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) override;
  // Shows the keys and the channel of a nine-byte value. E_FAIL for another
  // zone's ID or a value of another length.
  HResult SetParamValueLocal(const ParamDescriptor& descriptor, const Variant& value, bool flag) override;

  // How the keys are named (the zone note selector's texts); the group hands them on.
  void SetKeyNames(const KeyNames& names) { mKeyNames = names; }

 private:
  RCPtr<LLabel> mInfo;
  KeyNames mKeyNames;
};

}  // namespace HV
