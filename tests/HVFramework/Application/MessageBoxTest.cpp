// The application's message boxes: drawn by the framework in the skin's look
// (a built-in one for a skin that describes none), each a modal dialog of
// the window it was raised over, answered with the keyboard as on any
// desktop; the desktop's plain box only where nobody answers windows.
#include "tests/HVFramework/Application/ApplicationFixture.h"

#include "HVFramework/ControlBase/Views/LDialog.h"
#include "HVFramework/ControlBase/Window/OSWindow.h"

#include <gtest/gtest.h>

#include <vector>

namespace HV::Test {
namespace {

constexpr int32_t kReturn = 0x0D, kEscape = 0x1B, kTab = 0x09;

class MessageBoxes : public ApplicationFixture {
 protected:
  // A key pressed and released in a window that may not be made yet.
  void KeyIn(Platform::WindowId window, int32_t key) {
    Platform::WindowEvent event;
    event.window = window;
    event.key = key;
    event.kind = Platform::WindowEventKind::KeyDown;
    system.Script(event);
    event.kind = Platform::WindowEventKind::KeyUp;
    system.Script(event);
  }
  Platform::WindowId MainWindow() const { return app->GetMainWindow()->GetWindowId(); }
};

TEST_F(MessageBoxes, ABoxIsAModalDialogOfItsWindowAnsweredWithReturnEscapeAndTab) {
  const struct {
    const char* what;
    uint32_t style;
    std::vector<int32_t> keys;
    int32_t result;
  } cases[] = {
      {"OK: Return", 0x00, {kReturn}, 1},
      {"OK alone: Escape answers OK", 0x10, {kEscape}, 1},
      {"OK/Cancel: Return takes the default", 0x21, {kReturn}, 1},
      {"OK/Cancel: Escape cancels", 0x31, {kEscape}, 2},
      {"Yes/No: Return takes Yes", 0x24, {kReturn}, 6},
      {"Yes/No with No the default", 0x124, {kReturn}, 7},
      {"Yes/No: Escape does nothing, the user chooses", 0x24, {kEscape, kReturn}, 6},
      {"Yes/No/Cancel: Escape cancels", 0x23, {kEscape}, 2},
      {"Abort/Retry/Ignore: Return takes Abort", 0x02, {kReturn}, 3},
      {"Retry/Cancel: Tab passes the hidden buttons to Cancel", 0x05, {kTab, kReturn}, 2},
  };
  system.SetHasUser(true);
  OpenApp();
  Platform::WindowId box = MainWindow();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ++box;  // the next window made
    const size_t made = system.GetMadeWindows().size();
    system.ScriptPause();  // the keys come once the box is shown
    for (const int32_t key : c.keys) KeyIn(box, key);
    EXPECT_EQ(app->ShowMessageBox(StringW(u"Send the preset?"), StringW(u"Send Preset"), c.style), c.result);
    ASSERT_EQ(system.GetMadeWindows().size(), made + 1);
    const Platform::WindowSpec& spec = system.GetMadeWindows().back();
    EXPECT_EQ(spec.title, "Send Preset");
    EXPECT_EQ(spec.kind, Platform::WindowKind::Dialog);
    EXPECT_TRUE(spec.isModal);
    EXPECT_FALSE(spec.isResizable);
    EXPECT_EQ(spec.owner, MainWindow());
  }
  EXPECT_TRUE(system.GetShownMessageBoxes().empty()) << "never the desktop's plain box";
}

TEST_F(MessageBoxes, ABoxOpensCentredOverItsWindowInsideTheWorkArea) {
  system.SetHasUser(true);
  system.SetWorkArea({0, 0, 1000, 700});
  OpenApp();
  const RectT<int32_t> main = app->GetMainWindow()->GetClientRect();
  system.ScriptPause();
  KeyIn(MainWindow() + 1, kReturn);
  app->ShowMessageBox(StringW(u"The user guide could not be opened."), StringW(u"Open User Guide Error"), 0x10);
  const RectT<int32_t> box = system.GetMadeWindows().back().rect;
  EXPECT_NEAR(box.x + box.width / 2, main.x + main.width / 2, 1);
  EXPECT_NEAR(box.y + box.height / 2, main.y + main.height / 2, 1);
  EXPECT_GE(box.x, 0);
  EXPECT_LE(box.x + box.width, 1000);
  EXPECT_LE(box.width, 480) << "wrapped at a readable width, not a line across the screen";
}

// The skin's own box when it describes one; the built-in one otherwise.
TEST_F(MessageBoxes, TheSkinsBoxIsUsedWhereItHasOneElseTheBuiltInOne) {
  OpenApp();
  const RCPtr<LMessageBox> builtIn = app->CreateMessageBox(StringW(u"Text"), StringW(u"Caption"), 0x30);
  ASSERT_TRUE(builtIn);
  EXPECT_EQ(builtIn->GetFace().icon, MessageBoxIcon::Warning);
  EXPECT_FALSE(app->GetControlFactory()->FindControlDescriptor(StringW(u"messageBox")));

  const std::string box =
      "<SubControl Class=\"Framework.MessageBox\" Name=\"messageBox\" XSizeAbs=\"300\" YSizeAbs=\"120\">"
      "<SubControl Class=\"Framework.Label\" Name=\"message\" XPositionAbs=\"20\" YPositionAbs=\"20\" "
      "XSizeAbs=\"200\" YSizeAbs=\"20\" TextOverflowXType=\"Wrap\"/>"
      "<SubControl Class=\"Framework.Button\" Name=\"buttonOK\" XPositionAbs=\"20\" YPositionAbs=\"80\" "
      "XSizeAbs=\"120\" YSizeAbs=\"36\"/></SubControl>";
  resources.Add("APP_SKINS", SkinDocument("XPositionAbs=\"40\" YPositionAbs=\"30\" XSizeAbs=\"640\" "
                                          "YSizeAbs=\"480\"/>" + box + "<SubControl Class=\"Framework.Panel\" "
                                          "Name=\"unused\""));
  OpenApp();
  const RCPtr<LMessageBox> skins = app->CreateMessageBox(StringW(u"Text"), StringW(u"Caption"), 0);
  ASSERT_TRUE(skins);
  EXPECT_EQ(skins->GetDescriptor(), app->GetControlFactory()->FindControlDescriptor(StringW(u"messageBox")));
  // The skin's measures: its button's size, its margin.
  ASSERT_EQ(skins->GetGeometry().buttons.size(), 1u);
  EXPECT_EQ(skins->GetGeometry().buttons[0].width, 120);
  EXPECT_EQ(skins->GetGeometry().buttons[0].height, 36);
  EXPECT_EQ(skins->GetGeometry().text.y, 20);
}

// A box raised while a dialog runs modally belongs to that dialog, even
// when the desktop has given the keyboard to the main window meanwhile.
TEST_F(MessageBoxes, ABoxRaisedWhileADialogRunsBelongsToTheDialog) {
  resources.Add("APP_SKINS", SkinDocument("XPositionAbs=\"40\" YPositionAbs=\"30\" XSizeAbs=\"640\" "
                                          "YSizeAbs=\"480\"/><SubControl Class=\"Test.Dialog\" "
                                          "Name=\"dialogTest\" XSizeAbs=\"200\" YSizeAbs=\"100\""));
  MakeApp();
  app->GetControlFactory()->RegisterControlCreateFunction(StringW(u"Test.Dialog"), &LDialog::Create);
  ASSERT_EQ(app->RunApplicationStartup(), S_OK);
  ASSERT_EQ(app->CreateMainWindow(), S_OK);
  ASSERT_TRUE(app->ShowMainWindow());
  const RCPtr<LControl> dialog = app->CreateControl(StringW(u"dialogTest"), nullptr);
  ASSERT_TRUE(dialog);
  const Platform::WindowId dialogWindow = MainWindow() + 1;
  bool isRaised = false;
  dispatcher.SetIdleObserver([&] {
    if (isRaised) return;
    isRaised = true;
    Platform::WindowEvent focus;
    focus.kind = Platform::WindowEventKind::FocusGained;
    focus.window = MainWindow();
    dispatcher.OnEvent(focus);
    app->ShowMessageBox(StringW(u"Error connecting to device."), StringW(u"Send Preset Error"), 0);
    Platform::WindowEvent close;
    close.kind = Platform::WindowEventKind::Close;
    close.window = dialogWindow;
    system.Script(close);
  });
  EXPECT_EQ(app->RunModalWindow(dialog), LDialog::kCancel);
  dispatcher.SetIdleObserver(nullptr);
  ASSERT_TRUE(isRaised);
  ASSERT_EQ(system.GetMessageBoxOwners().size(), 1u);
  EXPECT_EQ(system.GetMessageBoxOwners()[0], dialogWindow);
}

}  // namespace
}  // namespace HV::Test
