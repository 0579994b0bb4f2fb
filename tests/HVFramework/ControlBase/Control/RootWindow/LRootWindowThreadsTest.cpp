// Keys queued from another thread reach the focused control at the idle
// passes, all of them and in order.
#include "tests/HVFramework/ControlBase/Window/RootWindowSkins.h"
#include "tests/support/RootWindowFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace HV::Test {
namespace {

class RootWindowKeyQueueThreads : public RootWindowFixture {};

TEST_F(RootWindowKeyQueueThreads, KeysQueuedWhileIdlePassesRunArriveInOrder) {
  ASSERT_TRUE(Open(kPanelsSkin, u"main"));
  constexpr uint32_t kKeys = 2000;
  InputControl& a1 = Input(u"a1");
  for (uint32_t vk = 1; vk < 256; ++vk) a1.handledKeys.insert(vk);
  TakeInput();
  std::thread producer([this] {
    for (uint32_t i = 0; i < kKeys; ++i) window->QueueKey(LKeyParam::Create(KeyDownCode(1 + i % 255)));
  });
  for (int pass = 0; pass < 50; ++pass) Idle();
  producer.join();
  Idle();
  const std::vector<std::string> events = TakeInput();
  ASSERT_EQ(events.size(), kKeys);
  for (uint32_t i = 0; i < kKeys; ++i) ASSERT_EQ(events[i], "a1:key " + std::to_string(1 + i % 255)) << i;
}

}  // namespace
}  // namespace HV::Test
