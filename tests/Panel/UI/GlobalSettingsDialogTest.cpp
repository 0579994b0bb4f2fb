// The global settings dialog in the editor on the headless window system,
// against the simulated keyboard: what goes on the wire and in which order,
// the values the controls give and take, the refusals and error boxes, the
// fetch when the dialog opens, and the X/Y pad parameters it never touches.
#include "tests/Panel/UI/KeyboardEditorRun.h"

#include "HVFramework/ControlBase/Views/LDialog.h"
#include "HVFramework/Notification/RuntimeNotificationNames.h"
#include "Panel/Engine/PresetEditorCommon/Protocol/GlobalParameters.h"
#include "Panel/UI/LGlobalSettingsDlg.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace HV {
namespace {

constexpr const char* kMidiError =
    "Global Settings Error: Error connecting to device. Verify your Orvane Keyboard is plugged into the USB port "
    "and try again.";
constexpr const char* kConfirmSend =
    "Global Settings: Send these settings to the keyboard? Settings that were not fetched first will be "
    "overwritten.";
constexpr const char* kFirmwareError =
    "Send Preset Error: The firmware version of your device is not compatible with this version of the Preset "
    "Editor.  Visit the Halvern support web site for the latest firmware updates.";

// Wire indexes of the keyboard's 17 settings.
size_t IndexOf(std::u16string_view key) {
  return static_cast<size_t>(GlobalParameters::FindNonPresetParameterIndex(key));
}

// What a row of the dialog shows: its combo box's selection or its up-down's value.
struct Row {
  const char16_t* container;
  bool isComboBox;
};

class GlobalSettingsDialog : public Test::KeyboardEditorRun {
 protected:
  static RCPtr<LControl> ValueControl(LControl& dialog, const Row& row) {
    return Find(dialog, {row.container, row.isComboBox ? u"comboBox" : u"numericUpDown"});
  }
  static void Set(LControl& dialog, const Row& row, int32_t value) {
    const RCPtr<LControl> control = ValueControl(dialog, row);
    ASSERT_TRUE(control) << Narrow(row.container);
    if (row.isComboBox)
      DynamicCast<LComboBox>(control)->SetSelectedIndex(value);
    else
      control->SetValue(value);
  }
  static int32_t Shown(LControl& dialog, const Row& row) {
    const RCPtr<LControl> control = ValueControl(dialog, row);
    if (!control) return -1000;
    return row.isComboBox ? DynamicCast<LComboBox>(control)->GetSelectedIndex()
                          : static_cast<int32_t>(control->GetValue());
  }
  static std::string Narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }

  // The settings the keyboard was sent, as (wire index, value), in order.
  std::vector<std::pair<size_t, int32_t>> SentSettings() const {
    std::vector<std::pair<size_t, int32_t>> sent;
    for (const auto& entry : mKeyboard.GetLog())
      if (entry.event == Event::GlobalSet) sent.emplace_back(entry.bytes[11], entry.bytes[12] * 128 + entry.bytes[13]);
    return sent;
  }
  // The settings the keyboard was asked for, by wire index, in order.
  std::vector<size_t> RequestedSettings() const {
    std::vector<size_t> asked;
    for (const auto& entry : mKeyboard.GetLog())
      if (entry.event == Event::GlobalRequest) asked.push_back(entry.bytes[11]);
    return asked;
  }
  // Runs the dialog modally until its opening fetch, if any, has run: it is
  // closed at the second idle pass without a transfer.
  static void RunOpened(Live& editor, const RCPtr<LGlobalSettingsDlg>& dialog) {
    int32_t freePasses = 0;
    const RCPtr<HV::Test::NotificationCallback> idle(new HV::Test::NotificationCallback([&] {
      if (!editor.application.GetBusyRunner().IsBusy() && ++freePasses == 2) dialog->Close(LDialog::kOK);
    }));
    idle->RegisterNotification(RCPtr<LNotificationDistributor>(editor.window.Get()), kNidIdle);
    editor.application.RunModalWindow(dialog);
    idle->UnregisterAllNotifications();
  }
  std::vector<std::string> BoxesSince(size_t before) const {
    const std::vector<std::string> boxes = Boxes();
    return std::vector<std::string>(boxes.begin() + static_cast<std::ptrdiff_t>(before), boxes.end());
  }
};

