// The MIDI manager over the framework's port layer and the loopback MIDI
// system, with the simulated keyboard on the far side: the path the program
// takes with TARSEL_MIDI=simulated.
#include "Panel/Engine/PresetEditorCommon/LMidiManager.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/DefaultRecords.h"
#include "HVFramework/Midi/LMidiComm.h"
#include "HVFramework/Notification/LNotificationCenter.h"
#include "Panel/Engine/PresetEditorCommon/LKeyboardStatusChecker.h"
#include "Panel/Engine/PresetEditorCommon/LMidiCommKeyboardPorts.h"
#include "Panel/Engine/SimulatedKeyboard/SimulatedKeyboardPorts.h"
#include "tests/Panel/Engine/PresetEditorCommon/MidiBytes.h"
#include "tests/support/MidiParameterRecorder.h"
#include "tests/support/PresetValuesStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

namespace HV::Test {
namespace {

using namespace Simulated;

using namespace std::chrono_literals;
using Event = SimulatedKeyboard::Event;

constexpr MidiTiming kTiming = {10, 50ms, 10ms, 20ms};

class LMidiManagerLoopbackThreads : public ::testing::Test {
 protected:
  ~LMidiManagerLoopbackThreads() override {
    mManager = nullptr;
    DetachSimulatedKeyboard(mKeyboard);
    mSystem->WaitForCallbacks();
  }

  std::vector<uint8_t> Slot(size_t slot) {
    const SimulatedKeyboard::Preset preset = mKeyboard.GetSlot(slot);
    return {preset.begin(), preset.end()};
  }

