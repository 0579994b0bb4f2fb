#include "Panel/UI/ApplicationControlClasses.h"

#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/ControlBase/Views/LPanel.h"
#include "HVFramework/Controls/TabControl/LTabControl.h"
#include "Panel/UI/LAboutDlg.h"
#include "Panel/UI/LDeviceView.h"
#include "Panel/UI/LGetPresetFromMidiDeviceDlg.h"
#include "Panel/UI/LGlobalSettingsDlg.h"
#include "Panel/UI/LMainControl.h"
#include "Panel/UI/LSendPresetToMidiDeviceDlg.h"
#include "Panel/UI/OrvaneSeriesCommon/LButtonControlEditPanel.h"
#include "Panel/UI/OrvaneSeriesCommon/LButtonControlViewPanel.h"
#include "Panel/UI/OrvaneSeriesCommon/LKeybedZoneEditPanel.h"
#include "Panel/UI/OrvaneSeriesCommon/LKeybedZoneGroupPanel.h"
#include "Panel/UI/OrvaneSeriesCommon/LKeybedZonePanel.h"
#include "Panel/UI/OrvaneSeriesCommon/LMIDIChannelViewPanel.h"
#include "Panel/UI/OrvaneSeriesCommon/LMoveableControlEditPanel.h"
#include "Panel/UI/OrvaneSeriesCommon/LMoveableControlViewPanel.h"
#include "Panel/UI/OrvaneSeriesCommon/LNoteModeEditPanel.h"
#include "Panel/UI/OrvaneSeriesCommon/LPresetNamePanel.h"
#include "Panel/UI/OrvaneSeriesCommon/LXYPadDirectionGroupPanel.h"
#include "Panel/UI/PresetEditorCommon/LButtonEditPanel.h"
#include "Panel/UI/PresetEditorCommon/LButtonGroupPanel.h"
#include "Panel/UI/PresetEditorCommon/LButtonPanel.h"
#include "Panel/UI/PresetEditorCommon/LEncoderEditPanel.h"
#include "Panel/UI/PresetEditorCommon/LEncoderGroupPanel.h"
#include "Panel/UI/PresetEditorCommon/LEncoderPanel.h"
#include "Panel/UI/PresetEditorCommon/LFaderEditPanel.h"
#include "Panel/UI/PresetEditorCommon/LFaderGroupPanel.h"
#include "Panel/UI/PresetEditorCommon/LFaderPanel.h"
#include "Panel/UI/PresetEditorCommon/LMidiNoteSelector.h"
#include "Panel/UI/PresetEditorCommon/LNumberBoxTextSelector.h"
#include "Panel/UI/PresetEditorCommon/LPadEditPanel.h"
#include "Panel/UI/PresetEditorCommon/LPadGroupPanel.h"
#include "Panel/UI/PresetEditorCommon/LPadPanel.h"
#include "Panel/UI/PresetEditorCommon/LPedalGroupPanel.h"
#include "Panel/UI/PresetEditorCommon/LSustainPedalEditPanel.h"
#include "Panel/UI/PresetEditorCommon/LSustainPedalPanel.h"
#include "Panel/UI/PresetEditorCommon/LVolumePedalEditPanel.h"
#include "Panel/UI/PresetEditorCommon/LVolumePedalPanel.h"
#include "Panel/UI/PresetEditorCommon/LWheelEditPanel.h"
#include "Panel/UI/PresetEditorCommon/LWheelGroupPanel.h"
#include "Panel/UI/PresetEditorCommon/LWheelPanel.h"

#include <iterator>