// Each row: the control set, what it then shows, the setting and the value
// that goes on the wire (the rows are in wire order).
struct WireCase {
  Row row;
  int32_t set, shown;
  const char16_t* key;
  int32_t sent;
};
const WireCase kWireCases[] = {
    {{u"midiChannel", true}, 15, 15, u"Global_Channel", 16},  // "Channel 16"
    {{u"mackieHUIToggle", true}, 1, 1, u"MACKIE_HUI_ENABLED", 1},
    {{u"keyOctave", false}, 5, 4, u"KEY_OCTAVE", 9},  // held to 4
    {{u"keyTranspose", false}, -12, -12, u"KEY_TRANSPOSE", 0},
    {{u"keySensitivity", true}, 6, 6, u"KEY_SENSITIVITY", 6},
    {{u"padOctave", false}, -5, -5, u"PAD_OCTAVE", 0},
    {{u"padTranspose", false}, 12, 12, u"PAD_TRANSPOSE", 24},
    {{u"padSensitivity", true}, 9, 9, u"PAD_SENSITIVITY", 9},
    {{u"controlCurve", true}, 3, 3, u"CURVE_ACCELLERATION", 3},
    {{u"xyPadSensitivity", true}, 9, 9, u"XY_SENSITIVITY", 9},
    {{u"program", false}, 127, 127, u"GLOBAL_PROGRAM", 127},
    {{u"msb", false}, 5, 5, u"GLOBAL_BANK_MSB", 5},
    {{u"lsb", false}, 77, 77, u"GLOBAL_BANK_LSB", 77},
    {{u"midiDin", true}, 1, 1, u"MIDI_DIN_OUT", 1},
};

TEST_F(GlobalSettingsDialog, SendsTheFourteenSettingsInWireOrderWithTheirValuesAndNoXYPadParameter) {
  Plug();
  Inspect([&](Live& editor) {
    const RCPtr<LGlobalSettingsDlg> dialog = Make<LGlobalSettingsDlg>(editor, u"globalEditorControl");
    ASSERT_TRUE(dialog);
    for (const WireCase& test : kWireCases) {
      Set(*dialog, test.row, test.set);
      EXPECT_EQ(Shown(*dialog, test.row), test.shown) << Narrow(test.row.container);
    }
    mKeyboard.ClearLog();
    // Nothing was fetched: the user agrees to send over the keyboard's settings.
    mSystem.ScriptMessageBoxAnswer(Platform::MessageBoxAnswer::Yes);
    EXPECT_EQ(dialog->SendSettings(), std::optional<HResult>(0));
  });
  std::vector<std::pair<size_t, int32_t>> expected;
  for (const WireCase& test : kWireCases) expected.emplace_back(IndexOf(test.key), test.sent);
  EXPECT_EQ(SentSettings(), expected);
  EXPECT_TRUE(RequestedSettings().empty());
  for (const WireCase& test : kWireCases) EXPECT_EQ(mKeyboard.GetGlobal(IndexOf(test.key)), test.sent);
  EXPECT_EQ(Boxes(), std::vector<std::string>{kConfirmSend});
}

// The octaves' and transposes' ends, and the key octave held inside -3 to 4.
TEST_F(GlobalSettingsDialog, OctavesAndTransposesGoOutWithTheirOffsets) {
  struct Case {
    Row row;
    int32_t set, shown;
    const char16_t* key;
    int32_t sent;
  };
  const Case cases[] = {
      {{u"keyOctave", false}, 5, 4, u"KEY_OCTAVE", 9},   {{u"keyOctave", false}, -4, -3, u"KEY_OCTAVE", 2},
      {{u"keyOctave", false}, 0, 0, u"KEY_OCTAVE", 5},   {{u"padOctave", false}, 5, 5, u"PAD_OCTAVE", 10},
      {{u"padOctave", false}, -5, -5, u"PAD_OCTAVE", 0}, {{u"keyTranspose", false}, 12, 12, u"KEY_TRANSPOSE", 24},
      {{u"padTranspose", false}, -12, -12, u"PAD_TRANSPOSE", 0},
  };
  Inspect([&](Live& editor) {
    const RCPtr<LGlobalSettingsDlg> dialog = Make<LGlobalSettingsDlg>(editor, u"globalEditorControl");
    ASSERT_TRUE(dialog);
    // Every combo box chosen, so that nothing is refused.
    for (const WireCase& test : kWireCases)
      if (test.row.isComboBox) Set(*dialog, test.row, test.set);
    for (const Case& test : cases) {
      SCOPED_TRACE(Narrow(test.row.container) + " " + std::to_string(test.set));
      Set(*dialog, test.row, test.set);
      EXPECT_EQ(Shown(*dialog, test.row), test.shown);
      std::optional<LGlobalSettingsDlg::Refusal> refusal;
      const std::vector<LGlobalSettingsDlg::Outgoing> outgoing = dialog->ComputeOutgoing(refusal);
      EXPECT_FALSE(refusal);
      for (const LGlobalSettingsDlg::Outgoing& setting : outgoing)
        if (setting.key == test.key) {
          EXPECT_EQ(setting.value, test.sent);
        }
    }
  });
}

