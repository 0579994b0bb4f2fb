// The tab control in a root window: the page shown after creation, the
// notifications of a click and of a selection by program, unknown names,
// and tab controls that lack their tab buttons.
#include "HVFramework/Controls/TabControl/LTabControl.h"
#include "tests/HVFramework/Controls/ControlWindowFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace HV::Test {
namespace {

std::string Button(const std::string& name, int x, int tabStop) {
  return "<SubControl Class=\"Framework.Button\" Name=\"" + name + "\" XPositionAbs=\"" + std::to_string(x) +
         "\" YPositionAbs=\"0\" XSizeAbs=\"40\" YSizeAbs=\"20\" TabStop=\"" + std::to_string(tabStop) +
         "\"><Skin Name=\"B\" LookList=\"ButtonLook\"/></SubControl>";
}
std::string Page(const std::string& name, int tabStop) {
  return "<SubControl Class=\"Test.Input\" Name=\"" + name +
         "\" XPositionAbs=\"0\" YPositionAbs=\"0\" XSizeAbs=\"300\" YSizeAbs=\"150\" TabStop=\"" +
         std::to_string(tabStop) + "\"/>";
}
std::string Holder(const std::string& name, int y, const std::string& children) {
  return "<SubControl Class=\"Test.Input\" Name=\"" + name + "\" XPositionAbs=\"0\" YPositionAbs=\"" +
         std::to_string(y) + "\" XSizeAbs=\"300\" YSizeAbs=\"150\">" + children + "</SubControl>";
}
std::string Tabs(const std::string& name, const std::string& children) {
  return "<SubControl Class=\"Framework.TabControl\" Name=\"" + name +
         "\" XPositionAbs=\"0\" YPositionAbs=\"0\" XSizeAbs=\"300\" YSizeAbs=\"200\">" + children + "</SubControl>";
}

// Button b1 comes first in tab order, b0 second, b2 last.
std::string TabSkin() {
  const std::string buttons = Button("b0", 0, 2) + Button("b1", 50, 1) + Button("b2", 100, 3);
  const std::string pages = Page("page0", 1) + Page("page1", 2) + Page("page2", 3);
  return ControlWindowFixture::SolidLooks("ButtonLook", 14) + "<Skins><Skin Name=\"S\">" +
         "<SubControl Class=\"Test.Input\" Name=\"main\">" +
         Tabs("tabs", Holder("buttonHolder", 0, buttons) + Holder("pageHolder", 30, pages)) + "</SubControl>" +
         Tabs("noButtons", Holder("pageHolder", 30, Page("p", 1))) +
         Tabs("emptyButtons", Holder("buttonHolder", 0, "") + Holder("pageHolder", 30, Page("p", 1))) +
         "</Skin></Skins>";
}

class TabControl : public ControlWindowFixture {
 protected:
  TabControl() {
    EXPECT_EQ(LTabControl::Register(factory), S_OK);
    Open(TabSkin(), u"main");
    mRecorder = NotificationRecorder::Create("tabs", log);
    for (const WChar* name : {u"NID_TAB_BUTTON_CLICKED", u"NID_TAB_BECOMING_UNSELECTED", u"NID_TAB_SELECTED"})
      mRecorder->RegisterNotification(RCPtr<LNotificationDistributor>(&Tabs()), name);
  }
  ~TabControl() override { mRecorder->UnregisterAllNotifications(); }

  LTabControl& Tabs() { return Get<LTabControl>(u"tabs"); }
  // "NAME(payload's name)" per delivery since the last call; "-" for no payload.
  std::vector<std::string> Sent() {
    std::vector<std::string> sent;
    for (const NotificationLog::Entry& entry : log.GetEntries()) {
      const LControl* payload = dynamic_cast<const LControl*>(entry.notification->GetPayload().Get());
      sent.push_back(entry.name + "(" + (payload ? Narrow(payload->GetName()) : "-") + ")");
    }
    log.Clear();
    return sent;
  }
  // The pages shown, by name.
  std::vector<std::string> Shown() {
    std::vector<std::string> shown;
    for (const char16_t* name : {u"page0", u"page1", u"page2"})
      if (Find(name)->IsVisible(false)) shown.push_back(Narrow(StringW(name)));
    return shown;
  }
  void ClickButton(const char16_t* name) {
    const LControl& button = *Find(name);
    const LControl::Point origin = button.GetOriginInRoot();
    Click(static_cast<int32_t>(origin.x + 5), static_cast<int32_t>(origin.y + 5));
  }

