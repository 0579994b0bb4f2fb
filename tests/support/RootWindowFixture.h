#pragma once

// RootWindowFixture: a root window without a display. A fake OS window, the
// virtual clock, a control tree built from a skin string (class "Test.Input"
// by default, see InputControl.h), the application's hot keys (Alt+F4 raises
// "NID_APP_EXIT_REQ") and their queue, input helpers that move the fake
// window's state the way a real window would before each event, idle passes,
// and a notification log.
//
// Until the layout solver places controls, the fixture places them from the
// absolute positions and sizes of their skin (XPositionAbs, XSizeAbs...); the
// root control fills the client area.

#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/ControlBase/Skin/KeyCode.h"
#include "HVFramework/ControlBase/Control/RootWindow/LGlobalHotKeyManager.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/Notification/LNotificationCenter.h"
#include "HVFramework/Platform/Core/VirtualClock.h"
#include "tests/HVFramework/ControlBase/Skin/ControlFactory/SkinDocumentFixture.h"
#include "tests/support/FakeWindowHost.h"
#include "tests/support/InputControl.h"
#include "tests/support/NotificationRecorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace HV::Test {

// A second, inactive window of the application for as long as it lives: Tab
// at the end of the first window's order asks it for the keyboard.
class OtherApplicationWindow {
 public:
  OtherApplicationWindow() {
    host.active = false;
    AddApplicationRootWindow(window.Get());
  }
  ~OtherApplicationWindow() { RemoveApplicationRootWindow(window.Get()); }
  OtherApplicationWindow(const OtherApplicationWindow&) = delete;
  OtherApplicationWindow& operator=(const OtherApplicationWindow&) = delete;

  FakeWindowHost host;
  const RCPtr<LRootWindow> window = LRootWindow::Create(&host);
};

class RootWindowFixture : public ::testing::Test, public SkinDocumentFixture {
 public:
  // Modifier flags of the window's events.
  static constexpr uint32_t kCtrl = 0x01;
  static constexpr uint32_t kShift = 0x08;
  static constexpr uint32_t kAlt = 0x40;
  // Virtual keys used by the tests.
  static constexpr uint32_t kTab = 9;
  static constexpr uint32_t kDelete = 0x2E;
  static constexpr uint32_t kF4 = 0x73;

 protected:
  RootWindowFixture() {
    SetApplicationControlFactory(&factory);
    factory.RegisterControlCreateFunction(StringW(u"Test.Input"), &InputControl::Create);
    InputControl::Log().clear();
    mAppHotKeys->Bind(KeyCode::Parse(StringW(u"Alt+VKEY_F4")), StringW(u"NID_APP_EXIT_REQ"));
    SetApplicationHotKeys(mAppHotKeys.Get());
    AddApplicationRootWindow(window.Get());
  }
  ~RootWindowFixture() override {
    for (const RCPtr<NotificationRecorder>& recorder : mRecorders) recorder->UnregisterAllNotifications();
    RemoveApplicationRootWindow(window.Get());
    window->SetRootControl(nullptr);
    SetApplicationHotKeys(nullptr);
    SetApplicationControlFactory(nullptr);
  }

  // Loads a skin body (Skins elements) and makes its top-level control
  // `name` the root control. Fails the test when anything is missing.
  RCPtr<LControl> Open(const std::string& skinBody, const char16_t* name) {
    EXPECT_EQ(LoadSkinBody(skinBody), S_OK);
    const RCPtr<LControl> root = factory.CreateControl(TopLevel(name), nullptr);
    EXPECT_TRUE(root) << "no top-level control " << Narrow(StringW(name));
    if (!root) return nullptr;
    PlaceChildren(*root);
    window->SetRootControl(root);
    return root;
  }

