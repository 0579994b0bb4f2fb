#pragma once

// The editor's control classes as its skin names them
// ("PresetEditor.MainControl.DeviceView"), each with the class a control of
// that name is built as. The editor registers them once at start-up, after
// the framework's classes and its global hot keys, in the order of the table.
// Several names share one class; a few names appear twice (the second
// registration of a name changes nothing).

#include "HVFramework/Application/FrameworkControlClasses.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"

#include <cstdint>
#include <span>

namespace HV {

class LControlFactory;

// The classes of the editor's controls. HV::LPanel and HV::LTabControl are
// the framework's; every other one is the editor's own.
enum class ApplicationClass {
  Panel,
  TabControl,
  GlobalSettingsDlg,
  MainControl,
  MIDIChannelViewPanel,
  DeviceView,
  PresetNamePanel,
  NoteModeEditPanel,
  ButtonControlViewPanel,
  SendPresetToMidiDeviceDlg,
  GetPresetFromMidiDeviceDlg,
  MoveableControlEditPanel,
  ButtonControlEditPanel,
  FaderGroupPanel,
  FaderPanel,
  EncoderGroupPanel,
  EncoderPanel,
  ButtonGroupPanel,
  ButtonPanel,
  PedalGroupPanel,
  SustainPedalPanel,
  VolumePedalPanel,
  KeybedZoneGroupPanel,
  KeybedZonePanel,
  WheelGroupPanel,
  WheelPanel,
  PadGroupPanel,
  PadPanel,
  MidiNoteSelector,
  NumberBoxTextSelector,
  ButtonEditPanel,
  VolumePedalEditPanel,
  SustainPedalEditPanel,
  WheelEditPanel,
  FaderEditPanel,
  KeybedZoneEditPanel,
  EncoderEditPanel,
  XYPadEditPanel,
  XYPadDirectionPanel,
  XYPadDirectionGroupPanel,
  PadEditPanel,
  MoveableControlViewPanel,
  AboutDlg,
  Count
};

struct ApplicationControlClass {
  const WChar* name;  // matched exactly, letter case included
  ApplicationClass applicationClass;
};

// All rows in registration order.
std::span<const ApplicationControlClass> GetApplicationControlClasses();

// The create function a control of the class is built with. A class the
// editor has not built yet is made as a plain panel, so the whole tree loads
// from the skin: its skin children, looks and layout show, without behaviour.
LControlDescriptor::CreateFunction GetApplicationClassCreator(ApplicationClass applicationClass);

// What the registration did: how many rows were entered and the result of the
// last one offered (negative when a row was refused; the rows after it are
// not offered).
struct ApplicationClassRegistration {
  int32_t registered = 0;
  HResult result = S_OK;
};

ApplicationClassRegistration RegisterApplicationControlClasses(const ControlClassRegistrar& registrar);
ApplicationClassRegistration RegisterApplicationControlClasses(LControlFactory& factory);

}  // namespace HV
