#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementInterface.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "Panel/UI/PresetEditorCommon/LColoredSwitchEditPanel.h"

namespace HV {

// LPadEditPanel: "padEditPanel", the edit panel of the pad chosen, titled
// "PAD n", with two pages: the message ("midiPage", whose note page shows
// its ON/OFF values only while latching is on) and the four colours
// ("colorPage"). It refuses a record of another length than 14.
class LPadEditPanel : public LColoredSwitchEditPanel<IPad> {
 public:
  static constexpr int32_t kPadCount = 16;

  LPadEditPanel(LControl* parent, const StringW& name);
  ~LPadEditPanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

  // Turns on the editor's rule that the note page shows ON/OFF only while latching.
  HResult Initialize() override;
  // Titles the panel for the pad at index and asks for the pad's value;
  // E_FAIL with nothing changed outside 0-15.
  HResult SetPadIndex(int32_t index);
  int32_t GetPadIndex() const { return mPadIndex; }

 protected:
  void WriteTitle(int32_t index) override;

 private:
  int32_t mPadIndex = 0;
};

}  // namespace HV