  SimulatedKeyboard mKeyboard;  // outlives the system that calls it
  const RCPtr<Platform::LLoopbackMidiSystem> mSystem = Platform::LLoopbackMidiSystem::Create();
  const RCPtr<Platform::LLoopbackMidiDevice> mDevice = AttachSimulatedKeyboard(*mSystem, mKeyboard);
  const RCPtr<LThreadPool> mPool = LThreadPool::Create(1, 0);
  const RCPtr<LMidiComm> mComm = LMidiComm::Create(mSystem, mPool);
  LMidiCommKeyboardPorts mPorts{mComm};
  PresetValuesStore mValues;
  RCPtr<LMidiManager> mManager = LMidiManager::Create(mPorts, mValues, nullptr, kTiming);
};

TEST_F(LMidiManagerLoopbackThreads, OpensTheKeyboardsFourthPorts) {
  EXPECT_TRUE(mManager->ArePortsOpen());
  EXPECT_EQ(mManager->OpenPorts(), S_FALSE);
  EXPECT_EQ(mComm->GetOpenCapturePortCount(), 1u);
  EXPECT_EQ(mComm->GetOpenRenderPortCount(), 1u);
}

TEST_F(LMidiManagerLoopbackThreads, APresetSentToSlot5ArrivesInSpacedPaddedPieces) {
  const std::vector<uint8_t> edited = PatternData(3);
  mValues.Fill(edited);
  EXPECT_EQ(mManager->SendPresetToMidiDevice(5), 256);
  ASSERT_TRUE(mKeyboard.WaitForEvent(Event::PresetDump));
  EXPECT_EQ(Slot(5), edited);
  // An identity exchange, then the dump once. A loaded machine may answer
  // the identity request after the manager's wait and see it asked again;
  // the dump still goes once, after an answer.
  const std::vector<Event> events = mKeyboard.GetEvents();
  ASSERT_GE(events.size(), 5u);
  EXPECT_EQ(std::vector<Event>(events.begin(), events.begin() + 2),
            (std::vector<Event>{Event::LeadIn, Event::IdentityRequest}));
  EXPECT_EQ(std::vector<Event>(events.end() - 3, events.end()),
            (std::vector<Event>{Event::IdentityReply, Event::LeadIn, Event::PresetDump}));
  EXPECT_EQ(std::count(events.begin(), events.end(), Event::PresetDump), 1);
  const std::vector<SimulatedKeyboard::LogEntry> pieces = mKeyboard.GetPieces();
  ASSERT_EQ(pieces.size(), 9u);
  for (size_t i = 1; i < pieces.size(); ++i) {
    EXPECT_EQ(pieces[i].bytes.size(), 256u);
    EXPECT_GE(pieces[i].timeStamp - pieces[i - 1].timeStamp, 10u) << i;
  }
  const std::vector<uint8_t>& last = pieces.back().bytes;
  EXPECT_EQ(last[69], 0xF7);
  EXPECT_TRUE(std::all_of(last.begin() + 70, last.end(), [](uint8_t b) { return b == 0; }));
}

TEST_F(LMidiManagerLoopbackThreads, AFetchedSlotReplacesTheModelsPreset) {
  const std::vector<uint8_t> stored = PatternData(50);
  mKeyboard.SetSlot(12, AsPreset(stored));
  EXPECT_EQ(mManager->GetPresetFromMidiDevice(12), S_OK);
  EXPECT_EQ(mValues.Joined(), stored);
}

TEST_F(LMidiManagerLoopbackThreads, AGlobalReplyReachesTheClientsOnTheCallersThread) {
  mKeyboard.SetGlobal(5, 7);
  const RCPtr<MidiParameterRecorder> recorder = MidiParameterRecorder::Create();
  recorder->Listen(mManager);
  EXPECT_EQ(mManager->RequestNonPresetParameterFromDevice(u"KEY_OCTAVE", false), S_OK);
  EXPECT_TRUE(recorder->HasReceivedOnly(u"KEY_OCTAVE", 7, std::this_thread::get_id()));
  EXPECT_EQ(mManager->SetNonPresetParameter(u"KEY_OCTAVE", 9, true), 256);
  mSystem->WaitForCallbacks();
  ASSERT_TRUE(mKeyboard.WaitForEvent(Event::GlobalSet));
  EXPECT_EQ(mKeyboard.GetGlobal(5), 9);
}

TEST_F(LMidiManagerLoopbackThreads, ASilentKeyboardGivesMinus3AfterTenRequests) {
  mKeyboard.SetAnswering(Event::PresetRequest, false);
  EXPECT_EQ(mManager->GetPresetFromMidiDevice(3), -3);
  mSystem->WaitForCallbacks();
  EXPECT_EQ(mKeyboard.CountEvents(Event::PresetRequest), 10u);
  EXPECT_EQ(mKeyboard.CountEvents(Event::LeadIn), 11u);
  EXPECT_EQ(mValues.SetCount(), 0);
}

TEST_F(LMidiManagerLoopbackThreads, AnUnpluggedKeyboardCannotBeOpenedAndGetsNothing) {
  mManager->ClosePorts();
  mDevice->Unplug();
  EXPECT_EQ(mManager->OpenPorts(), E_FAIL);
  EXPECT_EQ(mManager->SendPresetToMidiDevice(1), -1);
  EXPECT_EQ(mManager->GetPresetFromMidiDevice(1), -1);
  EXPECT_EQ(mManager->SendMidiMessage(Message({0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7})), E_INVALIDARG);
  mDevice->Replug();
  EXPECT_EQ(mManager->OpenPorts(), S_OK);
  EXPECT_TRUE(mKeyboard.GetLog().empty());
}

TEST_F(LMidiManagerLoopbackThreads, PortsThatDiedUnnoticedGiveMinus1AndOpenPortsReopensThem) {
  mDevice->Unplug();  // the status poll has not seen it: the ports are still held
  ASSERT_TRUE(mManager->ArePortsOpen());
  EXPECT_EQ(mManager->GetPresetFromMidiDevice(1), -1);  // the identity request could not go out
  EXPECT_EQ(mManager->SendPresetToMidiDevice(1), -1);
  EXPECT_EQ(mManager->SetNonPresetParameter(u"KEY_OCTAVE", 3, false), -1);
  EXPECT_EQ(mManager->OpenPorts(), E_FAIL);  // the dead ports are let go, and nothing answers
  EXPECT_FALSE(mManager->ArePortsOpen());
  EXPECT_EQ(mComm->GetOpenCapturePortCount(), 0u);
  EXPECT_EQ(mComm->GetOpenRenderPortCount(), 0u);

  mDevice->Replug();
  EXPECT_EQ(mManager->OpenPorts(), S_OK);
  EXPECT_EQ(mManager->GetPresetFromMidiDevice(1), S_OK);
}

TEST_F(LMidiManagerLoopbackThreads, AKeyboardUnpluggedAndPluggedInUnnoticedWorksAfterOpenPorts) {
  mDevice->Unplug();
  mDevice->Replug();
  EXPECT_EQ(mManager->OpenPorts(), S_FALSE);  // the port layer reopened the shared ports
  EXPECT_EQ(mManager->GetPresetFromMidiDevice(2), S_OK);
  EXPECT_EQ(mComm->GetOpenCapturePortCount(), 1u);
  EXPECT_EQ(mComm->GetOpenRenderPortCount(), 1u);
}

TEST_F(LMidiManagerLoopbackThreads, PortsFollowTheKeyboardBeingUnpluggedAndPluggedIn) {
  const RCPtr<LNotificationCenter> centre = LNotificationCenter::Create(StringW(u"test centre"));
  LKeyboardStatusChecker checker(LMidiDeviceStatusChecker::Create(mComm, centre));
  ASSERT_EQ(mPorts.WatchConnections(centre), S_OK);
  EXPECT_TRUE(checker.CheckInputDevices());
  EXPECT_TRUE(checker.CheckOutputDevices());
  EXPECT_EQ(centre->GetCount(), 0u);  // nothing changed since the inventory

  mDevice->Unplug();
  EXPECT_FALSE(checker.CheckInputDevices());
  EXPECT_FALSE(checker.CheckOutputDevices());
  centre->ProcessNotifications(false);  // as the user-interface thread drains it
  EXPECT_FALSE(mPorts.IsCapturePortOpen());
  EXPECT_FALSE(mPorts.IsRenderPortOpen());
  EXPECT_EQ(mManager->GetPresetFromMidiDevice(0), -1);

  mDevice->Replug();
  EXPECT_TRUE(checker.CheckInputDevices());
  EXPECT_TRUE(checker.CheckOutputDevices());
  centre->ProcessNotifications(false);
  EXPECT_TRUE(mManager->ArePortsOpen());
  EXPECT_EQ(mManager->GetPresetFromMidiDevice(0), S_OK);
  centre->Shutdown();
}

}  // namespace
}  // namespace HV::Test
