#include "HVFramework/Midi/LMidiComm.h"

#include "HVFramework/Platform/Midi/LoopbackMidiSystem.h"
#include "HVFramework/Utilities/Storage/LBufferT.h"
#include "tests/support/MidiCaptureRecorder.h"
#include "tests/support/RecordingMidiPeer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace HV {
namespace {

using Bytes = std::vector<uint8_t>;
using Platform::MidiLoopbackPacket;

Bytes SysEx(size_t length, uint8_t fill = 0x11) {
  Bytes bytes(length, fill);
  bytes.front() = 0xF0;
  bytes.back() = 0xF7;
  return bytes;
}

std::vector<std::u16string> Texts(const StringArrayW& names) {
  std::vector<std::u16string> texts;
  for (uint32_t i = 0; i < names.GetCount(); ++i) texts.emplace_back(names.GetItemPtr(i)->GetView());
  return texts;
}

// The port layer over loopback devices, each with an input and an output of
// one name and a recording peer. Reports come on the loopback's thread and
// deliveries on the fixture's pool of one thread, as in the program.
class LMidiCommThreads : public ::testing::Test {
 protected:
  void AddDevices(std::initializer_list<const char16_t*> names) {
    for (const char16_t* name : names) {
      mPeers.push_back(std::make_unique<HV::Test::RecordingMidiPeer>());
      mDevices.push_back(mSystem->AddDevice(name, name, *mPeers.back()));
    }
  }

  RCPtr<LMidiRenderPort> OpenRender(const char16_t* name) {
    RCPtr<LMidiRenderPort> port;
    EXPECT_EQ(mComm->OpenRenderPort(StringW(name), port), S_OK) << StringW(name).ToCharString().GetText();
    return port;
  }
  RCPtr<LMidiCapturePort> OpenCapture(const char16_t* name) {
    RCPtr<LMidiCapturePort> port;
    EXPECT_EQ(mComm->OpenCapturePort(StringW(name), port), S_OK) << StringW(name).ToCharString().GetText();
    return port;
  }

  // Which device's peer got a short message sent through the port, or -1.
  int32_t DeviceReached(const RCPtr<LMidiRenderPort>& port) {
    std::vector<size_t> before;
    for (const auto& peer : mPeers) before.push_back(peer->GetPackets().size());
    if (mComm->Send(port, Bytes{0x90, 0x3C, 0x7F}) != 3) return -1;
    mSystem->WaitForCallbacks();  // the peers are called on the loopback's thread
    for (size_t i = 0; i < mPeers.size(); ++i)
      if (mPeers[i]->GetPackets().size() > before[i]) return static_cast<int32_t>(i);
    return -1;
  }

