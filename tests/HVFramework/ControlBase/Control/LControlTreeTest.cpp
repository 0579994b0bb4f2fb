// The control tree: attachment, the three child orders, renaming, lookups,
// removal with release at the next idle tick, and links that cannot dangle.
#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/ObjectBase/UIThread.h"
#include "tests/support/RecorderControl.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace HV::Test {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

std::string Name(const LControl& control) { return control.GetName().ToCharString().GetText(); }

class ControlTree : public ::testing::Test {
 protected:
  void SetUp() override { RecorderControl::Log().clear(); }

  // A child of mRoot, held only by the root's list.
  LControl* Child(const char16_t* name) {
    RCPtr<LControl> child(new RecorderControl(mRoot.Get(), StringW(name)));
    return child.Get();
  }
  std::vector<std::string> Order(int32_t order) {
    std::vector<std::string> names;
    for (uint32_t i = 0; i < mRoot->GetChildren().GetCount(); ++i)
      names.push_back(Name(*mRoot->GetChildren().GetAt(i, order)));
    return names;
  }

  const RCPtr<LControl> mRoot{new RecorderControl(nullptr, StringW(u"root"))};
};

TEST_F(ControlTree, TheParentsReferenceIsInternalAndNamesAreUnique) {
  LControl* a = Child(u"a");
  EXPECT_EQ(a->GetParent(), mRoot.Get());
  EXPECT_EQ(a->GetRefCount(), 1);
  EXPECT_EQ(a->GetInternalRefCount(), 1);
  const RCPtr<LControl> twin(new RecorderControl(mRoot.Get(), StringW(u"a")));
  EXPECT_EQ(twin->GetParent(), nullptr);
  EXPECT_EQ(mRoot->GetChildren().GetCount(), 1u);
  EXPECT_FALSE(RCPtr<LControl>(new RecorderControl(nullptr, StringW(u"x")))->FindChildControl(StringW(u"a")));
}

TEST_F(ControlTree, TabAndZOrdersFollowTheLayoutKeys) {
  struct Spec {
    const char16_t* name;
    int32_t tabStop;
    bool clip;
    int docked;
    int32_t z;
  };
  for (const Spec& s : {Spec{u"a", 3, false, 0, 0}, Spec{u"b", -1, true, 2, 0}, Spec{u"c", 3, true, 0, 5},
                        Spec{u"d", 0, true, 0, -1}, Spec{u"e", 2, true, 1, -9}}) {
    LLayoutDescriptor& layout = *Child(s.name)->GetLayout();
    layout.tabStop = s.tabStop;
    layout.clipToParent = s.clip;
    layout.docked = {s.docked > 0, s.docked > 1};
    layout.zOrder = s.z;
  }
  mRoot->GetChildren().MarkChanged();
  EXPECT_THAT(Order(0), ElementsAre("a", "b", "c", "d", "e"));
  EXPECT_THAT(Order(2), ElementsAre("b", "d", "e", "a", "c"));  // ascending, stable
  // Clipping first; then fewer docked axes; then Z_Order; then attachment.
  EXPECT_THAT(Order(1), ElementsAre("d", "c", "e", "b", "a"));

  // A change of focusability re-sorts at the next read.
  mRoot->FindChildControl(StringW(u"b"))->SetNotFocusable(false);
  EXPECT_THAT(Order(2), ElementsAre("d", "b", "e", "a", "c"));
}

TEST_F(ControlTree, GetAtOutsideTheListOrOrdersThrows) {
  Child(u"a");
  for (auto [index, order] : {std::pair<uint32_t, int32_t>{1, 0}, {0, 3}, {0, -1}, {5, 1}}) {
    try {
      mRoot->GetChildren().GetAt(index, order);
      FAIL() << index << "," << order;
    } catch (const std::runtime_error& error) {
      EXPECT_THAT(error.what(), StartsWith("Runtime Error : HV::LControl::ChildControlList::GetAt : "));
    }
  }
}

