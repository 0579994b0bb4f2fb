#pragma once

#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "HVFramework/ControlBase/Views/LPanel.h"
#include "HVFramework/Controls/LLabel.h"

#include <cstdint>

namespace HV {

// LMIDIChannelViewPanel: the small label of a tile that says on which
// channel its element sends: "CH:G" (the global channel), "CH:1" to "CH:16",
// "CH:Z1" to "CH:Z4" (a keybed zone's channel) or "CH:OM" (omni), from its
// "label" child's string table.
class LMIDIChannelViewPanel : public LPanel {
 public:
  LMIDIChannelViewPanel(LControl* parent, const StringW& name);
  ~LMIDIChannelViewPanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

  // E_FAIL when the panel could not be made; throws without its "label".
  HResult Initialize() override;
  // The channel byte of a record, read as signed; 22 to 127 leave the text as it is.
  virtual void SetChannel(int8_t channel);

  // The text for the channel byte from the label's strings; false for a byte that names no channel.
  static bool ChannelText(const LControl& label, int8_t channel, StringW& text);

 private:
  RCPtr<LLabel> mLabel;
};

}  // namespace HV
