// The multi-column list box in a root window: two columns of rows 20 high
// under header buttons (and one header too many), kept in step for
// selection, hover and scrolling, and sorted by header clicks.
#include "HVFramework/Controls/MultiColumnListBox/LMultiColumnListBox.h"
#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ObjectBase/WrapperStringable.h"
#include "tests/HVFramework/Controls/ListBox/ListBoxFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace HV::Test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::string Column(int number, int x) {
  return "<SubControl Class=\"Framework.listboxNoScroll\" Name=\"listboxNoScroll" + std::to_string(number) +
         "\" XPositionAbs=\"" + std::to_string(x) +
         "\" YPositionAbs=\"20\" XSizeAbs=\"80\" YSizeAbs=\"100\" TabStop=\"" + std::to_string(number) +
         "\">"
         "<SubControl Class=\"Framework.ListBoxItem\" Name=\"templateItem\" XPositionAbs=\"0\" YPositionAbs=\"0\" "
         "XSizeToControl=\"Client\" XSizeRel=\"1\" XSizeAbs=\"0\" YSizeAbs=\"20\"><Skin Name=\"I\" "
         "LookList=\"ItemLook\"/></SubControl></SubControl>";
}

std::string Header(int number, int x) {
  return "<SubControl Class=\"Framework.Button\" Name=\"buttonColumnHeader" + std::to_string(number) +
         "\" XPositionAbs=\"" + std::to_string(x) + "\" YPositionAbs=\"0\" XSizeAbs=\"80\" YSizeAbs=\"20\" TabStop=\"-1\"/>";
}

std::string TableSkin() {
  return ControlWindowFixture::SolidLooks("ItemLook", 14) + R"(
<Skins><Skin Name="S">
  <SubControl Class="Test.Input" Name="main">
    <SubControl Class="Framework.listbox2ColumnSortable" Name="table" XPositionAbs="10" YPositionAbs="10" XSizeAbs="200" YSizeAbs="120">
      )" HV_TEST_SCROLL_BARS("Framework.ScrollBar") +
         Column(1, 0) + Column(2, 80) + Header(1, 0) + Header(2, 80) + Header(3, 160) + R"(
    </SubControl>
  </SubControl>
</Skin></Skins>)";
}

class MultiColumn : public ListBoxFixture {
 protected:
  MultiColumn() { EXPECT_EQ(LMultiColumnListBox::Register(factory), S_OK); }
  void SetUp() override {
    const RCPtr<LControl> root = Open(TableSkin(), u"main");
    ASSERT_TRUE(root);
    LayOutTree(*root);
    ASSERT_EQ(Table().GetColumnCount(), 2);
  }
  LMultiColumnListBox& Table() const { return Get<LMultiColumnListBox>(u"table"); }
  LListBox& Col(int32_t column) const { return *Table().GetColumn(column); }
  void AddRow(const char16_t* first, const char16_t* second) {
    Col(0).AddItem(StringW(first));
    Col(1).AddItem(StringW(second));
  }
  void AddRows(int count) {
    for (int i = 0; i < count; ++i) {
      Col(0).AddItem(StringW::FromFormat(u"a%02d", i));
      Col(1).AddItem(StringW::FromFormat(u"b%02d", i));
    }
  }
  std::vector<std::string> ColumnTexts(int32_t column) const { return Texts(Col(column)); }
  void ClickHeader(int number) {
    LControl& header = *Find(number == 1 ? u"buttonColumnHeader1" : number == 2 ? u"buttonColumnHeader2"
                                                                                 : u"buttonColumnHeader3");
    const LControl::Point origin = header.GetOriginInRoot();
    Click(static_cast<int32_t>(origin.x + 10), static_cast<int32_t>(origin.y + 10));
  }
};

