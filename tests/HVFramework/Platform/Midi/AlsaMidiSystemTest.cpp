#include "HVFramework/Platform/Midi/AlsaMidiSystem.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace HV::Platform {
namespace {

class NullCallback final : public IMidiCallback {
 public:
  void OnMidiInput(MidiInHandle, const MidiEvent&) override {}
  void OnMidiOutput(MidiOutHandle, const MidiEvent&) override {}
};

TEST(LAlsaMidiSystem, WithoutASequencerThereAreNoDevicesAndNothingIsPrinted) {
  if (std::filesystem::exists("/dev/snd/seq")) GTEST_SKIP() << "this machine has a sequencer";

  testing::internal::CaptureStderr();
  const RCPtr<LAlsaMidiSystem> system = LAlsaMidiSystem::Create();
  NullCallback callback;
  EXPECT_FALSE(system->HasSequencer());
  EXPECT_EQ(system->GetInputDeviceCount(), 0u);
  EXPECT_EQ(system->GetOutputDeviceCount(), 0u);
  EXPECT_EQ(system->GetInputDeviceName(0), std::nullopt);
  EXPECT_EQ(system->GetOutputDeviceName(0), std::nullopt);
  const MidiOpened<MidiInHandle> input = system->OpenInput(0, callback);
  EXPECT_EQ(input.result, kMidiBadDeviceId);
  EXPECT_EQ(input.handle, MidiInHandle::None);
  EXPECT_EQ(system->OpenOutput(0, callback).result, kMidiBadDeviceId);
  EXPECT_EQ(system->SendShortMessage(MidiOutHandle{1}, 0x7F3C90), kMidiInvalidHandle);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
}  // namespace HV::Platform
