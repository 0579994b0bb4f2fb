#pragma once

// OSWindowFixture: OS windows on the headless window system, with the
// dispatcher's message loop on the virtual clock, a profile in memory, and
// control trees built from the root-window tests' skins ("Test.Input"
// controls, plus "Test.Dialog": a root control that closes as a dialog by
// ending its window's modal loop with the result it is given).

#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/Views/LDialog.h"
#include "HVFramework/ControlBase/Control/RootWindow/IDialogControl.h"
#include "HVFramework/ControlBase/Window/IProfileStore.h"
#include "HVFramework/ControlBase/Window/OSWindow.h"
#include "HVFramework/ControlBase/Window/OSWindowDispatcher.h"
#include "HVFramework/Platform/UI/HeadlessWindowSystem.h"
#include "HVFramework/Platform/Core/VirtualClock.h"
#include "tests/HVFramework/ControlBase/Skin/ControlFactory/SkinDocumentFixture.h"
#include "tests/HVFramework/ControlBase/Window/RootWindowSkins.h"
#include "tests/support/InputControl.h"
#include "tests/support/RootWindowFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace HV::Test {

class DialogControl : public InputControl, public IDialogControl {
 public:
  DialogControl(LControl* parent, const StringW& name) : InputControl(parent, name) {}
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor) {
    return CreateControlOfClass<DialogControl>(result, parent, descriptor);
  }
  void CloseDialog(int32_t result) override {
    if (onClose)
      onClose(result);
    else if (LRootWindow* window = GetRootWindow())
      window->EndModalLoop(result);
  }
  StringW GetCaption() const override { return GetString(StringW(u"LABEL")); }
  // Replaces the close when set.
  std::function<void(int32_t)> onClose;
};

class MemoryProfile : public IProfileStore {
 public:
  bool GetBinary(const StringW& section, const StringW& name, std::vector<uint8_t>& value) const override {
    const auto found = values.find(Key(section, name));
    if (found == values.end()) return false;
    value = found->second;
    return true;
  }
  void SetBinary(const StringW& section, const StringW& name, const std::vector<uint8_t>& value) override {
    values[Key(section, name)] = value;
  }
  static std::string Key(const StringW& section, const StringW& name) {
    return std::string(section.ToCharString().GetText()) + "/" + name.ToCharString().GetText();
  }
  std::map<std::string, std::vector<uint8_t>> values;
};

class OSWindowFixture : public ::testing::Test, public SkinDocumentFixture {
 protected:
  using WindowEvent = Platform::WindowEvent;
  using Kind = Platform::WindowEventKind;

  OSWindowFixture() {
    SetApplicationControlFactory(&factory);
    factory.RegisterControlCreateFunction(StringW(u"Test.Input"), &InputControl::Create);
    factory.RegisterControlCreateFunction(StringW(u"Test.Dialog"), &DialogControl::Create);
    factory.RegisterControlCreateFunction(StringW(u"Test.RealDialog"), &LDialog::Create);
    InputControl::Log().clear();
    system.AdvanceClockInWaits(&clock);
    dispatcher.SetProfileStore(&profile);
    std::string skin = std::string(kSolidLooks) + kPanelsSkin;
    skin.insert(skin.rfind("</Skin>"), kMoreTopLevels);
    EXPECT_EQ(LoadSkinBody(skin), S_OK);
  }
  ~OSWindowFixture() override {
    for (const RCPtr<OSWindow>& window : mWindows) window->Destroy();
    SetApplicationControlFactory(nullptr);
  }

