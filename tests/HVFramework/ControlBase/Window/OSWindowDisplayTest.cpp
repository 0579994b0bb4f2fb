// OS windows on the desktop's window system (SDL under X): what the desktop
// itself records and does -- a fixed-size window put back after the desktop
// sizes it, a dialog kept above its owner, and an owner that paints on while
// a file chooser is open. Run under Xvfb, without a window manager.
#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/SystemUI/LFileDialog.h"
#include "HVFramework/ControlBase/Views/LDialog.h"
#include "HVFramework/ControlBase/Window/OSWindow.h"
#include "HVFramework/ControlBase/Window/OSWindowDispatcher.h"
#include "HVFramework/Platform/SDL/SdlWindowSystem.h"
#include "tests/HVFramework/ControlBase/Skin/ControlFactory/SkinDocumentFixture.h"
#include "tests/HVFramework/ControlBase/Window/WaitingWindow.h"
#include "tests/support/IgnoreSystemLeaks.h"
#include "tests/support/InputControl.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace HV::Test {
namespace {

using ::testing::IsEmpty;

constexpr const char* kSkin = R"(
<Skins><Skin Name="S">
  <SubControl Class="Test.Input" Name="main">
    <SubControl Class="Test.Input" Name="a1" XPositionAbs="10" YPositionAbs="10" XSizeAbs="50" YSizeAbs="20" TabStop="1"/>
  </SubControl>
  <SubControl Class="Test.Input" Name="fixed" XMinSizeAbs="300" YMinSizeAbs="200" XMaxSizeAbs="300" YMaxSizeAbs="200"/>
  <SubControl Class="Test.RealDialog" Name="realDialog" XPositionAbs="40" YPositionAbs="30" XSizeAbs="200" YSizeAbs="120"/>
</Skin></Skins>)";

class OSWindowDisplay : public ::testing::Test, public SkinDocumentFixture {
 protected:
  void SetUp() override {
    ASSERT_TRUE(system) << error;
    SetApplicationControlFactory(&factory);
    factory.RegisterControlCreateFunction(StringW(u"Test.Input"), &InputControl::Create);
    factory.RegisterControlCreateFunction(StringW(u"Test.RealDialog"), &LDialog::Create);
    ASSERT_EQ(LoadSkinBody(kSkin), S_OK);
    InputControl::Log().clear();
  }
  void TearDown() override {
    if (dispatcher) {
      dispatcher->SetIdleHandler(nullptr);
      dispatcher.reset();
    }
    SetApplicationControlFactory(nullptr);
  }

  // A shown window with that top-level control, its title unique on the display.
  RCPtr<OSWindow> Open(const char16_t* root, RectT<int32_t> rect = {40, 40, 400, 300}) {
    const std::string title = "os-window-display-" + std::to_string(getpid()) + "-" + std::to_string(++mOpened);
    OSWindow::Spec spec;
    spec.title = StringW(title.c_str());
    spec.rect = rect;
    const RCPtr<OSWindow> window = OSWindow::Create(*dispatcher, spec);
    EXPECT_TRUE(window);
    if (!window) return nullptr;
    EXPECT_EQ(window->CreateRenderer(LRenderer::GdiPlus), S_OK);
    const RCPtr<LControl> control = factory.CreateControl(TopLevel(root), nullptr);
    EXPECT_TRUE(control);
    window->GetRootWindow()->SetRootControl(control);
    window->Show(true);
    return window;
  }
  RectT<int32_t> ClientRect(const OSWindow& window) const {
    RectT<int32_t> rect;
    system->GetWindowRect(window.GetWindowId(), rect);
    return rect;
  }
  // Runs the loop until done() says so on an idle pass, or about 10 s of ticks passed.
  void RunUntil(const std::function<bool()>& done) {
    int32_t rounds = 0;
    dispatcher->SetIdleHandler([&](int32_t count) {
      if (count == 0 && (done() || ++rounds > 300)) dispatcher->Quit(0);
      return true;  // the desktop is watched on every tick: the loop keeps ticking
    });
    dispatcher->Run();
    dispatcher->SetIdleHandler(nullptr);
  }

  IgnoreSystemLeaks displayLibraries;
  std::string error;
  std::unique_ptr<Platform::SdlWindowSystem> system = Platform::SdlWindowSystem::Open({}, error);
  std::unique_ptr<OSWindowDispatcher> dispatcher =
      system ? std::make_unique<OSWindowDispatcher>(*system) : nullptr;

