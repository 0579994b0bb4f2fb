#include "HVFramework/Platform/Midi/MidiPlatform.h"

#include "HVFramework/Platform/Midi/AlsaMidiSystem.h"
#include "HVFramework/Platform/Midi/LoopbackMidiSystem.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace HV::Platform {
namespace {

// Leaves the process-wide choice as it found it: nothing installed, no factory.
class LMidiPlatformTest : public testing::Test {
 protected:
  void TearDown() override {
    LMidiPlatform::Install(nullptr);
    LMidiPlatform::RegisterSimulated(nullptr);
    unsetenv("TARSEL_MIDI");
  }
};

TEST_F(LMidiPlatformTest, OnlySimulatedSelectsTheLoopbackAndAnyOtherValueIsNamed) {
  struct Case {
    const char* value;
    bool isSimulated;
    const char* printed;
  };
  const Case cases[] = {
      {"simulated", true, ""},
      {"", false, ""},
      {"alsa", false,
       "TARSEL_MIDI=\"alsa\" is not known (only \"simulated\" is): using the ALSA sequencer\n"},
      {"Simulated", false,
       "TARSEL_MIDI=\"Simulated\" is not known (only \"simulated\" is): using the ALSA sequencer\n"},
      {"simulated ", false,
       "TARSEL_MIDI=\"simulated \" is not known (only \"simulated\" is): using the ALSA sequencer\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    testing::internal::CaptureStderr();
    const RCPtr<IMidiSystem> system = LMidiPlatform::CreateFor(c.value);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), c.printed);
    EXPECT_EQ(DynamicCast<LLoopbackMidiSystem>(system) != nullptr, c.isSimulated);
    EXPECT_EQ(DynamicCast<LAlsaMidiSystem>(system) != nullptr, !c.isSimulated);
  }
}

TEST_F(LMidiPlatformTest, SimulatedSelectsTheRegisteredFactoryOrAnEmptyLoopback) {
  EXPECT_TRUE(DynamicCast<LLoopbackMidiSystem>(LMidiPlatform::CreateFor("simulated")));

  const RCPtr<LLoopbackMidiSystem> simulated = LLoopbackMidiSystem::Create();
  LMidiPlatform::RegisterSimulated([simulated] { return RCPtr<IMidiSystem>(simulated); });
  EXPECT_EQ(LMidiPlatform::CreateFor("simulated").Get(), simulated.Get());
}

TEST_F(LMidiPlatformTest, GetChoosesOnceFromTheEnvironmentUnlessASystemIsInstalled) {
  const RCPtr<LLoopbackMidiSystem> simulated = LLoopbackMidiSystem::Create();
  LMidiPlatform::RegisterSimulated([simulated] { return RCPtr<IMidiSystem>(simulated); });
  setenv("TARSEL_MIDI", "simulated", 1);
  EXPECT_EQ(LMidiPlatform::Get().Get(), simulated.Get());
  unsetenv("TARSEL_MIDI");
  EXPECT_EQ(LMidiPlatform::Get().Get(), simulated.Get());  // chosen once

  const RCPtr<LLoopbackMidiSystem> installed = LLoopbackMidiSystem::Create();
  LMidiPlatform::Install(installed);
  EXPECT_EQ(LMidiPlatform::Get().Get(), installed.Get());
}

}  // namespace
}  // namespace HV::Platform
