// A file chooser opened from a window leaves the program's loop running:
// the windows paint on while it is open, and input given to them meanwhile
// is dropped, not acted on after it closes.
#include "tests/HVFramework/ControlBase/Window/OSWindowFixture.h"

#include "HVFramework/ControlBase/SystemUI/LFileDialog.h"
#include "tests/HVFramework/ControlBase/Window/WaitingWindow.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace HV::Test {
namespace {

using ::testing::IsEmpty;

class OSWindowFileChooserThreads : public WaitingWindowFixture {
 protected:
  void SetUp() override {
    OpenWaitingWindow([this] { watcher.OnIdle(*window); });
  }

  WaitingChooser chooser{"/presets/first.tpr\n"};
  PaintWatcher watcher{chooser};
};

TEST_F(OSWindowFileChooserThreads, TheOwnerPaintsWhileTheChooserIsOpenAndDropsTheInputGivenMeanwhile) {
  // Input the user gives the window while the chooser is up.
  Script(*window, Key(Kind::KeyDown, kKeyA));
  Script(*window, Mouse(Kind::MouseDown, 15, 12, 1));
  Script(*window, Mouse(Kind::MouseUp, 15, 12, 1));
  const RCPtr<LFileDialog> dialog = LFileDialog::Create(window->GetDialogOwner(), chooser, StringW(u"/presets"));
  EXPECT_EQ(dialog->Open(StringW(u"Presets|*.tpr"), StringW(u"tpr"), StringW(u"Open"), false), S_OK);
  EXPECT_EQ(dialog->GetFileName(), StringW(u"/presets/first.tpr"));
  EXPECT_TRUE(watcher.HasSeenPaintWhileOpen());
  dispatcher.Quit(0);
  EXPECT_EQ(dispatcher.Run(), 0);
  EXPECT_THAT(TakeInput(), IsEmpty());
}

// A chooser that asks the program to quit while it is open (as a desktop's
// session end would) and is then answered.
class QuittingChooser : public Platform::IChildProcessRunner {
 public:
  explicit QuittingChooser(OSWindowDispatcher& dispatcher) : mDispatcher(dispatcher) {}
  Platform::ChildProcessResult Run(const std::vector<std::string>&) override {
    mDispatcher.Quit(3);
    return {true, 0, "/presets/saved.tpr\n"};
  }

 private:
  OSWindowDispatcher& mDispatcher;
};

TEST_F(OSWindowFileChooserThreads, AQuitWhileTheChooserIsOpenStillReachesTheOuterLoop) {
  QuittingChooser quitting(dispatcher);
  const RCPtr<LFileDialog> dialog = LFileDialog::Create(window->GetDialogOwner(), quitting, StringW(u"/presets"));
  EXPECT_EQ(dialog->Save(StringW(u"Presets|*.tpr"), StringW(u"tpr"), StringW(u"Save"), -1), S_OK);
  EXPECT_EQ(dialog->GetFileName(), StringW(u"/presets/saved.tpr"));
  EXPECT_EQ(dispatcher.Run(), 3);
}

}  // namespace
}  // namespace HV::Test
