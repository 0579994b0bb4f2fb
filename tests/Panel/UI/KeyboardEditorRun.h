#pragma once

// KeyboardEditorRun: the editor on the headless window system with the
// simulated keyboard on a loopback MIDI system, its manager waiting only
// milliseconds for a silent keyboard unless a test asks for the keyboard's
// own timing. The keyboard is unplugged at the start of each test.

#include "tests/Panel/UI/EditorRun.h"
#include "tests/support/NotificationCallback.h"

#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/Controls/ComboBox/LComboBox.h"
#include "Panel/Engine/PresetEditorCommon/LMidiManager.h"
#include "Panel/Engine/SimulatedKeyboard/SimulatedKeyboardPorts.h"

#include <chrono>

namespace HV::Test {

// Short waits, so a silent keyboard costs milliseconds.
inline constexpr MidiTiming kShortTiming{3, std::chrono::milliseconds(40), std::chrono::milliseconds(1),
                                         std::chrono::milliseconds(50)};

class KeyboardEditorRun : public EditorRun {
 protected:
  using Event = Simulated::SimulatedKeyboard::Event;

  void SetUp() override {
    EditorRun::SetUp();
    UseTiming(kShortTiming);
  }
  void TearDown() override {
    Simulated::DetachSimulatedKeyboard(mKeyboard);
    EditorRun::TearDown();
  }

  void UseTiming(MidiTiming timing) {
    mAdjustParts = [timing](LApplication::EngineParts& parts) {
      parts.makeMidiManager = [timing](const RCPtr<LRootModuleEngine>& engine) {
        return LMidiManager::Create(engine, timing);
      };
    };
  }
  // A new MIDI system: no keyboard plugged in from before.
  void RenewMidiSystem() {
    Platform::LMidiPlatform::Install(nullptr);
    mMidi->WaitForCallbacks();
    mMidi = Platform::LLoopbackMidiSystem::Create();
    Platform::LMidiPlatform::Install(mMidi);
  }
  void Plug() { Simulated::AttachSimulatedKeyboard(*mMidi, mKeyboard); }

  template <class Dialog>
  static RCPtr<Dialog> Make(Live& editor, const char16_t* name) {
    return DynamicCast<Dialog>(editor.application.CreateControl(StringW(name), nullptr));
  }
  // The control named path below root ("presetSlot/comboBox").
  template <class Control = LControl>
  static RCPtr<Control> Find(LControl& root, std::initializer_list<const char16_t*> path) {
    RCPtr<LControl> control(&root);
    for (const char16_t* name : path) control = control ? control->FindChildControl(StringW(name)) : nullptr;
    return DynamicCast<Control>(control);
  }

  Simulated::SimulatedKeyboard mKeyboard;
};

}  // namespace HV::Test