 private:
  RCPtr<NotificationRecorder> mRecorder;
};

TEST_F(TabControl, ShowsTheFirstTabInTabOrderAfterCreation) {
  LTabControl& tabs = Tabs();
  EXPECT_EQ(Narrow(tabs.GetSelectedPageName()), "b1");
  EXPECT_EQ(tabs.GetSelectedPageIndex(), 1);
  EXPECT_EQ(tabs.GetSelectedPage(), Find(u"page1"));
  EXPECT_EQ(Shown(), (std::vector<std::string>{"page1"}));
  EXPECT_EQ(tabs.GetPageCount(), 3);
  EXPECT_EQ(tabs.GetPageIndex(StringW(u"b2")), 2);
  EXPECT_EQ(tabs.GetPageIndex(StringW(u"page2")), -1);  // tabs go by their buttons' names
  EXPECT_EQ(tabs.GetPage(StringW(u"b2")), Find(u"page2"));
  EXPECT_EQ(tabs.GetPageAt(0), Find(u"page0"));
  EXPECT_EQ(tabs.GetPageAt(3), nullptr);
  EXPECT_EQ(tabs.GetPageAt(-1), nullptr);
  EXPECT_EQ(tabs.GetPageButton(StringW(u"b0")), Find(u"b0"));
  EXPECT_EQ(tabs.GetPageButton(StringW(u"nothing")), nullptr);
}

TEST_F(TabControl, ClickingATabAnnouncesItShowsItsPageAndFocusesIt) {
  ClickButton(u"b2");
  EXPECT_EQ(Sent(), (std::vector<std::string>{"NID_TAB_BUTTON_CLICKED(b2)", "NID_TAB_BECOMING_UNSELECTED(page1)",
                                              "NID_TAB_SELECTED(page2)"}));
  EXPECT_EQ(Shown(), (std::vector<std::string>{"page2"}));
  EXPECT_TRUE(Find(u"page2")->HasFocus());
  // The tab already selected: clicked and selected again, nothing left.
  Tabs().GetPageButton(StringW(u"b0"))->SetFocus(true);
  ClickButton(u"b2");
  EXPECT_EQ(Sent(), (std::vector<std::string>{"NID_TAB_BUTTON_CLICKED(b2)", "NID_TAB_SELECTED(page2)"}));
  EXPECT_TRUE(Find(u"page2")->HasFocus());
}

TEST_F(TabControl, SelectingByProgramAndByUnknownNames) {
  LTabControl& tabs = Tabs();
  EXPECT_EQ(tabs.SelectPage(StringW(u"b0")), S_OK);
  EXPECT_EQ(Sent(), (std::vector<std::string>{"NID_TAB_BECOMING_UNSELECTED(page1)", "NID_TAB_SELECTED(page0)"}));
  EXPECT_EQ(Shown(), (std::vector<std::string>{"page0"}));
  EXPECT_EQ(tabs.SelectPage(StringW(u"nothing")), S_OK);
  EXPECT_EQ(Sent(), (std::vector<std::string>{"NID_TAB_BECOMING_UNSELECTED(page0)", "NID_TAB_SELECTED(-)"}));
  EXPECT_EQ(Shown(), std::vector<std::string>{});
  EXPECT_EQ(Narrow(tabs.GetSelectedPageName()), "nothing");
  EXPECT_EQ(tabs.GetSelectedPageIndex(), -1);
  EXPECT_EQ(tabs.GetSelectedPage(), nullptr);
  // Nothing was shown: nothing becomes unselected.
  EXPECT_EQ(tabs.SelectPageAt(2), S_OK);  // b2 is third in tab order
  EXPECT_EQ(Sent(), (std::vector<std::string>{"NID_TAB_SELECTED(page2)"}));
  EXPECT_EQ(tabs.SelectPageAt(3), E_FAIL);
  EXPECT_EQ(tabs.SelectPageAt(-1), E_FAIL);
}

TEST_F(TabControl, WithoutTabButtonsInitializeFails) {
  for (const char16_t* name : {u"noButtons", u"emptyButtons"}) {
    const RCPtr<LControlDescriptor> descriptor = TopLevel(name);
    ASSERT_TRUE(descriptor);
    const RCPtr<LTabControl> tabs(new LTabControl(nullptr, StringW(name)));
    ASSERT_EQ(tabs->CreateFromDescriptor(descriptor), S_OK);
    ASSERT_EQ(tabs->CreateChildControls(descriptor), S_OK);
    EXPECT_EQ(tabs->Initialize(), E_FAIL) << Narrow(StringW(name));
    EXPECT_EQ(tabs->GetPageCount(), 0);
    EXPECT_EQ(tabs->GetSelectedPageIndex(), -1);
    EXPECT_EQ(tabs->GetPageAt(0), nullptr);
    tabs->ReleaseInternalReferences();
  }
}

}  // namespace
}  // namespace HV::Test
