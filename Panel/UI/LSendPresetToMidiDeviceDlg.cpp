#include "Panel/UI/LSendPresetToMidiDeviceDlg.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "Panel/Engine/PresetEditorCommon/LMidiManager.h"

namespace HV {
namespace {

constexpr LPresetTransferDlg::Texts kTexts{
    "LSendPresetToMidiDeviceDlg::Initialize",
    u"send",
    "Cannot find child send",
    u"LABEL_SEND_PRESET_FAILED_MSGBOX_CAPTION",
    u"LABEL_SEND_PRESET_FAILED_MIDI_ERROR_MSGBOX_TEXT",
    u"LABEL_SEND_PRESET_FAILED_FW_COMPATIBILITY_ERROR_MSGBOX_TEXT",
    u"LABEL_SEND_PRESET_SUCEESS_MSGBOX_CAPTION",
    u"LABEL_SEND_PRESET_SUCEESS_MSGBOX_TEXT",
};

}  // namespace

LSendPresetToMidiDeviceDlg::LSendPresetToMidiDeviceDlg(LControl* parent, const StringW& name)
    : LPresetTransferDlg(parent, name, kTexts) {}

RCPtr<LControl>& LSendPresetToMidiDeviceDlg::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                                    const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LSendPresetToMidiDeviceDlg>(result, parent, descriptor);
}

HResult LSendPresetToMidiDeviceDlg::Transfer(LMidiManager& manager, int32_t slot) {
  return manager.SendPresetToMidiDevice(slot);
}

}  // namespace HV