  // String-table entries for the controls about to be built: table IDs are
  // "App|<top-level name>" or "<parent class>|<name>" ("Test.Input|ok").
  struct StringRow {
    std::string table;
    std::string id;
    std::string text;
  };
  void LoadStrings(std::initializer_list<StringRow> rows) {
    std::string body;
    for (const StringRow& row : rows)
      body += "<StringTable ID=\"" + row.table + "\"><String ID=\"" + row.id + "\"><Locale LCID=\"9\">" +
              row.text + "</Locale></String></StringTable>";
    resources.Add("STRINGS",
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Halvern_StringTable_Definitions><Application "
                  "Name=\"App\">" +
                      body + "</Application></Halvern_StringTable_Definitions>");
    EXPECT_EQ(factory.LoadStringTables(StringW(u"::STRINGS"), StringW(u"::NONE"), 9), S_OK);
  }

  // A control of the tree by name, anywhere below the root control.
  RCPtr<LControl> Find(const char16_t* name) const {
    const RCPtr<LControl>& root = window->GetRootControl();
    if (!root) return nullptr;
    if (root->GetName() == StringW(name)) return root;
    RCPtrArray<LControl> found;
    root->FindDescendantControls(StringW(name), found);
    return found.GetCount() ? found.GetAt(0) : nullptr;
  }
  InputControl& Input(const char16_t* name) const {
    InputControl* control = dynamic_cast<InputControl*>(Find(name).Get());
    if (!control) throw std::runtime_error("no input control " + Narrow(StringW(name)));
    return *control;
  }

  // --- Mouse ---
  void Move(int32_t x, int32_t y, uint32_t modifiers = 0) {
    host.mouse = {x, y};
    window->OnMouseMove({x, y}, modifiers, 0);
  }
  // A move first when the pointer is elsewhere, as a real window reports it.
  void MoveIfAway(int32_t x, int32_t y, uint32_t modifiers) {
    if (host.mouse != PointT<int32_t>{x, y}) Move(x, y, modifiers);
  }
  void Press(int32_t x, int32_t y, int32_t button = 1, uint32_t modifiers = 0) {
    MoveIfAway(x, y, modifiers);
    host.buttons |= static_cast<uint32_t>(button);
    window->OnMouseButton(LRootWindow::kPress, button, modifiers, {x, y}, 0);
  }
  void Release(int32_t x, int32_t y, int32_t button = 1, uint32_t modifiers = 0) {
    MoveIfAway(x, y, modifiers);
    host.buttons &= ~static_cast<uint32_t>(button);
    window->OnMouseButton(LRootWindow::kRelease, button, modifiers, {x, y}, 0);
  }
  void Click(int32_t x, int32_t y, int32_t button = 1) {
    Press(x, y, button);
    Release(x, y, button);
  }
  // A click and the window's double-click press and its release.
  void DoubleClick(int32_t x, int32_t y, int32_t button = 1) {
    Click(x, y, button);
    host.buttons |= static_cast<uint32_t>(button);
    window->OnMouseButton(LRootWindow::kDoubleClickPress, button, 0, {x, y}, 0);
    Release(x, y, button);
  }
  // A wheel delta in the window system's units: 120 is one step, positive
  // up (or right, horizontal).
  void Wheel(int32_t x, int32_t y, int32_t delta, bool horizontal = false, uint32_t modifiers = 0) {
    MoveIfAway(x, y, modifiers);
    const int32_t direction = horizontal ? (delta > 0 ? 3 : 2) : (delta > 0 ? 1 : 0);
    for (int32_t steps = (delta < 0 ? -delta : delta) / 120; steps > 0; --steps)
      window->OnMouseWheel({x, y}, modifiers, direction);
  }

