// The combo box: the press toggle, focus loss, keys, the list's placement in
// the window, the selection and its one notification per change, texts in any
// letter case, inserted and appended items, hovering and Return in the list.
#include "HVFramework/Controls/ComboBox/LComboBox.h"
#include "HVFramework/Controls/TextBox/LTextValidationParams.h"
#include "HVFramework/ObjectBase/WrapperStringable.h"
#include "tests/HVFramework/Controls/ComboBox/ComboFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace HV::Test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr uint32_t kEscape = 0x1B;  // the arrow and Return keys come with the list fixture

class ComboBox : public ComboFixture {
 protected:
  static std::vector<std::string> Numbered(int count) {
    std::vector<std::string> items;
    for (int i = 0; i < count; ++i) items.push_back("item" + std::to_string(i));
    return items;
  }
};

TEST_F(ComboBox, StartsClosedWithTheInitialItemAndSendsNothing) {
  LComboBox& combo = OpenCombo({"Alpha", "Beta", "Gamma"});
  EXPECT_FALSE(combo.IsDropDownShown());
  EXPECT_EQ(combo.GetSelectedIndex(), 0);
  EXPECT_EQ(Narrow(combo.GetText()), "Alpha");
  EXPECT_EQ(Narrow(combo.GetItemText(2)), "Gamma");
  EXPECT_THAT(Take(), IsEmpty());
}

TEST_F(ComboBox, PressPressPressTogglesTheList) {
  LComboBox& combo = OpenCombo({"Alpha", "Beta", "Gamma"});
  std::vector<bool> shown;
  for (int press = 0; press < 3; ++press) {
    ClickOn(combo);
    shown.push_back(combo.IsDropDownShown());
  }
  EXPECT_EQ(shown, (std::vector<bool>{true, false, true}));
  EXPECT_THAT(Take(), ElementsAre("combo:NID_DROPDOWN_OPENING", "combo:NID_DROPDOWN_OPENING"));
}

TEST_F(ComboBox, LosingTheFocusCloses) {
  LComboBox& combo = OpenCombo({"Alpha", "Beta"});
  ClickOn(combo);
  ASSERT_TRUE(combo.IsDropDownShown());
  ClickOn(*Find(u"other"));
  EXPECT_FALSE(combo.IsDropDownShown());
  EXPECT_EQ(combo.GetSelectedIndex(), 0);
}

TEST_F(ComboBox, KeysOpenAndEscapeCloses) {
  LComboBox& combo = OpenCombo({"Alpha", "Beta"});
  ASSERT_EQ(combo.SetFocus(true), S_OK);
  Key(kDown);
  EXPECT_TRUE(combo.IsDropDownShown());
  Key(kEscape);  // the list has the focus now: it reaches the combo box as a child's key
  EXPECT_FALSE(combo.IsDropDownShown());
  ASSERT_EQ(combo.SetFocus(true), S_OK);
  Key(kReturn);
  EXPECT_TRUE(combo.IsDropDownShown());
  EXPECT_EQ(combo.GetSelectedIndex(), 0);
}

TEST_F(ComboBox, MovingInTheOpenListAndReturnChooseAnItem) {
  LComboBox& combo = OpenCombo({"Alpha", "Beta", "Gamma"});
  ClickOn(combo);
  LListBox& list = *combo.GetListBox();
  ASSERT_TRUE(combo.IsDropDownShown());
  EXPECT_TRUE(list.HasFocus());
  EXPECT_TRUE(list.IsItemSelected(0));  // the shown text's item
  Take();
  Key(kDown);
  Key(kDown);
  EXPECT_TRUE(list.IsItemSelected(2));
  EXPECT_EQ(combo.GetSelectedIndex(), 0);  // moving in the list chooses nothing yet
  EXPECT_THAT(Take(), IsEmpty());
  Key(kReturn);
  EXPECT_FALSE(combo.IsDropDownShown());
  EXPECT_EQ(combo.GetSelectedIndex(), 2);
  EXPECT_EQ(Narrow(combo.GetText()), "Gamma");
  EXPECT_THAT(Take(), ElementsAre("combo:NID_SELECTION_CHANGE"));
}

