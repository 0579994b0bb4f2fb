// The skinned gallery as a framework application on the headless window
// system: the gallery skin builds and draws, its controls answer the
// mouse and the keyboard through the application, and it ends on the close
// box and on Alt+F4.
#include "tools/gallery/GalleryApp.h"

#include "HVFramework/Controls/CheckedListBox/LCheckedListBox.h"
#include "HVFramework/Controls/ComboBox/LComboBox.h"
#include "HVFramework/Controls/ComboSlider/LComboSlider.h"
#include "HVFramework/Controls/ListBox/LListBox.h"
#include "HVFramework/Controls/MultiColumnListBox/LMultiColumnListBox.h"
#include "HVFramework/Controls/TabControl/LTabControl.h"
#include "HVFramework/Controls/TreeView/LTreeView.h"
#include "HVFramework/Platform/UI/HeadlessWindowSystem.h"
#include "HVFramework/Platform/Core/VirtualClock.h"
#include "tests/support/TestFonts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace HV::Gallery {
namespace {

std::string Narrow(const StringW& text) { return std::string(text.ToCharString().GetText()); }

class GalleryAppWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { UseTestFonts(); }
  void SetUp() override {
    system.AdvanceClockInWaits(&clock);
    report = open_memstream(&reportText, &reportSize);
    std::string error;
    app = GalleryApp::Open(dispatcher, {0, 0, 800, 600}, report, error);
    ASSERT_TRUE(app) << error;
    // Input reaches the active window only (a desktop activates the window it shows).
    SendKind(Platform::WindowEventKind::FocusGained);
  }
  void TearDown() override {
    if (app) app->Close();
    app = nullptr;
    std::fclose(report);
    std::free(reportText);
  }

  void Send(Platform::WindowEvent event) {
    event.window = app->GetMainWindow().GetWindowId();
    system.Script(event);
  }
  void SendKind(Platform::WindowEventKind kind) {
    Platform::WindowEvent event;
    event.kind = kind;
    Send(event);
  }
  void Key(int32_t key, uint32_t modifiers = 0) {
    Platform::WindowEvent event;
    event.key = key;
    event.modifiers = modifiers;
    event.kind = Platform::WindowEventKind::KeyDown;
    Send(event);
    event.kind = Platform::WindowEventKind::KeyUp;
    Send(event);
  }
  // A left click at the centre of the control at path ("section/control").
  void ClickOn(const char16_t* path) {
    const RCPtr<LControl> control = Find(path);
    ASSERT_TRUE(control) << Narrow(StringW(path));
    ClickOnControl(*control);
  }
  // A click into the text box, then text typed there.
  void TypeIntoTextBox(const std::string& text) {
    ClickOn(u"sectionText/textBox");
    Platform::WindowEvent typed;
    typed.kind = Platform::WindowEventKind::TextInput;
    typed.text = text;
    Send(typed);
  }
  // Where the tests open the text box's edit menu: inside the box, off its corner.
  LControl::Point TextBoxMenuPoint() const {
    const LControl::Point origin = Find(u"sectionText/textBox")->GetOriginInRoot();
    return {origin.x + 40, origin.y + 10};
  }
  // A left click at the centre of a control.
  void ClickOnControl(const LControl& control) {
    const LControl::Point origin = control.GetOriginInRoot();
    ClickAt(static_cast<int32_t>(origin.x + control.GetRect().width / 2),
            static_cast<int32_t>(origin.y + control.GetRect().height / 2));
  }
  // A left click on the tick box of a list's row (its item control's "checkBox").
  void ClickOnTickBox(const LListBox& list, int32_t slot) {
    LControl* item = list.GetItemControl(slot);
    ASSERT_TRUE(item);
    const RCPtr<LControl> box = item->FindChildControl(StringW(u"checkBox"));
    ASSERT_TRUE(box);
    ClickOnControl(*box);
  }
  void WheelAt(int32_t x, int32_t y, int32_t delta) {
    Platform::WindowEvent event;
    event.kind = Platform::WindowEventKind::Wheel;
    event.x = x;
    event.y = y;
    event.delta = delta;
    Send(event);
  }
  // A click at a point of the window: button 1 left, 4 right.
  void ClickAt(int32_t x, int32_t y, int32_t button = 1) { PressMoveRelease(x, y, x, y, button); }
  void RightClickAt(int32_t x, int32_t y) { ClickAt(x, y, 4); }
  // The left button pressed at one point and released at another.
  void DragFromTo(int32_t x, int32_t y, int32_t toX, int32_t toY) { PressMoveRelease(x, y, toX, toY, 1); }
  void PressMoveRelease(int32_t x, int32_t y, int32_t toX, int32_t toY, int32_t button) {
    Platform::WindowEvent event;
    event.x = x;
    event.y = y;
    event.kind = Platform::WindowEventKind::MouseMove;
    Send(event);
    event.button = button;
    event.kind = Platform::WindowEventKind::MouseDown;
    event.clicks = 1;
    Send(event);
    event.x = toX;
    event.y = toY;
    if (toX != x || toY != y) {
      event.kind = Platform::WindowEventKind::MouseMove;
      Send(event);
    }
    event.kind = Platform::WindowEventKind::MouseUp;
    Send(event);
  }
  // Runs the scripted events, then closes the window from the desktop.
  int32_t RunThenClose() {
    SendKind(Platform::WindowEventKind::Close);
    return app->Run();
  }
  RCPtr<LControl> Find(const char16_t* path) const {
    RCPtr<LControl> control = app->GetMainWindow().GetRootWindow()->GetRootControl();
    std::u16string rest(path);
    while (control && !rest.empty()) {
      const size_t slash = rest.find(u'/');
      control = control->FindChildControl(StringW(rest.substr(0, slash).c_str()));
      rest = slash == std::u16string::npos ? std::u16string() : rest.substr(slash + 1);
    }
    return control;
  }
  std::string TextOf(const char16_t* path) const {
    const RCPtr<LControl> control = Find(path);
    return control ? Narrow(control->GetText()) : "(missing)";
  }
  std::string Reported() {
    std::fflush(report);
    return std::string(reportText, reportSize);
  }