TEST_F(MultiColumn, SelectingACellSelectsItsRowInEveryColumnWithOneChangeFromThePanel) {
  AddRows(6);
  Listen(RCPtr<LNotificationDistributor>(&Table()), "table", {u"NID_SELECTION_CHANGE"});
  ClickSlot(Col(1), 4);
  EXPECT_TRUE(Col(0).IsItemSelected(4));
  EXPECT_TRUE(Col(1).IsItemSelected(4));
  EXPECT_THAT(Take(), ElementsAre("table:NID_SELECTION_CHANGE"));
  Col(0).SelectRange(2, -1, true);
  EXPECT_THAT(Col(1).GetSelectedIndices(), ElementsAre(2u));
  EXPECT_THAT(Take(), ElementsAre("table:NID_SELECTION_CHANGE"));
}

TEST_F(MultiColumn, WithoutRowModeASelectionClearsTheOtherColumns) {
  AddRows(4);
  Table().SetRowMode(0);
  Col(0).SelectRange(1, -1, true);
  Col(1).SelectRange(3, -1, true);
  EXPECT_EQ(Col(0).GetSelectedCount(), 0);
  EXPECT_THAT(Col(1).GetSelectedIndices(), ElementsAre(3u));
}

TEST_F(MultiColumn, HeaderClicksSortAscendingThenDescendingKeepingRowsMarksAndSelection) {
  AddRow(u"b", u"2");
  AddRow(u"C", u"1");
  AddRow(u"a", u"3");
  Col(0).SetItemMarked(1, true);  // row "C"
  Col(1).SetItemMarked(1, true);
  Col(0).SelectRange(0, -1, true);  // row "b"
  Listen(RCPtr<LNotificationDistributor>(&Table()), "table", {u"NID_SELECTION_CHANGE"});

  ClickHeader(1);
  EXPECT_THAT(ColumnTexts(0), ElementsAre("a", "b", "C"));
  EXPECT_THAT(ColumnTexts(1), ElementsAre("3", "2", "1"));
  EXPECT_TRUE(Col(0).IsItemMarked(2));
  EXPECT_TRUE(Col(1).IsItemMarked(2));
  EXPECT_FALSE(Col(0).IsItemMarked(1));
  EXPECT_THAT(Col(0).GetSelectedIndices(), ElementsAre(1u));
  EXPECT_THAT(Col(1).GetSelectedIndices(), ElementsAre(1u));

  ClickHeader(1);
  EXPECT_THAT(ColumnTexts(0), ElementsAre("C", "b", "a"));
  ClickHeader(2);
  EXPECT_THAT(ColumnTexts(1), ElementsAre("1", "2", "3"));
  EXPECT_THAT(ColumnTexts(0), ElementsAre("C", "b", "a"));
  EXPECT_THAT(Take(), IsEmpty());
}

// A table that keeps what its Initialize answered.
class AnsweringTable : public LMultiColumnListBox {
 public:
  using LMultiColumnListBox::LMultiColumnListBox;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor) {
    return CreateControlOfClass<AnsweringTable>(result, parent, descriptor);
  }
  HResult Initialize() override { return answer = LMultiColumnListBox::Initialize(); }
  HResult answer = E_FAIL;
};

class HeaderCount : public ListBoxFixture {
 protected:
  HeaderCount() {
    EXPECT_EQ(factory.RegisterControlCreateFunction(StringW(u"Test.AnsweringTable"), &AnsweringTable::Create), S_OK);
  }
};

