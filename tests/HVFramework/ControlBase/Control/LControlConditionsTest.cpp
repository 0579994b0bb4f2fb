// Condition words and the notifications that announce their changes.
#include "HVFramework/ControlBase/Control/LConditionsParam.h"
#include "HVFramework/ControlBase/Control/LControl.h"
#include "tests/support/NotificationRecorder.h"
#include "tests/support/RecorderControl.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace HV::Test {
namespace {

using ::testing::ElementsAre;
using C = LControl;

constexpr const WChar* kConditionNames[] = {u"NID_CONDITION_CHANGE",
                                            u"NID_HAS_FOCUS_CONDITION_CHANGE",
                                            u"NID_CONTAINS_FOCUS_CONDITION_CHANGE",
                                            u"NID_HOVER_CONDITION_CHANGE",
                                            u"NID_CAPTURE_CONDITION_CHANGE",
                                            u"NID_LEFT_DRAG_CONDITION_CHANGE",
                                            u"NID_MIDDLE_DRAG_CONDITION_CHANGE",
                                            u"NID_RIGHT_DRAG_CONDITION_CHANGE",
                                            u"NID_ENABLED_CONDITION_CHANGE",
                                            u"NID_VISIBLITY_CONDITION_CHANGE"};

class ControlConditions : public ::testing::Test {
 protected:
  void SetUp() override {
    mChild = RCPtr<LControl>(new RecorderControl(mParent.Get(), StringW(u"child")));
    mGrandchild = RCPtr<LControl>(new RecorderControl(mChild.Get(), StringW(u"grandchild")));
    for (const RCPtr<LControl>& control : {mParent, mChild, mGrandchild}) control->SetRect({0, 0, 10, 10});
    Listen(mParent, "P");
    Listen(mChild, "C");
    Listen(mGrandchild, "G");
  }
  void TearDown() override {
    for (const RCPtr<NotificationRecorder>& recorder : mRecorders) recorder->UnregisterAllNotifications();
  }
  void Listen(const RCPtr<LControl>& control, const std::string& label) {
    mRecorders.push_back(NotificationRecorder::Create(label, mLog));
    for (const WChar* name : kConditionNames) mRecorders.back()->RegisterNotification(control, name);
  }
  // The deliveries since the last call, shortened to "label:NAME" without
  // the common prefix and suffix.
  std::vector<std::string> Take() {
    std::vector<std::string> shortened;
    for (std::string delivery : mLog.Deliveries()) {
      delivery.replace(delivery.find("NID_"), 4, "");
      delivery.erase(delivery.find("CONDITION_CHANGE"));
      if (delivery.back() == '_') delivery.pop_back();
      shortened.push_back(delivery.back() == ':' ? delivery + "*" : delivery);
    }
    mLog.Clear();
    return shortened;
  }

