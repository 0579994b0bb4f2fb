#include "tools/skin-preview/EditorSkinPreview.h"

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

EditorSkinPreview::EditorSkinPreview(LControlFactory& factory, const StringW& topLevelName) {
  RegisterFrameworkControlClasses(factory);  // a name registered already keeps its function
  RegisterApplicationControlClasses(factory);
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
  OSWindow::Spec spec;
  spec.title = topLevelName;
  spec.rect = mRect;
  mWindow = OSWindow::Create(mDispatcher, spec);
  if (!mWindow || mWindow->CreateRenderer(LRenderer::GdiPlus) != S_OK) return;
  SetApplicationRenderer(mWindow->GetRenderer());
  mBuilt = mWindow->GetRootWindow()->SetRootControlByName(topLevelName) == S_OK;
}

EditorSkinPreview::~EditorSkinPreview() {
  if (mWindow) mWindow->Destroy();
  SetApplicationRenderer(nullptr);
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
