#include "HVFramework/Midi/LMidiDeviceStatusChecker.h"

#include "HVFramework/Midi/LMidiComm.h"
#include "HVFramework/Midi/LMidiDeviceConnectionStatusChangedNotification.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/Platform/Midi/LoopbackMidiSystem.h"
#include "tests/support/NotificationRecorder.h"
#include "tests/support/RecordingMidiPeer.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace HV {
namespace {

using Checker = LMidiDeviceStatusChecker;
using Payload = LMidiDeviceConnectionStatusChangedNotification;

StringArrayW Names(const char16_t* name) {
  StringArrayW names;
  names.AddItem(StringW(name));
  return names;
}

// A checker over loopback devices that posts into a queue of the test's own;
// Announcements() drains it and tells what was posted.
class LMidiDeviceStatusCheckerThreads : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(mQueue->SetDistributor(mDistributor), S_OK);
    mRecorder->RegisterNotification(mDistributor, Checker::kInputStatusChangedName);
    mRecorder->RegisterNotification(mDistributor, Checker::kOutputStatusChangedName);
  }
  void TearDown() override { mQueue->Shutdown(); }

  RCPtr<Checker> MakeChecker() {
    const RCPtr<Checker> checker = Checker::Create(mComm, mQueue);
    checker->RecordInputDevices(Names(u"MIDIIN4 (Tarsel)"));
    checker->RecordOutputDevices(Names(u"MIDIOUT4 (Tarsel)"));
    return checker;
  }

  enum class Connected { No, Yes };

  // One pass over both lists: each answers whether all its devices are
  // connected; then what the pass posted.
  std::vector<std::string> Pass(Checker& checker, Connected expected) {
    EXPECT_EQ(checker.CheckInputDevices(), expected == Connected::Yes);
    EXPECT_EQ(checker.CheckOutputDevices(), expected == Connected::Yes);
    return Announcements();
  }

  // "IN:name:1" per posted notification (direction, port name, flag).
  std::vector<std::string> Announcements() {
    mLog.Clear();
    mQueue->ProcessNotifications(false);
    std::vector<std::string> out;
    for (const HV::Test::NotificationLog::Entry& entry : mLog.GetEntries()) {
      const ConstRCPtr<Payload> payload = DynamicCast<Payload>(entry.notification->GetPayload());
      const bool isInput = entry.notification->HasName(Checker::kInputStatusChangedName);
      out.push_back(std::string(isInput ? "IN:" : "OUT:") + payload->GetPortName().ToCharString().GetText() + ":" +
                    std::to_string(payload->GetDisconnected()));
    }
    return out;
  }

  HV::Test::RecordingMidiPeer mPeer;  // outlives the system
  const RCPtr<Platform::LLoopbackMidiSystem> mSystem = Platform::LLoopbackMidiSystem::Create();
  const RCPtr<Platform::LLoopbackMidiDevice> mKeyboard =
      mSystem->AddDevice(u"MIDIIN4 (Tarsel)", u"MIDIOUT4 (Tarsel)", mPeer);
  const RCPtr<LThreadPool> mPool = LThreadPool::Create(1, 0);
  const RCPtr<LMidiComm> mComm = LMidiComm::Create(mSystem, mPool);
  const RCPtr<LNotificationDistributor> mDistributor{new LNotificationDistributor};
  const RCPtr<LNotificationQueue> mQueue{new LNotificationQueue};
  HV::Test::NotificationLog mLog;
  const RCPtr<HV::Test::NotificationRecorder> mRecorder = HV::Test::NotificationRecorder::Create("R", mLog);
};

TEST_F(LMidiDeviceStatusCheckerThreads, AnnouncesUnplugAndReplugOnceEach) {
  // The same whether or not the editor holds the ports open meanwhile.
  for (const bool arePortsHeld : {false, true}) {
    SCOPED_TRACE(arePortsHeld ? "ports held" : "no ports held");
    RCPtr<LMidiCapturePort> input;
    RCPtr<LMidiRenderPort> output;
    if (arePortsHeld) {
      ASSERT_EQ(mComm->OpenCapturePort(StringW(u"MIDIIN4 (Tarsel)"), input), S_OK);
      ASSERT_EQ(mComm->OpenRenderPort(StringW(u"MIDIOUT4 (Tarsel)"), output), S_OK);
    }
    const RCPtr<Checker> checker = MakeChecker();
    const std::vector<std::string> none;
    EXPECT_EQ(Pass(*checker, Connected::Yes), none);
    mKeyboard->Unplug();
    EXPECT_EQ(Pass(*checker, Connected::No),
              (std::vector<std::string>{"IN:MIDIIN4 (Tarsel):1", "OUT:MIDIOUT4 (Tarsel):1"}));
    EXPECT_EQ(Pass(*checker, Connected::No), none);
    mKeyboard->Replug();
    EXPECT_EQ(Pass(*checker, Connected::Yes),
              (std::vector<std::string>{"IN:MIDIIN4 (Tarsel):0", "OUT:MIDIOUT4 (Tarsel):0"}));
    EXPECT_EQ(Pass(*checker, Connected::Yes), none);
  }
}

TEST_F(LMidiDeviceStatusCheckerThreads, ADeviceAbsentFromTheStartStaysQuiet) {
  mKeyboard->Unplug();
  const RCPtr<Checker> checker = MakeChecker();
  EXPECT_TRUE(Pass(*checker, Connected::No).empty());
  EXPECT_TRUE(Pass(*checker, Connected::No).empty());
}

TEST_F(LMidiDeviceStatusCheckerThreads, ChecksFromTwoThreadsAnnounceAChangeOnce) {
  const RCPtr<Checker> checker = MakeChecker();
  mKeyboard->Unplug();
  std::thread poll([&] { checker->CheckOutputDevices(); });
  checker->CheckOutputDevices();
  poll.join();
  EXPECT_EQ(Announcements(), std::vector<std::string>{"OUT:MIDIOUT4 (Tarsel):1"});
}

TEST_F(LMidiDeviceStatusCheckerThreads, PostsToTheApplicationCentreByDefault) {
  const RCPtr<LNotificationCenter> centre = GetNotificationCenterManager()->GetCenter(StringW(u"application"));
  centre->DiscardNotifications();
  const RCPtr<Checker> checker = Checker::Create(mComm);
  checker->RecordInputDevices(Names(u"MIDIIN4 (Tarsel)"));
  mKeyboard->Unplug();
  checker->CheckInputDevices();
  EXPECT_EQ(centre->GetCount(), 1u);
  centre->DiscardNotifications();
}

}  // namespace
}  // namespace HV