// The keyboard's values fill the 14 controls: the replies come on the
// worker that asks and are shown on the user-interface thread. The X/Y
// pad's own parameters are never asked for.
TEST_F(GlobalSettingsDialog, RepliesFillTheFourteenControls) {
  struct Case {
    Row row;
    const char16_t* key;
    int32_t received, shown;
  };
  const Case cases[] = {
      {{u"midiChannel", true}, u"Global_Channel", 1, 0},  // "Channel 1"
      {{u"mackieHUIToggle", true}, u"MACKIE_HUI_ENABLED", 1, 1},
      {{u"keyOctave", false}, u"KEY_OCTAVE", 9, 4},
      {{u"keyTranspose", false}, u"KEY_TRANSPOSE", 0, -12},
      {{u"keySensitivity", true}, u"KEY_SENSITIVITY", 5, 5},
      {{u"padOctave", false}, u"PAD_OCTAVE", 10, 5},
      {{u"padTranspose", false}, u"PAD_TRANSPOSE", 20, 8},
      {{u"padSensitivity", true}, u"PAD_SENSITIVITY", 8, 8},
      {{u"controlCurve", true}, u"CURVE_ACCELLERATION", 2, 2},
      {{u"xyPadSensitivity", true}, u"XY_SENSITIVITY", 7, 7},
      {{u"program", false}, u"GLOBAL_PROGRAM", 100, 100},
      {{u"msb", false}, u"GLOBAL_BANK_MSB", 3, 3},
      {{u"lsb", false}, u"GLOBAL_BANK_LSB", 126, 126},
      {{u"midiDin", true}, u"MIDI_DIN_OUT", 1, 1},
  };
  Plug();
  for (const Case& test : cases) mKeyboard.SetGlobal(IndexOf(test.key), test.received);
  Inspect([&](Live& editor) {
    const RCPtr<LGlobalSettingsDlg> dialog = Make<LGlobalSettingsDlg>(editor, u"globalEditorControl");
    ASSERT_TRUE(dialog);
    mKeyboard.ClearLog();
    EXPECT_EQ(dialog->FetchSettings(), std::optional<HResult>(0));
    for (const Case& test : cases) EXPECT_EQ(Shown(*dialog, test.row), test.shown) << Narrow(test.key);
  });
  std::vector<size_t> expected;
  for (const Case& test : cases) expected.push_back(IndexOf(test.key));
  EXPECT_EQ(RequestedSettings(), expected);
  EXPECT_TRUE(Boxes().empty());
}

