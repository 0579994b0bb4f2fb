#include "HVFramework/Platform/Midi/LoopbackMidiSystem.h"

#include "tests/support/PlatformTraceRecorder.h"
#include "tests/support/RecordingMidiPeer.h"

#include <gtest/gtest.h>

#include <array>
#include <condition_variable>
#include <functional>
#include <list>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>

namespace HV::Platform {

// Names the delivery in test names and messages.
void PrintTo(MidiReplyDelivery delivery, std::ostream* out) {
  *out << (delivery == MidiReplyDelivery::Paced ? "Paced" : "AllAtOnce");
}

namespace {

using Bytes = std::vector<uint8_t>;

// What a callback saw, copied on the callback's thread.
struct Seen {
  MidiEventKind kind;
  uint32_t message;
  MidiHeader* header;
  Bytes bytes;  // the header's recorded bytes (inputs)
  std::thread::id thread;
};

// Records every callback; `onInput` runs for each input event after recording
// (the port layer lends its headers again from there).
class RecordingCallback final : public IMidiCallback {
 public:
  std::function<void(MidiInHandle, const MidiEvent&)> onInput;

  void OnMidiInput(MidiInHandle handle, const MidiEvent& event) override {
    Bytes bytes;
    if (event.header) bytes.assign(event.header->data, event.header->data + event.header->bytesRecorded);
    Record({event.kind, event.message, event.header, std::move(bytes), std::this_thread::get_id()});
    if (onInput) onInput(handle, event);
  }
  void OnMidiOutput(MidiOutHandle, const MidiEvent& event) override {
    Record({event.kind, event.message, event.header, {}, std::this_thread::get_id()});
  }

  std::vector<Seen> WaitFor(const std::function<bool(const std::vector<Seen>&)>& isEnough) {
    std::unique_lock lock(mMutex);
    mChanged.wait(lock, [&] { return isEnough(mSeen); });
    return mSeen;
  }
  std::vector<Seen> WaitForCount(size_t count) {
    return WaitFor([count](const std::vector<Seen>& seen) { return seen.size() >= count; });
  }
  std::vector<Seen> GetSeen() {
    std::lock_guard lock(mMutex);
    return mSeen;
  }

 private:
  void Record(Seen seen) {
    {
      std::lock_guard lock(mMutex);
      mSeen.push_back(std::move(seen));
    }
    mChanged.notify_all();
  }

  std::mutex mMutex;
  std::condition_variable mChanged;
  std::vector<Seen> mSeen;
};

// A header over 256 bytes of its own.
struct Buffer {
  std::array<uint8_t, 256> bytes{};
  MidiHeader header;
  Buffer() {
    header.data = bytes.data();
    header.bufferLength = static_cast<uint32_t>(bytes.size());
  }
};

Bytes MakeSysEx(size_t length) {
  Bytes message(length);
  message.front() = 0xF0;
  for (size_t i = 1; i + 1 < length; ++i) message[i] = static_cast<uint8_t>((i * 7) % 0x80);
  message.back() = 0xF7;
  return message;
}

class LLoopbackMidiSystemThreads : public testing::Test {
 protected:
  // Peer and callback first: they outlive the system that calls them.
  HV::Test::RecordingMidiPeer mPeer;
  RecordingCallback mCallback;
  RCPtr<LLoopbackMidiSystem> mSystem = LLoopbackMidiSystem::Create();
  RCPtr<LLoopbackMidiDevice> mKeyboard = mSystem->AddDevice(u"MIDIIN4 (Tarsel)", u"MIDIOUT4 (Tarsel)", mPeer);

  void TearDown() override { mSystem->WaitForCallbacks(); }

