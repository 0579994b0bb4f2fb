#include "HVFramework/Platform/UI/ClipboardState.h"

#include <gtest/gtest.h>

#include "HVFramework/Platform/UI/HeadlessWindowSystem.h"

namespace HV::Platform {
namespace {

TEST(ClipboardState, OwnContentKeepsItsMarkAndSequenceUntilAnotherWrites) {
  HeadlessWindowSystem system;
  ClipboardState clipboard(system);
  EXPECT_FALSE(clipboard.HoldsOwnContent());

  clipboard.Write("preset copy", true);
  const uint32_t afterOwn = clipboard.GetSequenceNumber();
  EXPECT_TRUE(clipboard.HoldsOwnContent());
  EXPECT_EQ(clipboard.GetSequenceNumber(), afterOwn);  // reading changes nothing
  EXPECT_EQ(clipboard.ReadText(), "preset copy");

  // Another program puts the same text there: still a change, and no longer ours.
  system.SetClipboardText("preset copy");
  EXPECT_FALSE(clipboard.HoldsOwnContent());
  EXPECT_EQ(clipboard.GetSequenceNumber(), afterOwn + 1);
  EXPECT_EQ(clipboard.GetSequenceNumber(), afterOwn + 1);

  clipboard.Write("plain text", false);
  EXPECT_FALSE(clipboard.HoldsOwnContent());
  EXPECT_EQ(clipboard.GetSequenceNumber(), afterOwn + 2);
}

}  // namespace
}  // namespace HV::Platform