// A value the keyboard reports that the control cannot show goes back
// unchanged when the keyboard accepts it, until the user changes that
// control; one the keyboard does not accept is not kept.
TEST_F(GlobalSettingsDialog, ValuesTheControlsCannotShowGoBackUntilTheUserChangesThem) {
  struct Case {
    Row row;
    const char16_t* key;
    int32_t reported, shown, sentBack;
    int32_t userSet, sentAfterUser;
  };
  const Case cases[] = {
      {{u"midiChannel", true}, u"Global_Channel", 0, -1, 0, 2, 3},  // no entry for 0
      {{u"padTranspose", false}, u"PAD_TRANSPOSE", 25, 12, 25, 11, 23},
      {{u"keyOctave", false}, u"KEY_OCTAVE", 0, -3, 2, 1, 6},  // 0 is refused: the shown value goes
  };
  Plug();
  for (const WireCase& test : kWireCases) mKeyboard.SetGlobal(IndexOf(test.key), test.sent);
  for (const Case& test : cases) mKeyboard.SetGlobal(IndexOf(test.key), test.reported);
  std::vector<std::pair<size_t, int32_t>> sentBack, sentAfterUser;
  Inspect([&](Live& editor) {
    const RCPtr<LGlobalSettingsDlg> dialog = Make<LGlobalSettingsDlg>(editor, u"globalEditorControl");
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->FetchSettings(), std::optional<HResult>(0));
    for (const Case& test : cases) EXPECT_EQ(Shown(*dialog, test.row), test.shown) << Narrow(test.key);
    // The channel without an entry shows the keyboard's value: neither the
    // item it showed before nor a blank.
    EXPECT_EQ(ValueControl(*dialog, cases[0].row)->GetText(), StringW(u"0"));
    mKeyboard.ClearLog();
    EXPECT_EQ(dialog->SendSettings(), std::optional<HResult>(0));
    sentBack = SentSettings();
    for (const Case& test : cases) Set(*dialog, test.row, test.userSet);
    mKeyboard.ClearLog();
    EXPECT_EQ(dialog->SendSettings(), std::optional<HResult>(0));
    sentAfterUser = SentSettings();
  });
  for (const Case& test : cases) {
    SCOPED_TRACE(Narrow(test.key));
    const std::pair<size_t, int32_t> back{IndexOf(test.key), test.sentBack};
    const std::pair<size_t, int32_t> after{IndexOf(test.key), test.sentAfterUser};
    EXPECT_NE(std::find(sentBack.begin(), sentBack.end(), back), sentBack.end());
    EXPECT_NE(std::find(sentAfterUser.begin(), sentAfterUser.end(), after), sentAfterUser.end());
  }
  EXPECT_TRUE(Boxes().empty());
}

// A reply for a name outside the table, or for an X/Y pad parameter,
// changes no control; the channel's caption is the global one.
TEST_F(GlobalSettingsDialog, RepliesOutsideTheTableChangeNothing) {
  Inspect([&](Live& editor) {
    const RCPtr<LGlobalSettingsDlg> dialog = Make<LGlobalSettingsDlg>(editor, u"globalEditorControl");
    ASSERT_TRUE(dialog);
    EXPECT_EQ(Find(*dialog, {u"midiChannel", u"label"})->GetText(), StringW(u"GLOBAL CHANNEL"));
    std::vector<int32_t> before;
    for (const WireCase& test : kWireCases) before.push_back(Shown(*dialog, test.row));
    for (const char16_t* key : {u"XYPAD_VELOCITY", u"XYPAD_FRACTION", u"XYPAD_REBOUND", u"", u"global_channel"}) {
      const RCPtr<LRefCountedObject> payload(LMidiParameterNotification::Create(StringW(key), 3));
      dialog->OnParameterReceived(nullptr, LNotification::Create(kNidMidiManagerParameterRecieved, payload));
    }
    std::vector<int32_t> after;
    for (const WireCase& test : kWireCases) after.push_back(Shown(*dialog, test.row));
    EXPECT_EQ(after, before);
  });
}