TEST_F(ControlTree, RenamingKeepsNamesUniqueAndLaterReferencesFollowing) {
  LControl* before = Child(u"before");
  LControl* a = Child(u"a");
  LControl* after = Child(u"after");
  before->GetLayout()->position[0].referenceName = StringW(u"a");
  after->GetLayout()->position[1].referenceName = StringW(u"a");
  after->GetLayout()->size[0].referenceName = StringW(u"a");
  after->GetLayout()->size[1].referenceName = StringW(u"other");

  EXPECT_EQ(a->Rename(StringW(u"a")), S_FALSE);
  EXPECT_EQ(a->Rename(StringW(u"after")), E_FAIL);
  EXPECT_EQ(Name(*a), "a");
  EXPECT_EQ(a->Rename(StringW(u"renamed")), S_OK);
  EXPECT_EQ(mRoot->FindChildControl(StringW(u"renamed")).Get(), a);
  EXPECT_FALSE(mRoot->FindChildControl(StringW(u"a")));
  EXPECT_EQ(Name(*before), "before");
  EXPECT_TRUE(before->GetLayout()->position[0].referenceName == StringW(u"a"));  // earlier siblings keep it
  EXPECT_TRUE(after->GetLayout()->position[1].referenceName == StringW(u"renamed"));
  EXPECT_TRUE(after->GetLayout()->size[0].referenceName == StringW(u"renamed"));
  EXPECT_TRUE(after->GetLayout()->size[1].referenceName == StringW(u"other"));
  // A control outside any tree just takes the name.
  EXPECT_EQ(mRoot->Rename(StringW(u"top")), S_OK);
  EXPECT_EQ(Name(*mRoot), "top");
}

TEST_F(ControlTree, DescendantsAreCollectedFromTheLastChildDown) {
  LControl* a = Child(u"a");
  LControl* b = Child(u"b");
  RCPtr<LControl> ax(new RecorderControl(a, StringW(u"x")));
  RCPtr<LControl> bx(new RecorderControl(b, StringW(u"x")));
  RCPtr<LControl> bxx(new RecorderControl(bx.Get(), StringW(u"x")));
  RCPtr<LControl> rootX(new RecorderControl(mRoot.Get(), StringW(u"x")));
  RCPtrArray<LControl> found;
  found.AddItem(mRoot);  // emptied first
  ASSERT_EQ(mRoot->FindDescendantControls(StringW(u"x"), found), 4);
  std::vector<LControl*> got;
  for (uint32_t i = 0; i < found.GetCount(); ++i) got.push_back(found.GetAt(i).Get());
  EXPECT_THAT(got, ElementsAre(rootX.Get(), bxx.Get(), bx.Get(), ax.Get()));
}

TEST_F(ControlTree, ARemovedChildIsReleasedAtTheNextIdleTick) {
  LControl* a = Child(u"a");
  Child(u"b");
  RecorderControl::Log().clear();
  EXPECT_EQ(mRoot->RemoveChildControl(RCPtr<LControl>(a)), S_OK);
  EXPECT_EQ(a->GetParent(), nullptr);
  EXPECT_FALSE(a->GetLayout()->visible);
  EXPECT_EQ(mRoot->GetPendingReleaseCount(), 1u);
  EXPECT_EQ(mRoot->GetIdleRequestCount(), 1);
  EXPECT_THAT(RecorderControl::Log(), ElementsAre("root.removed a@0"));
  EXPECT_EQ(mRoot->RemoveChildControl(RCPtr<LControl>(a)), E_INVALIDARG);  // not a child any more

  mRoot->ProcessIdle();
  EXPECT_THAT(RecorderControl::Log(), ElementsAre("root.removed a@0", "a.destroy"));
  EXPECT_EQ(mRoot->GetPendingReleaseCount(), 0u);
  EXPECT_EQ(mRoot->GetIdleRequestCount(), 0);
  mRoot->ProcessIdle();
  EXPECT_EQ(mRoot->GetIdleRequestCount(), 0);
}

TEST_F(ControlTree, ARemovedChildGivesUpCaptureFocusAndPresses) {
  LControl* a = Child(u"a");
  a->ChangeInteractionFlags(
      LControl::kCapture | LControl::kHasFocus | LControl::kLeftDown | LControl::kMouseOver, 0);
  ASSERT_EQ(a->GetConditions() & 0x3FF,
            LControl::kCapture | LControl::kHasFocus | LControl::kLeftDown | LControl::kMouseOver);
  mRoot->RemoveChildControl(RCPtr<LControl>(a));
  EXPECT_EQ(a->GetConditions() & 0x3FF, 0u);
  EXPECT_EQ(a->GetIdleRequestCount(), 0);
}

