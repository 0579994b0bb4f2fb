// The MIDI manager against the simulated keyboard.
#include "Panel/Engine/PresetEditorCommon/LMidiManager.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/DefaultRecords.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/ParamRecord.h"
#include "HVFramework/ObjectBase/Exception.h"
#include "Panel/Engine/PresetEditorCommon/Protocol/PresetData.h"
#include "tests/Panel/Engine/PresetEditorCommon/MidiBytes.h"
#include "tests/support/DirectKeyboardPorts.h"
#include "tests/support/MidiParameterRecorder.h"
#include "tests/support/PresetValuesStore.h"

#include <gtest/gtest.h>

#include "HVFramework/Platform/Core/EventHub.h"
#include "HVFramework/Platform/Core/VirtualClock.h"
#include "HVFramework/System/Event.h"

#include <functional>
#include <future>
#include <string>
#include <thread>

namespace HV::Test {
namespace {

using namespace Simulated;

using namespace std::chrono_literals;
using Event = SimulatedKeyboard::Event;

// Short waits and pauses keep a silent keyboard's ten tries quick.
constexpr MidiTiming kShortTiming = {10, 30ms, 1ms, 20ms};
// The specified pause between pieces, to check the spacing.
constexpr MidiTiming kSpacedTiming = {10, 30ms, 10ms, 20ms};

std::vector<uint8_t> AsVector(const SimulatedKeyboard::Preset& preset) {
  return {preset.begin(), preset.end()};
}

class LMidiManagerThreads : public ::testing::Test {
 protected:
  explicit LMidiManagerThreads(MidiTiming timing = kShortTiming)
      : mManager(LMidiManager::Create(mPorts, mValues, &mStatus, timing)) {}

  // Counts passes, and passes that overlap a send.
  struct StatusChecker : IDeviceStatusChecker {
    explicit StatusChecker(LMidiManagerThreads& test) : mTest(test) {}
    bool CheckInputDevices() override {
      ++mTest.mChecks;
      if (mTest.mPorts.IsSending()) ++mTest.mChecksWhileSending;
      return true;
    }
    bool CheckOutputDevices() override { return mTest.mAreOutputsPresent; }
    LMidiManagerThreads& mTest;
  };