  Platform::VirtualClock clock{1000};
  Platform::HeadlessWindowSystem system;
  OSWindowDispatcher dispatcher{system};
  RCPtr<GalleryApp> app;
  std::FILE* report = nullptr;
  char* reportText = nullptr;
  size_t reportSize = 0;
};

TEST_F(GalleryAppWindow, ShowsEveryControlOfTheSkinAndEndsOnTheCloseBox) {
  const RCPtr<LControl>& root = app->GetMainWindow().GetRootWindow()->GetRootControl();
  ASSERT_TRUE(root);
  EXPECT_EQ(Narrow(root->GetName()), "mainControl");
  // The framework's table made the controls of their own classes.
  for (const char16_t* path :
       {u"sectionButtons/buttonClick", u"sectionText/textBox", u"sectionText/upDown", u"sectionValues/scrollBar",
        u"sectionValues/progressBar", u"sectionValues/levelMeter", u"sectionValues/fileDropper", u"tabs",
        u"scrollView", u"statusBar"})
    EXPECT_TRUE(Find(path)) << Narrow(StringW(path));
  EXPECT_EQ(TextOf(u"statusBar/label1"), "Ready");
  EXPECT_EQ(TextOf(u"labelTitle"), "HV Control Gallery");
  EXPECT_EQ(app->GetStatusBar(), Find(u"statusBar"));

  // The first frame is the whole window, in the window's solid colour where no control is.
  dispatcher.PaintDirtyWindows();
  const RCPtr<Platform::MemoryPresenter> presenter = system.GetMemoryPresenter(app->GetMainWindow().GetWindowId());
  ASSERT_EQ(presenter->GetPresentedRects().size(), 1u);
  EXPECT_EQ(presenter->GetPixel(600, 485), 0xFF24282Eu);
  EXPECT_EQ(RunThenClose(), 0);
  EXPECT_TRUE(app->IsExiting());
}

TEST_F(GalleryAppWindow, ThePushButtonCountsItsClicksOnItsLabelTheStatusBarAndTheReport) {
  ClickOn(u"sectionButtons/buttonClick");
  ClickOn(u"sectionButtons/buttonClick");
  EXPECT_EQ(RunThenClose(), 0);
  EXPECT_EQ(TextOf(u"sectionButtons/labelClicks"), "Clicked 2 times");
  EXPECT_EQ(TextOf(u"statusBar/label1"), "Clicked 2 times");
  // The scripted events all come before the first idle pass, which reports the activation.
  EXPECT_EQ(Reported(),
            "hv-gallery: Clicked 1 time\nhv-gallery: Clicked 2 times\nhv-gallery: the window is active\n");
}

