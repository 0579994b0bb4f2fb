// The application's skin: which one is stored, applying one to every root
// window, and the busy scope shown meanwhile.

#include "HVFramework/Application/LFrameworkApp.h"
#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ObjectBase/Exception.h"

namespace HV {
namespace {

constexpr const WChar* kSkinIndexKey = u"CurrentSkinIndex";

// While a skin is applied: the wait cursor on the active window (else the
// main window), "Loading Skin..." in the status bar and one idle pass so it
// shows; the cursor and the status text go back when the scope ends.
class SkinBusyScope {
 public:
  explicit SkinBusyScope(LFrameworkApp& app) : mApp(app) {
    mWindow = app.GetActiveRootWindow();
    if (!mWindow && app.GetRootWindows().GetCount() != 0) mWindow = app.GetRootWindows().GetAt(0);
    if (mWindow) mCursor = mWindow->SetCursor(app.GetCursorHandle(StringW(u"UI_CURSOR_WAIT")));
    app.SetStatusText(StringW(u"Loading Skin..."), true);
    app.ProcessIdle(true);
  }
  ~SkinBusyScope() {
    if (mWindow) mWindow->SetCursor(mCursor);
    mApp.RestoreStatusText(false);
  }
  SkinBusyScope(const SkinBusyScope&) = delete;
  SkinBusyScope& operator=(const SkinBusyScope&) = delete;

 private:
  LFrameworkApp& mApp;
  RCPtr<LRootWindow> mWindow;
  CursorHandle mCursor = 0;
};

}  // namespace

int32_t LFrameworkApp::ClampSkinIndex(int32_t stored, int32_t skinCount) {
  if (skinCount <= 0) return -1;
  if (stored < 0) return 0;
  return stored < skinCount ? stored : skinCount - 1;
}

int32_t LFrameworkApp::GetCurrentSkinIndex() {
  int32_t index = 0;
  IIniFileManager* settings = GetIniFileManager();
  const int32_t file = OpenIniFile(kUserSettingsFile);
  if (settings && file != 0) settings->GetIniValueInt(file, StringW(kSkinIndexKey), 0, index);
  return index;
}

HResult LFrameworkApp::SetSkin(int32_t index) {
  if (!mFactory || index < 0 || static_cast<uint32_t>(index) >= mFactory->GetSkins().GetCount())
    return E_INVALIDARG;
  StringW fontName;
  float fontSize = 0;
  int32_t fontStyle = 0;
  CheckResult(GetSystemFont(fontName, fontSize, fontStyle), HV_HERE("HV::LFrameworkApp::SetSkin"));
  mFactory->SetCurrentSkinIndex(index);
  mFactory->GetSkinFont(fontName, fontSize, fontStyle);
  mDefaultFont = LFont::FindOrCreate(fontName, fontSize, fontStyle);
  SetApplicationDefaultFont(mDefaultFont);

  for (const RCPtr<LRootWindow>& window : SnapshotRootWindows()) {
    const SkinBusyScope busy(*this);
    ApplySkinToWindow(*window);
  }

  IIniFileManager* settings = GetIniFileManager();
  const int32_t file = OpenIniFile(kUserSettingsFile);
  if (settings && file != 0) settings->SetIniValueInt(file, StringW(kSkinIndexKey), index);
  return S_OK;
}

void LFrameworkApp::ApplySkinToWindow(LRootWindow& window) {
  const IOSWindowHost* host = window.GetHost();
  const bool wasActive = host && host->IsActive();
  // The focus is put back on the same control once its tree took the skin.
  if (wasActive) window.ClearFocusControl();
  if (const RCPtr<LControl> root = window.GetRootControl()) mFactory->ApplySkin(root);
  const LRootWindow::Rect client = window.GetScreenRect();
  window.InvalidateRect({0, 0, client.width, client.height});
  if (wasActive) window.RestoreFocus();
}

}  // namespace HV
