// The command line a second instance forwards reaches the application on the
// user-interface thread, and the program comes to the front: the main
// window, restored when minimised, and above it the modal dialog while one
// is up (the line then waits for its end).
#include "tests/HVFramework/ControlBase/Window/OSWindowFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

namespace HV::Test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct ReceivedLine {
  std::string line;
  bool isOnLoopThread;
  int32_t modalDepth;
};

class OSWindowOtherInstanceThreads : public OSWindowFixture {
 protected:
  OSWindowOtherInstanceThreads() {
    dispatcher.SetOtherInstanceHandler([this](const StringW& line) {
      received.push_back({line.ToCharString().GetText(), std::this_thread::get_id() == loopThread,
                          dispatcher.GetMessageLoop().GetModalDepth()});
      if (received.size() == quitAfterLines) dispatcher.Quit(0);
    });
  }
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (const ReceivedLine& r : received) lines.push_back(r.line);
    return lines;
  }

  const std::thread::id loopThread = std::this_thread::get_id();
  size_t quitAfterLines = 1;  // the loop ends once this many lines arrived
  std::vector<ReceivedLine> received;
};

TEST_F(OSWindowOtherInstanceThreads, TheLineReachesTheApplicationOnTheLoopsThreadAndRaisesTheMainWindow) {
  const RCPtr<OSWindow> main = Open(u"main");
  main->Show(true);
  ASSERT_FALSE(main->IsActive());
  // The single-instance listener's thread hands the line over.
  std::thread listener([this] { dispatcher.ReceiveOtherInstanceCommandLine("tarsel --open \xC3\xA9t\xC3\xA9.tpr"); });
  listener.join();
  EXPECT_THAT(received, IsEmpty());  // nothing runs on the listener's thread
  EXPECT_EQ(dispatcher.Run(), 0);     // the desktop's activation arrives before the quit
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].line, "tarsel --open \xC3\xA9t\xC3\xA9.tpr");
  EXPECT_TRUE(received[0].isOnLoopThread);
  EXPECT_TRUE(main->IsActive());
}

TEST_F(OSWindowOtherInstanceThreads, WhileADialogIsUpTheDialogComesForwardAndTheLineWaitsForItsEnd) {
  const RCPtr<OSWindow> main = Open(u"main");
  const RCPtr<OSWindow> dialog = Open(u"dialog", {150, 100, 200, 100});
  main->Show(true);
  system.MinimizeWindow(main->GetWindowId());  // its dialog goes with it
  bool wasDialogActive = false;
  size_t linesWhileUp = 0;
  // The dialog is ended after a few rounds of its loop: time for the line to
  // be taken and for the desktop to answer the activation.
  int32_t rounds = 0;
  dispatcher.SetIdleHandler([&](int32_t count) {
    if (count == 0 && ++rounds == 5) {
      wasDialogActive = dialog->IsActive();
      linesWhileUp = received.size();
      dialog->EndModal(7);
    }
    return false;
  });
  dispatcher.ReceiveOtherInstanceCommandLine("first");
  dispatcher.ReceiveOtherInstanceCommandLine("second");
  EXPECT_EQ(dialog->RunModal(), 7);
  dispatcher.SetIdleHandler(nullptr);
  EXPECT_TRUE(wasDialogActive);
  EXPECT_FALSE(system.IsWindowMinimized(main->GetWindowId()));
  EXPECT_EQ(linesWhileUp, 0u);
  quitAfterLines = 2;
  EXPECT_EQ(dispatcher.Run(), 0);
  EXPECT_THAT(Lines(), ElementsAre("first", "second"));
  for (const ReceivedLine& r : received) EXPECT_EQ(r.modalDepth, 0);
}

}  // namespace
}  // namespace HV::Test
