// The simulated keyboard behind a loopback system, driven through the
// platform's device calls as the port layer drives them.
#include "Panel/Engine/SimulatedKeyboard/SimulatedKeyboardPorts.h"

#include "HVFramework/Platform/Midi/MidiPlatform.h"
#include "tests/Panel/Engine/PresetEditorCommon/MidiBytes.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

namespace HV::Test {
namespace {

using namespace Simulated;

using namespace Platform;

// Keeps every filled input header's bytes.
class InputRecorder final : public IMidiCallback {
 public:
  void OnMidiInput(MidiInHandle, const MidiEvent& event) override {
    if (event.kind != MidiEventKind::InputLongData || !event.header) return;
    {
      std::lock_guard lock(mMutex);
      mBytes.insert(mBytes.end(), event.header->data, event.header->data + event.header->bytesRecorded);
    }
    mChanged.notify_all();
  }
  void OnMidiOutput(MidiOutHandle, const MidiEvent&) override {}

  std::vector<uint8_t> WaitForBytes(size_t count) {
    std::unique_lock lock(mMutex);
    mChanged.wait(lock, [&] { return mBytes.size() >= count; });
    return mBytes;
  }

 private:
  std::mutex mMutex;
  std::condition_variable mChanged;
  std::vector<uint8_t> mBytes;
};

class SimulatedKeyboardPortsThreads : public ::testing::Test {
 protected:
  ~SimulatedKeyboardPortsThreads() override {
    DetachSimulatedKeyboard(mKeyboard);
    mSystem->WaitForCallbacks();
  }

  // The keyboard and the callback outlive the system that calls them.
  SimulatedKeyboard mKeyboard;
  InputRecorder mCallback;
  RCPtr<LLoopbackMidiSystem> mSystem = LLoopbackMidiSystem::Create();
};

TEST_F(SimulatedKeyboardPortsThreads, ListsFourPortsAndSpeaksOnTheFourth) {
  AttachSimulatedKeyboard(*mSystem, mKeyboard);
  ASSERT_EQ(mSystem->GetInputDeviceCount(), 4u);
  ASSERT_EQ(mSystem->GetOutputDeviceCount(), 4u);
  EXPECT_EQ(mSystem->GetInputDeviceName(0), u"Tarsel");
  EXPECT_EQ(mSystem->GetOutputDeviceName(1), u"MIDIOUT2 (Tarsel)");
  EXPECT_EQ(mSystem->GetInputDeviceName(3), u"MIDIIN4 (Tarsel)");
  EXPECT_EQ(mSystem->GetOutputDeviceName(3), u"MIDIOUT4 (Tarsel)");

  const MidiOpened<MidiInHandle> input = mSystem->OpenInput(3, mCallback);
  const MidiOpened<MidiOutHandle> output = mSystem->OpenOutput(3, mCallback);
  ASSERT_EQ(input.result, kMidiNoError);
  ASSERT_EQ(output.result, kMidiNoError);
  std::array<uint8_t, 256> inBytes{};
  MidiHeader inHeader;
  inHeader.data = inBytes.data();
  inHeader.bufferLength = static_cast<uint32_t>(inBytes.size());
  ASSERT_EQ(mSystem->PrepareInputHeader(input.handle, inHeader), kMidiNoError);
  ASSERT_EQ(mSystem->AddInputBuffer(input.handle, inHeader), kMidiNoError);
  ASSERT_EQ(mSystem->StartInput(input.handle), kMidiNoError);

  std::array<uint8_t, 256> piece{0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7};  // the rest is padding
  MidiHeader outHeader;
  outHeader.data = piece.data();
  outHeader.bufferLength = static_cast<uint32_t>(piece.size());
  ASSERT_EQ(mSystem->PrepareOutputHeader(output.handle, outHeader), kMidiNoError);
  ASSERT_EQ(mSystem->SendLongMessage(output.handle, outHeader), kMidiNoError);

  EXPECT_EQ(mCallback.WaitForBytes(15), (std::vector<uint8_t>{0xF0, 0x7E, 0x7F, 0x06, 0x02, 0x00, 0x3C, 0x51,
                                                              0x31, 0x05, '1', '0', '4', '1', 0xF7}));
  EXPECT_EQ(mKeyboard.GetEvents(),
            (std::vector<SimulatedKeyboard::Event>{SimulatedKeyboard::Event::IdentityRequest,
                                                   SimulatedKeyboard::Event::IdentityReply}));

  mSystem->ResetInput(input.handle);
  mSystem->ResetOutput(output.handle);
  mSystem->WaitForCallbacks();
  mSystem->UnprepareInputHeader(input.handle, inHeader);
  mSystem->UnprepareOutputHeader(output.handle, outHeader);
  EXPECT_EQ(mSystem->CloseInput(input.handle), kMidiNoError);
  EXPECT_EQ(mSystem->CloseOutput(output.handle), kMidiNoError);
}

TEST_F(SimulatedKeyboardPortsThreads, SimulatedSelectionGivesTheKeyboardsPorts) {
  RegisterSimulatedKeyboard();
  const RCPtr<IMidiSystem> system = LMidiPlatform::CreateFor("simulated");
  ASSERT_EQ(system->GetInputDeviceCount(), 4u);
  EXPECT_EQ(system->GetInputDeviceName(3), u"MIDIIN4 (Tarsel)");
  LMidiPlatform::RegisterSimulated({});
}

}  // namespace
}  // namespace HV::Test