TEST_F(GalleryAppWindow, EnterInTheTextBoxEchoesTheTypedText) {
  ClickOn(u"sectionText/textBox");
  Platform::WindowEvent typed;
  typed.kind = Platform::WindowEventKind::TextInput;
  typed.text = "Hello, gallery";
  Send(typed);
  Key(0x0D);
  EXPECT_EQ(RunThenClose(), 0);
  EXPECT_EQ(TextOf(u"sectionText/labelEcho"), "Entered: Hello, gallery");
  EXPECT_NE(Reported().find("hv-gallery: Entered: Hello, gallery\n"), std::string::npos) << Reported();
}

// Ctrl+C and Ctrl+V are the gallery's hot keys for the clipboard's copy and
// paste requests, which reach the focused text box.
TEST_F(GalleryAppWindow, TheTextBoxCopiesAndPastesWithTheClipboardHotKeys) {
  constexpr uint32_t kLeftCtrl = 0x01 | 0x02, kLeftShift = 0x08 | 0x10;
  constexpr int32_t kLeft = 0x25, kEnd = 0x23;
  ClickOn(u"sectionText/textBox");
  Platform::WindowEvent typed;
  typed.kind = Platform::WindowEventKind::TextInput;
  typed.text = "Hello";
  Send(typed);
  for (int i = 0; i < 3; ++i) Key(kLeft, kLeftShift);  // "llo"
  // A hot key's request is handled in the idle pass after it, as when typed.
  Key('C', kLeftCtrl);
  system.ScriptPause();
  Key(kEnd);
  Key('V', kLeftCtrl);
  system.ScriptPause();
  Key(0x0D);
  EXPECT_EQ(RunThenClose(), 0);
  EXPECT_NE(Reported().find("hv-gallery: Entered: Hellollo\n"), std::string::npos) << Reported();
}

// A right click opens the text box's edit menu at the pointer; its Copy and
// Paste items do what the hot keys do.
TEST_F(GalleryAppWindow, TheTextBoxsEditMenuCopiesAndPastes) {
  constexpr uint32_t kLeftShift = 0x08 | 0x10;
  constexpr int32_t kLeft = 0x25, kEnd = 0x23, kItemHeight = 22;
  const RCPtr<LControl> box = Find(u"sectionText/textBox");
  const LControl::Point origin = box->GetOriginInRoot();
  const int32_t x = static_cast<int32_t>(origin.x) + 40, y = static_cast<int32_t>(origin.y) + 10;
  const auto chooseFromMenu = [&](int32_t item) {
    RightClickAt(x, y);
    system.ScriptPause();
    ClickAt(x + 20, y + item * kItemHeight + kItemHeight / 2);
    system.ScriptPause();
  };
  ClickOn(u"sectionText/textBox");
  Platform::WindowEvent typed;
  typed.kind = Platform::WindowEventKind::TextInput;
  typed.text = "Hello";
  Send(typed);
  Key(kLeft, kLeftShift);
  Key(kLeft, kLeftShift);  // "lo"
  chooseFromMenu(1);       // Cut, Copy, Paste, Delete
  Key(kEnd);
  chooseFromMenu(2);
  Key(0x0D);
  EXPECT_EQ(RunThenClose(), 0);
  EXPECT_EQ(TextOf(u"sectionText/textBox"), "Hellolo");
}

// A text longer than the box scrolls it to the caret; the menu taking the
// focus scrolls it back, and the menu must stay at the pointer all the same.
TEST_F(GalleryAppWindow, TheTextBoxsEditMenuOpensAtThePointerOverALongText) {
  const RCPtr<LControl> box = Find(u"sectionText/textBox");
  const LControl::Point at = TextBoxMenuPoint();
  const int32_t x = static_cast<int32_t>(at.x), y = static_cast<int32_t>(at.y);
  TypeIntoTextBox("a text much longer than the box can show at once");
  RightClickAt(x, y);
  EXPECT_EQ(RunThenClose(), 0);
  const RCPtr<LControl> menu = box->FindChildControl(StringW(u"contextMenu"));
  ASSERT_TRUE(menu && menu->IsVisible(false));
  EXPECT_EQ(menu->GetOriginInRoot().x, x);
  EXPECT_EQ(menu->GetOriginInRoot().y, y);
}