 private:
  int32_t mOpened = 0;
};

// The size of an X window as the X server has it ("300x200"); empty when
// xdotool cannot tell.
std::string XSize(uint64_t xid) {
  const std::string command = "timeout 20 xdotool getwindowgeometry " + std::to_string(xid) + " 2>/dev/null";
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    pclose(pipe);
  }
  const size_t at = output.find("Geometry: ");
  if (at == std::string::npos) return "";
  const size_t start = at + 10;
  return output.substr(start, output.find('\n', start) - start);
}

TEST_F(OSWindowDisplay, AFixedSizeWindowIsPutBackAfterTheDesktopSizesIt) {
  const RCPtr<OSWindow> window = Open(u"fixed");
  const uint64_t xid = system->GetX11Window(window->GetWindowId());
  ASSERT_NE(xid, 0u);
  int32_t rounds = 0;
  RunUntil([&] { return ++rounds % 10 == 0 && XSize(xid) == "300x200"; });
  ASSERT_EQ(XSize(xid), "300x200");
  // The desktop (xdotool here, as a window manager would) sizes the window.
  const std::string resize = "timeout 20 xdotool windowsize --sync " + std::to_string(xid) + " 500 450";
  ASSERT_EQ(std::system(resize.c_str()), 0);
  ASSERT_EQ(XSize(xid), "500x450");
  RunUntil([&] { return ++rounds % 10 == 0 && XSize(xid) == "300x200"; });
  EXPECT_EQ(XSize(xid), "300x200");
  EXPECT_EQ(ClientRect(*window).width, 300);
  EXPECT_EQ(ClientRect(*window).height, 200);
  const LControl::Rect tree = window->GetRootWindow()->GetRootControl()->GetRect();
  EXPECT_EQ(tree.width, 300);
  EXPECT_EQ(tree.height, 200);
  window->Destroy();
}

TEST_F(OSWindowDisplay, ADialogStaysAboveTheWindowItWasOpenedFrom) {
  const RCPtr<OSWindow> main = Open(u"main");
  SetApplicationWindowRunner(dispatcher.get());
  const RCPtr<LControl> dialog = factory.CreateControl(TopLevel(u"realDialog"), nullptr);
  ASSERT_EQ(dispatcher->RunControlInRootWindow(dialog, false), S_OK);
  SetApplicationWindowRunner(nullptr);
  ASSERT_EQ(GetApplicationRootWindowCount(), 2);
  auto* window = dynamic_cast<OSWindow*>(GetApplicationRootWindowAt(1)->GetHost());
  ASSERT_TRUE(window);
  EXPECT_EQ(system->QueryDesktopOwner(window->GetWindowId()), main->GetWindowId());
  EXPECT_EQ(system->QueryDesktopOwner(main->GetWindowId()), 0u);
  window->Destroy();
  main->Destroy();
}

TEST_F(OSWindowDisplay, TheOwnerPaintsWhileAFileChooserIsOpenAndDropsTheInputGivenMeanwhile) {
  const RCPtr<OSWindow> window = Open(u"main");
  InputControl::Log().clear();
  WaitingChooser chooser("/presets/first.tpr\n");
  PaintWatcher watcher(chooser);
  dispatcher->SetIdleHandler([&](int32_t) {
    watcher.OnIdle(*window);
    return false;
  });
  // Keys and clicks the user gives the window while the chooser is up.
  Platform::WindowEvent event;
  event.window = window->GetWindowId();
  event.kind = Platform::WindowEventKind::FocusGained;
  system->PostEvent(event);
  event.kind = Platform::WindowEventKind::KeyDown;
  event.key = 'A';
  system->PostEvent(event);
  event.kind = Platform::WindowEventKind::MouseDown;
  event.x = 15;
  event.y = 12;
  event.button = 1;
  event.clicks = 1;
  system->PostEvent(event);
  const RCPtr<LFileDialog> dialog = LFileDialog::Create(window->GetDialogOwner(), chooser, StringW(u"/presets"));
  EXPECT_EQ(dialog->Open(StringW(u"Presets|*.tpr"), StringW(u"tpr"), StringW(u"Open"), false), S_OK);
  EXPECT_TRUE(watcher.HasSeenPaintWhileOpen());
  dispatcher->SetIdleHandler(nullptr);
  RunUntil([] { return true; });
  EXPECT_THAT(InputControl::Log(), IsEmpty());
  window->Destroy();
}

}  // namespace
}  // namespace HV::Test