TEST_F(HeaderCount, InitializeAnswersWhetherEveryColumnHasAHeader) {
  struct Row {
    const char* what;
    int columns;
    int headers;
    HResult answer;
  };
  const Row rows[] = {
      {"one header per column", 2, 2, S_FALSE},
      {"a header too many", 2, 3, S_OK},
      {"a header too few", 2, 1, S_OK},
      {"no headers: the panel's result", 2, 0, S_OK},
  };
  // One skin holds a table per row, "table0", "table1", ...
  std::string tables;
  for (size_t i = 0; i < std::size(rows); ++i) {
    tables += "<SubControl Class=\"Test.AnsweringTable\" Name=\"table" + std::to_string(i) +
              "\" XSizeAbs=\"200\" YSizeAbs=\"120\">";
    for (int c = 1; c <= rows[i].columns; ++c) tables += Column(c, 80 * (c - 1));
    for (int h = 1; h <= rows[i].headers; ++h) tables += Header(h, 80 * (h - 1));
    tables += "</SubControl>";
  }
  ASSERT_EQ(LoadSkinBody(ControlWindowFixture::SolidLooks("ItemLook", 14) + "<Skins><Skin Name=\"S\">" + tables +
                         "</Skin></Skins>"),
            S_OK);
  for (size_t i = 0; i < std::size(rows); ++i) {
    const std::u16string name = u"table" + std::u16string(1, static_cast<char16_t>(u'0' + i));
    const RCPtr<LControl> table = factory.CreateControl(TopLevel(name.c_str()), nullptr);
    ASSERT_TRUE(table) << rows[i].what;
    EXPECT_EQ(static_cast<AnsweringTable&>(*table).GetColumnCount(), rows[i].columns) << rows[i].what;
    EXPECT_EQ(static_cast<AnsweringTable&>(*table).answer, rows[i].answer) << rows[i].what;
  }
}

TEST_F(MultiColumn, AHeaderWithoutAColumnSortsNothing) {
  AddRow(u"b", u"2");
  AddRow(u"a", u"1");
  ClickHeader(3);
  EXPECT_THAT(ColumnTexts(0), ElementsAre("b", "a"));
}

TEST_F(MultiColumn, TheFirstColumnScrollingByKeysScrollsEveryColumn) {
  AddRows(30);
  Col(0).SetFocus(true);
  for (int i = 0; i < 12; ++i) Key(kDown);
  EXPECT_EQ(Col(0).GetCaretIndex(), 11);  // the first Down takes item 0
  EXPECT_GT(Col(0).GetScrollOffset().y, 0);
  EXPECT_EQ(Col(1).GetScrollOffset().y, Col(0).GetScrollOffset().y);
  EXPECT_EQ(Table().GetScrollOffset().y, Col(0).GetScrollOffset().y);
  EXPECT_EQ(Col(1).GetFirstVisibleIndex(), Col(0).GetFirstVisibleIndex());
  // Scrolling the panel moves both columns.
  Table().ScrollTo({0, 40});
  EXPECT_EQ(Col(0).GetFirstVisibleIndex(), 2);
  EXPECT_EQ(Col(1).GetFirstVisibleIndex(), 2);
}

TEST_F(MultiColumn, TheWheelOverACellScrollsEveryColumnWithThePanel) {
  AddRows(30);
  const LRootWindow::Point at = SlotCentre(Col(1), 1);
  Wheel(at.x, at.y, -120);
  EXPECT_GT(Table().GetScrollOffset().y, 0);
  for (int32_t column : {0, 1}) {
    SCOPED_TRACE(column);
    EXPECT_EQ(Col(column).GetScrollOffset().y, Table().GetScrollOffset().y);
    EXPECT_GT(Col(column).GetFirstVisibleIndex(), 0);
  }
}

TEST_F(MultiColumn, HoverOverACellHighlightsItsRowInTheOtherColumn) {
  AddRows(4);
  const LRootWindow::Point at = SlotCentre(Col(0), 2);
  Move(at.x, at.y);
  EXPECT_EQ(Table().GetHoveredRow(), 2);
  EXPECT_TRUE(Col(1).GetItemControl(2)->GetConditions() & LControl::kHover);
  Move(5, 200);
  EXPECT_EQ(Table().GetHoveredRow(), -1);
  EXPECT_FALSE(Col(1).GetItemControl(2)->GetConditions() & LControl::kHover);
}

}  // namespace
}  // namespace HV::Test