TEST_F(ComboBox, PressDragAndReleaseInTheListChooses) {
  LComboBox& combo = OpenCombo({"Alpha", "Beta", "Gamma"});
  const LRootWindow::Point at = CentreOf(combo);
  Press(at.x, at.y);
  LListBox& list = *combo.GetListBox();
  ASSERT_TRUE(combo.IsDropDownShown());
  // The list took the capture at the press point, in its own coordinates.
  EXPECT_DOUBLE_EQ(combo.GetPressPoint().y, 10 - 20);
  Take();
  const LRootWindow::Point item = CentreOf(*list.GetItemControl(1));
  Move(item.x, item.y);
  // Hovering with the button held follows the pointer in the list only.
  EXPECT_TRUE(list.IsItemSelected(1));
  EXPECT_EQ(combo.GetSelectedIndex(), 0);
  EXPECT_THAT(Take(), IsEmpty());
  Release(item.x, item.y);
  EXPECT_EQ(combo.GetSelectedIndex(), 1);
  EXPECT_THAT(Take(), ElementsAre("combo:NID_SELECTION_CHANGE"));
  EXPECT_FALSE(combo.IsDropDownShown());
}

TEST_F(ComboBox, AReleaseFarOutsideClosesTheOpenList) {
  LComboBox& combo = OpenCombo({"Alpha", "Beta", "Gamma"});
  const LRootWindow::Point at = CentreOf(combo);
  Press(at.x, at.y);
  ASSERT_TRUE(combo.IsDropDownShown());
  Release(2000, 2000);
  EXPECT_FALSE(combo.GetListBox()->IsVisible());
  EXPECT_EQ(combo.GetSelectedIndex(), 0);
}

// The open list lies outside the combo box: the pointer reaches it because
// controls that do not clip to their parent are hit first, wherever they lie.
TEST_F(ComboBox, AClickOnAnItemOfTheOpenListChoosesIt) {
  LComboBox& combo = OpenCombo({"Alpha", "Beta", "Gamma"});
  ClickOn(combo);
  LListBox& list = *combo.GetListBox();
  ASSERT_TRUE(combo.IsDropDownShown());
  Take();
  const LRootWindow::Point item = CentreOf(*list.GetItemControl(2));
  Move(item.x, item.y);
  EXPECT_TRUE(list.IsItemSelected(2));  // hovering with no button held
  EXPECT_EQ(combo.GetSelectedIndex(), 0);
  Click(item.x, item.y);
  EXPECT_EQ(combo.GetSelectedIndex(), 2);
  EXPECT_THAT(Take(), ElementsAre("combo:NID_SELECTION_CHANGE"));
  EXPECT_FALSE(combo.IsDropDownShown());
}

TEST_F(ComboBox, SelectionSendsOnceAndOnlyForAChange) {
  LComboBox& combo = OpenCombo({"Alpha", "Beta", "Gamma"});
  EXPECT_EQ(combo.SetSelectedIndex(2), 2);
  EXPECT_EQ(combo.SetSelectedIndex(2), 2);
  EXPECT_THAT(Take(), ElementsAre("combo:NID_SELECTION_CHANGE"));
  EXPECT_EQ(combo.SetSelectedIndex(-1), -1);
  EXPECT_EQ(Narrow(combo.GetText()), "Gamma");
  EXPECT_EQ(combo.SetSelectedIndex(7), -1);
  EXPECT_THAT(Take(), IsEmpty());
}

TEST_F(ComboBox, TextsFindTheirItemInAnyLetterCase) {
  LComboBox& combo = OpenCombo({"Alpha", "Beta", "Gamma"});
  EXPECT_EQ(combo.SetText(StringW(u"gAMMA")), S_OK);
  EXPECT_EQ(combo.GetSelectedIndex(), 2);
  EXPECT_EQ(Narrow(combo.GetText()), "Gamma");
  EXPECT_EQ(combo.SetText(StringW(u"Delta")), S_OK);
  EXPECT_EQ(combo.GetSelectedIndex(), -1);
  EXPECT_EQ(Narrow(combo.GetText()), "Delta");
  EXPECT_EQ(combo.SetText(StringW(u"Delta")), S_FALSE);
}

TEST_F(ComboBox, InsertingBeforeTheSelectionKeepsTheItemAndAppendingFindsTheShownText) {
  LComboBox& combo = OpenCombo({"Alpha", "Beta", "Gamma"});
  combo.SetSelectedIndex(1);
  Take();
  EXPECT_EQ(combo.InsertItem(0, MakeStringTag(StringW(u"Zero"))), 0);
  EXPECT_EQ(combo.GetSelectedIndex(), 2);
  EXPECT_EQ(Narrow(combo.GetText()), "Beta");
  EXPECT_EQ(combo.InsertItem(0, nullptr), E_INVALIDARG);
  EXPECT_THAT(Take(), IsEmpty());

  combo.SetText(StringW(u"Omega"));
  Take();
  EXPECT_EQ(combo.AppendItem(StringW(u"Omega")), 4);
  EXPECT_EQ(combo.GetSelectedIndex(), 4);
  EXPECT_THAT(Take(), ElementsAre("combo:NID_SELECTION_CHANGE"));
}