  SimulatedKeyboard mKeyboard;
  DirectKeyboardPorts mPorts{mKeyboard};
  PresetValuesStore mValues;
  std::atomic<int> mChecks = 0;
  std::atomic<int> mChecksWhileSending = 0;
  std::atomic<bool> mAreOutputsPresent = true;
  StatusChecker mStatus{*this};
  RCPtr<LMidiManager> mManager;
};

class LMidiManagerSpacingThreads : public LMidiManagerThreads {
 protected:
  LMidiManagerSpacingThreads() : LMidiManagerThreads(kSpacedTiming) {}
};

TEST_F(LMidiManagerSpacingThreads, APresetSentToSlot5ArrivesAfterLeadInsAndIdentityInSpacedPieces) {
  const std::vector<uint8_t> edited = PatternData(3);
  mValues.Fill(edited);
  EXPECT_EQ(mManager->SendPresetToMidiDevice(5), 256);

  EXPECT_EQ(AsVector(mKeyboard.GetSlot(5)), edited);
  EXPECT_EQ(AsVector(mKeyboard.GetSlot(4)), MakeDefaultPresetData());
  EXPECT_EQ(mKeyboard.GetEvents(),
            (std::vector<Event>{Event::LeadIn, Event::IdentityRequest, Event::IdentityReply, Event::LeadIn,
                                Event::PresetDump}));
  const std::vector<SimulatedKeyboard::LogEntry> pieces = mKeyboard.GetPieces();
  ASSERT_EQ(pieces.size(), 9u);  // lead-in, identity request, lead-in, six of the dump
  for (size_t i = 0; i < pieces.size(); ++i) {
    EXPECT_EQ(pieces[i].bytes.size(), 256u);
    if (i > 0) {
      EXPECT_GE(pieces[i].timeStamp - pieces[i - 1].timeStamp, 10u) << i;
    }
  }
  const std::vector<uint8_t> dump = Join(Join(kHeaderBytes, {0x61, 0x0A, 0x3B, 0x05}), edited);
  std::vector<uint8_t> lastPiece(dump.begin() + 5 * 256, dump.end());
  lastPiece.push_back(0xF7);
  EXPECT_EQ(lastPiece.size(), 70u);
  lastPiece.resize(256, 0x00);
  EXPECT_EQ(pieces[8].bytes, lastPiece);
}

TEST_F(LMidiManagerThreads, AFetchedSlotReplacesTheModelsPreset) {
  const std::vector<uint8_t> stored = PatternData(9);
  mKeyboard.SetSlot(7, AsPreset(stored));
  EXPECT_EQ(mManager->GetPresetFromMidiDevice(7), S_OK);
  EXPECT_EQ(mValues.Joined(), stored);
  EXPECT_EQ(mValues.SetCount(), kDeviceParamCount);
  EXPECT_EQ(mKeyboard.GetEvents(),
            (std::vector<Event>{Event::LeadIn, Event::IdentityRequest, Event::IdentityReply, Event::LeadIn,
                                Event::PresetRequest, Event::PresetDumpReply}));
}

TEST_F(LMidiManagerThreads, FirmwareFrom1041OnIsUsableAndAnythingElseCostsTenTries) {
  struct Case {
    const char* version;
    SimulatedKeyboard::Corruption corruption;
    bool usable;
  };
  const Case cases[] = {
      {"1041", SimulatedKeyboard::Corruption::None, true},
      {"2000", SimulatedKeyboard::Corruption::None, true},
      {"1100", SimulatedKeyboard::Corruption::None, true},
      {"1040", SimulatedKeyboard::Corruption::None, false},
      {"0999", SimulatedKeyboard::Corruption::None, false},
      {"1041", SimulatedKeyboard::Corruption::WrongLength, false},
      {"1041", SimulatedKeyboard::Corruption::WrongHeader, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    mKeyboard.SetFirmwareVersion(c.version);
    mKeyboard.SetCorruption(c.corruption);
    mKeyboard.ClearLog();
    EXPECT_EQ(mManager->IsDeviceFirmwareVersionUseable(), c.usable);
    EXPECT_EQ(mKeyboard.CountEvents(Event::IdentityRequest), c.usable ? 1u : 10u);
  }
}

TEST_F(LMidiManagerThreads, AnUnusableFirmwareGetsMinus2AndNoPresetOrSetting) {
  mKeyboard.SetFirmwareVersion("1040");
  EXPECT_EQ(mManager->SendPresetToMidiDevice(2), -2);
  EXPECT_EQ(mManager->GetPresetFromMidiDevice(2), -2);
  EXPECT_EQ(mManager->SetNonPresetParameter(u"KEY_OCTAVE", 3, false), -2);
  EXPECT_EQ(mManager->RequestNonPresetParameterFromDevice(u"KEY_OCTAVE", false), -2);
  EXPECT_EQ(mKeyboard.CountEvents(Event::IdentityRequest), 40u);
  EXPECT_EQ(mKeyboard.CountEvents(Event::PresetDump) + mKeyboard.CountEvents(Event::PresetRequest) +
                mKeyboard.CountEvents(Event::GlobalSet) + mKeyboard.CountEvents(Event::GlobalRequest),
            0u);
  EXPECT_EQ(AsVector(mKeyboard.GetSlot(2)), MakeDefaultPresetData());
}

TEST_F(LMidiManagerThreads, ASilentKeyboardGivesMinus3AfterExactlyTenRequestsEachAfterALeadIn) {
  mKeyboard.SetAnswering(Event::PresetRequest, false);
  mKeyboard.SetAnswering(Event::GlobalRequest, false);
  const std::vector<uint8_t> before = mValues.Joined();
  EXPECT_EQ(mManager->GetPresetFromMidiDevice(3), -3);
  std::vector<Event> expected = {Event::LeadIn, Event::IdentityRequest, Event::IdentityReply};
  for (int i = 0; i < 10; ++i) expected.insert(expected.end(), {Event::LeadIn, Event::PresetRequest});
  EXPECT_EQ(mKeyboard.GetEvents(), expected);
  EXPECT_EQ(mValues.Joined(), before);

  mKeyboard.ClearLog();
  EXPECT_EQ(mManager->RequestNonPresetParameterFromDevice(u"KEY_OCTAVE", true), -3);
  EXPECT_EQ(mKeyboard.CountEvents(Event::GlobalRequest), 10u);
  EXPECT_EQ(mKeyboard.CountEvents(Event::IdentityRequest), 0u);  // skipped
}

TEST_F(LMidiManagerThreads, AnswersAfterIgnoredRequestsStillArriveWithinTheTries) {
  const std::vector<uint8_t> stored = PatternData(21);
  mKeyboard.SetSlot(1, AsPreset(stored));
  mKeyboard.IgnoreNextRequests(3);  // three identity requests
  EXPECT_EQ(mManager->GetPresetFromMidiDevice(1), S_OK);
  EXPECT_EQ(mKeyboard.CountEvents(Event::IdentityRequest), 4u);
  EXPECT_EQ(mKeyboard.CountEvents(Event::PresetRequest), 1u);
  EXPECT_EQ(mValues.Joined(), stored);
}

TEST_F(LMidiManagerThreads, ClosedPortsGiveMinus1OrFailAndSendNothing) {
  mManager->ClosePorts();
  EXPECT_FALSE(mManager->ArePortsOpen());
  EXPECT_EQ(mManager->SendPresetToMidiDevice(5), -1);
  EXPECT_EQ(mManager->GetPresetFromMidiDevice(5), -1);
  EXPECT_EQ(mManager->SetNonPresetParameter(u"PAD_OCTAVE", 1, true), -1);
  EXPECT_EQ(mManager->RequestNonPresetParameterFromDevice(u"PAD_OCTAVE", true), E_FAIL);
  EXPECT_FALSE(mManager->IsDeviceFirmwareVersionUseable());
  EXPECT_EQ(mManager->SendIdentityRequest(), E_FAIL);
  EXPECT_TRUE(mKeyboard.GetLog().empty());
  EXPECT_EQ(mManager->OpenPorts(), S_OK);
  EXPECT_EQ(mManager->OpenPorts(), S_FALSE);
}

TEST_F(LMidiManagerThreads, AFailedSendEndsTheTries) {
  mPorts.SetFailingSends(true);
  EXPECT_FALSE(mManager->IsDeviceFirmwareVersionUseable());
  EXPECT_EQ(mManager->RequestNonPresetParameterFromDevice(u"KEY_OCTAVE", true), -1);
  EXPECT_EQ(mManager->SetNonPresetParameter(u"KEY_OCTAVE", 3, true), E_FAIL);
  EXPECT_TRUE(mKeyboard.GetLog().empty());
}

TEST_F(LMidiManagerThreads, SlotsOutsideTheDataBytesAreRefusedAfterTheIdentityExchange) {
  for (int32_t slot : {-1, 128, 1000}) {
    EXPECT_EQ(mManager->SendPresetToMidiDevice(slot), E_INVALIDARG);
    EXPECT_EQ(mManager->GetPresetFromMidiDevice(slot), E_INVALIDARG);
  }
  EXPECT_EQ(mKeyboard.CountEvents(Event::IdentityRequest), 6u);
  EXPECT_EQ(mKeyboard.CountEvents(Event::PresetDump) + mKeyboard.CountEvents(Event::PresetRequest), 0u);
}

// Ports first, then the firmware, then the message: a refused message is
// only reported once the keyboard proved usable.
TEST_F(LMidiManagerThreads, ChecksGoPortsThenFirmwareThenTheMessage) {
  struct Case {
    const char* name;
    bool arePortsOpen;
    const char* firmware;
    HResult set;      // of KEY_OCTAVE 10, a refused value
    HResult request;  // of NO_SUCH_KEY
    HResult send;     // to slot 200
  };
  const Case cases[] = {
      {"ports closed", false, "1041", -1, E_FAIL, -1},
      {"old firmware", true, "1040", -2, -2, -2},
      {"usable firmware", true, "1041", E_FAIL, E_FAIL, E_INVALIDARG},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.arePortsOpen) {
      mManager->OpenPorts();
    } else {
      mManager->ClosePorts();
    }
    mKeyboard.SetFirmwareVersion(c.firmware);
    EXPECT_EQ(mManager->SetNonPresetParameter(u"KEY_OCTAVE", 10, false), c.set);
    EXPECT_EQ(mManager->RequestNonPresetParameterFromDevice(u"NO_SUCH_KEY", false), c.request);
    EXPECT_EQ(mManager->SendPresetToMidiDevice(200), c.send);
  }
  EXPECT_EQ(mKeyboard.CountEvents(Event::GlobalSet) + mKeyboard.CountEvents(Event::GlobalRequest) +
                mKeyboard.CountEvents(Event::PresetDump),
            0u);
}

TEST_F(LMidiManagerThreads, ValuesThatAreNoSendableRecordsSendNoDump) {
  struct Case {
    const char* name;
    Variant value;
    HResult result;
  };
  const uint8_t statusByte[6] = {0, 0, 0x90, 0, 0, 0};
  const uint8_t tooLong[7] = {0, 0, 0, 0, 0, 0, 0};
  Variant list;
  const Variant items[2] = {MakeRecordValue(statusByte), Variant()};
  list.SetList(items, 2);
  Variant number;
  const int32_t six = 6;
  number.Set(kVariantInt32, &six, sizeof six);
  const Case cases[] = {
      {"list", list, E_NOTIMPL},
      {"number", number, E_FAIL},
      {"empty", Variant(), E_FAIL},
      {"status byte", MakeRecordValue(statusByte), E_FAIL},
      {"too long", MakeRecordValue(tooLong), E_FAIL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    mValues.Fill(MakeDefaultPresetData());
    mValues.Set(97, c.value);  // the first encoder
    EXPECT_EQ(mManager->SendPresetToMidiDevice(4), c.result);
  }
  EXPECT_EQ(mKeyboard.CountEvents(Event::PresetDump), 0u);
  EXPECT_TRUE(mKeyboard.GetStoredDumps().empty());
}

TEST_F(LMidiManagerThreads, AGlobalSetGoesOutAsItsExactBytes) {
  EXPECT_EQ(mManager->SetNonPresetParameter(u"GLOBAL_PROGRAM", 127, true), 256);
  EXPECT_EQ(mKeyboard.GetGlobal(13), 127);
  std::vector<SimulatedKeyboard::LogEntry> log = mKeyboard.GetLog();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back().event, Event::GlobalSet);
  EXPECT_EQ(log.back().bytes, Join(kHeaderBytes, {0x6A, 0x00, 0x04, 0x00, 0x0D, 0x00, 0x7F, 0xF7}));

  mKeyboard.ClearLog();
  EXPECT_EQ(mManager->SetNonPresetParameter(u"XYPAD_REBOUND", 0, true), E_FAIL);
  EXPECT_EQ(mManager->SetNonPresetParameter(u"KEY_OCTAVE", 10, true), E_FAIL);
  EXPECT_EQ(mManager->SetNonPresetParameter(u"NO_SUCH_KEY", 1, true), E_FAIL);
  EXPECT_EQ(mManager->RequestNonPresetParameterFromDevice(u"NO_SUCH_KEY", true), E_FAIL);
  EXPECT_TRUE(mKeyboard.GetLog().empty());
}

TEST_F(LMidiManagerThreads, ARequestedGlobalReachesTheClientsOnTheCallersThread) {
  mKeyboard.SetGlobal(3, 130);
  const RCPtr<MidiParameterRecorder> recorder = MidiParameterRecorder::Create();
  recorder->Listen(mManager);
  EXPECT_EQ(mManager->RequestNonPresetParameterFromDevice(u"XYPAD_REBOUND", false), S_OK);
  EXPECT_TRUE(recorder->HasReceivedOnly(u"XYPAD_REBOUND", 130, std::this_thread::get_id()));
  const std::vector<SimulatedKeyboard::LogEntry> log = mKeyboard.GetLog();
  const auto request = std::find_if(log.begin(), log.end(), [](const SimulatedKeyboard::LogEntry& e) {
    return e.event == Event::GlobalRequest;
  });
  ASSERT_NE(request, log.end());
  EXPECT_EQ(request->bytes.size(), 13u);
}

TEST_F(LMidiManagerThreads, RepliesNobodyWaitsForChangeNothing) {
  const std::vector<uint8_t> before = mValues.Joined();
  const RCPtr<MidiParameterRecorder> recorder = MidiParameterRecorder::Create();
  recorder->Listen(mManager);
  mKeyboard.SetSlot(6, AsPreset(PatternData(40)));
  mKeyboard.SendUnsolicitedDump(6);
  // Replies later than a try: the first one ends the wait, the others find
  // nothing awaited.
  mKeyboard.SetReplyDelay(75ms);
  EXPECT_EQ(mManager->RequestNonPresetParameterFromDevice(u"KEY_OCTAVE", true), S_OK);
  mKeyboard.SetReplyDelay(0ms);
  // Replies go out in order: once this exchange is through, so is everything before it.
  EXPECT_TRUE(mManager->IsDeviceFirmwareVersionUseable());
  EXPECT_GT(mKeyboard.CountEvents(Event::GlobalReply), 1u);
  EXPECT_EQ(recorder->GetReceived().size(), 1u);
  EXPECT_EQ(mValues.Joined(), before);
  EXPECT_EQ(mValues.SetCount(), 0);
}

TEST_F(LMidiManagerThreads, ADumpOfAnotherSlotIsNoAnswerAndTheFetchGoesOnWaiting) {
  using Misdirection = SimulatedKeyboard::Misdirection;
  struct Case {
    const char* name;
    Misdirection how;
    HResult result;
    size_t requests;
  };
  const Case cases[] = {
      {"slot 6 answered instead of slot 3", Misdirection::Instead, -3, 10},
      {"a late dump of slot 6 ahead of slot 3's", Misdirection::Before, S_OK, 1},
  };
  const std::vector<uint8_t> asked = PatternData(3);
  mKeyboard.SetSlot(3, AsPreset(asked));
  mKeyboard.SetSlot(6, AsPreset(PatternData(6)));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    mValues.Fill(MakeDefaultPresetData());
    const int setsBefore = mValues.SetCount();
    mKeyboard.MisdirectPresetAnswers(6, c.how);
    mKeyboard.ClearLog();
    EXPECT_EQ(mManager->GetPresetFromMidiDevice(3), c.result);
    EXPECT_EQ(mKeyboard.CountEvents(Event::PresetRequest), c.requests);
    EXPECT_EQ(mValues.Joined(), c.result == S_OK ? asked : MakeDefaultPresetData());
    EXPECT_EQ(mValues.SetCount() - setsBefore, c.result == S_OK ? kDeviceParamCount : 0);
  }
}

TEST_F(LMidiManagerThreads, AReplyForAnotherKeyIsNoAnswerAndTheRequestGoesOnWaiting) {
  using Misdirection = SimulatedKeyboard::Misdirection;
  mKeyboard.SetGlobal(5, 7);  // KEY_OCTAVE, the one asked for
  mKeyboard.SetGlobal(8, 3);  // PAD_OCTAVE
  const RCPtr<MidiParameterRecorder> recorder = MidiParameterRecorder::Create();
  recorder->Listen(mManager);
  mKeyboard.MisdirectGlobalAnswers(8, Misdirection::Instead);
  EXPECT_EQ(mManager->RequestNonPresetParameterFromDevice(u"KEY_OCTAVE", true), -3);
  EXPECT_EQ(mKeyboard.CountEvents(Event::GlobalRequest), 10u);
  EXPECT_TRUE(recorder->GetReceived().empty());

  mKeyboard.MisdirectGlobalAnswers(8, Misdirection::Before);
  mKeyboard.ClearLog();
  EXPECT_EQ(mManager->RequestNonPresetParameterFromDevice(u"KEY_OCTAVE", true), S_OK);
  EXPECT_EQ(mKeyboard.CountEvents(Event::GlobalRequest), 1u);
  EXPECT_TRUE(recorder->HasReceivedOnly(u"KEY_OCTAVE", 7, std::this_thread::get_id()));
}

TEST_F(LMidiManagerThreads, DumpsOfTheWrongFormAreIgnoredAndTheFetchTimesOut) {
  const std::vector<uint8_t> before = mValues.Joined();
  mKeyboard.SetSlot(8, AsPreset(PatternData(1)));
  for (SimulatedKeyboard::Corruption corruption :
       {SimulatedKeyboard::Corruption::WrongLength, SimulatedKeyboard::Corruption::WrongHeader}) {
    mKeyboard.SetCorruption(corruption, Event::PresetDumpReply);
    EXPECT_EQ(mManager->GetPresetFromMidiDevice(8), -3);
  }
  EXPECT_EQ(mValues.Joined(), before);
  EXPECT_EQ(mValues.SetCount(), 0);
}

TEST_F(LMidiManagerThreads, PollingStopsWhileSendingAndRunsAgainAfterAFetch) {
  EXPECT_EQ(mManager->SuspendDeviceStatusPolling(), S_FALSE);
  EXPECT_EQ(mManager->ResumeDeviceStatusPolling(), S_OK);
  EXPECT_EQ(mManager->ResumeDeviceStatusPolling(), S_FALSE);
  EXPECT_EQ(mManager->GetPresetFromMidiDevice(0), S_OK);
  EXPECT_TRUE(mManager->IsDeviceStatusPollingActive());
  EXPECT_EQ(mManager->RequestNonPresetParameterFromDevice(u"KEY_OCTAVE", true), S_OK);
  EXPECT_TRUE(mManager->IsDeviceStatusPollingActive());
  EXPECT_GT(mManager->SendPresetToMidiDevice(3), 0);
  EXPECT_TRUE(mManager->IsDeviceStatusPollingActive());
  EXPECT_EQ(mManager->SuspendDeviceStatusPolling(), S_OK);
  EXPECT_FALSE(mManager->IsDeviceStatusPollingActive());
  const int checks = mChecks;
  EXPECT_GT(checks, 0);
  EXPECT_EQ(mChecksWhileSending, 0);
  EXPECT_TRUE(mManager->IsDeviceFirmwareVersionUseable());
  EXPECT_EQ(mChecks, checks);  // suspended: no pass checks anything
}

TEST_F(LMidiManagerThreads, MessagesThatCannotBeFramedSendNothingNotEvenALeadIn) {
  for (const std::vector<uint8_t>& bytes :
       {std::vector<uint8_t>{0xF0}, std::vector<uint8_t>{0xF7}, std::vector<uint8_t>{}})
    EXPECT_EQ(mManager->SendSysEx(Message(bytes)), E_FAIL);
  EXPECT_TRUE(mKeyboard.GetLog().empty());
  EXPECT_EQ(mManager->SendSysEx(Message({0x7E, 0x7F, 0x06, 0x01})), 256);
  EXPECT_EQ(mKeyboard.GetEvents(),
            (std::vector<Event>{Event::LeadIn, Event::IdentityRequest, Event::IdentityReply}));
}

TEST_F(LMidiManagerThreads, ARawMessageGoesOutUnchangedOnlyWhileTheOutputsArePresent) {
  const std::vector<uint8_t> request = {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7};
  EXPECT_EQ(mManager->SendMidiMessage(Message(request)), 6);
  ASSERT_TRUE(mKeyboard.WaitForEvent(Event::IdentityReply));
  EXPECT_EQ(mKeyboard.GetLog().front().bytes, request);  // no lead-in, no padding
  mAreOutputsPresent = false;
  mKeyboard.ClearLog();
  EXPECT_EQ(mManager->SendMidiMessage(Message(request)), -1);
  mAreOutputsPresent = true;
  mManager->ClosePorts();
  EXPECT_EQ(mManager->SendMidiMessage(Message(request)), E_INVALIDARG);  // the port layer's answer
  EXPECT_TRUE(mKeyboard.GetLog().empty());
}

TEST_F(LMidiManagerThreads, AHandlerThatCannotBeUnregisteredThrowsNamingTheOperation) {
  mPorts.SetFailingUnregister(true);
  struct Case {
    std::function<void()> run;
    const char* function;
  };
  const Case cases[] = {
      {[&] { mManager->IsDeviceFirmwareVersionUseable(); },
       "HV::LMidiManager::IsDeviceFirmwareVersionUseable"},
      {[&] { mManager->GetPresetFromMidiDevice(1); }, "HV::LMidiManager::IsDeviceFirmwareVersionUseable"},
      {[&] { mManager->RequestNonPresetParameterFromDevice(u"KEY_OCTAVE", true); },
       "HV::LMidiManager::RequestNonPresetParameterFromDevice"},
  };
  for (const Case& c : cases) {
    try {
      c.run();
      ADD_FAILURE() << "no exception for " << c.function;
    } catch (const FailedResultException& e) {
      EXPECT_NE(std::string(e.what()).find(c.function), std::string::npos) << e.what();
    }
    mPorts.UnregisterCaptureHandler();
  }
}

// Pieces against a virtual clock, which the pacing and the keyboard's log both read.
class LMidiManagerPacingThreads : public ::testing::Test {
 protected:
  Platform::VirtualClock mClock{5000};  // first: everything below times on it
  SimulatedKeyboard mKeyboard;
  DirectKeyboardPorts mPorts{mKeyboard};
  PresetValuesStore mValues;
  RCPtr<LMidiManager> mManager = LMidiManager::Create(mPorts, mValues, nullptr, kSpacedTiming);
};

TEST_F(LMidiManagerPacingThreads, EachPieceGoesOutThePauseAfterThePreviousOneAndNothingWaitsAfterTheLast) {
  const std::vector<uint8_t> body(600, 0x11);  // 602 bytes framed: three pieces
  std::future<HResult> sending =
      std::async(std::launch::async, [&] { return mManager->SendSysEx(Message(body), true); });
  ASSERT_TRUE(mKeyboard.WaitForEvent(Event::Piece, 1));
  mClock.AdvanceWhenWaiting(9);
  EXPECT_EQ(mKeyboard.CountEvents(Event::Piece), 1u);
  mClock.Advance(1);
  ASSERT_TRUE(mKeyboard.WaitForEvent(Event::Piece, 2));
  mClock.AdvanceWhenWaiting(10);
  // The last piece is followed by no wait: the send ends without the clock moving on.
  if (sending.wait_for(20s) != std::future_status::ready) {
    ADD_FAILURE() << "the send waited after its last piece";
    mClock.Advance(1000);
  }
  EXPECT_EQ(sending.get(), 256);
  std::vector<uint32_t> times;
  for (const SimulatedKeyboard::LogEntry& piece : mKeyboard.GetPieces()) times.push_back(piece.timeStamp);
  EXPECT_EQ(times, (std::vector<uint32_t>{0, 10, 20}));
}

TEST_F(LMidiManagerPacingThreads, TheFirstPieceOfTheNextMessageKeepsThePauseToo) {
  std::future<HResult> sending = std::async(std::launch::async, [&] {
    const HResult first = mManager->SendSysEx(Message({0x7E, 0x7F, 0x06, 0x01}), true);
    return first < 0 ? first : mManager->SendSysEx(Message({0x7E, 0x7F, 0x06, 0x01}), true);
  });
  ASSERT_TRUE(mKeyboard.WaitForEvent(Event::Piece, 1));
  mClock.AdvanceWhenWaiting(10);
  EXPECT_EQ(sending.get(), 256);
  const std::vector<SimulatedKeyboard::LogEntry> pieces = mKeyboard.GetPieces();
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_EQ(pieces[1].timeStamp - pieces[0].timeStamp, 10u);
}

TEST_F(LMidiManagerThreads, AnOperationThatThrowsLeavesNoCaptureHandlerBehind) {
  const std::function<void()> operations[] = {
      [&] { mManager->IsDeviceFirmwareVersionUseable(); },
      [&] { mManager->RequestNonPresetParameterFromDevice(u"KEY_OCTAVE", true); },
  };
  mPorts.SetThrowingSends(true);
  for (const std::function<void()>& operation : operations) {
    EXPECT_THROW(operation(), std::runtime_error);
    EXPECT_FALSE(mPorts.HasCaptureHandler());
  }
  mPorts.SetThrowingSends(false);
  EXPECT_EQ(mManager->GetPresetFromMidiDevice(2), S_OK);
  EXPECT_FALSE(mPorts.HasCaptureHandler());
}

// A model whose writes take as long as the test wants: the fetch must not
// give up while the handler writes a dump it has taken.
class SlowPresetValues : public PresetValuesStore {
 public:
  HResult SetPresetValue(int32_t id, const Variant& value) override {
    if (id == 0) {
      mWriting.Set();
      mGoOn.Wait(kInfinite);
    }
    return PresetValuesStore::SetPresetValue(id, value);
  }
  HV::Event mWriting{false};
  HV::Event mGoOn{false};
};

TEST(LMidiManagerCaptureThreads, AFetchWhoseDumpIsBeingWrittenWaitsForTheWriteInsteadOfGivingUp) {
  Platform::VirtualClock clock;  // the reply wait runs out only when the test says so
  SimulatedKeyboard keyboard;
  DirectKeyboardPorts ports(keyboard);
  SlowPresetValues values;
  const RCPtr<LMidiManager> manager = LMidiManager::Create(ports, values, nullptr, {1, 30ms, 0ms, 20ms});
  const std::vector<uint8_t> stored = PatternData(33);
  keyboard.SetSlot(4, AsPreset(stored));
  std::future<HResult> fetching =
      std::async(std::launch::async, [&] { return manager->GetPresetFromMidiDevice(4); });
  ASSERT_EQ(values.mWriting.Wait(kInfinite), kWaitObject0);
  clock.AdvanceWhenWaiting(30);  // the fetch's only try runs out while the handler writes
  // The fetch waits for the handler, which waits for the test, and the idle poll for its gate.
  Platform::EventHub::Get().WaitUntilBlocked({0, 3});
  values.mGoOn.Set();
  EXPECT_EQ(fetching.get(), S_OK);
  EXPECT_EQ(values.Joined(), stored);
}

class LMidiManagerAtSpecifiedTimingThreads : public LMidiManagerThreads {
 protected:
  LMidiManagerAtSpecifiedTimingThreads() : LMidiManagerThreads(MidiTiming::Specified()) {}
};

TEST_F(LMidiManagerAtSpecifiedTimingThreads, ARoundTripWorksAtTheSpecifiedWaits) {
  const std::vector<uint8_t> edited = PatternData(77);
  mValues.Fill(edited);
  EXPECT_GT(mManager->SendPresetToMidiDevice(11), 0);
  mValues.Fill(MakeDefaultPresetData());
  EXPECT_EQ(mManager->GetPresetFromMidiDevice(11), S_OK);
  EXPECT_EQ(mValues.Joined(), edited);
}

}  // namespace
}  // namespace HV::Test