  // --- Keys ---
  // A key-down as the window reports it: the virtual key in bits 16-23, the
  // key-down bit 0x20000000, the modifiers as key-code bits; flag = repeat.
  static KeyCode KeyDownCode(uint32_t virtualKey, uint32_t modifiers = 0, bool repeat = false) {
    KeyCode key;
    key.code = (virtualKey << 16) | KeyCode::kVirtualKeyFlag | ModifierBits(modifiers);
    key.sideMask = KeyCode::SideMaskFromFlags(modifiers);
    key.flag = repeat ? 1 : 0;
    return key;
  }
  void Key(uint32_t virtualKey, uint32_t modifiers = 0, bool repeat = false) {
    window->OnKey(LKeyParam::Create(KeyDownCode(virtualKey, modifiers, repeat)));
  }
  // The name of the control that has the focus; "none".
  std::string Focused() const {
    LControl* focus = window->GetFocusControl();
    return focus ? Narrow(focus->GetName()) : "none";
  }
  // The focus after each of a series of Tabs with the given modifiers.
  std::vector<std::string> TabThrough(uint32_t modifiers, int count) {
    std::vector<std::string> path{Focused()};
    for (int i = 0; i < count; ++i) {
      Key(kTab, modifiers);
      path.push_back(Focused());
    }
    return path;
  }
  // A key-up: no key-down bit, flag 1.
  void KeyUp(uint32_t virtualKey, uint32_t modifiers = 0) {
    KeyCode key = KeyDownCode(virtualKey, modifiers);
    key.code &= ~KeyCode::kVirtualKeyFlag;
    key.flag = 1;
    window->OnKey(LKeyParam::Create(key));
  }
  void Char(uint32_t character, uint32_t modifiers = 0) {
    window->OnKey(LKeyParam::Create(KeyCode::FromCharacter(character, modifiers)));
  }

  // --- Time and idle ---
  void Advance(uint32_t milliseconds) { clock.Advance(milliseconds); }
  // One idle pass as the application runs it: its own queue, then the window.
  void Idle() {
    appCenter->ProcessNotifications(false);
    window->ProcessIdle();
  }

  // --- Notifications ---
  // Records the named notifications of a control (or the window, or the
  // application) as "label:NAME".
  void Listen(const RCPtr<LNotificationDistributor>& source, const std::string& label,
              std::initializer_list<const WChar*> names) {
    mRecorders.push_back(NotificationRecorder::Create(label, log));
    for (const WChar* name : names) mRecorders.back()->RegisterNotification(source, name);
  }
  // The deliveries since the last call.
  std::vector<std::string> Take() {
    std::vector<std::string> deliveries = log.Deliveries();
    log.Clear();
    return deliveries;
  }
  static std::vector<std::string> TakeInput() {
    std::vector<std::string> events = std::move(InputControl::Log());
    InputControl::Log().clear();
    return events;
  }

  Platform::VirtualClock clock{1000};
  FakeWindowHost host;
  const RCPtr<LNotificationCenter> appCenter = LNotificationCenter::Create(StringW(u"application"));
  const RCPtr<LRootWindow> window = LRootWindow::Create(&host);
  NotificationLog log;

  // Places the children of a tree from the absolute positions and sizes of
  // their skin, as the fixture's trees are placed.
 public:
  static void PlaceChildren(LControl& parent) {
    for (const RCPtr<LControl>& child : parent.GetChildren().Snapshot()) {
      const LLayoutDescriptor& layout = *child->GetLayout();
      child->SetRect({layout.position[0].absolute, layout.position[1].absolute, layout.size[0].absolute,
                      layout.size[1].absolute});
      PlaceChildren(*child);
    }
  }

 private:
  static uint32_t ModifierBits(uint32_t modifiers) {
    uint32_t bits = 0;
    if (modifiers & kCtrl) bits |= KeyCode::kCtrl;
    if (modifiers & kShift) bits |= KeyCode::kShift;
    if (modifiers & kAlt) bits |= KeyCode::kAlt;
    return bits;
  }

  const RCPtr<LGlobalHotKeyManager> mAppHotKeys = LGlobalHotKeyManager::Create(appCenter->GetPostingReceiver());
  std::vector<RCPtr<NotificationRecorder>> mRecorders;
};

}  // namespace HV::Test
