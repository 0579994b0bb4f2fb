// Dialog windows and the keyboard: a dialog's window is captioned with its
// label, kept above the window it was opened from and not resizable; a
// window can ask the desktop for the keyboard.
#include "tests/HVFramework/ControlBase/Window/OSWindowFixture.h"

#include <gtest/gtest.h>

namespace HV::Test {
namespace {

class OSWindowDialogs : public OSWindowFixture {
 protected:
  void LoadDialogLabel(const std::string& label) {
    resources.Add("STRINGS",
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Halvern_StringTable_Definitions><Application "
                  "Name=\"App\"><StringTable ID=\"App|realDialog\"><String ID=\"LABEL\"><Locale LCID=\"9\">" +
                      label + "</Locale></String></StringTable></Application></Halvern_StringTable_Definitions>");
    EXPECT_EQ(factory.LoadStringTables(StringW(u"::STRINGS"), StringW(u"::NONE"), 9), S_OK);
  }
  // The OS window the runner made for the application's second root window.
  static OSWindow* SecondWindow() {
    if (GetApplicationRootWindowCount() < 2) return nullptr;
    return dynamic_cast<OSWindow*>(GetApplicationRootWindowAt(1)->GetHost());
  }
};

TEST_F(OSWindowDialogs, ADialogsWindowHasItsLabelAsCaptionStaysAboveTheActiveWindowAndKeepsItsSize) {
  LoadDialogLabel("Send preset");
  const RCPtr<OSWindow> main = Open(u"main");
  const RCPtr<OSWindow> other = Open(u"main", {600, 50, 300, 200});
  main->Show(true);
  other->Show(true);
  Focus(*other);  // the dialog is opened from the window that has the keyboard
  const RCPtr<LControl> dialog = factory.CreateControl(TopLevel(u"realDialog"), nullptr);
  ASSERT_EQ(dispatcher.RunControlInRootWindow(dialog, false), S_OK);
  ASSERT_EQ(GetApplicationRootWindowCount(), 3);
  auto* window = dynamic_cast<OSWindow*>(GetApplicationRootWindowAt(2)->GetHost());
  ASSERT_TRUE(window);
  std::string title;
  ASSERT_TRUE(system.GetWindowTitle(window->GetWindowId(), title));
  EXPECT_EQ(title, "Send preset");
  EXPECT_EQ(system.GetOwner(window->GetWindowId()), other->GetWindowId());
  Platform::SizeLimits limits;
  ASSERT_TRUE(system.GetSizeLimits(window->GetWindowId(), limits));
  EXPECT_FALSE(limits.isResizable);
  window->Destroy();
}

TEST_F(OSWindowDialogs, WithoutAnActiveWindowADialogStaysAboveTheMainWindow) {
  const RCPtr<OSWindow> main = Open(u"main");
  const RCPtr<LControl> dialog = factory.CreateControl(TopLevel(u"realDialog"), nullptr);
  ASSERT_EQ(dispatcher.RunControlInRootWindow(dialog, false), S_OK);
  OSWindow* window = SecondWindow();
  ASSERT_TRUE(window);
  EXPECT_EQ(system.GetOwner(window->GetWindowId()), main->GetWindowId());
  std::string title = "unset";
  ASSERT_TRUE(system.GetWindowTitle(window->GetWindowId(), title));
  EXPECT_EQ(title, "");  // no label, no caption (never the control's name)
  window->Destroy();
}

TEST_F(OSWindowDialogs, AWindowThatTakesTheKeyboardIsActivatedByTheDesktop) {
  const RCPtr<OSWindow> first = Open(u"main");
  const RCPtr<OSWindow> second = Open(u"main", {600, 50, 300, 200});
  first->Show(true);
  Focus(*first);
  second->TakeKeyboardFocus();  // hidden: the desktop cannot activate it
  second->Show(true);
  second->TakeKeyboardFocus();
  dispatcher.Quit(0);
  EXPECT_EQ(dispatcher.Run(), 0);
  EXPECT_TRUE(second->IsActive());
}

}  // namespace
}  // namespace HV::Test