// What each failure shows, for Send and Get; a refused Send sends nothing
// at all. The keyboard's absence is told before a value that is out of range.
TEST_F(GlobalSettingsDialog, EachFailureShowsItsBoxAndARefusedSendSendsNothing) {
  struct Case {
    const char* name;
    bool isPlugged;
    std::function<void(Simulated::SimulatedKeyboard&)> setUp;
    const char16_t* unselected;  // a combo box left without selection
    std::string sendBox, getBox;
    size_t sets, requests;
    bool isAsked = false;  // the send got as far as asking to overwrite unread settings
  };
  const auto none = [](Simulated::SimulatedKeyboard&) {};
  const std::string refusedDin =
      "Global Settings Error: The setting MIDI DIN OUT has a value the keyboard does not accept. Nothing was sent.";
  const std::string refusedChannel =
      "Global Settings Error: The setting GLOBAL CHANNEL has a value the keyboard does not accept. Nothing was sent.";
  const Case cases[] = {
      {"unplugged", false, none, nullptr, kMidiError, kMidiError, 0, 0},
      {"unplugged with a value out of range", false, none, u"midiDin", kMidiError, kMidiError, 0, 0},
      {"no selection", true, none, u"midiDin", refusedDin, "", 0, 14},
      {"no channel", true, none, u"midiChannel", refusedChannel, "", 0, 14},
      {"old firmware", true, [](auto& keyboard) { keyboard.SetFirmwareVersion("1040"); }, nullptr,
       kFirmwareError, kFirmwareError, 0, 0, true},
      {"silent keyboard", true, [](auto& keyboard) { keyboard.SetAnswering(false); }, nullptr, kFirmwareError,
       kFirmwareError, 0, 0, true},
      {"settings not answered", true, [](auto& keyboard) { keyboard.SetAnswering(Event::GlobalRequest, false); },
       nullptr, "", kMidiError, 14, 3, true},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    RenewMidiSystem();
    mKeyboard.SetAnswering(true);
    mKeyboard.SetFirmwareVersion("1052");
    if (test.isPlugged) Plug();
    test.setUp(mKeyboard);
    const size_t shownBefore = Boxes().size();
    Inspect([&](Live& editor) {
      const RCPtr<LGlobalSettingsDlg> dialog = Make<LGlobalSettingsDlg>(editor, u"globalEditorControl");
      ASSERT_TRUE(dialog);
      for (const WireCase& row : kWireCases)
        if (row.row.isComboBox) Set(*dialog, row.row, row.row.container == test.unselected ? -1 : 0);
      mKeyboard.ClearLog();
      mSystem.ScriptMessageBoxAnswer(Platform::MessageBoxAnswer::Yes);
      dialog->SendSettings();
      dialog->FetchSettings();
    });
    std::vector<std::string> expected;
    for (const std::string& box : {test.isAsked ? std::string(kConfirmSend) : "", test.sendBox, test.getBox})
      if (!box.empty()) expected.push_back(box);
    EXPECT_EQ(BoxesSince(shownBefore), expected);
    EXPECT_EQ(SentSettings().size(), test.sets);
    EXPECT_EQ(RequestedSettings().size(), test.requests);
    Simulated::DetachSimulatedKeyboard(mKeyboard);
  }
}

// Opened with the keyboard connected, the dialog shows the keyboard's
// settings before the user can send; opened without it, it asks nothing.
TEST_F(GlobalSettingsDialog, OpeningFetchesTheKeyboardsSettings) {
  for (const bool isPlugged : {true, false}) {
    SCOPED_TRACE(isPlugged ? "plugged" : "unplugged");
    RenewMidiSystem();
    if (isPlugged) Plug();
    mKeyboard.SetGlobal(IndexOf(u"GLOBAL_PROGRAM"), 42);
    mKeyboard.ClearLog();
    const size_t shownBefore = Boxes().size();
    Inspect([&](Live& editor) {
      const RCPtr<LGlobalSettingsDlg> dialog = Make<LGlobalSettingsDlg>(editor, u"globalEditorControl");
      ASSERT_TRUE(dialog);
      RunOpened(editor, dialog);
      EXPECT_EQ(Shown(*dialog, {u"program", false}), isPlugged ? 42 : 0);
    });
    EXPECT_EQ(RequestedSettings().size(), isPlugged ? 14u : 0u);
    EXPECT_TRUE(BoxesSince(shownBefore).empty());
    Simulated::DetachSimulatedKeyboard(mKeyboard);
  }
}

