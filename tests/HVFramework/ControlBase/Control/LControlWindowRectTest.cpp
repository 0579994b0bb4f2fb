// The window rectangle a top-level control is offered while it is built in
// a root window (after a change of skin): the control may change it, and
// the window then takes it, rounded; children and controls outside a
// window are not asked.
#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "tests/HVFramework/ControlBase/Skin/ControlFactory/SkinDocumentFixture.h"
#include "tests/support/FakeWindowHost.h"
#include "HVFramework/Utilities/Storage/Utf8Text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace HV::Test {
namespace {

constexpr const char* kSkin = R"(
<Skins><Skin Name="S">
  <SubControl Class="Test.Sizing" Name="top" XSize="200" YSize="100">
    <SubControl Class="Test.Sizing" Name="child" XSize="20" YSize="10"/>
  </SubControl>
</Skin></Skins>)";

// Records each rectangle it is offered; with grow set, asks for a wider one.
class SizingControl : public LControl {
 public:
  using LControl::LControl;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor) {
    return CreateControlOfClass<SizingControl>(result, parent, descriptor);
  }
  HResult AdjustWindowRect(Rect& rect) override {
    Offered().push_back(ToUtf8(GetName()) + " " + std::to_string(int(rect.width)) +
                        "x" + std::to_string(int(rect.height)));
    if (!grow) return 0;
    rect.width += 100.4;
    return 1;
  }
  static std::vector<std::string>& Offered() {
    static std::vector<std::string> offered;
    return offered;
  }
  static inline bool grow = false;
};

class ControlWindowRect : public ::testing::Test, public SkinDocumentFixture {
 protected:
  void SetUp() override {
    ASSERT_EQ(LoadSkinBody(kSkin), S_OK);
    ASSERT_EQ(factory.RegisterControlCreateFunction(StringW(u"Test.Sizing"), &SizingControl::Create), S_OK);
    SetApplicationControlFactory(&factory);
    SizingControl::Offered().clear();
    SizingControl::grow = false;
  }
  void TearDown() override {
    if (window) window->SetRootControl(nullptr);
    SetApplicationControlFactory(nullptr);
  }

  FakeWindowHost host;
  RCPtr<LRootWindow> window = LRootWindow::Create(&host);
};

TEST_F(ControlWindowRect, ARebuiltTopLevelControlIsOfferedItsWindowsRectangle) {
  const RCPtr<LControl> top = factory.CreateControl(TopLevel(u"top"), nullptr);
  ASSERT_TRUE(top);
  EXPECT_TRUE(SizingControl::Offered().empty());  // built outside a window
  ASSERT_EQ(window->SetRootControl(top), S_OK);

  // Left alone: the window keeps its size.
  ASSERT_EQ(factory.ApplySkin(top), S_OK);
  EXPECT_EQ(SizingControl::Offered(), std::vector<std::string>{"top 400x300"});
  EXPECT_EQ(host.clientRect.width, 400);

  // Changed: the window takes the new rectangle, rounded.
  SizingControl::grow = true;
  ASSERT_EQ(factory.ApplySkin(top), S_OK);
  EXPECT_EQ(SizingControl::Offered().back(), "top 400x300");
  EXPECT_EQ(SizingControl::Offered().size(), 2u);  // the child is never asked
  EXPECT_EQ(host.clientRect.width, 500);
  EXPECT_EQ(host.clientRect.height, 300);
}

}  // namespace
}  // namespace HV::Test
