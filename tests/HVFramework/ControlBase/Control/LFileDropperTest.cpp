// The file dropper: a control picked up with the left button that leaves its
// parent when it is dropped.
#include "HVFramework/ControlBase/Control/LFileDropper.h"

#include "tests/support/RootWindowFixture.h"

#include <gtest/gtest.h>

namespace HV::Test {
namespace {

constexpr const char* kDropperSkin = R"(<Skins><Skin Name="S">
  <SubControl Class="Test.Input" Name="main">
    <SubControl Class="Test.Input" Name="panel" XPositionAbs="0" YPositionAbs="0" XSizeAbs="300" YSizeAbs="200">
      <SubControl Class="Framework.FileDropper" Name="fileDropper1" XPositionAbs="10" YPositionAbs="10"
                  XSizeAbs="60" YSizeAbs="30" IsVisible="False"/>
    </SubControl>
  </SubControl></Skin></Skins>)";

class FileDropper : public RootWindowFixture {
 protected:
  void SetUp() override {
    ASSERT_EQ(LFileDropper::Register(factory), S_OK);
    ASSERT_TRUE(Open(kDropperSkin, u"main"));
    dropper = Find(u"fileDropper1");
    ASSERT_TRUE(dynamic_cast<LFileDropper*>(dropper.Get()));
  }
  RCPtr<LControl> dropper;
};

TEST_F(FileDropper, IsVisibleAndFocusableWhateverTheSkinSays) {
  EXPECT_TRUE(dropper->IsVisible());
  EXPECT_FALSE(dropper->IsNotFocusable());
}

TEST_F(FileDropper, APressWithoutMovementLeavesItInPlace) {
  Press(20, 20);
  Release(20, 20);
  EXPECT_EQ(dropper->GetParent(), Find(u"panel").Get());
  EXPECT_EQ(dropper->GetConditions() & LControl::kLeftDrag, 0u);
}

TEST_F(FileDropper, DraggingAndDroppingTakesItOutOfItsParent) {
  Press(20, 20);
  Move(21, 20);  // the first movement starts the drag
  EXPECT_NE(dropper->GetConditions() & LControl::kLeftDrag, 0u);
  Move(150, 120);
  Release(150, 120);
  EXPECT_EQ(dropper->GetParent(), nullptr);
  EXPECT_FALSE(Find(u"fileDropper1"));
  EXPECT_EQ(window->GetCaptureControl(), nullptr);
  EXPECT_EQ(window->GetHoverControl() == dropper.Get(), false);
  // The window still works after its dropper went.
  Click(250, 150);
}

}  // namespace
}  // namespace HV::Test
