// The MIDI manager writing a fetched preset through the engine, and sending
// the engine's preset: the user interface hears of every fetched value.
#include "Panel/Engine/PresetEditorCommon/LEnginePresetValues.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/DefaultRecords.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/ParamRecord.h"
#include "HVFramework/Platform/Midi/MidiPlatform.h"
#include "Panel/Engine/DeviceLink/DeviceCommunicationInterface.h"
#include "Panel/Engine/PresetEditorCommon/LMidiManager.h"
#include "Panel/Engine/SimulatedKeyboard/SimulatedKeyboardPorts.h"
#include "tests/support/DirectKeyboardPorts.h"
#include "tests/support/EngineAnnouncements.h"

#include <gtest/gtest.h>

#include <map>

namespace HV::Test {
namespace {

using namespace Simulated;

using namespace std::chrono_literals;

constexpr MidiTiming kTiming = {10, 30ms, 1ms, 20ms};

class LEnginePresetValuesThreads : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(mEngine->Initialize(0), S_OK);
    mAnnounced.Drain();
    mAnnounced.Clear();
  }
  void TearDown() override {
    mManager = nullptr;
    mEngine = nullptr;
  }

  SimulatedKeyboard mKeyboard;
  DirectKeyboardPorts mPorts{mKeyboard};
  EngineAnnouncements mAnnounced;
  RCPtr<LRootModuleEngine> mEngine = LRootModuleEngine::Create(CreateDeviceLink);
  LEnginePresetValues mValues{mEngine};
  RCPtr<LMidiManager> mManager = LMidiManager::Create(mPorts, mValues, nullptr, kTiming);
};

TEST_F(LEnginePresetValuesThreads, AFetchedPresetReachesTheEngineAndIsAnnounced) {
  SimulatedKeyboard::Preset preset;
  for (size_t i = 0; i < preset.size(); ++i) preset[i] = static_cast<uint8_t>((i * 3 + 1) % 0x80);
  mKeyboard.SetSlot(9, preset);
  ASSERT_EQ(mManager->GetPresetFromMidiDevice(9), S_OK);

  std::vector<uint8_t> joined;
  for (int32_t id = 0; id < kDeviceParamCount; ++id) {
    const Variant value = mValues.GetPresetValue(id);
    const std::span<const uint8_t> bytes = GetRecordBytes(value);
    joined.insert(joined.end(), bytes.begin(), bytes.end());
  }
  EXPECT_TRUE(std::equal(joined.begin(), joined.end(), preset.begin(), preset.end()));

  mAnnounced.Drain();
  std::map<int32_t, Variant> announced;
  for (const EngineAnnouncements::StateChange& change : mAnnounced.StateChanges())
    for (const ParamValue& value : change.values) announced[value.paramID] = value.value;
  ASSERT_EQ(announced.size(), static_cast<size_t>(kDeviceParamCount));
  for (int32_t id = 0; id < kDeviceParamCount; ++id)
    EXPECT_EQ(announced[id], mValues.GetPresetValue(id)) << id;
}

TEST_F(LEnginePresetValuesThreads, TheEnginesPresetIsWhatGoesToTheKeyboard) {
  const std::vector<uint8_t> name = {'S', 'T', 'A', 'G', 'E', '1'};
  ASSERT_EQ(mValues.SetPresetValue(0, MakeRecordValue(name)), S_OK);
  EXPECT_GT(mManager->SendPresetToMidiDevice(2), 0);
  const SimulatedKeyboard::Preset slot = mKeyboard.GetSlot(2);
  EXPECT_TRUE(std::equal(name.begin(), name.end(), slot.begin()));
  std::vector<uint8_t> rest = MakeDefaultPresetData();
  EXPECT_TRUE(std::equal(rest.begin() + 6, rest.end(), slot.begin() + 6));
}

// The program's manager over the process's MIDI system, here a loopback
// system with the simulated keyboard, as TARSEL_MIDI=simulated gives it.
TEST(LMidiManagerProgramThreads, OwnsItsPartsAndFetchesThroughTheProcesssMidiSystem) {
  SimulatedKeyboard keyboard;
  const RCPtr<Platform::LLoopbackMidiSystem> system = Platform::LLoopbackMidiSystem::Create();
  AttachSimulatedKeyboard(*system, keyboard);
  Platform::LMidiPlatform::Install(system);
  {
    EngineAnnouncements announced;
    const RCPtr<LRootModuleEngine> engine = LRootModuleEngine::Create(CreateDeviceLink);
    ASSERT_EQ(engine->Initialize(0), S_OK);
    SimulatedKeyboard::Preset preset;
    preset.fill(0x15);
    keyboard.SetSlot(4, preset);
    RCPtr<LMidiManager> manager = LMidiManager::Create(engine, kTiming);
    EXPECT_TRUE(manager->ArePortsOpen());
    EXPECT_EQ(manager->GetPresetFromMidiDevice(4), S_OK);
    Variant name;
    ASSERT_EQ(engine->GetParamValue(ParamDescriptor(0), &name), S_OK);
    EXPECT_EQ(GetRecordBytes(name).size(), 6u);
    EXPECT_EQ(GetRecordBytes(name)[0], 0x15);
    manager = nullptr;
  }
  DetachSimulatedKeyboard(keyboard);
  Platform::LMidiPlatform::Install(nullptr);
  system->WaitForCallbacks();
}

}  // namespace
}  // namespace HV::Test