// A text longer than the box: the menu's rows are where they show, and its
// Paste pastes what Ctrl+C copied.
TEST_F(GalleryAppWindow, TheEditMenusPasteOverALongTextPastesTheClipboard) {
  constexpr uint32_t kLeftCtrl = 0x01 | 0x02, kLeftShift = 0x08 | 0x10;
  constexpr int32_t kHome = 0x24, kEnd = 0x23, kItemHeight = 22;
  const std::string text = "a text much longer than the box can show at once";
  const LControl::Point at = TextBoxMenuPoint();
  const int32_t x = static_cast<int32_t>(at.x), y = static_cast<int32_t>(at.y);
  TypeIntoTextBox(text);
  Key(kHome, kLeftShift);
  Key('C', kLeftCtrl);
  system.ScriptPause();
  Key(kEnd);
  RightClickAt(x, y);
  system.ScriptPause();
  ClickAt(x + 20, y + 2 * kItemHeight + kItemHeight / 2);  // Paste
  system.ScriptPause();
  EXPECT_EQ(RunThenClose(), 0);
  EXPECT_EQ(TextOf(u"sectionText/textBox"), text + text);
}

// The menu's focused look draws a line under the rows: the menu grows by
// it, and Down to its last row scrolls nothing.
TEST_F(GalleryAppWindow, DownToTheLastRowOfTheEditMenuKeepsEveryRowShown) {
  const RCPtr<LControl> box = Find(u"sectionText/textBox");
  TypeIntoTextBox("Hello");
  Key(0x24, 0x08 | 0x10);  // Shift+Home: Cut, Copy and Delete enabled
  RightClickAt(static_cast<int32_t>(TextBoxMenuPoint().x), static_cast<int32_t>(TextBoxMenuPoint().y));
  system.ScriptPause();
  for (int i = 0; i < 3; ++i) Key(0x28);  // Down to Delete
  EXPECT_EQ(RunThenClose(), 0);
  const RCPtr<LListBox> menu = DynamicCast<LListBox>(box->FindChildControl(StringW(u"contextMenu")));
  ASSERT_TRUE(menu && menu->IsVisible(false));
  EXPECT_EQ(menu->GetCaretIndex(), 3);
  EXPECT_EQ(menu->GetFirstVisibleIndex(), 0);
  EXPECT_EQ(menu->GetScrollOffset().y, 0);
  EXPECT_GE(menu->GetClientOffsets(-1).height, 4 * menu->GetItemHeight());
}

TEST_F(GalleryAppWindow, TheToggleAndTheRadioPairKeepTheirStates) {
  ClickOn(u"sectionButtons/buttonToggle");
  ClickOn(u"sectionButtons/radioRight");
  EXPECT_EQ(RunThenClose(), 0);
  EXPECT_GE(Find(u"sectionButtons/buttonToggle")->GetNormalizedValue(), 0.5);
  EXPECT_GE(Find(u"sectionButtons/radioRight")->GetNormalizedValue(), 0.5);
  EXPECT_LT(Find(u"sectionButtons/radioLeft")->GetNormalizedValue(), 0.5);
}

TEST_F(GalleryAppWindow, TheSecondTabShowsTheListBoxWithItsItems) {
  ClickOn(u"tabs/buttonHolder/tabSecond");
  EXPECT_EQ(RunThenClose(), 0);
  EXPECT_FALSE(Find(u"tabs/pageHolder/pageFirst")->IsVisible(false));
  ASSERT_TRUE(Find(u"tabs/pageHolder/pageSecond")->IsVisible(false));
  const RCPtr<LListBox> list = DynamicCast<LListBox>(Find(u"tabs/pageHolder/pageSecond/listBox"));
  ASSERT_TRUE(list);
  EXPECT_EQ(list->GetItemCount(), 8);
  EXPECT_EQ(Narrow(list->GetItemText(0)), "Grand Piano");
  // The selected tab's button shows as on, the others as off.
  EXPECT_GE(Find(u"tabs/buttonHolder/tabSecond")->GetNormalizedValue(), 0.5);
  EXPECT_LT(Find(u"tabs/buttonHolder/tabFirst")->GetNormalizedValue(), 0.5);
  EXPECT_LT(Find(u"tabs/buttonHolder/tabThird")->GetNormalizedValue(), 0.5);
}

