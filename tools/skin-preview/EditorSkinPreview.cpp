#include "tools/skin-preview/EditorSkinPreview.h"

#include "HVFramework/Controls/MessageBox/LMessageBox.h"

#include "HVFramework/Application/FrameworkControlClasses.h"
#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LEmbeddedXmlResources.h"
#include "HVFramework/Renderer/ApplicationRenderer.h"
#include "HVFramework/Renderer/LFont.h"
#include "Panel/UI/ApplicationControlClasses.h"

namespace HV {
namespace {

// The documents' reader; it holds nothing, so one serves every factory.
const LEmbeddedXmlResources kResources;

// English, asked for as a US user asks for it (the tables fall back to 0x0009).
constexpr int32_t kLanguage = 0x0409;

RectT<int32_t> SkinRect(const LControlDescriptor& control) {
  const LLayoutDescriptor& layout = *control.GetLayout();
  return {static_cast<int32_t>(layout.position[0].absolute), static_cast<int32_t>(layout.position[1].absolute),
          static_cast<int32_t>(layout.size[0].absolute), static_cast<int32_t>(layout.size[1].absolute)};
}

}  // namespace

std::unique_ptr<LControlFactory> EditorSkinPreview::LoadEditorDocuments(std::string& error) {
  auto factory = std::make_unique<LControlFactory>(StringW(u"PresetEditor"));
  factory->SetResourceSource(&kResources);
  factory->SetBaseLocation(StringW(u"::"));
  if (factory->LoadDocuments(StringW(u"::APP_STRINGS"), StringW(u"::FRAMEWORK_STRINGS"), kLanguage,
                              StringW(u"::APP_SKINS")) != S_OK) {
    error = "the documents cannot be read: " + std::string(factory->GetLastParseError().text.ToCharString().GetText());
    return nullptr;
  }
  return factory;
}

EditorSkinPreview::EditorSkinPreview(LControlFactory& factory, const StringW& topLevelName, const Prepare& prepare) {
  RegisterFrameworkControlClasses(factory);  // a name registered already keeps its function
  RegisterApplicationControlClasses(factory);
  LMessageBox::Register(factory);
  SetApplicationControlFactory(&factory);
  StringW fontName;
  float fontSize = 0;
  int32_t fontStyle = 0;
  factory.GetSkinFont(fontName, fontSize, fontStyle);
  SetApplicationDefaultFont(LFont::FindOrCreate(fontName, fontSize, fontStyle));
  mSystem.AdvanceClockInWaits(&mClock);

  const RCPtr<LControlDescriptor> descriptor = factory.FindControlDescriptor(topLevelName);
  if (!descriptor) return;
  mRect = SkinRect(*descriptor);
  // The control measures its texts with the window's renderer: the window comes first.
  if (!OpenWindow(topLevelName)) return;
  const RCPtr<LControl> control = factory.CreateControl(descriptor, nullptr);
  if (!control) return;
  if (prepare) {
    prepare(*control);
    const LControl::Rect laid = control->GetRect();
    mRect.width = static_cast<int32_t>(laid.width + 0.5);
    mRect.height = static_cast<int32_t>(laid.height + 0.5);
    CloseWindow();
    if (!OpenWindow(topLevelName)) return;
  }
  mBuilt = mWindow->GetRootWindow()->SetRootControl(control) == S_OK;
}

bool EditorSkinPreview::OpenWindow(const StringW& title) {
  OSWindow::Spec spec;
  spec.title = title;
  spec.rect = mRect;
  mWindow = OSWindow::Create(mDispatcher, spec);
  if (!mWindow || mWindow->CreateRenderer(LRenderer::GdiPlus) != S_OK) return false;
  SetApplicationRenderer(mWindow->GetRenderer());
  return true;
}

void EditorSkinPreview::CloseWindow() {
  if (mWindow) mWindow->Destroy();
  mWindow = nullptr;
  SetApplicationRenderer(nullptr);
}

EditorSkinPreview::~EditorSkinPreview() {
  CloseWindow();
  SetApplicationDefaultFont(nullptr);
  SetApplicationControlFactory(nullptr);
}

RCPtr<LControl> EditorSkinPreview::GetRoot() const {
  return mWindow ? mWindow->GetRootWindow()->GetRootControl() : nullptr;
}

RCPtr<LControl> EditorSkinPreview::Find(const std::string& path) const {
  RCPtr<LControl> at = GetRoot();
  for (size_t start = 0; at && start < path.size();) {
    const size_t slash = std::min(path.find('/', start), path.size());
    const std::string name = path.substr(start, slash - start);
    at = at->FindChildControl(StringW(std::u16string(name.begin(), name.end()).c_str()));
    start = slash + 1;
  }
  return at;
}

std::vector<uint32_t> EditorSkinPreview::Paint() {
  std::vector<uint32_t> pixels;
  if (!mWindow) return pixels;
  mDispatcher.PaintDirtyWindows();
  const RCPtr<Platform::MemoryPresenter> presenter = mSystem.GetMemoryPresenter(mWindow->GetWindowId());
  for (int32_t y = 0; y < mRect.height; ++y)
    for (int32_t x = 0; x < mRect.width; ++x) pixels.push_back(presenter->GetPixel(x, y));
  return pixels;
}

}  // namespace HV