// A closed list makes no rows: choosing by index, by text and by the list's
// keys works without them, and the first opening makes the rows, showing the
// chosen item.
TEST_F(ComboBox, AClosedListHasNoRowsUntilItFirstOpens) {
  SkinOptions options;
  options.listMaximum = 42;  // three rows
  LComboBox& combo = OpenCombo(Numbered(20), options);
  LListBox& list = *combo.GetListBox();
  EXPECT_EQ(list.GetItemControlCount(), 0);

  EXPECT_EQ(combo.SetSelectedIndex(3), 3);
  EXPECT_EQ(combo.SetText(StringW(u"ITEM12")), S_OK);
  EXPECT_EQ(combo.GetSelectedIndex(), 12);
  EXPECT_EQ(combo.AppendItem(StringW(u"last")), 20);
  list.SelectRange(12, 12, true);
  list.ProcessKey(LKeyParam::Create(KeyDownCode(kDown, 0, false)));  // the list's own stepping
  EXPECT_TRUE(list.IsItemSelected(13));
  EXPECT_EQ(list.GetItemControlCount(), 0);
  EXPECT_EQ(Narrow(combo.GetText()), "item12");
  Take();

  ClickOn(combo);
  ASSERT_TRUE(combo.IsDropDownShown());
  ASSERT_EQ(list.GetItemControlCount(), 3);
  EXPECT_TRUE(list.IsItemSelected(12));  // the shown text's item, in view
  const int32_t slot = list.GetItemControlSlot(12);
  ASSERT_GE(slot, 0);
  EXPECT_EQ(Narrow(list.GetItemControl(slot)->GetText()), "item12");
  Key(kDown);
  Key(kReturn);
  EXPECT_EQ(combo.GetSelectedIndex(), 13);
  EXPECT_EQ(Narrow(combo.GetText()), "item13");

  ClickOn(combo);  // opening again keeps the rows it made
  EXPECT_EQ(list.GetItemControlCount(), 3);
}

TEST_F(ComboBox, ShrinkingPastTheSelectionDropsIt) {
  LComboBox& combo = OpenCombo({"Alpha", "Beta", "Gamma"});
  combo.SetSelectedIndex(2);
  EXPECT_EQ(combo.SetItemCount(2), 2);
  EXPECT_EQ(combo.GetSelectedIndex(), -1);
}

TEST_F(ComboBox, ATextBoxPartFollowsTheSelectionAndItsValidationSelects) {
  SkinOptions options;
  options.textBox = true;
  LComboBox& combo = OpenCombo({"Alpha", "Beta", "Gamma"}, options);
  LTextBox& box = *combo.GetTextBox();
  Listen(RCPtr<LNotificationDistributor>(&combo), "combo",
         {u"NID_TEXTBOX_VALIDATING", u"NID_TEXTBOX_VALIDATED", u"NID_TEXTBOX_TEXT_CHANGE"});
  combo.SetSelectedIndex(2);
  EXPECT_EQ(Narrow(box.GetText()), "Gamma");
  Take();

  // A validated text selects its item in any letter case (the box then
  // shows the item's text); the notification goes on.
  const RCPtr<LTextValidationParams> params = LTextValidationParams::Create(StringW(u"beta"));
  box.SendNotification(LNotification::Create(u"NID_TEXTBOX_VALIDATED", params));
  EXPECT_EQ(combo.GetSelectedIndex(), 1);
  EXPECT_EQ(Narrow(box.GetText()), "Beta");
  EXPECT_THAT(Take(), ElementsAre("combo:NID_TEXTBOX_TEXT_CHANGE", "combo:NID_SELECTION_CHANGE",
                                  "combo:NID_TEXTBOX_VALIDATED"));
  box.SendNotification(LNotification::Create(u"NID_TEXTBOX_TEXT_CHANGE"));
  EXPECT_THAT(Take(), ElementsAre("combo:NID_TEXTBOX_TEXT_CHANGE"));

  // The text box taking the focus closes the list.
  ASSERT_EQ(combo.ShowDropDown(true), S_OK);
  ASSERT_TRUE(combo.IsDropDownShown());
  box.SetFocus(true);
  EXPECT_FALSE(combo.IsDropDownShown());
}

struct PlaceCase {
  const char* name;
  int top;
  int items;
  int skinMaximum;
  bool below;
  double height;
};
void PrintTo(const PlaceCase& c, std::ostream* out) { *out << c.name; }