TEST_F(GalleryAppWindow, TheTabPagesHoldTheListAndTreeControlsTheSplittersAndTheMoreValueControls) {
  for (const char16_t* path :
       {u"tabs/pageHolder/pageSecond/centeredSlider", u"tabs/pageHolder/pageSecond/comboSlider",
        u"tabs/pageHolder/pageSecond/checkedCombo", u"tabs/pageHolder/pageThird/treeView",
        u"tabs/pageHolder/pageThird/checkedList", u"tabs/pageHolder/pageThird/splitterV",
        u"tabs/pageHolder/pageThird/splitterH"})
    EXPECT_TRUE(Find(path)) << Narrow(StringW(path));
  // The string table fills the checked lists; the gallery makes the tree's branches.
  const RCPtr<LTreeView> tree = DynamicCast<LTreeView>(Find(u"tabs/pageHolder/pageThird/treeView"));
  ASSERT_TRUE(tree);
  EXPECT_EQ(tree->GetItemCount(), 7);
  EXPECT_EQ(tree->GetParentIndex(2), 1);
  EXPECT_EQ(tree->GetParentIndex(6), 4);
  const RCPtr<LCheckedListBox> list = DynamicCast<LCheckedListBox>(Find(u"tabs/pageHolder/pageThird/checkedList"));
  ASSERT_TRUE(list);
  EXPECT_EQ(Narrow(list->GetItemText(0)), "Velocity");
  const RCPtr<LComboSlider> comboSlider = DynamicCast<LComboSlider>(Find(u"tabs/pageHolder/pageSecond/comboSlider"));
  ASSERT_TRUE(comboSlider);
  EXPECT_EQ(Narrow(comboSlider->GetText()), "100");
  EXPECT_EQ(Find(u"tabs/pageHolder/pageSecond/centeredSlider")->GetValue(), 24);
}

// Pixels of a rectangle of the window as last presented, row by row.
std::vector<uint32_t> PixelsOf(const Platform::MemoryPresenter& presenter, const LControl& control) {
  const LControl::Point origin = control.GetOriginInRoot();
  std::vector<uint32_t> pixels;
  for (int32_t y = 0; y < static_cast<int32_t>(control.GetRect().height); ++y)
    for (int32_t x = 0; x < static_cast<int32_t>(control.GetRect().width); ++x)
      pixels.push_back(presenter.GetPixel(static_cast<int32_t>(origin.x) + x, static_cast<int32_t>(origin.y) + y));
  return pixels;
}

// The tab pages lie on top of each other: what a hidden page showed must
// not stay on the screen under the page now shown.
TEST_F(GalleryAppWindow, EveryTabShownLooksAsAFreshlyPaintedWindowShowsIt) {
  const RCPtr<LControl> tabs = Find(u"tabs");
  const RCPtr<Platform::MemoryPresenter> presenter = system.GetMemoryPresenter(app->GetMainWindow().GetWindowId());
  for (const char16_t* tab : {u"tabs/buttonHolder/tabSecond", u"tabs/buttonHolder/tabThird",
                              u"tabs/buttonHolder/tabFirst"}) {
    SCOPED_TRACE(Narrow(StringW(tab)));
    dispatcher.PaintDirtyWindows();  // the page before
    ClickOn(tab);
    SendKind(Platform::WindowEventKind::Close);
    EXPECT_EQ(app->Run(), 0);
    dispatcher.PaintDirtyWindows();
    const std::vector<uint32_t> shown = PixelsOf(*presenter, *tabs);
    app->GetMainWindow().GetRootWindow()->InvalidateAll();
    dispatcher.PaintDirtyWindows();
    EXPECT_TRUE(shown == PixelsOf(*presenter, *tabs));
  }
}

