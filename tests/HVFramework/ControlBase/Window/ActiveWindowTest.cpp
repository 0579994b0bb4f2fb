// The active window as the clipboard and the file dialogs find it.
#include "HVFramework/ControlBase/Window/ActiveWindow.h"

#include "HVFramework/ControlBase/SystemUI/LClipboard.h"
#include "tests/HVFramework/ControlBase/Window/OSWindowFixture.h"
#include "HVFramework/Utilities/Storage/Utf8Text.h"

#include <gtest/gtest.h>

namespace HV::Test {
namespace {

// A control that takes the edit commands and notes them.
class EditControl : public InputControl {
 public:
  using InputControl::InputControl;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor) {
    return CreateControlOfClass<EditControl>(result, parent, descriptor);
  }
  bool IsEditTarget() const override { return true; }
  bool CanPerformEdit(int32_t) override { return true; }
  HResult PerformEdit(int32_t kind) override {
    Log().push_back(ToUtf8(GetName()) + ":edit " + std::to_string(kind));
    return S_OK;
  }
};

class ActiveWindow : public OSWindowFixture {
 protected:
  ActiveWindow() { factory.RegisterControlCreateFunction(StringW(u"Test.Edit"), &EditControl::Create); }
};

TEST_F(ActiveWindow, TheLastActiveWindowIsTheActiveOne) {
  EXPECT_EQ(GetActiveRootWindow(), nullptr);
  EXPECT_EQ(GetActiveFocusControl(), nullptr);
  const RCPtr<OSWindow> first = Open(u"editing");
  const RCPtr<OSWindow> second = Open(u"editing", {0, 0, 200, 100});
  EXPECT_EQ(GetActiveRootWindow(), nullptr);
  Focus(*first);
  EXPECT_EQ(GetActiveRootWindow(), first->GetRootWindow().Get());
  EXPECT_EQ(GetActiveFocusControl().Get(), &Input(*first, u"edit"));
  Focus(*first, false);
  Focus(*second);
  EXPECT_EQ(GetActiveRootWindow(), second->GetRootWindow().Get());
  EXPECT_EQ(GetActiveFocusControl().Get(), &Input(*second, u"edit"));
  // File dialogs show their messages over the active window.
  const LFileDialog::Owner owner = GetActiveDialogOwner(system);
  EXPECT_EQ(owner.window, second->GetWindowId());
  second->Destroy();
  EXPECT_EQ(GetActiveDialogOwner(system).window, 0u);
}

TEST_F(ActiveWindow, EditCommandsReachTheFocusedControlOfTheActiveWindow) {
  const RCPtr<LClipboard> clipboard = LClipboard::Create(system);
  clipboard->SetFocusSource(&GetActiveFocusControl);
  const RCPtr<OSWindow> window = Open(u"editing");
  EXPECT_EQ(clipboard->PerformEditCommand(LControl::kEditCopy), 1);
  EXPECT_TRUE(TakeInput().empty());
  Focus(*window);
  EXPECT_EQ(clipboard->PerformEditCommand(LControl::kEditCopy), S_OK);
  EXPECT_EQ(TakeInput(), std::vector<std::string>{"edit:edit 2"});
}

}  // namespace
}  // namespace HV::Test
