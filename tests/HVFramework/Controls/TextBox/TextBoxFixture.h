#pragma once

// Text boxes in a root window without a display: characters 10 pixels wide
// (the fake measurer), a text area starting 2 pixels in, the application
// clipboard on a headless window system, and a parent ("Test.KeyParent")
// that notes the keys its children did not use.

#include "HVFramework/Controls/TextBox/LTextBox.h"
#include "HVFramework/Notification/ApplicationNotificationCenterName.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/Platform/UI/HeadlessWindowSystem.h"
#include "HVFramework/Renderer/ApplicationRenderer.h"
#include "HVFramework/ControlBase/SystemUI/ApplicationClipboard.h"
#include "tests/HVFramework/Controls/ControlWindowFixture.h"
#include "tests/support/FakeMeasurer.h"

#include <string>
#include <vector>

namespace HV::Test {

// "Test.KeyParent": writes down the virtual key of every key a child passed up.
class KeyParentControl : public LControl {
 public:
  using LControl::LControl;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor) {
    return CreateControlOfClass<KeyParentControl>(result, parent, descriptor);
  }
  HResult OnChildKey(const RCPtr<LKeyParam>& key) override {
    childKeys.push_back(key->GetKey().GetVirtualKey());
    return LControl::OnChildKey(key);
  }
  std::vector<uint32_t> childKeys;
};

class TextBoxFixture : public ControlWindowFixture {
 public:
  static constexpr double kCharWidth = 10;
  static constexpr double kTextLeft = 2;  // the text area's left edge in the box

  // Boxes 200 x 20 at (10, 30 * tabStop) of their parent.
  static std::string Box(const std::string& name, int tabStop, const std::string& params = "",
                         const std::string& lookList = "TextLook") {
    return "<SubControl Class=\"Framework.TextBox\" Name=\"" + name +
           "\" XPositionAbs=\"10\" YPositionAbs=\"" + std::to_string(30 * tabStop) +
           "\" XSizeAbs=\"200\" YSizeAbs=\"20\" TabStop=\"" +
           std::to_string(tabStop) + "\"><Skin Name=\"T\" LookList=\"" + lookList + "\"/>" +
           (params.empty() ? "" : "<CreateParamList>" + params + "</CreateParamList>") + "</SubControl>";
  }
  static std::string Skin(const std::string& children) {
    return SolidLooks("TextLook", 12) + "<Skins><Skin Name=\"S\"><SubControl Class=\"Test.KeyParent\" Name=\"main\">" +
           children + "</SubControl></Skin></Skins>";
  }

 protected:
  TextBoxFixture() {
    SetApplicationRenderer(measurer);
    clipboard->SetFocusSource([this] { return RCPtr<LControl>(window->GetFocusControl()); });
    EXPECT_EQ(clipboard->Initialize(), S_OK);
    SetApplicationClipboard(clipboard);
    EXPECT_EQ(LTextBox::Register(factory), S_OK);
    factory.RegisterControlCreateFunction(StringW(u"Test.KeyParent"), &KeyParentControl::Create);
  }
  ~TextBoxFixture() override {
    for (const RCPtr<NotificationRecorder>& observer : mObservers) observer->UnregisterAllNotifications();
    clipboard->ReleaseInternalReferences();
    SetApplicationClipboard(nullptr);
    SetApplicationRenderer(nullptr);
  }

  // The window point over the left half of character index of the box.
  LRootWindow::Point AtCharacter(const LTextBox& box, int32_t index) const {
    const LControl::Point origin = box.GetOriginInRoot();
    return {static_cast<int32_t>(origin.x + kTextLeft + kCharWidth * index + 2), static_cast<int32_t>(origin.y + 5)};
  }

  // An observer of the box's notifications that reacts inside the delivery.
  void Observe(LNotificationDistributor& source, const std::string& label,
               std::initializer_list<const WChar*> names, NotificationRecorder::Reaction reaction = nullptr) {
    mObservers.push_back(NotificationRecorder::Create(label, log));
    if (reaction) mObservers.back()->SetReaction(std::move(reaction));
    for (const WChar* name : names) mObservers.back()->RegisterNotification(RCPtr<LNotificationDistributor>(&source), name);
  }
  static RCPtr<LTextValidationParams> ParamsOf(const RCPtr<LNotification>& notification) {
    return DynamicCast<LTextValidationParams>(notification->GetPayload());
  }

  // An edit request as the menus and hot keys raise it: posted at the
  // application centre, delivered at its next idle pass.
  static void RequestEdit(const WChar* name) {
    const RCPtr<LNotificationCenter> centre =
        GetNotificationCenterManager()->GetCenter(StringW(kApplicationNotificationCenterName));
    centre->CreateAndPostNotification(name);
    centre->ProcessNotifications(false);
  }

  static std::string TextOf(const LControl& control) { return Narrow(control.GetText()); }

  const RCPtr<FakeMeasurer> measurer = FakeMeasurer::Create();
  Platform::HeadlessWindowSystem system;
  const RCPtr<LClipboard> clipboard = LClipboard::Create(system);

 private:
  std::vector<RCPtr<NotificationRecorder>> mObservers;
};

}  // namespace HV::Test