  // Two solid looks: "Red.1" and "Blue.1".
  static constexpr const char* kSolidLooks = R"(
<Colorizers>
  <Colorizer Name="Red" ColorType="SolidFill" Color="0xFFFF0000"/>
  <Colorizer Name="Blue" ColorType="SolidFill" Color="0xFF0000FF"/>
</Colorizers>
<Parts>
  <Part Name="Red" Width="8" Height="8" ResizeType="Stretch" ColorizerName="Red"/>
  <Part Name="Blue" Width="8" Height="8" ResizeType="Stretch" ColorizerName="Blue"/>
</Parts>
<Looks>
  <Look Name="Red"><ClientPart Name="Red" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/></Look>
  <Look Name="Blue"><ClientPart Name="Blue" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/></Look>
</Looks>
<LookLists>
  <LookList Name="Red.1" NumLooks="1"><Look Name="Red" Index="0"/></LookList>
  <LookList Name="Blue.1" NumLooks="1"><Look Name="Blue" Index="0"/></LookList>
</LookLists>
)";

  // The skin's top-level controls: "main" of the root-window tests' panels,
  // "painted" (blue, with a red "box" at 10, 10, 50 x 20), "realDialog" (an
  // LDialog of 200 x 120 at 40, 30),
  // "dialog" (a Test.Dialog alone), "bounded" (200 x 150 up to 600 x 400),
  // "fixed" (300 x 200 only) and "editing" (a Test.Edit control "edit"
  // in a Test.Input; the test registers Test.Edit).
  static constexpr const char* kMoreTopLevels = R"(
  <SubControl Class="Test.Input" Name="painted">
    <Skin Name="P" LookList="Blue.1"/>
    <SubControl Class="Test.Input" Name="box" XPositionAbs="10" YPositionAbs="10" XSizeAbs="50" YSizeAbs="20">
      <Skin Name="B" LookList="Red.1"/>
    </SubControl>
  </SubControl>
  <SubControl Class="Test.Dialog" Name="dialog"/>
  <SubControl Class="Test.RealDialog" Name="realDialog" XPositionAbs="40" YPositionAbs="30" XSizeAbs="200" YSizeAbs="120"/>
  <SubControl Class="Test.Input" Name="bounded" XMinSizeAbs="200" YMinSizeAbs="150" XMaxSizeAbs="600" YMaxSizeAbs="400"/>
  <SubControl Class="Test.Input" Name="fixed" XMinSizeAbs="300" YMinSizeAbs="200" XMaxSizeAbs="300" YMaxSizeAbs="200"/>
  <SubControl Class="Test.Input" Name="editing">
    <SubControl Class="Test.Edit" Name="edit" XPositionAbs="10" YPositionAbs="10" XSizeAbs="50" YSizeAbs="20" TabStop="1"/>
  </SubControl>
)";

  // A window with its renderer and root window, with the skin's top-level
  // control of that name as root control when one is named.
  RCPtr<OSWindow> Open(const char16_t* root = nullptr, RectT<int32_t> rect = {100, 50, 400, 300},
                       const char16_t* section = u"") {
    const RCPtr<OSWindow> window = OSWindow::Create(dispatcher, {StringW(u"test"), rect, false, StringW(section)});
    EXPECT_TRUE(window);
    if (!window) return nullptr;
    mWindows.push_back(window);
    EXPECT_EQ(window->CreateRenderer(LRenderer::GdiPlus), S_OK);
    if (root) {
      const RCPtr<LControl> control = factory.CreateControl(TopLevel(root), nullptr);
      EXPECT_TRUE(control);
      RootWindowFixture::PlaceChildren(*control);
      window->GetRootWindow()->SetRootControl(control);
    }
    return window;
  }

  // The desktop's events, handed to the dispatcher as the loop would.
  void Send(const OSWindow& window, WindowEvent event) {
    event.window = window.GetWindowId();
    dispatcher.OnEvent(event);
  }
  void Focus(const OSWindow& window, bool gained = true) {
    Send(window, Event(gained ? Kind::FocusGained : Kind::FocusLost));
  }
  static WindowEvent Event(Kind kind) {
    WindowEvent event;
    event.kind = kind;
    return event;
  }
  static WindowEvent Mouse(Kind kind, int32_t x, int32_t y, int32_t button, int32_t clicks = 1) {
    WindowEvent event = Event(kind);
    event.x = x;
    event.y = y;
    event.button = button;
    event.clicks = clicks;
    return event;
  }
  static WindowEvent Wheel(int32_t x, int32_t y, int32_t delta, bool horizontal = false) {
    WindowEvent event = Event(Kind::Wheel);
    event.x = x;
    event.y = y;
    event.delta = delta;
    event.horizontal = horizontal;
    return event;
  }
  static WindowEvent Key(Kind kind, int32_t key, uint32_t modifiers = 0, bool repeat = false) {
    WindowEvent event = Event(kind);
    event.key = key;
    event.modifiers = modifiers;
    event.repeat = repeat;
    return event;
  }
  static WindowEvent Text(const std::string& text) {
    WindowEvent event = Event(Kind::TextInput);
    event.text = text;
    return event;
  }
  // Queues an event for the message loop.
  void Script(const OSWindow& window, WindowEvent event) {
    event.window = window.GetWindowId();
    system.Script(event);
  }

  InputControl& Input(const OSWindow& window, const char16_t* name) {
    RCPtrArray<LControl> found;
    window.GetRootWindow()->GetRootControl()->FindDescendantControls(StringW(name), found);
    InputControl* control = found.GetCount() ? dynamic_cast<InputControl*>(found.GetAt(0).Get()) : nullptr;
    if (!control) throw std::runtime_error("no input control");
    return *control;
  }
  static std::vector<std::string> TakeInput() { return std::exchange(InputControl::Log(), {}); }

  Platform::VirtualClock clock{1000};
  Platform::HeadlessWindowSystem system;
  MemoryProfile profile;
  OSWindowDispatcher dispatcher{system};

 private:
  std::vector<RCPtr<OSWindow>> mWindows;
};

}  // namespace HV::Test