  std::vector<std::unique_ptr<HV::Test::RecordingMidiPeer>> mPeers;  // outlive the system
  const RCPtr<Platform::LLoopbackMidiSystem> mSystem = Platform::LLoopbackMidiSystem::Create();
  std::vector<RCPtr<Platform::LLoopbackMidiDevice>> mDevices;
  const RCPtr<LThreadPool> mPool = LThreadPool::Create(1, 0);
  const RCPtr<LMidiComm> mComm = LMidiComm::Create(mSystem, mPool);
};

TEST_F(LMidiCommThreads, ListsDevicesUnderUniquePortNames) {
  AddDevices({u"N", u"Other", u"N"});
  const std::vector<std::u16string> expected = {u"N (1)", u"N (2)", u"Other"};
  EXPECT_EQ(Texts(mComm->GetCapturePortNames()), expected);
  EXPECT_EQ(Texts(mComm->GetRenderPortNames()), expected);
}

struct OpenCase {
  const char16_t* name;
  HResult result;
  int32_t device;  // reached by a send, when opened
};

TEST_F(LMidiCommThreads, OpensRenderPortsByName) {
  AddDevices({u"N", u"Other", u"N", u"Tarsel", u"MIDIIN2 (Tarsel)", u"Tarsel"});
  const OpenCase cases[] = {
      {u"N (2)", S_OK, 2},         {u"N (1)", S_OK, 0},          {u"n (1)", S_OK, 0},
      {u"Other", S_OK, 1},         {u"Oth", S_OK, 1},            {u"Tarsel (2)", S_OK, 5},
      {u"N", E_INVALIDARG, -1},    {u"Tarsel", E_INVALIDARG, -1}, {u"zzz", E_FAIL, -1},
      {u"N (3)", E_FAIL, -1},
  };
  for (const OpenCase& c : cases) {
    SCOPED_TRACE(StringW(c.name).ToCharString().GetText());
    RCPtr<LMidiRenderPort> port;
    EXPECT_EQ(mComm->OpenRenderPort(StringW(c.name), port), c.result);
    EXPECT_EQ(port != nullptr, c.result == S_OK);
    if (port) {
      EXPECT_EQ(DeviceReached(port), c.device);
    }
  }
  EXPECT_EQ(mComm->GetOpenRenderPortCount(), 0u);
}

TEST_F(LMidiCommThreads, CapturesFromTheDeviceTheNameSelects) {
  AddDevices({u"N", u"Other", u"N"});
  const RCPtr<HV::Test::MidiCaptureRecorder> recorder = HV::Test::MidiCaptureRecorder::Create();
  recorder->Listen(mComm);
  const RCPtr<LMidiCapturePort> port = OpenCapture(u"N (2)");
  ASSERT_TRUE(port);
  mDevices[0]->Reply(Bytes{0x90, 0x01, 0x01});  // no port open: lost
  mDevices[2]->Reply(Bytes{0x90, 0x02, 0x02});
  const std::vector<HV::Test::MidiCaptureRecorder::Capture> captures = recorder->WaitFor(1);
  EXPECT_EQ(captures[0].bytes, (Bytes{0x90, 0x02, 0x02}));
  EXPECT_EQ(captures[0].port, u"N (2)");
  EXPECT_EQ(recorder->GetCaptures().size(), 1u);
}

TEST_F(LMidiCommThreads, DeliversOnTheProcessPoolWhenGivenNone) {
  AddDevices({u"Tarsel"});
  const RCPtr<LMidiComm> comm = LMidiComm::Create(mSystem);
  const RCPtr<HV::Test::MidiCaptureRecorder> recorder = HV::Test::MidiCaptureRecorder::Create();
  recorder->Listen(comm);
  RCPtr<LMidiCapturePort> port;
  ASSERT_EQ(comm->OpenCapturePort(StringW(u"Tarsel"), port), S_OK);
  mDevices[0]->Reply(Bytes{0xB0, 0x07, 0x64});
  EXPECT_EQ(recorder->WaitFor(1)[0].bytes, (Bytes{0xB0, 0x07, 0x64}));
}

TEST_F(LMidiCommThreads, SharesAnOpenPortAndClosesItAtTheLastRelease) {
  AddDevices({u"Tarsel"});
  RCPtr<LMidiCapturePort> first = OpenCapture(u"Tarsel");
  RCPtr<LMidiCapturePort> second = OpenCapture(u"TARSEL");
  EXPECT_EQ(first.Get(), second.Get());
  RCPtr<LMidiRenderPort> render = OpenRender(u"Tarsel");
  RCPtr<LMidiRenderPort> renderAgain = OpenRender(u"Tarsel");
  EXPECT_EQ(render.Get(), renderAgain.Get());
  EXPECT_EQ(mComm->GetOpenCapturePortCount(), 1u);
  EXPECT_EQ(mComm->GetOpenRenderPortCount(), 1u);

  first = nullptr;
  renderAgain = nullptr;
  EXPECT_EQ(mComm->GetOpenCapturePortCount(), 1u);
  second = nullptr;
  render = nullptr;
  EXPECT_EQ(mComm->GetOpenCapturePortCount(), 0u);
  EXPECT_EQ(mComm->GetOpenRenderPortCount(), 0u);

  // The devices were closed: they open again.
  EXPECT_TRUE(OpenCapture(u"Tarsel"));
  EXPECT_TRUE(OpenRender(u"Tarsel"));
}

TEST_F(LMidiCommThreads, ReopensASharedPortWhoseDeviceCameBack) {
  AddDevices({u"Tarsel"});
  const RCPtr<LMidiRenderPort> held = OpenRender(u"Tarsel");
  mDevices[0]->Unplug();
  RCPtr<LMidiRenderPort> port;
  EXPECT_EQ(mComm->OpenRenderPort(StringW(u"Tarsel"), port), E_FAIL);
  EXPECT_EQ(mComm->Send(held, Bytes{0x90, 0x3C, 0x7F}), E_FAIL);

  mDevices[0]->Replug();
  ASSERT_EQ(mComm->OpenRenderPort(StringW(u"Tarsel"), port), S_OK);
  EXPECT_EQ(port.Get(), held.Get());
  EXPECT_EQ(mComm->Send(held, Bytes{0x90, 0x3C, 0x7F}), 3);
  EXPECT_EQ(mPeers[0]->WaitForPackets(1)[0].bytes, (Bytes{0x90, 0x3C, 0x7F}));
}

TEST_F(LMidiCommThreads, ACapturePortWhoseDeviceCameBackReceivesAgain) {
  AddDevices({u"Tarsel"});
  const RCPtr<HV::Test::MidiCaptureRecorder> recorder = HV::Test::MidiCaptureRecorder::Create();
  recorder->Listen(mComm);
  const RCPtr<LMidiCapturePort> held = OpenCapture(u"Tarsel");
  mDevices[0]->Unplug();
  RCPtr<LMidiCapturePort> port;
  EXPECT_EQ(mComm->OpenCapturePort(StringW(u"Tarsel"), port), E_FAIL);
  EXPECT_FALSE(port);

  mDevices[0]->Replug();
  ASSERT_EQ(mComm->OpenCapturePort(StringW(u"Tarsel"), port), S_OK);
  EXPECT_EQ(port.Get(), held.Get());
  mDevices[0]->Reply(SysEx(300));
  EXPECT_EQ(recorder->WaitFor(1)[0].bytes, SysEx(300));
}

TEST_F(LMidiCommThreads, ANameNoLongerListedDoesNotResolveToAPortStillOpenUnderIt) {
  AddDevices({u"N", u"N"});
  const RCPtr<LMidiRenderPort> render = OpenRender(u"N (2)");
  const RCPtr<LMidiCapturePort> capture = OpenCapture(u"N (2)");
  ASSERT_EQ(DeviceReached(render), 1);

  // The first device goes: the second is listed as plain "N" now, and
  // "N (2)" names nothing.
  mDevices[0]->Unplug();
  RCPtr<LMidiRenderPort> render2;
  RCPtr<LMidiCapturePort> capture2;
  EXPECT_EQ(mComm->OpenRenderPort(StringW(u"N (2)"), render2), E_FAIL);
  EXPECT_EQ(mComm->OpenCapturePort(StringW(u"N (2)"), capture2), E_FAIL);
  EXPECT_FALSE(render2);
  EXPECT_FALSE(capture2);

  // Back as it was: the name is listed again and finds its port.
  mDevices[0]->Replug();
  EXPECT_EQ(OpenRender(u"N (2)").Get(), render.Get());
  EXPECT_EQ(OpenCapture(u"N (2)").Get(), capture.Get());
}

TEST_F(LMidiCommThreads, DeliversMessagesInOrderOnAWorkerThread) {
  AddDevices({u"Tarsel"});
  const RCPtr<HV::Test::MidiCaptureRecorder> recorder = HV::Test::MidiCaptureRecorder::Create();
  recorder->Listen(mComm);
  const RCPtr<LMidiCapturePort> capture = OpenCapture(u"Tarsel");
  const RCPtr<LMidiRenderPort> render = OpenRender(u"Tarsel");
  ASSERT_EQ(mComm->Send(render, Bytes{0xFE}), 1);
  const std::thread::id loopbackThread = [&] {
    mPeers[0]->WaitForPackets(1);
    return mPeers[0]->GetThreads()[0];
  }();

  const Bytes dump = SysEx(1350);
  mDevices[0]->Reply(Bytes{0x90, 0x3C, 0x7F});
  mDevices[0]->Reply(dump);
  // The loopback feeds a long reply in stretches queued behind later
  // replies: let the dump arrive whole first.
  recorder->WaitFor(2);
  mDevices[0]->Reply(Bytes{0xC0, 0x05});
  mDevices[0]->Reply(Bytes{0xF8});
  mDevices[0]->Reply(Bytes{0xF2, 0x10, 0x20});
  const std::vector<HV::Test::MidiCaptureRecorder::Capture> captures = recorder->WaitFor(5);
  ASSERT_EQ(captures.size(), 5u);
  EXPECT_EQ(captures[0].bytes, (Bytes{0x90, 0x3C, 0x7F}));
  EXPECT_EQ(captures[1].bytes, dump);
  EXPECT_EQ(captures[2].bytes, (Bytes{0xC0, 0x05}));
  EXPECT_EQ(captures[3].bytes, (Bytes{0xF8}));
  EXPECT_EQ(captures[4].bytes, (Bytes{0xF2, 0x10, 0x20}));
  for (const HV::Test::MidiCaptureRecorder::Capture& seen : captures) {
    EXPECT_NE(seen.thread, std::this_thread::get_id());
    EXPECT_NE(seen.thread, loopbackThread);
    EXPECT_EQ(seen.port, u"Tarsel");
  }
}

TEST_F(LMidiCommThreads, InputReadFasterThanThePortLendsItsBuffersBackArrivesWholeAndInOrder) {
  AddDevices({u"Tarsel"});
  mDevices[0]->SetReplyDelivery(Platform::MidiReplyDelivery::AllAtOnce);
  const RCPtr<HV::Test::MidiCaptureRecorder> recorder = HV::Test::MidiCaptureRecorder::Create();
  recorder->Listen(mComm);
  const RCPtr<LMidiCapturePort> capture = OpenCapture(u"Tarsel");
  const RCPtr<LMidiRenderPort> render = OpenRender(u"Tarsel");

  // Asked once, the device answers with everything at once, faster than the
  // port gets its three buffers back: a whole dump and a note in one read,
  // a dump in six reads back to back, then another whole dump.
  const Bytes whole = SysEx(1350, 0x11);
  const Bytes note = {0x90, 0x3C, 0x7F};
  const Bytes inSixReads = SysEx(1350, 0x22);
  const Bytes last = SysEx(1350, 0x33);
  mPeers[0]->SetAnswer([&](Platform::LLoopbackMidiDevice& device, const MidiLoopbackPacket&) {
    Bytes first = whole;
    first.insert(first.end(), note.begin(), note.end());
    device.Reply(first);
    for (size_t offset = 0; offset < inSixReads.size(); offset += 256)
      device.Reply(std::span(inSixReads).subspan(offset, std::min<size_t>(256, inSixReads.size() - offset)));
    device.Reply(last);
  });
  ASSERT_EQ(mComm->Send(render, Bytes{0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}), 6);

  const std::vector<HV::Test::MidiCaptureRecorder::Capture> captures = recorder->WaitFor(4);
  ASSERT_EQ(captures.size(), 4u);
  EXPECT_EQ(captures[0].bytes, whole);
  EXPECT_EQ(captures[1].bytes, note);
  EXPECT_EQ(captures[2].bytes, inSixReads);
  EXPECT_EQ(captures[3].bytes, last);
  EXPECT_EQ(mSystem->GetDroppedInputByteCount(), 0u);
}

TEST_F(LMidiCommThreads, PortsOpenAndCloseSafelyWhileDataArrives) {
  AddDevices({u"Tarsel"});
  const RCPtr<HV::Test::MidiCaptureRecorder> recorder = HV::Test::MidiCaptureRecorder::Create();
  recorder->Listen(mComm);
  constexpr int kRounds = 200;
  // Two threads open and release the shared port in turns of their own,
  // while the device keeps sending: the last release of a round closes the
  // device under the port layer's lock, racing the next open and the
  // reports of the data in flight.
  const auto openAndRelease = [&] {
    for (int round = 0; round < kRounds; ++round) {
      RCPtr<LMidiCapturePort> port;
      EXPECT_EQ(mComm->OpenCapturePort(StringW(u"Tarsel"), port), S_OK);
      mDevices[0]->Reply(SysEx(300));
      mDevices[0]->Reply(Bytes{0x90, 0x3C, 0x7F});
    }
  };
  std::thread other(openAndRelease);
  openAndRelease();
  other.join();
  mSystem->WaitForCallbacks();
  EXPECT_EQ(mComm->GetOpenCapturePortCount(), 0u);
  // The replies of the two threads reach the wire interleaved, so messages
  // may be cut; each still starts with its status byte and is no longer
  // than what was sent.
  for (const HV::Test::MidiCaptureRecorder::Capture& capture : recorder->GetCaptures()) {
    ASSERT_FALSE(capture.bytes.empty());
    EXPECT_TRUE(capture.bytes.front() >= 0x80);
    EXPECT_LE(capture.bytes.size(), capture.bytes.front() == 0xF0 ? 300u : 3u);
  }
}

struct SendCase {
  const char* what;
  Bytes bytes;
  int32_t result;
  std::optional<MidiLoopbackPacket::Kind> kind;
  Bytes onWire;
};

TEST_F(LMidiCommThreads, SendsShortAndLongMessages) {
  AddDevices({u"Tarsel"});
  const RCPtr<LMidiRenderPort> port = OpenRender(u"Tarsel");
  Bytes piece(256, 0x00);
  piece[0] = 0x42;
  using enum MidiLoopbackPacket::Kind;
  const SendCase cases[] = {
      {"note", {0x90, 0x3C, 0x7F}, 3, Short, {0x90, 0x3C, 0x7F}},
      {"no more than three", {0xB0, 0x07, 0x64, 0x99}, 3, Short, {0xB0, 0x07, 0x64}},
      {"real time", {0xF8}, 1, Short, {0xF8}},
      {"system exclusive", SysEx(10), 10, Long, SysEx(10)},
      {"a piece starting with a data byte", piece, 256, Long, piece},
      {"F7 first", {0xF7}, 1, Long, {0xF7}},
      {"nothing", {}, E_INVALIDARG, std::nullopt, {}},
  };
  size_t packets = 0;
  for (const SendCase& c : cases) {
    SCOPED_TRACE(c.what);
    // Exactly as many bytes as the message has: reading past them shows up
    // under the address sanitizer.
    const std::unique_ptr<uint8_t[]> exact(new uint8_t[c.bytes.size()]);
    std::copy(c.bytes.begin(), c.bytes.end(), exact.get());
    EXPECT_EQ(mComm->Send(port, {exact.get(), c.bytes.size()}), c.result);
    if (!c.kind) continue;
    const MidiLoopbackPacket packet = mPeers[0]->WaitForPackets(++packets).back();
    EXPECT_EQ(packet.kind, *c.kind);
    EXPECT_EQ(packet.bytes, c.onWire);
  }
  EXPECT_EQ(mComm->Send(nullptr, Bytes{0x90, 0x3C, 0x7F}), E_INVALIDARG);
}

TEST_F(LMidiCommThreads, AShortMessageMissingDataBytesIsRefusedAndNothingIsSent) {
  AddDevices({u"Tarsel"});
  const RCPtr<LMidiRenderPort> port = OpenRender(u"Tarsel");
  struct ShortCase {
    const char* what;
    Bytes bytes;
    int32_t result;
  };
  const ShortCase cases[] = {
      {"note off", {0x80, 0x3C}, E_INVALIDARG},
      {"note on", {0x9F, 0x3C}, E_INVALIDARG},
      {"note on, status only", {0x90}, E_INVALIDARG},
      {"key pressure", {0xA0, 0x3C}, E_INVALIDARG},
      {"controller", {0xB0, 0x07}, E_INVALIDARG},
      {"program", {0xC0}, E_INVALIDARG},
      {"channel pressure", {0xD5}, E_INVALIDARG},
      {"pitch bend", {0xE0, 0x00}, E_INVALIDARG},
      {"time code", {0xF1}, E_INVALIDARG},
      {"song position", {0xF2, 0x10}, E_INVALIDARG},
      {"song select", {0xF3}, E_INVALIDARG},
      {"program, whole", {0xC0, 0x05}, 2},
      {"pitch bend, whole", {0xE0, 0x00, 0x40}, 3},
      {"song select, whole", {0xF3, 0x01}, 2},
      {"tune request", {0xF6}, 1},
      {"undefined status", {0xF4}, 2},
      {"active sensing", {0xFE}, 1},
  };
  std::vector<Bytes> sent;
  for (const ShortCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(mComm->Send(port, c.bytes), c.result);
    if (c.result > 0) sent.push_back(c.bytes);
  }
  const std::vector<MidiLoopbackPacket> packets = mPeers[0]->WaitForPackets(sent.size());
  mSystem->WaitForCallbacks();
  ASSERT_EQ(mPeers[0]->GetPackets().size(), sent.size());
  for (size_t i = 0; i < sent.size(); ++i) EXPECT_EQ(packets[i].bytes, sent[i]);
}

TEST_F(LMidiCommThreads, SendsArraysAndBuffers) {
  AddDevices({u"Tarsel"});
  const RCPtr<LMidiRenderPort> port = OpenRender(u"Tarsel");
  Array<signed char> array;
  for (const uint8_t byte : SysEx(20)) array.AddItem(static_cast<signed char>(byte));
  EXPECT_EQ(mComm->SendBytes(port, array), 20);
  const RCPtr<LIBuffer> buffer = LByteBuffer::Create(3, 0, false);
  std::copy_n("\x90\x3C\x7F", 3, buffer->GetData());
  EXPECT_EQ(mComm->SendBuffer(port, *buffer), 3);
  EXPECT_EQ(mComm->SendBytes(port, Array<signed char>()), E_INVALIDARG);
  const std::vector<MidiLoopbackPacket> packets = mPeers[0]->WaitForPackets(2);
  EXPECT_EQ(packets[0].bytes, SysEx(20));
  EXPECT_EQ(packets[1].bytes, (Bytes{0x90, 0x3C, 0x7F}));
}

TEST_F(LMidiCommThreads, ALongMessageNeverDoneFailsAfterTheTimeOutAndFreesThePort) {
  AddDevices({u"Tarsel"});
  const RCPtr<LMidiRenderPort> port = OpenRender(u"Tarsel");
  mComm->SetSendTimeout(50);
  mDevices[0]->SetOutputCompletion(Platform::MidiOutputCompletion::Never);
  EXPECT_EQ(mComm->Send(port, SysEx(300)), E_FAIL);

  mDevices[0]->SetOutputCompletion(Platform::MidiOutputCompletion::Immediate);
  const Bytes next = SysEx(40, 0x22);
  EXPECT_EQ(mComm->Send(port, next), 40);
  const std::vector<MidiLoopbackPacket> packets = mPeers[0]->WaitForPackets(2);
  EXPECT_EQ(packets[0].bytes, SysEx(300));
  EXPECT_EQ(packets[1].bytes, next);
}

TEST_F(LMidiCommThreads, ConcurrentSendsOnOnePortGoOutWhole) {
  AddDevices({u"Tarsel"});
  const RCPtr<LMidiRenderPort> port = OpenRender(u"Tarsel");
  mDevices[0]->SetOutputCompletion(Platform::MidiOutputCompletion::Delayed, std::chrono::milliseconds(1));
  constexpr int kEach = 20;
  const auto sender = [&](uint8_t fill) {
    for (int i = 0; i < kEach; ++i) EXPECT_EQ(mComm->Send(port, SysEx(100, fill)), 100);
  };
  std::thread a(sender, 0x11), b(sender, 0x22);
  a.join();
  b.join();
  for (const MidiLoopbackPacket& packet : mPeers[0]->WaitForPackets(2 * kEach)) {
    const bool isWhole = packet.bytes == SysEx(100, 0x11) || packet.bytes == SysEx(100, 0x22);
    EXPECT_TRUE(isWhole);
  }
}

}  // namespace
}  // namespace HV