  MidiOutHandle OpenOutput() {
    const MidiOpened<MidiOutHandle> opened = mSystem->OpenOutput(0, mCallback);
    EXPECT_EQ(opened.result, kMidiNoError);
    return opened.handle;
  }
  // Lends the buffers and starts the input; like the port layer, every
  // returned buffer is lent again from the callback.
  void StartRelending(MidiInHandle input, std::list<Buffer>& buffers) {
    for (Buffer& buffer : buffers) {
      ASSERT_EQ(mSystem->PrepareInputHeader(input, buffer.header), kMidiNoError);
      ASSERT_EQ(mSystem->AddInputBuffer(input, buffer.header), kMidiNoError);
    }
    mCallback.onInput = [this](MidiInHandle handle, const MidiEvent& event) {
      if (event.header) mSystem->AddInputBuffer(handle, *event.header);
    };
    ASSERT_EQ(mSystem->StartInput(input), kMidiNoError);
  }
  // Waits for the last callback to finish lending, then takes every buffer back.
  void StopRelending(MidiInHandle input, std::list<Buffer>& buffers) {
    mSystem->WaitForCallbacks();
    mCallback.onInput = nullptr;
    EXPECT_EQ(mSystem->StopInput(input), kMidiNoError);
    EXPECT_EQ(mSystem->ResetInput(input), kMidiNoError);
    mSystem->WaitForCallbacks();
    for (Buffer& buffer : buffers)
      EXPECT_EQ(mSystem->UnprepareInputHeader(input, buffer.header), kMidiNoError);
  }
  MidiInHandle OpenInput() {
    const MidiOpened<MidiInHandle> opened = mSystem->OpenInput(0, mCallback);
    EXPECT_EQ(opened.result, kMidiNoError);
    return opened.handle;
  }
};

TEST_F(LLoopbackMidiSystemThreads, DevicesAreListedInOrderAndUnpluggedOnesLeaveTheLists) {
  RCPtr<LLoopbackMidiDevice> synth = mSystem->AddDevice(u"", u"Synth", mPeer);
  RCPtr<LLoopbackMidiDevice> pads = mSystem->AddDevice(u"Pads", u"Pads", mPeer);
  const auto inputs = [&] {
    std::vector<std::u16string> names;
    for (uint32_t i = 0; i < mSystem->GetInputDeviceCount(); ++i)
      names.push_back(*mSystem->GetInputDeviceName(i));
    return names;
  };
  const auto outputs = [&] {
    std::vector<std::u16string> names;
    for (uint32_t i = 0; i < mSystem->GetOutputDeviceCount(); ++i)
      names.push_back(*mSystem->GetOutputDeviceName(i));
    return names;
  };
  using Names = std::vector<std::u16string>;
  EXPECT_EQ(inputs(), (Names{u"MIDIIN4 (Tarsel)", u"Pads"}));
  EXPECT_EQ(outputs(), (Names{u"MIDIOUT4 (Tarsel)", u"Synth", u"Pads"}));
  EXPECT_EQ(mSystem->GetInputDeviceName(2), std::nullopt);

  mKeyboard->Unplug();
  EXPECT_FALSE(mKeyboard->IsPlugged());
  EXPECT_EQ(inputs(), (Names{u"Pads"}));
  EXPECT_EQ(outputs(), (Names{u"Synth", u"Pads"}));

  mKeyboard->Replug();
  EXPECT_EQ(inputs(), (Names{u"MIDIIN4 (Tarsel)", u"Pads"}));
}

TEST_F(LLoopbackMidiSystemThreads, HandlesOfAnUnpluggedDeviceStayDeadAfterReplugging) {
  const MidiInHandle input = OpenInput();
  const MidiOutHandle output = OpenOutput();
  EXPECT_EQ(mSystem->GetInputStatus(input), kMidiNoError);
  EXPECT_EQ(mSystem->GetOutputStatus(output), kMidiNoError);

  mKeyboard->Unplug();
  EXPECT_EQ(mSystem->GetInputStatus(input), kMidiNoDriver);
  EXPECT_EQ(mSystem->GetOutputStatus(output), kMidiNoDriver);
  EXPECT_EQ(mSystem->SendShortMessage(output, 0x7F3C90), kMidiNoDriver);
  EXPECT_EQ(mSystem->OpenOutput(0, mCallback).result, kMidiBadDeviceId);

  mKeyboard->Replug();
  EXPECT_EQ(mSystem->GetOutputStatus(output), kMidiNoDriver);
  const MidiOutHandle reopened = OpenOutput();  // the dead handle does not hold the device
  EXPECT_NE(reopened, output);
  EXPECT_EQ(mSystem->SendShortMessage(reopened, 0x7F3C90), kMidiNoError);
  mPeer.WaitForPackets(1);

  EXPECT_EQ(mSystem->CloseOutput(output), kMidiNoError);
  EXPECT_EQ(mSystem->CloseOutput(reopened), kMidiNoError);
  EXPECT_EQ(mSystem->CloseInput(input), kMidiNoError);
}

TEST_F(LLoopbackMidiSystemThreads, MisuseAnswersTheClassicResultNumbers) {
  const MidiInHandle input = OpenInput();
  const MidiOutHandle output = OpenOutput();
  Buffer buffer;
  MidiHeader empty;

  EXPECT_EQ(mSystem->OpenInput(7, mCallback).result, kMidiBadDeviceId);
  EXPECT_EQ(mSystem->OpenInput(0, mCallback).result, kMidiAllocated);
  EXPECT_EQ(mSystem->OpenOutput(0, mCallback).result, kMidiAllocated);
  EXPECT_EQ(mSystem->AddInputBuffer(input, buffer.header), kMidiUnprepared);
  EXPECT_EQ(mSystem->SendLongMessage(output, buffer.header), kMidiUnprepared);
  EXPECT_EQ(mSystem->PrepareInputHeader(input, empty), kMidiInvalidParameter);
  EXPECT_EQ(mSystem->SendShortMessage(output, 0xF0), kMidiInvalidParameter);
  EXPECT_EQ(mSystem->SendShortMessage(output, 0x3C), kMidiInvalidParameter);

  EXPECT_EQ(mSystem->PrepareInputHeader(input, buffer.header), kMidiNoError);
  EXPECT_EQ(mSystem->AddInputBuffer(input, buffer.header), kMidiNoError);
  EXPECT_EQ(mSystem->AddInputBuffer(input, buffer.header), kMidiStillPlaying);
  EXPECT_EQ(mSystem->UnprepareInputHeader(input, buffer.header), kMidiStillPlaying);
  EXPECT_EQ(mSystem->CloseInput(input), kMidiStillPlaying);

  EXPECT_EQ(mSystem->ResetInput(input), kMidiNoError);
  EXPECT_TRUE(buffer.header.IsDone());
  EXPECT_EQ(mSystem->UnprepareInputHeader(input, buffer.header), kMidiNoError);
  EXPECT_EQ(mSystem->CloseInput(input), kMidiNoError);
  EXPECT_EQ(mSystem->CloseOutput(output), kMidiNoError);

  EXPECT_EQ(mSystem->CloseInput(input), kMidiInvalidHandle);
  EXPECT_EQ(mSystem->StartInput(input), kMidiInvalidHandle);
  EXPECT_EQ(mSystem->SendShortMessage(output, 0x7F3C90), kMidiInvalidHandle);
  EXPECT_EQ(mSystem->GetOutputStatus(output), kMidiInvalidHandle);
  mSystem->WaitForCallbacks();  // the reset's "done" callback still reads the header on this stack
}

TEST_F(LLoopbackMidiSystemThreads, SentMessagesReachThePeerExactlyAsSentOnTheLoopbackThread) {
  const MidiOutHandle output = OpenOutput();
  Buffer piece;  // a request and its zero padding, as the framework sends pieces
  const Bytes request = {0xF0, 0x00, 0x3C, 0x51, 0x7F, 0x31, 0x05, 0x62, 0x05, 0xF7};
  std::copy(request.begin(), request.end(), piece.bytes.begin());

  EXPECT_EQ(mSystem->SendShortMessage(output, 0xAA7F3C90), kMidiNoError);  // the 4th byte is not sent
  EXPECT_EQ(mSystem->PrepareOutputHeader(output, piece.header), kMidiNoError);
  EXPECT_EQ(mSystem->SendLongMessage(output, piece.header), kMidiNoError);
  piece.bytes.fill(0xEE);  // copied at submission: the peer still sees what was sent

  const auto packets = mPeer.WaitForPackets(2);
  EXPECT_EQ(packets[0].kind, MidiLoopbackPacket::Kind::Short);
  EXPECT_EQ(packets[0].bytes, (Bytes{0x90, 0x3C, 0x7F}));
  EXPECT_EQ(packets[1].kind, MidiLoopbackPacket::Kind::Long);
  Bytes expected(256, 0);
  std::copy(request.begin(), request.end(), expected.begin());
  EXPECT_EQ(packets[1].bytes, expected);
  EXPECT_LE(packets[0].timeStamp, packets[1].timeStamp);

  const auto seen = mCallback.WaitForCount(1);
  EXPECT_EQ(seen[0].kind, MidiEventKind::OutputDone);
  EXPECT_EQ(seen[0].header, &piece.header);
  EXPECT_TRUE(piece.header.IsDone());
  EXPECT_FALSE(piece.header.IsInQueue());
  EXPECT_NE(seen[0].thread, std::this_thread::get_id());
  for (std::thread::id thread : mPeer.GetThreads()) EXPECT_NE(thread, std::this_thread::get_id());

  EXPECT_EQ(mSystem->UnprepareOutputHeader(output, piece.header), kMidiNoError);
  EXPECT_EQ(mSystem->CloseOutput(output), kMidiNoError);
}

// The same replies fed paced (as over a cable) and all at once (as a reader
// that found a full queue): the client sees the same pieces either way.
class LLoopbackMidiSystemDeliveryThreads : public LLoopbackMidiSystemThreads,
                                           public testing::WithParamInterface<MidiReplyDelivery> {
 protected:
  void SetUp() override { mKeyboard->SetReplyDelivery(GetParam()); }
};

INSTANTIATE_TEST_SUITE_P(Deliveries, LLoopbackMidiSystemDeliveryThreads,
                         testing::Values(MidiReplyDelivery::Paced, MidiReplyDelivery::AllAtOnce),
                         [](const testing::TestParamInfo<MidiReplyDelivery>& param) {
                           return testing::PrintToString(param.param);
                         });

TEST_P(LLoopbackMidiSystemDeliveryThreads, ARepliedDumpArrivesCutIntoTheLentBuffersOnTheLoopbackThread) {
  const MidiInHandle input = OpenInput();
  const MidiOutHandle output = OpenOutput();
  std::list<Buffer> buffers(3);
  StartRelending(input, buffers);

  const Bytes dump = MakeSysEx(1350);
  mPeer.SetAnswer([&dump](LLoopbackMidiDevice& device, const MidiLoopbackPacket&) { device.Reply(dump); });
  ASSERT_EQ(mSystem->SendShortMessage(output, 0x7F3C90), kMidiNoError);

  const auto seen = mCallback.WaitFor([](const std::vector<Seen>& all) {
    return !all.empty() && !all.back().bytes.empty() && all.back().bytes.back() == 0xF7;
  });
  Bytes joined;
  std::vector<size_t> sizes;
  for (const Seen& piece : seen) {
    EXPECT_EQ(piece.kind, MidiEventKind::InputLongData);
    EXPECT_NE(piece.thread, std::this_thread::get_id());
    joined.insert(joined.end(), piece.bytes.begin(), piece.bytes.end());
    sizes.push_back(piece.bytes.size());
  }
  EXPECT_EQ(sizes, (std::vector<size_t>{256, 256, 256, 256, 256, 70}));
  EXPECT_EQ(joined, dump);

  StopRelending(input, buffers);
  EXPECT_EQ(mSystem->CloseInput(input), kMidiNoError);
  EXPECT_EQ(mSystem->CloseOutput(output), kMidiNoError);
}

TEST_P(LLoopbackMidiSystemDeliveryThreads, RepliesGivenTogetherArriveOneAfterTheOtherWhole) {
  const MidiInHandle input = OpenInput();
  const MidiOutHandle output = OpenOutput();
  std::list<Buffer> buffers(3);
  StartRelending(input, buffers);

  // An identity reply and a dump given in one go, as a device answers two requests.
  const Bytes first = MakeSysEx(600);
  const Bytes second = MakeSysEx(300);
  mPeer.SetAnswer([&](LLoopbackMidiDevice& device, const MidiLoopbackPacket&) {
    device.Reply(first);
    device.Reply(second);
  });
  ASSERT_EQ(mSystem->SendShortMessage(output, 0x7F3C90), kMidiNoError);

  const auto seen = mCallback.WaitFor([](const std::vector<Seen>& all) {
    int ends = 0;
    for (const Seen& piece : all) ends += !piece.bytes.empty() && piece.bytes.back() == 0xF7;
    return ends == 2;
  });
  Bytes joined;
  for (const Seen& piece : seen) joined.insert(joined.end(), piece.bytes.begin(), piece.bytes.end());
  Bytes expected = first;
  expected.insert(expected.end(), second.begin(), second.end());
  EXPECT_EQ(joined, expected);

  StopRelending(input, buffers);
  EXPECT_EQ(mSystem->CloseInput(input), kMidiNoError);
  EXPECT_EQ(mSystem->CloseOutput(output), kMidiNoError);
}

TEST_F(LLoopbackMidiSystemThreads, InputWaitsWhileEveryBufferIsOutAndWhatOverflowsIsCountedAndTraced) {
  HV::Test::PlatformTraceRecorder trace;
  mKeyboard->SetReplyDelivery(MidiReplyDelivery::AllAtOnce);
  const MidiInHandle input = OpenInput();
  std::list<Buffer> buffers(1);
  StartRelending(input, buffers);
  mCallback.onInput = nullptr;  // the client keeps its one buffer for now

  // One read far larger than the buffer: 256 bytes fill it, 1 MiB waits,
  // the rest is dropped.
  constexpr size_t kOverflow = 245;
  Bytes unending(1 + 256 + LMidiInputStream::kMaxBacklog + kOverflow - 1, 0x33);
  unending.front() = 0xF0;
  mKeyboard->Reply(unending);
  mSystem->WaitForCallbacks();
  mKeyboard->Reply(Bytes{0x90, 0x3C, 0x7F});
  mSystem->WaitForCallbacks();
  EXPECT_EQ(mSystem->GetDroppedInputByteCount(), kOverflow + 3);
  EXPECT_EQ(
      trace.GetLines(),
      (std::vector<std::string>{"MIDI input " + std::to_string(static_cast<uint64_t>(input)) +
                                ": 1048576 bytes wait for input buffers; what arrives now is dropped"}));
  ASSERT_EQ(mCallback.GetSeen().size(), 1u);

  // Lending the buffer again, from then on from the callback too, lets
  // everything that waited through, in order.
  mCallback.onInput = [this](MidiInHandle handle, const MidiEvent& event) {
    if (event.header) mSystem->AddInputBuffer(handle, *event.header);
  };
  ASSERT_EQ(mSystem->AddInputBuffer(input, buffers.front().header), kMidiNoError);
  const size_t pieces = (unending.size() - kOverflow) / 256;
  const std::vector<Seen> seen = mCallback.WaitForCount(pieces);
  Bytes joined;
  for (const Seen& piece : seen) joined.insert(joined.end(), piece.bytes.begin(), piece.bytes.end());
  EXPECT_EQ(joined, Bytes(unending.begin(), unending.end() - kOverflow));
  EXPECT_EQ(trace.GetLines().size(), 1u);

  StopRelending(input, buffers);
  EXPECT_EQ(mSystem->CloseInput(input), kMidiNoError);
}

TEST_F(LLoopbackMidiSystemThreads, RepliesReachOnlyAStartedInputOfAPluggedDevice) {
  const MidiInHandle input = OpenInput();
  mKeyboard->Reply(Bytes{0x90, 0x3C, 0x7F});  // not started yet
  mSystem->WaitForCallbacks();
  EXPECT_TRUE(mCallback.GetSeen().empty());

  ASSERT_EQ(mSystem->StartInput(input), kMidiNoError);
  mKeyboard->Unplug();
  mKeyboard->Reply(Bytes{0x90, 0x3D, 0x7F});
  mSystem->WaitForCallbacks();
  EXPECT_TRUE(mCallback.GetSeen().empty());

  const MidiInHandle reopened = [&] {
    mKeyboard->Replug();
    EXPECT_EQ(mSystem->CloseInput(input), kMidiNoError);
    return OpenInput();
  }();
  ASSERT_EQ(mSystem->StartInput(reopened), kMidiNoError);
  mKeyboard->Reply(Bytes{0x90, 0x3E, 0x7F});
  const auto seen = mCallback.WaitForCount(1);
  EXPECT_EQ(seen[0].kind, MidiEventKind::InputData);
  EXPECT_EQ(seen[0].message, 0x7F3E90u);
  EXPECT_EQ(mSystem->CloseInput(reopened), kMidiNoError);
}

TEST_F(LLoopbackMidiSystemThreads, ALongMessageThatNeverCompletesIsHeldUntilTheOutputIsReset) {
  mKeyboard->SetOutputCompletion(MidiOutputCompletion::Never);
  const MidiOutHandle output = OpenOutput();
  Buffer piece;
  piece.bytes[0] = 0xF0;
  piece.bytes[1] = 0xF7;
  ASSERT_EQ(mSystem->PrepareOutputHeader(output, piece.header), kMidiNoError);
  ASSERT_EQ(mSystem->SendLongMessage(output, piece.header), kMidiNoError);
  mPeer.WaitForPackets(1);
  mSystem->WaitForCallbacks();

  EXPECT_TRUE(mCallback.GetSeen().empty());
  EXPECT_TRUE(piece.header.IsInQueue());
  EXPECT_EQ(mSystem->SendLongMessage(output, piece.header), kMidiStillPlaying);
  EXPECT_EQ(mSystem->UnprepareOutputHeader(output, piece.header), kMidiStillPlaying);
  EXPECT_EQ(mSystem->CloseOutput(output), kMidiStillPlaying);

  EXPECT_EQ(mSystem->ResetOutput(output), kMidiNoError);
  const auto seen = mCallback.WaitForCount(1);
  EXPECT_EQ(seen[0].kind, MidiEventKind::OutputDone);
  EXPECT_TRUE(piece.header.IsDone());
  EXPECT_EQ(mSystem->UnprepareOutputHeader(output, piece.header), kMidiNoError);
  EXPECT_EQ(mSystem->CloseOutput(output), kMidiNoError);
}

TEST_F(LLoopbackMidiSystemThreads, ADelayedCompletionArrivesLaterOrIsSettledByAReset) {
  const MidiOutHandle output = OpenOutput();
  Buffer piece;
  piece.bytes[0] = 0xF0;
  ASSERT_EQ(mSystem->PrepareOutputHeader(output, piece.header), kMidiNoError);

  mKeyboard->SetOutputCompletion(MidiOutputCompletion::Delayed, std::chrono::milliseconds(5));
  ASSERT_EQ(mSystem->SendLongMessage(output, piece.header), kMidiNoError);
  mCallback.WaitForCount(1);
  EXPECT_TRUE(piece.header.IsDone());

  // A delay far beyond the test: only the reset brings the header back, once.
  mKeyboard->SetOutputCompletion(MidiOutputCompletion::Delayed, std::chrono::hours(1));
  ASSERT_EQ(mSystem->SendLongMessage(output, piece.header), kMidiNoError);
  mPeer.WaitForPackets(2);
  EXPECT_TRUE(piece.header.IsInQueue());
  EXPECT_EQ(mSystem->ResetOutput(output), kMidiNoError);
  const auto seen = mCallback.WaitForCount(2);
  EXPECT_EQ(seen[1].header, &piece.header);
  EXPECT_EQ(mSystem->CloseOutput(output), kMidiNoError);  // drops the pending completion
  mSystem->WaitForCallbacks();
  EXPECT_EQ(mCallback.GetSeen().size(), 2u);
}

}  // namespace
}  // namespace HV::Platform