// When the opening fetch fails, at once or part-way, the controls are not
// the keyboard's settings: Send asks before it writes them over the
// keyboard's, sends nothing when the user declines and everything when the
// user agrees. Get Settings again, now whole, lets Send go without asking.
TEST_F(GlobalSettingsDialog, AfterAFailedOpeningFetchNothingIsSentWithoutTheUsersYes) {
  struct Case {
    const char* name;
    std::function<void(Simulated::SimulatedKeyboard&)> fail;
    int32_t channelShown;  // the opening fetch brought the channel (index 4) or nothing (the skin's)
  };
  const Case cases[] = {
      {"no setting answered", [](auto& keyboard) { keyboard.SetAnswering(Event::GlobalRequest, false); }, -1},
      {"stopped after the first",
       [](auto& keyboard) { keyboard.MisdirectGlobalAnswers(IndexOf(u"Global_Channel")); }, 4},
  };
  for (const Case& test : cases)
    for (const bool agrees : {false, true}) {
      SCOPED_TRACE(std::string(test.name) + (agrees ? ", the user agrees" : ", the user declines"));
      RenewMidiSystem();
      mKeyboard.SetAnswering(Event::GlobalRequest, true);
      mKeyboard.MisdirectGlobalAnswers(std::nullopt);
      mKeyboard.SetGlobal(IndexOf(u"Global_Channel"), 5);
      Plug();
      test.fail(mKeyboard);
      const size_t shownBefore = Boxes().size();
      Inspect([&](Live& editor) {
        const RCPtr<LGlobalSettingsDlg> dialog = Make<LGlobalSettingsDlg>(editor, u"globalEditorControl");
        ASSERT_TRUE(dialog);
        RunOpened(editor, dialog);
        if (test.channelShown >= 0) {
          EXPECT_EQ(Shown(*dialog, {u"midiChannel", true}), test.channelShown);
        }
        // Every combo box chosen, so that nothing is refused.
        for (const WireCase& row : kWireCases)
          if (row.row.isComboBox && Shown(*dialog, row.row) < 0) Set(*dialog, row.row, 0);
        mKeyboard.ClearLog();
        mSystem.ScriptMessageBoxAnswer(agrees ? Platform::MessageBoxAnswer::Yes : Platform::MessageBoxAnswer::No);
        EXPECT_EQ(dialog->SendSettings(), std::optional<HResult>(agrees ? S_OK : S_FALSE));
        EXPECT_EQ(SentSettings().size(), agrees ? 14u : 0u);
        if (agrees) return;
        // Get Settings with the keyboard answering: Send asks no more.
        mKeyboard.SetAnswering(Event::GlobalRequest, true);
        mKeyboard.MisdirectGlobalAnswers(std::nullopt);
        EXPECT_EQ(dialog->FetchSettings(), std::optional<HResult>(0));
        mKeyboard.ClearLog();
        EXPECT_EQ(dialog->SendSettings(), std::optional<HResult>(0));
        EXPECT_EQ(SentSettings().size(), 14u);
      });
      EXPECT_EQ(BoxesSince(shownBefore), (std::vector<std::string>{kMidiError, kConfirmSend}));
      Simulated::DetachSimulatedKeyboard(mKeyboard);
    }
}

// A new keyboard's settings are each one the dialog lists: fetched, every
// combo box has its entry, every up-down shows the value, nothing is kept
// beside the controls, and Send gives the same values back.
TEST_F(GlobalSettingsDialog, ANewSimulatedKeyboardsSettingsAreEachListed) {
  std::vector<std::pair<size_t, int32_t>> held;
  for (const WireCase& test : kWireCases)
    held.emplace_back(IndexOf(test.key), mKeyboard.GetGlobal(IndexOf(test.key)));
  Plug();  // the fixture's keyboard is new
  Inspect([&](Live& editor) {
    const RCPtr<LGlobalSettingsDlg> dialog = Make<LGlobalSettingsDlg>(editor, u"globalEditorControl");
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->FetchSettings(), std::optional<HResult>(0));
    for (const WireCase& test : kWireCases) {
      SCOPED_TRACE(Narrow(test.key));
      const RCPtr<LControl> control = ValueControl(*dialog, test.row);
      ASSERT_TRUE(control);
      if (test.row.isComboBox) {
        const RCPtr<LComboBox> box = DynamicCast<LComboBox>(control);
        EXPECT_GE(box->GetSelectedIndex(), 0);
        EXPECT_EQ(box->GetText(), box->GetItemText(box->GetSelectedIndex()));
      }
      // What the control shows, in the keyboard's units (the rows' offsets).
      EXPECT_EQ(Shown(*dialog, test.row) + test.sent - test.shown, mKeyboard.GetGlobal(IndexOf(test.key)));
    }
    std::optional<LGlobalSettingsDlg::Refusal> refusal;
    std::vector<std::pair<size_t, int32_t>> outgoing;
    for (const LGlobalSettingsDlg::Outgoing& setting : dialog->ComputeOutgoing(refusal))
      outgoing.emplace_back(IndexOf(setting.key), setting.value);
    EXPECT_FALSE(refusal);
    EXPECT_EQ(outgoing, held);
  });
  EXPECT_TRUE(Boxes().empty());
}

}  // namespace
}  // namespace HV
