#include "HVFramework/Midi/LMidiCommInterface.h"

#include "HVFramework/Notification/LNotification.h"
#include "tests/support/NotificationRecorder.h"

#include <gtest/gtest.h>

#include <vector>

namespace HV {
namespace {

// The delivery and filter half of the port layer, without ports.
class DeliveryOnly : public LMidiCommInterface {
 public:
  static RCPtr<DeliveryOnly> Create() { return RCPtr<DeliveryOnly>(new DeliveryOnly); }
  HResult OpenCapturePort(const StringW&, RCPtr<LMidiCapturePort>&) override { return E_NOTIMPL; }
  HResult OpenRenderPort(const StringW&, RCPtr<LMidiRenderPort>&) override { return E_NOTIMPL; }
  int32_t SendBuffer(const RCPtr<LMidiRenderPort>&, const IBuffer&) override { return E_NOTIMPL; }
  int32_t SendBytes(const RCPtr<LMidiRenderPort>&, const Array<signed char>&) override { return E_NOTIMPL; }
};

RCPtr<LIMidiFilterByIncludePrefixList> Filter(std::initializer_list<std::vector<uint8_t>> prefixes) {
  RCPtr<LIMidiFilterByIncludePrefixList> filter = LIMidiFilterByIncludePrefixList::Create();
  for (const std::vector<uint8_t>& prefix : prefixes) filter->AddPrefix(prefix);
  return filter;
}

RCPtr<LMidiCaptureNotificationData> Data(std::vector<uint8_t> bytes) {
  return LMidiCaptureNotificationData::Create(bytes, 5, StringW(u"In"));
}

class LMidiCommInterfaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* label : {"A", "B", "C"}) {
      mRecorders.push_back(HV::Test::NotificationRecorder::Create(label, mLog));
      mRecorders.back()->RegisterNotification(mComm, LMidiCommInterface::kDataCapturedName);
    }
  }
  void TearDown() override {
    for (const RCPtr<HV::Test::NotificationRecorder>& recorder : mRecorders) mComm->SetFilter(recorder.Get(), nullptr);
  }

  const RCPtr<DeliveryOnly> mComm = DeliveryOnly::Create();
  HV::Test::NotificationLog mLog;
  std::vector<RCPtr<HV::Test::NotificationRecorder>> mRecorders;
};

TEST_F(LMidiCommInterfaceTest, DeliversToTheLastRegisteredClientFirstWithThePayload) {
  const RCPtr<LMidiCaptureNotificationData> data = Data({0x90, 0x3C, 0x7F});
  mComm->DeliverCapturedData(data);
  EXPECT_EQ(mLog.Deliveries(),
            (std::vector<std::string>{"C:NID_MIDI_DATA_CAPTURED", "B:NID_MIDI_DATA_CAPTURED",
                                      "A:NID_MIDI_DATA_CAPTURED"}));
  const std::vector<HV::Test::NotificationLog::Entry> entries = mLog.GetEntries();
  EXPECT_EQ(entries[0].notification, entries[2].notification);  // made once
  EXPECT_EQ(entries[0].notification->GetPayload().Get(), static_cast<LRefCountedObject*>(data.Get()));
  EXPECT_EQ(entries[0].source, mComm.Get());
}

TEST_F(LMidiCommInterfaceTest, SkipsClientsWhoseFilterRejectsTheMessage) {
  mComm->SetFilter(mRecorders[0].Get(), Filter({{0xF0, 0x7E}}).Get());
  mComm->SetFilter(mRecorders[2].Get(), Filter({{0x90}, {0xF0, 0x00, 0x21}}).Get());
  mComm->DeliverCapturedData(Data({0xF0, 0x7E, 0x01, 0xF7}));
  mComm->DeliverCapturedData(Data({0x90, 0x3C, 0x7F}));
  mComm->DeliverCapturedData(Data({0xF0}));  // shorter than every prefix
  EXPECT_EQ(mLog.Recorders(), (std::vector<std::string>{"B", "A", "C", "B", "B"}));
}