// Tab walks every control that takes the focus on the window and on the page
// shown, never into the hidden pages, and comes round again.
TEST_F(GalleryAppWindow, TabWalksTheShownControlsAndSkipsTheHiddenPages) {
  LRootWindow& root = *app->GetMainWindow().GetRootWindow();
  const RCPtr<LControl> hiddenPages[] = {Find(u"tabs/pageHolder/pageSecond"), Find(u"tabs/pageHolder/pageThird")};
  const auto isInside = [](const LControl* control, const LControl* ancestor) {
    for (; control; control = control->GetParent())
      if (control == ancestor) return true;
    return false;
  };
  // The loop makes the window active: the window, not the top-level panel,
  // takes the Tab round at the end of the order, and only while it is active.
  SendKind(Platform::WindowEventKind::Close);
  ASSERT_EQ(app->Run(), 0);
  // Keys straight to the root window: the script would run them only with the loop.
  Find(u"sectionButtons/buttonClick")->SetFocus(true);
  KeyCode tab;
  tab.code = (0x09u << 16) | KeyCode::kVirtualKeyFlag;
  std::vector<const LControl*> walked;
  for (int i = 0; i < 80; ++i) {
    root.OnKey(LKeyParam::Create(tab));
    const LControl* focus = root.GetFocusControl();
    ASSERT_TRUE(focus);
    for (const RCPtr<LControl>& page : hiddenPages)
      EXPECT_FALSE(isInside(focus, page.Get())) << Narrow(focus->GetName());
    walked.push_back(focus);
  }
  const LControl* table = Find(u"tabs/pageHolder/pageFirst/table/listboxNoScroll1").Get();
  EXPECT_NE(std::find(walked.begin(), walked.end(), table), walked.end());
  EXPECT_NE(std::find(walked.begin(), walked.end(), Find(u"sectionText/textBox").Get()), walked.end());
  // Round and round: the first stop comes again.
  EXPECT_NE(std::find(walked.begin() + 1, walked.end(), walked.front()), walked.end());
}

// The table on the first page: a heading sorts the rows, the wheel scrolls
// both columns, a click selects a whole row.
TEST_F(GalleryAppWindow, TheTableSortsByAHeadingScrollsAndReportsTheRowClicked) {
  const RCPtr<LMultiColumnListBox> table = DynamicCast<LMultiColumnListBox>(Find(u"tabs/pageHolder/pageFirst/table"));
  ASSERT_TRUE(table);
  ASSERT_EQ(table->GetColumnCount(), 2);
  EXPECT_EQ(Narrow(table->GetCellText(0, 0)), "Grand Piano");
  EXPECT_EQ(Narrow(Find(u"tabs/pageHolder/pageFirst/table/buttonColumnHeader2")->GetText()), "Category");
  ClickOn(u"tabs/pageHolder/pageFirst/table/buttonColumnHeader2");  // by category, A to Z
  const LListBox& second = *table->GetColumn(1);
  const LControl::Point origin = second.GetOriginInRoot();
  const int32_t rowHeight = static_cast<int32_t>(second.GetItemHeight());
  WheelAt(static_cast<int32_t>(origin.x) + 20, static_cast<int32_t>(origin.y) + rowHeight / 2, -120);
  ClickAt(static_cast<int32_t>(origin.x) + 20, static_cast<int32_t>(origin.y) + rowHeight / 2);
  EXPECT_EQ(RunThenClose(), 0);
  // Bass, Bass, Guitar, Keys, ...: the first row on screen is the wheel's step down.
  const int32_t first = table->GetColumn(0)->GetFirstVisibleIndex();
  EXPECT_GT(first, 0);
  EXPECT_EQ(second.GetFirstVisibleIndex(), first);
  EXPECT_EQ(Narrow(table->GetCellText(1, 0)), "Bass");
  EXPECT_EQ(Narrow(table->GetCellText(1, 9)), "Voice");
  const std::string row = Narrow(table->GetCellText(0, first)) + ", " + Narrow(table->GetCellText(1, first));
  EXPECT_TRUE(table->GetColumn(0)->IsItemSelected(first));
  EXPECT_NE(Reported().find("hv-gallery: Table: " + row + "\n"), std::string::npos) << Reported();
}

