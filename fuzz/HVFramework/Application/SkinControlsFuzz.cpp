// Builds the controls of an arbitrary skin document, as the program does with
// its own skin: the framework's control classes are registered, every
// top-level control of the skin is created with its subtree, made the root
// control of a window (which lays it out over the client area), drawn into a
// recording renderer, laid out again for a smaller window and drawn again.
// The skin's application is "HVGallery", as in the program's and the
// gallery's own skins. Nothing may crash, hang or leak.
#include "HVFramework/Application/FrameworkControlClasses.h"
#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/ControlBase/Views/LDialog.h"
#include "tests/support/FakeWindowHost.h"
#include "tests/support/MemoryXmlResourceSource.h"
#include "tests/support/RecordingRenderer.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace {

// Large enough for the program's own skins; larger documents add nothing
// but time.
constexpr size_t kMaxDocumentBytes = 160 * 1024;
// A skin can name any number of top-level controls: a few show every path.
constexpr uint32_t kMaxTopLevelControls = 24;

// A window with a recording renderer, registered with the application for as
// long as it lives, as the program's main window is.
class RecordedWindow {
 public:
  RecordedWindow() {
    renderer->SetFontMetrics(14, 11, 3);
    renderer->SetTextBox({0, 0, 40, 14});
    renderer->RenderStart(context);
    window->SetRenderer(renderer);
    HV::AddApplicationRootWindow(window.Get());
  }
  ~RecordedWindow() {
    window->SetRootControl(nullptr);
    HV::RemoveApplicationRootWindow(window.Get());
    renderer->RenderFinish(context);
  }
  RecordedWindow(const RecordedWindow&) = delete;
  RecordedWindow& operator=(const RecordedWindow&) = delete;

  void Show(const HV::RCPtr<HV::LControl>& control) {
    window->SetRootControl(control);
    Paint();
    window->Relayout(97, 61);
    window->InvalidateAll();
    Paint();
    window->SetRootControl(nullptr);
  }

 private:
  void Paint() {
    window->Paint(window->TakeUpdateRegion());
    renderer->ClearCalls();
  }

  HV::Test::FakeWindowHost host;
  const HV::RCPtr<HV::LRootWindow> window = HV::LRootWindow::Create(&host);
  const HV::RCPtr<HV::Test::RecordingRenderer> renderer = HV::Test::RecordingRenderer::Create();
  const HV::RCPtr<HV::Test::RecordingRenderContext> context =
      HV::Test::RecordingRenderContext::Create({0, 0, 400, 300});
};

// The factory refuses a class nobody registered with an exception, as the
// program expects: that ends this control, not the run.
HV::RCPtr<HV::LControl> CreateTopLevel(HV::LControlFactory& factory,
                                       const HV::RCPtr<HV::LControlDescriptor>& descriptor) {
  try {
    return factory.CreateControl(descriptor, nullptr);
  } catch (const std::runtime_error&) {
    return nullptr;
  }
}

void ShowTopLevelControls(HV::LControlFactory& factory) {
  const HV::RCPtr<HV::LControlDescriptor> skin = factory.GetCurrentSkinRoot();
  if (!skin) return;
  RecordedWindow window;
  const HV::RCPtrArray<HV::LControlDescriptor>& topLevel = skin->GetChildren();
  for (uint32_t i = 0; i < topLevel.GetCount() && i < kMaxTopLevelControls; ++i)
    if (const HV::RCPtr<HV::LControl> control = CreateTopLevel(factory, *topLevel.GetItemPtr(i)))
      window.Show(control);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxDocumentBytes) return 0;
  HV::Test::MemoryXmlResourceSource document;
  document.Add("SKIN", std::string(reinterpret_cast<const char*>(data), size));

  HV::LControlFactory factory{HV::StringW(u"HVGallery")};
  factory.SetResourceSource(&document);
  factory.SetBaseLocation(HV::StringW(u"::"));
  HV::RegisterFrameworkControlClasses(factory);
  // The gallery's dialogs, as the gallery registers them.
  factory.RegisterControlCreateFunction(HV::StringW(u"HVGallery.Dialog"), &HV::LDialog::Create);
  if (factory.LoadSkins(HV::StringW(u"::SKIN")) != HV::S_OK) return 0;
  HV::SetApplicationControlFactory(&factory);
  ShowTopLevelControls(factory);
  HV::SetApplicationControlFactory(nullptr);
  return 0;
}
