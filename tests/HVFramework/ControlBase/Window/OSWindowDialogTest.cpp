// Dialog windows and the keyboard: a dialog's window is captioned with its
// label, a modal dialog of the window it was opened from for the desktop,
// centred over that window inside the work area, and not resizable; a
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

// Wherever the user moved the window a dialog is opened from, the dialog
// opens centred over it, moved into the work area with its frame when the
// window stands near an edge.
TEST_F(OSWindowDialogs, ADialogOpensCentredOverItsOwnerInsideTheWorkArea) {
  using Rect = RectT<int32_t>;
  const struct {
    const char* what;
    Rect owner;
    Rect opened;  // the realDialog's 200 x 120
  } cases[] = {
      {"where the skin put the owner", {100, 50, 400, 300}, {200, 140, 200, 120}},
      {"the owner moved", {600, 300, 400, 300}, {700, 390, 200, 120}},
      {"the owner near the right and bottom edges", {900, 600, 400, 300}, {799, 579, 200, 120}},
      {"the owner partly above the area", {-150, -100, 300, 200}, {1, 44, 200, 120}},
  };
  system.SetWorkArea({0, 24, 1000, 676});
  system.SetFrameExtents({1, 20, 1, 1});
  for (const auto& c : cases) {
    const RCPtr<OSWindow> main = Open(u"main", c.owner);
    main->SetClientRect(c.owner);  // as the user left it
    const RCPtr<LControl> dialog = factory.CreateControl(TopLevel(u"realDialog"), nullptr);
    ASSERT_EQ(dispatcher.RunControlInRootWindow(dialog, false), S_OK) << c.what;
    OSWindow* window = SecondWindow();
    ASSERT_TRUE(window) << c.what;
    EXPECT_EQ(window->GetClientRect(), c.opened) << c.what;
    window->Destroy();
    main->Destroy();
  }
}

// What the desktop is asked for: a dialog window of its owner, modal to it
// when it runs modally, with no frame that sizes it.
TEST_F(OSWindowDialogs, AModalRunMakesAModalDialogWindowOfItsOwner) {
  const RCPtr<OSWindow> main = Open(u"main");
  main->Show(true);
  Focus(*main);
  SetApplicationWindowRunner(&dispatcher);
  const RCPtr<LDialog> dialog = DynamicCast<LDialog>(factory.CreateControl(TopLevel(u"realDialog"), nullptr));
  ASSERT_TRUE(dialog);
  Platform::WindowEvent close;
  close.kind = Platform::WindowEventKind::Close;
  close.window = main->GetWindowId() + 1;
  system.Script(close);
  EXPECT_EQ(dialog->DoModal(), LDialog::kCancel);
  SetApplicationWindowRunner(nullptr);
  ASSERT_EQ(system.GetMadeWindows().size(), 2u);
  const Platform::WindowSpec& made = system.GetMadeWindows()[1];
  EXPECT_EQ(made.kind, Platform::WindowKind::Dialog);
  EXPECT_TRUE(made.isModal);
  EXPECT_EQ(made.owner, main->GetWindowId());
  EXPECT_FALSE(made.isResizable);
  EXPECT_EQ(system.GetMadeWindows()[0].kind, Platform::WindowKind::Normal);
  // Shown without a modal loop, a dialog is not modal.
  const RCPtr<LControl> modeless = factory.CreateControl(TopLevel(u"realDialog"), nullptr);
  ASSERT_EQ(dispatcher.RunControlInRootWindow(modeless, false), S_OK);
  ASSERT_EQ(system.GetMadeWindows().size(), 3u);
  EXPECT_EQ(system.GetMadeWindows()[2].kind, Platform::WindowKind::Dialog);
  EXPECT_FALSE(system.GetMadeWindows()[2].isModal);
  SecondWindow()->Destroy();
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
