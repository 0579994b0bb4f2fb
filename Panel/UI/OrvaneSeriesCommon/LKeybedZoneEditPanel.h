#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementInterface.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "HVFramework/ControlBase/Views/LPanel.h"
#include "HVFramework/Controls/Button/LButton.h"
#include "HVFramework/Controls/ComboBox/LComboBox.h"
#include "HVFramework/Controls/LLabel.h"
#include "HVFramework/Controls/NumericUpDown/LNumericUpDown.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"
#include "HVFramework/Utilities/Storage/ParamDescriptor.h"
#include "Panel/UI/OrvaneSeriesCommon/KeyNames.h"
#include "Panel/UI/OrvaneSeriesCommon/ShownBytes.h"
#include "Panel/UI/PresetEditorCommon/ElementRecord.h"

#include <array>
#include <cstdint>

namespace HV {

// LKeybedZoneEditPanel: "zoneEditPanel", the one edit panel of the four
// keybed zones, bound by the zone group to the zone chosen. It edits the
// zone's nine bytes through its own controls (the enable check box, the
// channel list and seven number boxes) and sends the whole record to the main
// control at each change the user makes.
//
// Showing a record sends nothing and changes no byte: the key rule (first key
// at most the last, both on the keybed) applies to the user's key edits of a
// bound zone only, and a byte a control cannot show is written back as it was shown until the
// user changes that control. Only nine-byte values are taken.
class LKeybedZoneEditPanel : public LOwnHandlerControl<LPanel, LKeybedZoneEditPanel>, public IKeybedZone {
 public:
  LKeybedZoneEditPanel(LControl* parent, const StringW& name);
  ~LKeybedZoneEditPanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

  // Finds the controls (each missing one throws the Null Pointer failure),
  // gives the number boxes their ranges and listens to every control.
  HResult Initialize() override;
  // Binds the panel to the zone: stores the place, asks the engine to
  // announce the zone's value again and titles the panel "ZONE n".
  void SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) override;
  // Shows the zone's record, then hands the value to the group for the zone's
  // tile. E_FAIL for another zone's ID or a value of another length.
  HResult SetParamValueLocal(const ParamDescriptor& descriptor, const Variant& value, bool flag) override;
  // The nine bytes the controls hold (and the bytes kept for them).
  virtual ElementRecord GetZoneRecord();

  // The title for zone number (1-4); nothing without the title label.
  void SetZoneLabelText(int32_t zoneNumber);
  // "NID_LEFT_CLICK" of the enable check box: turns the zone on or off. 1.
  HResult OnEnableButtonClicked(const RCPtr<LNotificationDistributor>& source,
                                const RCPtr<LNotification>& notification);
  // A change of any control: the key rule for a key, then the record sent. 1.
  HResult OnControlValueChanged(const RCPtr<LNotificationDistributor>& source,
                                const RCPtr<LNotification>& notification);
  // The record to the main control, which hands it to the engine; nothing
  // while showing or unbound.
  void SendZoneRecord();

  bool IsBound() const { return LParameterizedModule::GetParent() != nullptr; }
  // The names of keys as the zone note selectors write them, for the tiles.
  const KeyNames& GetKeyNames() const { return mKeyNames; }
  // The control that edits record byte (KeybedZoneRecord); null past them.
  RCPtr<LControl> GetControlOfByte(uint32_t byte) const;

 private:
  // A number box and what is added to its value to make its byte.
  struct Number {
    RCPtr<LNumericUpDown> box;
    int32_t bias = 0;
  };

  void FindControls();
  void Listen(LControl* control, const NotificationName& name);
  void ShowNumber(uint32_t byte, signed char value);
  signed char ReadNumber(uint32_t byte) const;
  // The key rule after the user set the key of byte.
  void OnKeyEdited(uint32_t byte);

  RCPtr<LComboBox> mChannel;
  // The number boxes by record byte; the enable and channel bytes have none.
  std::array<Number, 9> mNumbers;
  RCPtr<LButton> mEnable;
  RCPtr<LLabel> mZoneName;
  KeyNames mKeyNames;
  ShownBytes mShown;
  bool mShowing = false;
};

}  // namespace HV