TEST_F(LMidiCommInterfaceTest, KeepsCopiesOfFiltersAndRemovesThemWhenSetToNone) {
  const RCPtr<LIMidiFilterByIncludePrefixList> filter = Filter({{0xF0}});
  const LNotificationClient* client = mRecorders[1].Get();
  EXPECT_FALSE(mComm->GetFilter(client));
  EXPECT_EQ(mComm->SetFilter(client, filter.Get()), S_OK);
  filter->AddPrefix(std::vector<uint8_t>{0x90});  // changes the caller's filter only

  const RCPtr<LIMidiFilterByIncludePrefixList> stored = mComm->GetFilter(client);
  ASSERT_TRUE(stored);
  EXPECT_NE(stored.Get(), filter.Get());
  EXPECT_EQ(stored->GetPrefixCount(), 1u);
  stored->AddPrefix(std::vector<uint8_t>{0x80});  // a copy again
  EXPECT_EQ(mComm->GetFilter(client)->GetPrefixCount(), 1u);

  mComm->DeliverCapturedData(Data({0x90, 0x01, 0x02}));
  EXPECT_EQ(mLog.Recorders(), (std::vector<std::string>{"C", "A"}));
  EXPECT_EQ(mComm->SetFilter(client, nullptr), S_OK);
  EXPECT_FALSE(mComm->GetFilter(client));
}

TEST_F(LMidiCommInterfaceTest, AFilterEntryIsKeyedByItsClient) {
  const LNotificationClient* client = mRecorders[0].Get();
  const LMidiCommInterface::MidiFilterEntry entries[] = {
      {client, Filter({{0xF0}})},
      {client, nullptr},
      {nullptr, Filter({{0x90}})},
  };
  for (const LMidiCommInterface::MidiFilterEntry& entry : entries)
    EXPECT_EQ(mComm->GetFilterEntryClient(entry), entry.client);
}

// The filter list is searched through the accessor: an interface that keys
// no entry to any client finds no filter, and every message passes.
TEST(LMidiCommInterface, FiltersAreFoundThroughTheEntryKey) {
  class Unkeyed final : public DeliveryOnly {
   public:
    const LNotificationClient* GetFilterEntryClient(const MidiFilterEntry&) const override { return nullptr; }
  };
  const RCPtr<Unkeyed> comm(new Unkeyed);
  HV::Test::NotificationLog log;
  const RCPtr<HV::Test::NotificationRecorder> recorder = HV::Test::NotificationRecorder::Create("A", log);
  recorder->RegisterNotification(comm, LMidiCommInterface::kDataCapturedName);
  comm->SetFilter(recorder.Get(), Filter({{0xF0}}).Get());
  EXPECT_FALSE(comm->GetFilter(recorder.Get()));
  comm->DeliverCapturedData(Data({0x90, 0x3C, 0x7F}));
  EXPECT_EQ(log.Recorders(), (std::vector<std::string>{"A"}));
}

TEST_F(LMidiCommInterfaceTest, PostsIntoAnAttachedQueueBeforeDelivering) {
  const RCPtr<LNotificationDistributor> later(new LNotificationDistributor);
  HV::Test::NotificationLog queuedLog;
  const RCPtr<HV::Test::NotificationRecorder> queued = HV::Test::NotificationRecorder::Create("Q", queuedLog);
  queued->RegisterNotification(later, LMidiCommInterface::kDataCapturedName);
  const RCPtr<LNotificationQueue> queue(new LNotificationQueue);
  ASSERT_EQ(queue->SetDistributor(later), S_OK);
  mComm->SetNotificationQueue(queue);
  mRecorders[2]->SetReactionOnce([&](auto&, auto&, auto&) { EXPECT_EQ(queue->GetCount(), 1u); });

  mComm->DeliverCapturedData(Data({0xF8}));
  EXPECT_EQ(mLog.Recorders().size(), 3u);
  EXPECT_TRUE(queuedLog.Recorders().empty());
  queue->ProcessNotifications(false);
  EXPECT_EQ(queuedLog.Recorders(), std::vector<std::string>{"Q"});
  mComm->SetNotificationQueue(nullptr);
  queue->Shutdown();
}

}  // namespace
}  // namespace HV