TEST_F(ControlTree, AttachingAnotherChildReleasesTheWaitingOnesFirst) {
  RCPtr<LControl> kept(Child(u"a"));
  Child(u"b");
  mRoot->RemoveChildControl(kept);
  mRoot->RemoveChildControl(mRoot->FindChildControl(StringW(u"b")));
  EXPECT_EQ(mRoot->GetIdleRequestCount(), 1);  // one request for the whole list
  RecorderControl::Log().clear();
  Child(u"c");
  EXPECT_THAT(RecorderControl::Log(), ElementsAre("b.destroy", "c.construct"));
  EXPECT_EQ(mRoot->GetIdleRequestCount(), 0);
  EXPECT_EQ(mRoot->GetPendingReleaseCount(), 0u);
  // A removed child may join another parent.
  RCPtr<LControl> other(new RecorderControl(nullptr, StringW(u"other")));
  EXPECT_EQ(kept->SetParent(other.Get()), S_OK);
  EXPECT_EQ(kept->SetParent(other.Get()), S_FALSE);
  EXPECT_EQ(kept->GetParent(), other.Get());
}

TEST_F(ControlTree, DetachingAControlReleasesTheChildrenItWasHolding) {
  LControl* panel = Child(u"panel");
  RCPtr<LControl> inner(new RecorderControl(panel, StringW(u"inner")));
  panel->RemoveChildControl(inner);
  inner = nullptr;
  panel->StartIdleNotifications();  // a request of its own as well
  ASSERT_EQ(panel->GetIdleRequestCount(), 2);
  RecorderControl::Log().clear();
  const RCPtr<LControl> held(panel);
  EXPECT_EQ(mRoot->RemoveChildControl(held), S_OK);
  EXPECT_THAT(RecorderControl::Log(), ElementsAre("inner.destroy", "root.removed panel@0"));
  EXPECT_EQ(panel->GetPendingReleaseCount(), 0u);
  EXPECT_EQ(panel->GetIdleRequestCount(), 0);
}

TEST_F(ControlTree, AChildOutlivingItsParentHasNoParentLink) {
  RCPtr<LControl> child;
  {
    RCPtr<LControl> parent(new RecorderControl(nullptr, StringW(u"parent")));
    child = RCPtr<LControl>(new RecorderControl(parent.Get(), StringW(u"child")));
    RCPtr<LControl> grandchild(new RecorderControl(child.Get(), StringW(u"grandchild")));
  }
  EXPECT_EQ(child->GetParent(), nullptr);
  EXPECT_EQ(child->GetInternalRefCount(), 0);
  EXPECT_EQ(child->GetTopLevelControl(), child.Get());
  ASSERT_EQ(child->GetChildren().GetCount(), 1u);
  EXPECT_EQ(child->GetChildren().GetAt(0)->GetParent(), child.Get());
}

TEST_F(ControlTree, AParentlessControlHeldOnlyByItsOwnLinksIsFreed) {
  // The child registers with the root (a cycle through the distributor).
  {
    RCPtr<LControl> top(new RecorderControl(nullptr, StringW(u"top")));
    RCPtr<LControl> child(new RecorderControl(top.Get(), StringW(u"child")));
    ASSERT_NE(child->RegisterNotification(top, u"NID_VALUE_CHANGE"), nullptr);
  }
  EXPECT_THAT(RecorderControl::Log(), ElementsAre("top.construct", "child.construct", "top.removed child@0",
                                                  "child.destroy", "top.destroy"));
}

// Only the user-interface thread changes controls: a worker that does aborts
// the process (where HV_ASSERT is active) instead of racing the tree.
TEST(ControlTreeDeathTest, AWorkerThatChangesAControlAbortsWithTheUIThreadCheck) {
#if !defined(HV_ENABLE_ASSERTS)
  GTEST_SKIP() << "HV_ASSERT is off in this build";
#endif
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(
      {
        RecordUIThread();
        const RCPtr<LControl> root(new RecorderControl(nullptr, StringW(u"root")));
        root->SetVisible(true);  // the user-interface thread may
        std::thread([&root] { root->SetVisible(false); }).join();
      },
      "invariant broken: .*user-interface state changed off the user-interface thread");
}

}  // namespace
}  // namespace HV::Test
