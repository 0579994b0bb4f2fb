// The send-preset and get-preset dialogs and the About box in the editor on
// the headless window system, against the simulated keyboard: the box each
// outcome shows, the slot that goes to the keyboard, and the About lines.
#include "DeviceControl/GeneratedCode/Engine/Inc/ParamRecord.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/RootModuleEngine.h"
#include "tests/Panel/UI/KeyboardEditorRun.h"

#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/Controls/ComboBox/LComboBox.h"
#include "Panel/Engine/PresetEditorCommon/LMidiManager.h"
#include "Panel/Engine/SimulatedKeyboard/SimulatedKeyboardPorts.h"
#include "Panel/UI/LAboutDlg.h"
#include "Panel/UI/LGetPresetFromMidiDeviceDlg.h"
#include "Panel/UI/LSendPresetToMidiDeviceDlg.h"
#include "Panel/UI/PresetEditorCommon/LEncoderGroupPanel.h"
#include "Panel/UI/PresetEditorCommon/LFaderGroupPanel.h"
#include "Panel/UI/PresetEditorCommon/LWheelGroupPanel.h"

namespace HV {
namespace {

constexpr const char* kSendError = "Send Preset Error";
constexpr const char* kGetError = "Retrieve Preset Error";
constexpr const char* kSendConnection =
    "Error connecting to device. Verify your Orvane Keyboard is plugged into the USB port and try again.";
constexpr const char* kGetConnection =
    "The Preset has failed to get from the device. Verify the device is connected to your computer via the USB "
    "cable.";
constexpr const char* kFirmware =
    "The firmware version of your device is not compatible with this version of the Preset Editor.  Visit the "
    "Halvern support web site for the latest firmware updates.";

// A transfer's result with every success (the send answers the bytes of its
// last piece) as 0; none for a refused one.
std::optional<HResult> Outcome(std::optional<HResult> result) {
  if (result && *result >= 0) return 0;
  return result;
}

class PresetTransferDialogs : public Test::KeyboardEditorRun {
 protected:
  static void Select(LControl& dialog, int32_t slot) {
    const RCPtr<LComboBox> list = Find<LComboBox>(dialog, {u"presetSlot", u"comboBox"});
    ASSERT_TRUE(list);
    list->SetSelectedIndex(slot);
  }
};

// Each outcome of a transfer, for both dialogs: the box and whether the
// keyboard got the preset.
TEST_F(PresetTransferDialogs, EachOutcomeShowsItsBox) {
  struct Case {
    const char* name;
    bool isPlugged;
    std::function<void(Simulated::SimulatedKeyboard&)> setUp;
    HResult sendResult, getResult;
    std::string sendBox, getBox;
    bool isRecordUnwritable = false;  // the preset holds a value no dump can carry
  };
  const auto none = [](Simulated::SimulatedKeyboard&) {};
  const std::string oldFirmwareSend = std::string(kSendError) + ": " + kFirmware;
  const std::string oldFirmwareGet = std::string(kGetError) + ": " + kFirmware;
  const Case cases[] = {
      {"success", true, none, 0, 0, "Send Sucess: The preset has been sucessfully sent to the device",
       "Retrieve Sucessful: The preset has been sucessfully retreived."},
      {"silent keyboard", true, [](auto& keyboard) { keyboard.SetAnswering(false); }, -2, -2, oldFirmwareSend,
       oldFirmwareGet},
      {"no dump in time", true, [](auto& keyboard) { keyboard.SetAnswering(Event::PresetRequest, false); }, 0, -3,
       "Send Sucess: The preset has been sucessfully sent to the device",
       std::string(kGetError) + ": " + kGetConnection},
      {"wrong slot answered", true, [](auto& keyboard) { keyboard.MisdirectPresetAnswers(2); }, 0, -3,
       "Send Sucess: The preset has been sucessfully sent to the device",
       std::string(kGetError) + ": " + kGetConnection},
      {"old firmware", true, [](auto& keyboard) { keyboard.SetFirmwareVersion("1040"); }, -2, -2, oldFirmwareSend,
       oldFirmwareGet},
      {"unplugged", false, none, -1, -1, std::string(kSendError) + ": " + kSendConnection,
       std::string(kGetError) + ": " + kGetConnection},
      {"write failure", true, none, E_FAIL, 0, std::string(kSendError) + ": " + kSendConnection,
       "Retrieve Sucessful: The preset has been sucessfully retreived.", true},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    RenewMidiSystem();  // no keyboard plugged in from the case before
    const size_t shownBefore = Boxes().size();
    const size_t storedBefore = mKeyboard.GetStoredDumps().size();
    Simulated::SimulatedKeyboard& keyboard = mKeyboard;
    keyboard.SetAnswering(true);
    keyboard.SetAnswering(Event::PresetRequest, true);
    keyboard.SetFirmwareVersion("1052");
    keyboard.MisdirectPresetAnswers(std::nullopt);
    if (test.isPlugged) Plug();
    test.setUp(keyboard);
    keyboard.ClearLog();
    Inspect([&](Live& editor) {
      const RCPtr<LSendPresetToMidiDeviceDlg> send = Make<LSendPresetToMidiDeviceDlg>(editor, u"dialogSendPreset");
      const RCPtr<LGetPresetFromMidiDeviceDlg> get =
          Make<LGetPresetFromMidiDeviceDlg>(editor, u"dialogRetrievePresetFromHardware");
      ASSERT_TRUE(send && get);
      Select(*send, 5);
      Select(*get, 5);
      if (test.isRecordUnwritable) {
        // The name's six bytes, one of them no data byte.
        const uint8_t name[] = {'N', 'A', 'M', 'E', 0x80, 0};
        ASSERT_EQ(LApplication::GetRootModuleEngine()->SetParamValue(ParamDescriptor(0), MakeRecordValue(name)),
                  S_OK);
      }
      EXPECT_EQ(Outcome(send->TransferSlot(send->GetSelectedSlot())), std::optional<HResult>(test.sendResult));
      EXPECT_EQ(Outcome(get->TransferSlot(get->GetSelectedSlot())), std::optional<HResult>(test.getResult));
    });
    const std::vector<std::string> boxes = Boxes();
    EXPECT_EQ(std::vector<std::string>(boxes.begin() + static_cast<std::ptrdiff_t>(shownBefore), boxes.end()),
              (std::vector<std::string>{test.sendBox, test.getBox}));
    const std::vector<Simulated::SimulatedKeyboard::StoredDump> stored = keyboard.GetStoredDumps();
    EXPECT_EQ(stored.size() - storedBefore, test.sendResult == 0 ? 1u : 0u);
    if (!stored.empty()) {
      EXPECT_EQ(stored.back().slot, 5);
    }
    Simulated::DetachSimulatedKeyboard(keyboard);
  }
}

// A press with no slot chosen asks for one and tries nothing: no firmware
// check, no request, no dump.
TEST_F(PresetTransferDialogs, WithoutASlotNothingIsTriedAndTheUserIsAskedForOne) {
  Plug();
  Inspect([&](Live& editor) {
    const RCPtr<LSendPresetToMidiDeviceDlg> send = Make<LSendPresetToMidiDeviceDlg>(editor, u"dialogSendPreset");
    const RCPtr<LGetPresetFromMidiDeviceDlg> get =
        Make<LGetPresetFromMidiDeviceDlg>(editor, u"dialogRetrievePresetFromHardware");
    ASSERT_TRUE(send && get);
    mKeyboard.ClearLog();
    for (const auto& [dialog, button] : {std::pair<LControl*, const char16_t*>{send.Get(), u"send"},
                                         std::pair<LControl*, const char16_t*>{get.Get(), u"getButton"}}) {
      Select(*dialog, -1);
      const RCPtr<LControl> pressed = dialog->FindChildControl(StringW(button));
      ASSERT_TRUE(pressed);
      pressed->SendNotification(LNotification::Create(kNidLeftClick, nullptr));
    }
  });
  EXPECT_EQ(Boxes(), (std::vector<std::string>{std::string(kSendError) + ": Choose a preset slot first.",
                                               std::string(kGetError) + ": Choose a preset slot first."}));
  for (const Event asked : {Event::IdentityRequest, Event::PresetRequest, Event::PresetDump})
    EXPECT_EQ(mKeyboard.CountEvents(asked), 0u);
}

// "RAM" is slot 0 and "Preset 12" slot 12; a slot the keyboard does not have
// (a skin without the list gives -1) is not sent: the user is asked for a slot.
TEST_F(PresetTransferDialogs, OnlySlotsZeroToTwelveAreSent) {
  Plug();
  Inspect([&](Live& editor) {
    const RCPtr<LSendPresetToMidiDeviceDlg> send = Make<LSendPresetToMidiDeviceDlg>(editor, u"dialogSendPreset");
    ASSERT_TRUE(send);
    EXPECT_EQ(Outcome(send->TransferSlot(0)), std::optional<HResult>(0));
    EXPECT_EQ(Outcome(send->TransferSlot(12)), std::optional<HResult>(0));
    for (const int32_t slot : {-1, 13})
      EXPECT_EQ(send->TransferSlot(slot), std::optional<HResult>(E_INVALIDARG)) << slot;
    // A press of the button sends the selected slot.
    Select(*send, 7);
    send->FindChildControl(StringW(u"send"))->SendNotification(LNotification::Create(kNidLeftClick, nullptr));
  });
  std::vector<uint8_t> slots;
  for (const auto& dump : mKeyboard.GetStoredDumps()) slots.push_back(dump.slot);
  EXPECT_EQ(slots, (std::vector<uint8_t>{0, 12, 7}));
  const std::vector<std::string> boxes = Boxes();
  ASSERT_EQ(boxes.size(), 5u);
  EXPECT_EQ(boxes[2], std::string(kSendError) + ": Choose a preset slot first.");
  EXPECT_EQ(boxes[3], boxes[2]);
}

// A preset fetched from "Preset 5" reaches the encoder, fader and wheel
// panels through the engine.
TEST_F(PresetTransferDialogs, AFetchedPresetReachesThePanels) {
  // Where the first encoder, fader and the modulation wheel lie in a preset.
  constexpr size_t kFirstEncoder = 1116, kFirstFader = 900, kModulationWheel = 47;
  Simulated::SimulatedKeyboard::Preset preset = mKeyboard.GetSlot(5);
  for (const auto& [offset, record] : {std::pair{kFirstEncoder, std::vector<uint8_t>{1, 0, 93, 0, 0, 127}},
                                       std::pair{kFirstFader, std::vector<uint8_t>{1, 0, 94, 0, 0, 127}},
                                       std::pair{kModulationWheel, std::vector<uint8_t>{1, 0, 95, 0, 127}}})
    std::copy(record.begin(), record.end(), preset.begin() + static_cast<std::ptrdiff_t>(offset));
  mKeyboard.SetSlot(5, preset);
  Plug();
  Inspect([&](Live& editor) {
    const RCPtr<LGetPresetFromMidiDeviceDlg> get =
        Make<LGetPresetFromMidiDeviceDlg>(editor, u"dialogRetrievePresetFromHardware");
    ASSERT_TRUE(get);
    Select(*get, 5);
    EXPECT_EQ(get->TransferSlot(get->GetSelectedSlot()), std::optional<HResult>(0));
    editor.Drain();
    const auto info = [&](const char16_t* group, uint32_t tile) -> std::string {
      const RCPtr<LControl> label = Find(*editor.deviceView, {group});
      RCPtr<LControl> shown;
      if (const auto encoders = DynamicCast<LEncoderGroupPanel>(label)) shown = Find(*encoders->GetTile(tile)->GetView(), {u"infoLabel"});
      if (const auto faders = DynamicCast<LFaderGroupPanel>(label)) shown = Find(*faders->GetTile(tile)->GetView(), {u"infoLabel"});
      if (const auto wheels = DynamicCast<LWheelGroupPanel>(label)) shown = Find(*wheels->GetTile(tile)->GetView(), {u"infoLabel"});
      return shown ? std::string(shown->GetText().ToCharString().GetText()) : "<none>";
    };
    EXPECT_EQ(info(u"encoders", 0), "CC:\n93");
    EXPECT_EQ(info(u"faders", 0), "CC:\n94");
    EXPECT_EQ(info(u"wheels", 1), "CC:\n95");
  });
}

TEST_F(PresetTransferDialogs, AboutNamesTheProductWithItsVersionAndTheCopyright) {
  Inspect([&](Live& editor) {
    const RCPtr<LAboutDlg> about = Make<LAboutDlg>(editor, u"dialogAbout");
    ASSERT_TRUE(about);
    EXPECT_EQ(about->FindChildControl(StringW(u"labelProduct"))->GetText(),
              StringW(u"Halvern Tarsel Preset Editor Version 1.0.7"));
    EXPECT_EQ(about->FindChildControl(StringW(u"labelCopyright"))->GetText(),
              StringW(u"Copyright (C) 2026 Halvern. All rights reserved."));
  });
}

}  // namespace
}  // namespace HV