// The second page: the centred slider dragged to its right end, an item of
// the checked combo's list ticked.
TEST_F(GalleryAppWindow, TheSecondPagesCentredSliderAndCheckedComboAnswerTheMouse) {
  // The page is laid out as it shows: the points to press are read after that.
  ASSERT_EQ(DynamicCast<LTabControl>(Find(u"tabs"))->SelectPage(StringW(u"tabSecond")), S_OK);
  dispatcher.PaintDirtyWindows();
  const RCPtr<LControl> centred = Find(u"tabs/pageHolder/pageSecond/centeredSlider");
  const RCPtr<LControl> thumb = Find(u"tabs/pageHolder/pageSecond/centeredSlider/thumb");
  const RCPtr<LComboBox> combo = DynamicCast<LComboBox>(Find(u"tabs/pageHolder/pageSecond/checkedCombo"));
  ASSERT_TRUE(centred && thumb && combo);
  const LControl::Point at = thumb->GetOriginInRoot();
  const LControl::Point end = centred->GetOriginInRoot();
  DragFromTo(static_cast<int32_t>(at.x + 6), static_cast<int32_t>(at.y + 11),
             static_cast<int32_t>(end.x + centred->GetRect().width + 20), static_cast<int32_t>(at.y + 11));
  // A closed list makes its rows when it first opens, which happens only
  // once the scripted events run: the rows are made now, to aim at one.
  combo->GetListBox()->DeferItemControls(false);
  ClickOnControl(*combo);                    // drops the list down
  ClickOnTickBox(*combo->GetListBox(), 1);  // "Octave"
  EXPECT_EQ(RunThenClose(), 0);
  EXPECT_EQ(centred->GetValue(), 63);
  EXPECT_TRUE(DynamicCast<LCheckedListBox>(RCPtr<LControl>(combo->GetListBox()))->IsItemChecked(1));
  EXPECT_NE(Reported().find("hv-gallery: Centred slider: 63\n"), std::string::npos) << Reported();
  EXPECT_NE(Reported().find("hv-gallery: Checked: Octave ticked\n"), std::string::npos) << Reported();
}

// The third page: a branch of the tree closed by its tick box, an item of the
// checked list ticked, the bar between them dragged.
TEST_F(GalleryAppWindow, TheThirdPagesTreeCheckedListAndSplitterAnswerTheMouse) {
  ClickOn(u"tabs/buttonHolder/tabThird");
  const RCPtr<LTreeView> tree = DynamicCast<LTreeView>(Find(u"tabs/pageHolder/pageThird/treeView"));
  const RCPtr<LCheckedListBox> list = DynamicCast<LCheckedListBox>(Find(u"tabs/pageHolder/pageThird/checkedList"));
  const RCPtr<LControl> splitter = Find(u"tabs/pageHolder/pageThird/splitterV");
  ASSERT_TRUE(tree && list && splitter);
  const double treeWidth = tree->GetRect().width;
  ClickOnTickBox(*tree, 1);  // "Zones", open
  ClickOnTickBox(*list, 1);  // "Aftertouch"
  const LControl::Point bar = splitter->GetOriginInRoot();
  DragFromTo(static_cast<int32_t>(bar.x + 3), static_cast<int32_t>(bar.y + 70), static_cast<int32_t>(bar.x + 33),
             static_cast<int32_t>(bar.y + 70));
  EXPECT_EQ(RunThenClose(), 0);
  EXPECT_FALSE(tree->IsItemChecked(1));
  EXPECT_TRUE(list->IsItemChecked(1));
  EXPECT_EQ(tree->GetRect().width, treeWidth + 30);
  EXPECT_NE(Reported().find("hv-gallery: Tree: Zones closed\n"), std::string::npos) << Reported();
  EXPECT_NE(Reported().find("hv-gallery: Checked: Aftertouch ticked\n"), std::string::npos) << Reported();
}

TEST_F(GalleryAppWindow, TheSliderAndTheKnobReportTheirValues) {
  ClickOn(u"sectionSliders/knob");  // the focus, for the keys
  Key(0x26);                         // Up: one step
  EXPECT_EQ(RunThenClose(), 0);
  EXPECT_EQ(Find(u"sectionSliders/knob")->GetValue(), 65);
  EXPECT_NE(Reported().find("hv-gallery: Knob: 65\n"), std::string::npos) << Reported();
}

