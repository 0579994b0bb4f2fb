// Which thread is the user-interface thread: the first to ask claims it, a
// record moves it, a reset frees it.
#include "HVFramework/ObjectBase/UIThread.h"

#include <gtest/gtest.h>

#include <thread>

namespace HV {
namespace {

class UIThread : public ::testing::Test {
 protected:
  void SetUp() override { ResetUIThread(); }
  // The next test's thread claims the role afresh.
  void TearDown() override { ResetUIThread(); }

  static bool AskOnAnotherThread(void (*before)() = nullptr) {
    bool answer = false;
    std::thread([&] {
      if (before) before();
      answer = IsUIThread();
    }).join();
    return answer;
  }
};

TEST_F(UIThread, TheFirstThreadToAskClaimsTheRoleUntilReset) {
  EXPECT_TRUE(AskOnAnotherThread());  // a thread now gone holds the role
  EXPECT_FALSE(IsUIThread());
  ResetUIThread();
  EXPECT_TRUE(IsUIThread());
  EXPECT_TRUE(IsUIThread());
  EXPECT_FALSE(AskOnAnotherThread());
}

TEST_F(UIThread, ARecordTakesTheRoleFromAClaim) {
  EXPECT_TRUE(IsUIThread());
  EXPECT_TRUE(AskOnAnotherThread(&RecordUIThread));
  EXPECT_FALSE(IsUIThread());
  RecordUIThread();
  EXPECT_TRUE(IsUIThread());
}

}  // namespace
}  // namespace HV
