#include "HVFramework/Platform/MidiPlatform.h"

#include "HVFramework/Platform/AlsaMidiSystem.h"
#include "HVFramework/Platform/LoopbackMidiSystem.h"

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

TEST_F(LMidiPlatformTest, SimulatedSelectsTheRegisteredFactoryOrAnEmptyLoopback) {
  EXPECT_TRUE(DynamicCast<LLoopbackMidiSystem>(LMidiPlatform::CreateFor("simulated")));
  EXPECT_TRUE(DynamicCast<LAlsaMidiSystem>(LMidiPlatform::CreateFor("")));
  EXPECT_TRUE(DynamicCast<LAlsaMidiSystem>(LMidiPlatform::CreateFor("alsa")));

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