TEST_F(GalleryAppWindow, TheComboBoxOpensItsListAndReportsTheItemChosen) {
  const RCPtr<LComboBox> combo = DynamicCast<LComboBox>(Find(u"sectionCombo/comboBox"));
  ASSERT_TRUE(combo);
  EXPECT_EQ(Narrow(combo->GetText()), "Channel 1");
  ClickOn(u"sectionCombo/comboBox");
  Key(0x28);  // Down
  Key(0x0D);  // Enter
  EXPECT_EQ(RunThenClose(), 0);
  EXPECT_EQ(combo->GetSelectedIndex(), 1);
  EXPECT_NE(Reported().find("hv-gallery: Combo box: Channel 2\n"), std::string::npos) << Reported();
}

TEST_F(GalleryAppWindow, TheMenuBarHasTheTitlesOfItsStringTable) {
  const RCPtr<LControl> bar = Find(u"mainMenu");
  ASSERT_TRUE(bar);
  std::vector<std::string> titles;
  for (const RCPtr<LControl>& title : bar->GetChildren().Snapshot()) titles.push_back(Narrow(title->GetText()));
  EXPECT_EQ(titles, (std::vector<std::string>{"File", "Help"}));
}

TEST_F(GalleryAppWindow, HelpAboutFromTheMenuBarReportsTheProductVersion) {
  const RCPtr<LControl> bar = Find(u"mainMenu");
  ASSERT_TRUE(bar);
  const std::vector<RCPtr<LControl>> titles = bar->GetChildren().Snapshot();
  ASSERT_EQ(titles.size(), 2u);
  ClickOnControl(*titles[1]);  // Help
  system.ScriptPause();
  Key(0x28);  // Down: About
  Key(0x0D);
  EXPECT_EQ(RunThenClose(), 0);
  EXPECT_NE(Reported().find("hv-gallery: About: HV Gallery 1.0\n"), std::string::npos) << Reported();
}

// Escape closes the menu bar's open menu wherever the pointer is, and the
// focus goes back to the control that had it.
class GalleryMenuBarEscape : public GalleryAppWindow, public ::testing::WithParamInterface<bool> {};

TEST_P(GalleryMenuBarEscape, ClosesTheOpenMenuAndReturnsTheFocus) {
  const bool pointerOnMenu = GetParam();
  const RCPtr<LControl> bar = Find(u"mainMenu");
  ASSERT_TRUE(bar);
  const RCPtr<LControl> file = bar->GetChildren().Snapshot().front();
  const RCPtr<LControl> menu = file->FindChildControl(StringW(u"popupMenu"));
  ASSERT_TRUE(menu);
  const LControl::Point title = file->GetOriginInRoot();
  ClickOn(u"sectionText/textBox");
  ClickOnControl(*file);
  system.ScriptPause();
  Platform::WindowEvent moved;
  moved.kind = Platform::WindowEventKind::MouseMove;
  moved.x = pointerOnMenu ? static_cast<int32_t>(title.x) + 20 : 700;
  moved.y = pointerOnMenu ? static_cast<int32_t>(title.y) + 40 : 500;
  Send(moved);
  EXPECT_EQ(RunThenClose(), 0);
  ASSERT_TRUE(menu->IsVisible(false));
  KeyCode escape;
  escape.code = (0x1Bu << 16) | KeyCode::kVirtualKeyFlag;
  LRootWindow& root = *app->GetMainWindow().GetRootWindow();
  root.OnKey(LKeyParam::Create(escape));
  EXPECT_FALSE(menu->IsVisible(false));
  EXPECT_EQ(root.GetFocusControl(), Find(u"sectionText/textBox").Get());
}

INSTANTIATE_TEST_SUITE_P(PointerOnOrOffTheMenu, GalleryMenuBarEscape, ::testing::Bool());

TEST_F(GalleryAppWindow, ASecondInstancesCommandLineIsReported) {
  dispatcher.ReceiveOtherInstanceCommandLine("hv-gallery --skin --instance-name x");
  EXPECT_EQ(RunThenClose(), 0);
  EXPECT_NE(Reported().find("hv-gallery: another instance was started with: hv-gallery --skin --instance-name x\n"),
            std::string::npos)
      << Reported();
}

TEST_F(GalleryAppWindow, AltF4AsksTheApplicationToExit) {
  Key(0x73, 0x40 | 0x80);  // F4 with the left Alt key
  EXPECT_EQ(app->Run(), 0);
  EXPECT_TRUE(app->IsExiting());
}

}  // namespace
}  // namespace HV::Gallery