  const RCPtr<LControl> mParent{new RecorderControl(nullptr, StringW(u"parent"))};
  RCPtr<LControl> mChild;
  RCPtr<LControl> mGrandchild;
  NotificationLog mLog;
  std::vector<RCPtr<NotificationRecorder>> mRecorders;
};

TEST_F(ControlConditions, TheWordFollowsTheStateThroughTheAncestors) {
  EXPECT_EQ(mGrandchild->GetConditions(), C::kEnabled | C::kVisible);
  mGrandchild->SetRect({0, 0, 0, 10});  // no width: never visible
  EXPECT_EQ(mGrandchild->GetConditions(), C::kEnabled);
  mParent->SetEnabled(false);
  EXPECT_EQ(mChild->GetConditions(), C::kVisible);
  mChild->SetHoverOverride(true);
  EXPECT_EQ(mChild->GetConditions(), C::kVisible | C::kHover);
  mChild->ChangeInteractionFlags(C::kMouseOver | C::kEnabled, 0);  // enabled is not an interaction flag
  EXPECT_EQ(mChild->GetConditions(), C::kVisible | C::kHover | C::kMouseOver);
}

TEST_F(ControlConditions, PressDragAndReleaseAnnounceTheLeftButtonThreeTimes) {
  mChild->SetLastMousePosition(3, 4.5);
  mChild->ChangeInteractionFlags(C::kLeftDown | C::kCapture, 0);
  EXPECT_THAT(Take(), ElementsAre("C:*", "C:CAPTURE", "C:LEFT_DRAG"));
  const RCPtr<LConditionsParam> param = mChild->GetConditionsParam();
  EXPECT_EQ(param->previous, C::kEnabled | C::kVisible);
  EXPECT_EQ(param->current, C::kEnabled | C::kVisible | C::kLeftDown | C::kCapture);
  EXPECT_TRUE(param->ToString() == StringW(u"(3, 4.5)"));

  mChild->ChangeInteractionFlags(C::kLeftDrag, C::kLeftDown);
  EXPECT_THAT(Take(), ElementsAre("C:*", "C:LEFT_DRAG"));
  EXPECT_EQ(mChild->GetConditionsParam(), param);  // one parameter object, reused
  EXPECT_EQ(param->previous ^ param->current, C::kLeftDown | C::kLeftDrag);

  mChild->ChangeInteractionFlags(0, C::kLeftDrag | C::kCapture);
  EXPECT_THAT(Take(), ElementsAre("C:*", "C:CAPTURE", "C:LEFT_DRAG"));
  mChild->ChangeInteractionFlags(0, C::kLeftDrag | C::kCapture);  // unchanged: nothing
  EXPECT_TRUE(Take().empty());
}

TEST_F(ControlConditions, DisablingAParentReachesEveryDescendantLastChildFirst) {
  const RCPtr<LControl> second(new RecorderControl(mParent.Get(), StringW(u"second")));
  second->SetRect({0, 0, 5, 5});
  Listen(second, "S");
  mParent->SetEnabled(false);
  EXPECT_THAT(Take(),
              ElementsAre("P:*", "P:ENABLED", "S:*", "S:ENABLED", "C:*", "C:ENABLED", "G:*", "G:ENABLED"));
  mChild->SetEnabled(false);  // already disabled through the parent: the word stays
  EXPECT_TRUE(Take().empty());
  mParent->SetVisible(false);
  EXPECT_THAT(Take(), ElementsAre("P:*", "P:VISIBLITY", "S:*", "S:VISIBLITY", "C:*", "C:VISIBLITY", "G:*",
                                  "G:VISIBLITY"));
}

TEST_F(ControlConditions, HoverComesFromTheMouseOrTheOverride) {
  mChild->SetHoverOverride(true);
  EXPECT_THAT(Take(), ElementsAre("C:*", "C:HOVER"));
  mChild->ChangeInteractionFlags(C::kMouseOver, 0);  // hover already on: only the word changes
  EXPECT_THAT(Take(), ElementsAre("C:*"));
  mChild->SetHoverOverride(false);
  EXPECT_TRUE(Take().empty());
  mChild->ChangeInteractionFlags(0, C::kMouseOver);
  EXPECT_THAT(Take(), ElementsAre("C:*", "C:HOVER"));
}

// Drag hooks run around the notifications only while a drag mode is set.
class DragRecorder : public RecorderControl {
 public:
  using RecorderControl::RecorderControl;
  void OnDragStart() override { Log().push_back("drag start"); }
  void OnDragEnd() override { Log().push_back("drag end"); }
  void OnConditionsChanged(const RCPtr<LConditionsParam>&) override { Log().push_back("changed"); }
};

TEST_F(ControlConditions, DragHooksNeedADragMode) {
  const RCPtr<LControl> dragged(new DragRecorder(nullptr, StringW(u"dragged")));
  RecorderControl::Log().clear();
  dragged->ChangeInteractionFlags(C::kLeftDrag, 0);
  dragged->ChangeInteractionFlags(0, C::kLeftDrag);
  EXPECT_THAT(RecorderControl::Log(), ElementsAre("changed", "changed"));
  RecorderControl::Log().clear();
  dragged->SetDragMode(3, 1);
  dragged->ChangeInteractionFlags(C::kLeftDrag, 0);
  dragged->ChangeInteractionFlags(0, C::kLeftDrag);
  EXPECT_THAT(RecorderControl::Log(), ElementsAre("changed", "drag start", "drag end", "changed"));
}

}  // namespace
}  // namespace HV::Test