namespace HV {
namespace {

// The order is the registration order.
constexpr ApplicationControlClass kClasses[] = {
    {u"PresetEditor.GlobalEditorControl", ApplicationClass::GlobalSettingsDlg},
    {u"PresetEditor.Control.Global.LabeledXYPadFriction", ApplicationClass::Panel},
    {u"PresetEditor.Control.Global.LabeledGlobalXYPadRebound", ApplicationClass::Panel},
    {u"PresetEditor.Control.Global.LabeledxyPadSensitivity", ApplicationClass::Panel},
    {u"PresetEditor.Control.Global.LabeledMackieHUIToggle", ApplicationClass::Panel},
    {u"PresetEditor.Control.Global.LabeledKeyOctave", ApplicationClass::Panel},
    {u"PresetEditor.Control.Global.LabeledKeyTranspose", ApplicationClass::Panel},
    {u"PresetEditor.Control.Global.LabeledKeySensitivity", ApplicationClass::Panel},
    {u"PresetEditor.Control.Global.LabeledPadOctave", ApplicationClass::Panel},
    {u"PresetEditor.Control.Global.LabeledPadTranspose", ApplicationClass::Panel},
    {u"PresetEditor.Control.Global.LabeledPadSensitivity", ApplicationClass::Panel},
    {u"PresetEditor.Control.Global.LabeledControlCurve", ApplicationClass::Panel},
    {u"PresetEditor.Control.Global.LabeledGlobalXYPadVelocity", ApplicationClass::Panel},
    {u"PresetEditor.Control.Global.LabeledGlobalChannel", ApplicationClass::Panel},
    {u"PresetEditor.Control.Global.LabeledMidiDin", ApplicationClass::Panel},
    {u"PresetEditor.MainControl", ApplicationClass::MainControl},
    {u"PresetEditor.MainControl.MIDIChannelView", ApplicationClass::MIDIChannelViewPanel},
    {u"PresetEditor.MainControl.DeviceView", ApplicationClass::DeviceView},
    {u"PresetEditor.MainControl.DeviceView.PresetView", ApplicationClass::Panel},
    {u"PresetEditor.MainControl.DeviceView.GroupBanks", ApplicationClass::Panel},
    {u"PresetEditor.MainPage.ButtonEditPanel.MidiPage", ApplicationClass::Panel},
    {u"PresetEditor.MainControl.DeviceView.PresetNameEditPanel", ApplicationClass::PresetNamePanel},
    {u"PresetEditor.MainControl.EditPanel.XYPadNotes", ApplicationClass::NoteModeEditPanel},
    {u"PresetEditor.MainControl.PushButtonType.ViewPanel", ApplicationClass::ButtonControlViewPanel},
    {u"PresetEditor.Dialog.SendPresetToHardware", ApplicationClass::SendPresetToMidiDeviceDlg},
    {u"PresetEditor.Dialog.RetrievePresetFromHardware", ApplicationClass::GetPresetFromMidiDeviceDlg},
    {u"PresetEditor.MainControl.EditPanel.MoveableTypePanel", ApplicationClass::MoveableControlEditPanel},
    {u"PresetEditor.MainControl.EditPanel.ButtonTypePanel", ApplicationClass::ButtonControlEditPanel},
    {u"PresetEditor.MainControl.FaderView", ApplicationClass::FaderGroupPanel},
    {u"PresetEditor.MainControl.FaderView.Fader", ApplicationClass::FaderPanel},
    {u"PresetEditor.MainControl.FaderView.FaderBank", ApplicationClass::Panel},
    {u"PresetEditor.MainControl.EncoderView", ApplicationClass::EncoderGroupPanel},
    {u"PresetEditor.MainControl.EncoderView.Encoder", ApplicationClass::EncoderPanel},
    {u"PresetEditor.MainControl.EncoderView.EncoderBank", ApplicationClass::Panel},
    {u"PresetEditor.MainControl.ButtonView", ApplicationClass::ButtonGroupPanel},
    {u"PresetEditor.MainControl.ButtonView.Button", ApplicationClass::ButtonPanel},
    {u"PresetEditor.MainControl.ButtonView.ButtonBank", ApplicationClass::Panel},
    {u"PresetEditor.MainControl.Pedals", ApplicationClass::PedalGroupPanel},
    {u"PresetEditor.MainControl.Pedals.SustainPedal", ApplicationClass::SustainPedalPanel},
    {u"PresetEditor.MainControl.Pedals.VolumePedal", ApplicationClass::VolumePedalPanel},
    {u"PresetEditor.MainControl.KeybedZones", ApplicationClass::KeybedZoneGroupPanel},
    {u"PresetEditor.MainControl.KeybedZones.Zone", ApplicationClass::KeybedZonePanel},
    {u"PresetEditor.MainControl.WheelView", ApplicationClass::WheelGroupPanel},
    {u"PresetEditor.MainControl.WheelView.Wheel", ApplicationClass::WheelPanel},
    {u"PresetEditor.Control.SustainModes.TabControl.PageHolder.NotePage", ApplicationClass::Panel},
    {u"PresetEditor.Control.SustainModes.TabControl.PageHolder.ProgramPage", ApplicationClass::Panel},
    {u"PresetEditor.Control.SustainModes.TabControl.PageHolder.CCAbsolutePage", ApplicationClass::Panel},
    {u"PresetEditor.Control.SustainModes.TabControl.PageHolder.CCIncDecPage", ApplicationClass::Panel},
    {u"PresetEditor.Control.SustainModes.TabControl.PageHolder.MMCPage", ApplicationClass::Panel},
    {u"PresetEditor.Control.SustainModes.TabControl.PageHolder.ProgramIncDecPage", ApplicationClass::Panel},
    {u"PresetEditor.MainControl.PadView.Pad.ColorIndicator", ApplicationClass::Panel},
    {u"PresetEditor.MainControl.PadView", ApplicationClass::PadGroupPanel},
    {u"PresetEditor.MainControl.PadView.Pad", ApplicationClass::PadPanel},
    {u"PresetEditor.MainControl.EncoderView", ApplicationClass::EncoderGroupPanel},
    {u"PresetEditor.MainControl.EncoderView.Encoder", ApplicationClass::EncoderPanel},
    {u"PresetEditor.Control.LabeledColorSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledKeySelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledModifierSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledButtonTypeSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledCCSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledCCValueSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledMMCSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledNoteSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledProgramSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledOtherSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledCycleTypeSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledINCDecTypeSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledLatchingSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledButtonColorSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledPadColorSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledRelativeTypeSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.ButtonModesControl.TabControl.ButtonHolder", ApplicationClass::Panel},
    {u"PresetEditor.Control.ButtonModesControl.TabControl.PageHolder", ApplicationClass::Panel},
    {u"PresetEditor.Control.PressedReleasedSelectors", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledPressedSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledReleasedSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledModifierKeySelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledNoteSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledKeyZoneNoteSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.KeyZoneStartEndNoteSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.ZoneNoteSelector", ApplicationClass::MidiNoteSelector},
    {u"PresetEditor.Control.NoteSelector", ApplicationClass::MidiNoteSelector},
    {u"PresetEditor.Control.CCSelector", ApplicationClass::NumberBoxTextSelector},
    {u"PresetEditor.Control.LabeledPressedReleasedSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledMidiChannelSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledKeyZoneMidiChannelSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.MinMaxSelectors", ApplicationClass::Panel},
    {u"PresetEditor.Control.MinSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.MaxSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledMinSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledMaxSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.StartEndNoteSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledOctaveSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledTransposeSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.MSBLSBSelectors", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledMSBSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledLSBSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.OnOffSelectors", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledOnSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledOffSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledFaderTypeSelector", ApplicationClass::Panel},
    {u"PresetEditor.MainControl.ButtonView.Button.ColorIndicator", ApplicationClass::Panel},
    {u"PresetEditor.Control.MovementTypes.TabControl.PageHolder", ApplicationClass::Panel},
    {u"PresetEditor.Control.MovementTypes.TabControl.PageHolder.CCAbsolutePage", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledFaderTypeSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.MovementTypes.TabControl.PageHolder", ApplicationClass::Panel},
    {u"PresetEditor.Control.MovementTypes.TabControl.PageHolder.CCAbsolutePage", ApplicationClass::Panel},
    {u"PresetEditor.Control.MovementTypes.TabControl.PageHolder.CCRelativePage", ApplicationClass::Panel},
    {u"PresetEditor.Control.MovementTypes.TabControl.PageHolder.NRPNAbsolutePage", ApplicationClass::Panel},
    {u"PresetEditor.Control.MovementTypes.TabControl.ButtonHolder", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledSustainTypeSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledXYPadTypeSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.XYPadModes.TabControl.ButtonHolder", ApplicationClass::Panel},
    {u"PresetEditor.Control.ButtonModesControl.TabControl", ApplicationClass::TabControl},
    {u"PresetEditor.Control.PresetSlotCombobox", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledNoteModeTypeSelector", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledNoteScaleSelector", ApplicationClass::Panel},
    {u"PresetEditor.Panel.TabControl", ApplicationClass::Panel},
    {u"PresetEditor.TabControl", ApplicationClass::TabControl},
    {u"PresetEditor.TabControl.ButtonHolder", ApplicationClass::Panel},
    {u"PresetEditor.TabControl.PageHolder", ApplicationClass::Panel},
    {u"PresetEditor.MainPage.ButtonEditPanel", ApplicationClass::ButtonEditPanel},
    {u"PresetEditor.MainPage.ButtonEditPanel.TabControl", ApplicationClass::TabControl},
    {u"PresetEditor.MainPage.ButtonEditPanel.TabControl.ButtonHolder", ApplicationClass::Panel},
    {u"PresetEditor.MainPage.ButtonEditPanel.TabControl.PageHolder", ApplicationClass::Panel},
    {u"PresetEditor.MainPage.ButtonEditPanel.AsciiPage", ApplicationClass::Panel},
    {u"PresetEditor.MainPage.ButtonEditPanel.ColorPage", ApplicationClass::Panel},
    {u"PresetEditor.TabControl.PageHolder.ButtonsPage.TabControl", ApplicationClass::TabControl},
    {u"PresetEditor.TabControl.PageHolder.ButtonsPage.AsciiPage", ApplicationClass::Panel},
    {u"PresetEditor.TabControl.PageHolder.ButtonsPage.MidiPage", ApplicationClass::Panel},
    {u"PresetEditor.TabControl.PageHolder.PedalsPage", ApplicationClass::Panel},
    {u"PresetEditor.MainPage.VolumeEditPanel", ApplicationClass::VolumePedalEditPanel},
    {u"PresetEditor.MainPage.SustainEditPanel", ApplicationClass::SustainPedalEditPanel},
    {u"PresetEditor.TabControl.PageHolder.WheelsPage", ApplicationClass::Panel},
    {u"PresetEditor.TabControl.PageHolder.WheelsPage.Wheel", ApplicationClass::WheelEditPanel},
    {u"PresetEditor.TabControl.PageHolder.FadersPage", ApplicationClass::Panel},
    {u"PresetEditor.MainPage.FaderEditPanel", ApplicationClass::FaderEditPanel},
    {u"PresetEditor.Control.MovementTypes.TabControl", ApplicationClass::TabControl},
    {u"PresetEditor.Control.MovementTypes.TabControl.PageHolder.CCRelativePage", ApplicationClass::Panel},
    {u"PresetEditor.Control.MovementTypes.TabControl.PageHolder.NRPNAbsolutePage", ApplicationClass::Panel},
    {u"PresetEditor.Control.MovementTypes.TabControl.PageHolder.PitchBendPage", ApplicationClass::Panel},
    {u"PresetEditor.Control.MovementTypes.TabControl.ButtonHolder", ApplicationClass::Panel},
    {u"PresetEditor.TabControl.PageHolder.KeybedPage", ApplicationClass::Panel},
    {u"PresetEditor.MainPage.ZoneEditPanel", ApplicationClass::KeybedZoneEditPanel},
    {u"PresetEditor.TabControl.PageHolder.KnobsPage", ApplicationClass::Panel},
    {u"PresetEditor.MainPage.KnobEditPanel", ApplicationClass::EncoderEditPanel},
    {u"PresetEditor.MainPage.PadEditPanel.TabControl", ApplicationClass::TabControl},
    {u"PresetEditor.MainPage.PadEditPanel.TabControl.ButtonHolder", ApplicationClass::Panel},
    {u"PresetEditor.MainPage.PadEditPanel.TabControl.PageHolder", ApplicationClass::Panel},
    {u"PresetEditor.MainPage.PadEditPanel.ColorPage", ApplicationClass::Panel},
    {u"PresetEditor.MainPage.XYPadEditPanel", ApplicationClass::XYPadEditPanel},
    {u"PresetEditor.MainControl.XYPadView.Axis", ApplicationClass::XYPadDirectionPanel},
    {u"PresetEditor.MainControl.XYPadView", ApplicationClass::XYPadDirectionGroupPanel},
    {u"PresetEditor.MainPage.XYPadEditPanel.TabControl", ApplicationClass::TabControl},
    {u"PresetEditor.MainPage.XYPadEditPanel.TabControl.ButtonHolder", ApplicationClass::Panel},
    {u"PresetEditor.MainPage.XYPadEditPanel.TabControl.PageHolder", ApplicationClass::Panel},
    {u"PresetEditor.TabControl.PageHolder.PadsPage", ApplicationClass::Panel},
    {u"PresetEditor.MainPage.PadEditPanel", ApplicationClass::PadEditPanel},
    {u"PresetEditor.Control.PadModes.TabControl.PageHolder.CCAbsolutePage", ApplicationClass::Panel},
    {u"PresetEditor.Control.PadModes.TabControl.PageHolder.CCCyclePage", ApplicationClass::Panel},
    {u"PresetEditor.Control.PadModes.TabControl.PageHolder.CCIncDecPage", ApplicationClass::Panel},
    {u"PresetEditor.Control.PadModes.TabControl.PageHolder.MMCPage", ApplicationClass::Panel},
    {u"PresetEditor.Control.PadModes.TabControl.PageHolder.NotePage", ApplicationClass::Panel},
    {u"PresetEditor.Control.PadModes.TabControl.PageHolder.NRPNAbsolutePage", ApplicationClass::Panel},
    {u"PresetEditor.Control.PadModes.TabControl.PageHolder.ProgramCyclePage", ApplicationClass::Panel},
    {u"PresetEditor.Control.PadModes.TabControl.PageHolder.ProgramIncDecPage", ApplicationClass::Panel},
    {u"PresetEditor.Control.PadModes.TabControl.PageHolder.ProgramPage", ApplicationClass::Panel},
    {u"PresetEditor.MainControl.MoveableType.ViewPanel", ApplicationClass::MoveableControlViewPanel},
    {u"PresetEditor.TabControl.CCCyclePage.TabControl", ApplicationClass::TabControl},
    {u"PresetEditor.TabControl.CCCyclePage.TabControl.ButtonHolder", ApplicationClass::Panel},
    {u"PresetEditor.TabControl.CCCyclePage.TabControl.PageHolder", ApplicationClass::Panel},
    {u"PresetEditor.TabControl.CCCyclePage.TabControl.PageHolder.CCPage", ApplicationClass::Panel},
    {u"PresetEditor.TabControl.CCCyclePage.TabControl.PageHolder.ColorPage", ApplicationClass::Panel},
    {u"PresetEditor.TabControl.ProgramCyclePage.TabControl", ApplicationClass::TabControl},
    {u"PresetEditor.TabControl.ProgramCyclePage.TabControl.ButtonHolder", ApplicationClass::Panel},
    {u"PresetEditor.TabControl.ProgramCyclePage.TabControl.PageHolder", ApplicationClass::Panel},
    {u"PresetEditor.TabControl.ProgramCyclePage.TabControl.PageHolder.ProgramPage", ApplicationClass::Panel},
    {u"PresetEditor.DialogAbout", ApplicationClass::AboutDlg},
    {u"MainControl.ProductImageSelector", ApplicationClass::Panel},
    {u"MainControl.MainPage.ButtonEditPanel.MidiPage", ApplicationClass::Panel},
    {u"PresetEditor.Control.ButtonModesControl.TabControl.PageHolder.OtherPage", ApplicationClass::Panel},
    {u"PresetEditor.Control.ButtonModesControl.TabControl.PageHolder.CCAbsolutePage", ApplicationClass::Panel},
    {u"PresetEditor.Control.ButtonModesControl.TabControl.PageHolder.NrpnRpnPage", ApplicationClass::Panel},
    {u"PresetEditor.Control.MovementTypes.TabControl.PageHolder.OtherPage", ApplicationClass::Panel},
    {u"PresetEditor.Control.MovementTypes.TabControl.PageHolder.NrpnRpnPage", ApplicationClass::Panel},
    {u"PresetEditor.Control.MovementTypes.TabControl.PageHolder.OtherPage", ApplicationClass::Panel},
    {u"PresetEditor.Control.MovementTypes.TabControl.PageHolder.NrpnRpnPage", ApplicationClass::Panel},
    {u"PresetEditor.Control.LabeledNrpnRpnSelector", ApplicationClass::Panel},
};
static_assert(std::size(kClasses) == 188);

}  // namespace

std::span<const ApplicationControlClass> GetApplicationControlClasses() { return kClasses; }

LControlDescriptor::CreateFunction GetApplicationClassCreator(ApplicationClass applicationClass) {
  switch (applicationClass) {
    case ApplicationClass::TabControl:
      return &LTabControl::Create;
    case ApplicationClass::MainControl:
      return &LMainControl::Create;
    case ApplicationClass::DeviceView:
      return &LDeviceView::Create;
    case ApplicationClass::MIDIChannelViewPanel:
      return &LMIDIChannelViewPanel::Create;
    case ApplicationClass::MoveableControlViewPanel:
      return &LMoveableControlViewPanel::Create;
    case ApplicationClass::MoveableControlEditPanel:
      return &LMoveableControlEditPanel::Create;
    case ApplicationClass::ButtonControlViewPanel:
      return &LButtonControlViewPanel::Create;
    case ApplicationClass::ButtonControlEditPanel:
      return &LButtonControlEditPanel::Create;
    case ApplicationClass::EncoderGroupPanel:
      return &LEncoderGroupPanel::Create;
    case ApplicationClass::EncoderPanel:
      return &LEncoderPanel::Create;
    case ApplicationClass::EncoderEditPanel:
      return &LEncoderEditPanel::Create;
    case ApplicationClass::FaderGroupPanel:
      return &LFaderGroupPanel::Create;
    case ApplicationClass::FaderPanel:
      return &LFaderPanel::Create;
    case ApplicationClass::FaderEditPanel:
      return &LFaderEditPanel::Create;
    case ApplicationClass::MidiNoteSelector:
      return &LMidiNoteSelector::Create;
    case ApplicationClass::NumberBoxTextSelector:
      return &LNumberBoxTextSelector::Create;
    case ApplicationClass::WheelGroupPanel:
      return &LWheelGroupPanel::Create;
    case ApplicationClass::WheelPanel:
      return &LWheelPanel::Create;
    case ApplicationClass::WheelEditPanel:
      return &LWheelEditPanel::Create;
    case ApplicationClass::NoteModeEditPanel:
      return &LNoteModeEditPanel::Create;
    case ApplicationClass::KeybedZoneGroupPanel:
      return &LKeybedZoneGroupPanel::Create;
    case ApplicationClass::KeybedZonePanel:
      return &LKeybedZonePanel::Create;
    case ApplicationClass::KeybedZoneEditPanel:
      return &LKeybedZoneEditPanel::Create;
    case ApplicationClass::PedalGroupPanel:
      return &LPedalGroupPanel::Create;
    case ApplicationClass::SustainPedalPanel:
      return &LSustainPedalPanel::Create;
    case ApplicationClass::VolumePedalPanel:
      return &LVolumePedalPanel::Create;
    case ApplicationClass::VolumePedalEditPanel:
      return &LVolumePedalEditPanel::Create;
    case ApplicationClass::SustainPedalEditPanel:
      return &LSustainPedalEditPanel::Create;
    case ApplicationClass::SendPresetToMidiDeviceDlg:
      return &LSendPresetToMidiDeviceDlg::Create;
    case ApplicationClass::GetPresetFromMidiDeviceDlg:
      return &LGetPresetFromMidiDeviceDlg::Create;
    case ApplicationClass::AboutDlg:
      return &LAboutDlg::Create;
    case ApplicationClass::XYPadEditPanel:
      return &LXYPadEditPanel::Create;
    case ApplicationClass::XYPadDirectionPanel:
      return &LXYPadDirectionPanel::Create;
    case ApplicationClass::XYPadDirectionGroupPanel:
      return &LXYPadDirectionGroupPanel::Create;
    case ApplicationClass::GlobalSettingsDlg:
      return &LGlobalSettingsDlg::Create;
    case ApplicationClass::PresetNamePanel:
      return &LPresetNamePanel::Create;
    case ApplicationClass::ButtonGroupPanel:
      return &LButtonGroupPanel::Create;
    case ApplicationClass::ButtonPanel:
      return &LButtonPanel::Create;
    case ApplicationClass::ButtonEditPanel:
      return &LButtonEditPanel::Create;
    case ApplicationClass::PadGroupPanel:
      return &LPadGroupPanel::Create;
    case ApplicationClass::PadPanel:
      return &LPadPanel::Create;
    case ApplicationClass::PadEditPanel:
      return &LPadEditPanel::Create;
    case ApplicationClass::Panel:
    case ApplicationClass::Count:
      break;
  }
  return &LPanel::Create;
}

ApplicationClassRegistration RegisterApplicationControlClasses(const ControlClassRegistrar& registrar) {
  ApplicationClassRegistration registration;
  for (const ApplicationControlClass& row : kClasses) {
    registration.result = registrar(StringW(row.name), GetApplicationClassCreator(row.applicationClass));
    if (Failed(registration.result)) break;
    ++registration.registered;
  }
  return registration;
}

ApplicationClassRegistration RegisterApplicationControlClasses(LControlFactory& factory) {
  return RegisterApplicationControlClasses([&factory](const StringW& name, LControlDescriptor::CreateFunction create) {
    return factory.RegisterControlCreateFunction(name, create);
  });
}

}  // namespace HV
