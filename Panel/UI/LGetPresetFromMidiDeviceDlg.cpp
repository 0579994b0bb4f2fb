#include "Panel/UI/LGetPresetFromMidiDeviceDlg.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "Panel/Engine/PresetEditorCommon/LMidiManager.h"

namespace HV {
namespace {

constexpr LPresetTransferDlg::Texts kTexts{
    "LGetPresetFromMidiDeviceDlg::Initialize",
    u"getButton",
    "Cannot find child getButton",
    u"LABEL_GET_PRESET_FAILED_MSGBOX_CAPTION",
    u"LABEL_GET_PRESET_FAILED_MIDI_ERROR_MSGBOX_TEXT",
    u"LABEL_GET_PRESET_FAILED_FW_COMPATIBILITY_ERROR_MSGBOX_TEXT",
    u"LABEL_GET_PRESET_SUCEESS_MSGBOX_CAPTION",
    u"LABEL_GET_PRESET_SUCEESS_MSGBOX_TEXT",
};

}  // namespace

LGetPresetFromMidiDeviceDlg::LGetPresetFromMidiDeviceDlg(LControl* parent, const StringW& name)
    : LPresetTransferDlg(parent, name, kTexts) {}

RCPtr<LControl>& LGetPresetFromMidiDeviceDlg::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                                    const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LGetPresetFromMidiDeviceDlg>(result, parent, descriptor);
}

HResult LGetPresetFromMidiDeviceDlg::Transfer(LMidiManager& manager, int32_t slot) {
  return manager.GetPresetFromMidiDevice(slot);
}

}  // namespace HV