class ComboPlacement : public ComboBox, public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(ComboPlacement, OpensWhereItFits) {
  SkinOptions options;
  options.top = GetParam().top;
  options.listMaximum = GetParam().skinMaximum;
  LComboBox& combo = OpenCombo(Numbered(GetParam().items), options);
  ASSERT_EQ(combo.ShowDropDown(true), S_OK);
  const LListBox& list = *combo.GetListBox();
  const double comboTop = combo.GetOriginInRoot().y;
  const double listTop = list.GetOriginInRoot().y;
  if (GetParam().below)
    EXPECT_EQ(listTop, comboTop + 20);
  else
    EXPECT_EQ(listTop + list.GetRect().height, comboTop);
  EXPECT_EQ(list.GetRect().height, GetParam().height);
}

const PlaceCase kPlaceCases[] = {
    {"ThreeItemsBelow", 10, 3, 0, true, 42},
    // 245 pixels above: 17 whole rows of 14, never a row cut in half.
    {"ThirtyItemsNearTheBottomAboveInWholeRows", 250, 30, 0, false, 238},
    {"SkinMaximumBelow", 10, 30, 98, true, 98},
    {"SkinMaximumOnlyFitsAbove", 200, 30, 98, false, 98},
};

INSTANTIATE_TEST_SUITE_P(Window, ComboPlacement, ::testing::ValuesIn(kPlaceCases),
                         [](const ::testing::TestParamInfo<PlaceCase>& test) { return test.param.name; });

// The wheel over the open list moves the list by a row where rows are out of
// sight, and never reaches the view behind it (here "main", which takes wheel
// steps), even without a scroll bar on the list.
struct WheelCase {
  const char* name;
  int items;
  std::vector<int32_t> deltas;  // in wheel units, positive up
  int32_t firstVisible;
};
void PrintTo(const WheelCase& c, std::ostream* out) { *out << c.name; }

class ComboWheel : public ComboBox, public ::testing::WithParamInterface<WheelCase> {};

TEST_P(ComboWheel, ScrollsTheOpenListAndNothingBehindIt) {
  SkinOptions options;
  options.listMaximum = 42;  // three rows
  LComboBox& combo = OpenCombo(Numbered(GetParam().items), options);
  Get<InputControl>(u"main").handlesWheel = true;
  ClickOn(combo);
  ASSERT_TRUE(combo.IsDropDownShown());
  const LListBox& list = *combo.GetListBox();
  const LRootWindow::Point at = CentreOf(list);
  InputControl::Log().clear();
  for (int32_t delta : GetParam().deltas) Wheel(at.x, at.y, delta);
  EXPECT_EQ(list.GetFirstVisibleIndex(), GetParam().firstVisible);
  EXPECT_THAT(InputControl::Log(), IsEmpty());
  Wheel(at.x, at.y, 120, true);
  EXPECT_THAT(InputControl::Log(), IsEmpty());
  EXPECT_TRUE(combo.IsDropDownShown());
}

const WheelCase kWheelCases[] = {
    {"DownTwoRows", 10, {-120, -120}, 2},
    {"DownAndBackUp", 10, {-120, -120, 120}, 1},
    {"UpAtTheTopStays", 10, {120}, 0},
    {"DownStopsAtTheLastRow", 5, {-120, -120, -120, -120}, 2},
    {"EveryRowShows", 2, {-120}, 0},
};

INSTANTIATE_TEST_SUITE_P(OpenList, ComboWheel, ::testing::ValuesIn(kWheelCases),
                         [](const ::testing::TestParamInfo<WheelCase>& test) { return test.param.name; });

TEST_F(ComboBox, LooksFollowHoverFocusAndTheOpenList) {
  LComboBox& combo = OpenCombo({"Alpha", "Beta"});
  ASSERT_EQ(Find(u"other")->SetFocus(true), S_OK);
  EXPECT_EQ(combo.GetCurrentLookIndex(), LComboBox::kLookClosed);
  MoveOnto(combo);
  EXPECT_EQ(combo.GetCurrentLookIndex(), LComboBox::kLookClosedHover);
  ASSERT_EQ(combo.SetFocus(true), S_OK);
  EXPECT_EQ(combo.GetCurrentLookIndex(), LComboBox::kLookClosedHoverFocus);
  Move(390, 290);
  EXPECT_EQ(combo.GetCurrentLookIndex(), LComboBox::kLookClosedFocus);
  ClickOn(combo);
  EXPECT_EQ(combo.GetCurrentLookIndex(), LComboBox::kLookOpenHover);
  Move(390, 290);
  EXPECT_EQ(combo.GetCurrentLookIndex(), LComboBox::kLookOpen);
  // The list takes the focus when it opens; the combo box still shows it.
  Key(kEscape);
  EXPECT_EQ(combo.GetCurrentLookIndex(), LComboBox::kLookClosedFocus);
  combo.SetEnabled(false);
  combo.UpdateLook();
  EXPECT_EQ(combo.GetCurrentLookIndex(), LComboBox::kLookDisabled);
}

}  // namespace
}  // namespace HV::Test
