#include "HVFramework/Application/LApplicationBase.h"

#include "HVFramework/Application/PendingRuntimeFault.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/SystemUI/ApplicationClipboard.h"
#include "HVFramework/ControlBase/Window/OSWindowDispatcher.h"
#include "HVFramework/ControlBase/Window/ProfileFolderStore.h"
#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/Platform/Core/Clock.h"
#include "HVFramework/Renderer/ApplicationRenderer.h"
#include "HVFramework/System/LIniFileManager.h"
#include "HVFramework/System/RuntimeFaults.h"
#include "HVFramework/Utilities/Storage/Utf8Text.h"

#include <string>

namespace HV {
namespace {

constexpr const WChar* kExitKey = u"Alt+VKEY_F4";


}  // namespace

LApplicationBase* LApplicationBase::GetBase() { return dynamic_cast<LApplicationBase*>(GetInstance()); }

LApplicationBase::LApplicationBase(std::unique_ptr<LControlFactory> factory,
                                   const RCPtr<LStringTable>& frameworkStrings, const ApplicationIdentity& identity,
                                   OSWindowDispatcher& dispatcher)
    : LFrameworkApp(std::move(factory), frameworkStrings, identity.applicationName.ToCharString(),
                    dispatcher.GetWindowSystem()),
      mIdentity(identity),
      mDispatcher(dispatcher),
      mOwnIniFileManager(new LIniFileManager()),
      mPendingFault(std::make_shared<PendingRuntimeFault>()),
      mMadeAtSeconds(Platform::GetSecondsSinceStart()) {
  // The settings-file library lies beside the program; without it no
  // settings file opens and the program runs on its defaults.
  mOwnIniFileManager->Load(StringW());
  mIniFileManager = mOwnIniFileManager.Get();
  SetRuntimeFaultSink(mPendingFault);
}

LApplicationBase::~LApplicationBase() { Close(); }

void LApplicationBase::UseIniFileManager(IIniFileManager* manager) { mIniFileManager = manager; }

void LApplicationBase::Close() {
  if (mIsClosed) return;
  mIsClosed = true;
  // The registrations hold the application: they go first, or it would never die.
  UnregisterAllNotifications();
  if (GetRuntimeFaultSink() == mPendingFault) SetRuntimeFaultSink(nullptr);
  mDispatcher.SetIdleHandler(nullptr);
  mDispatcher.SetOtherInstanceHandler(nullptr);
  mDispatcher.SetCursorSource(nullptr);
  for (const RCPtr<OSWindow>& window : mOtherWindows) window->Destroy();
  mOtherWindows.clear();
  if (const RCPtr<OSWindow> main = std::exchange(mMainWindow, nullptr)) {
    const RCPtr<LRootWindow> root = main->GetRootWindow();
    main->Destroy();  // as the first root window still: it keeps its placement in the profile
    RemoveRootWindow(root);
  }
  if (mDispatcher.GetProfileStore() == mProfile.get()) mDispatcher.SetProfileStore(nullptr);
  SetStatusBar(nullptr);
  if (GetApplicationWindowRunner() == &mDispatcher) SetApplicationWindowRunner(nullptr);
  if (GetClipboard() && GetApplicationClipboard() == GetClipboard()) SetApplicationClipboard(nullptr);
  SetApplicationRenderer(nullptr);
  RunApplicationShutdown();
  CloseSettingsFiles();
}

void LApplicationBase::CloseSettingsFiles() {
  if (mIniFileManager)
    for (SettingsFile& file : mSettingsFiles)
      if (file.handle != 0) mIniFileManager->CloseIniFile(std::exchange(file.handle, 0), 0);
  mIniFileManager = nullptr;
  mOwnIniFileManager->Unload();
}

// --- Running ---

HResult LApplicationBase::RunApplicationStartup() {
  // The framework's start-up also registers the application for the exit request.
  if (LFrameworkApp::RunApplicationStartup() != S_OK) return E_FAIL;
  BindExitKey();
  SetApplicationWindowRunner(&mDispatcher);
  // The text box's edit commands reach the clipboard through the application's.
  SetApplicationClipboard(GetClipboard());
  mDispatcher.SetRendererKind(GetRendererKind());
  mDispatcher.SetIdleHandler([this](int32_t count) { return OnIdle(count); });
  mDispatcher.SetOtherInstanceHandler([this](const StringW& line) { OnOtherInstanceCommandLine(line); });
  mDispatcher.SetCursorSource([this](const StringW& name) { return GetCursorHandle(name); });
  return S_OK;
}

void LApplicationBase::BindExitKey() {
  const KeyCode key = KeyCode::Parse(StringW(kExitKey));
  LGlobalHotKeyManager& hotKeys = *GetHotKeyManager();
  if (hotKeys.FindName(key).IsEmpty()) hotKeys.Bind(key, StringW(kNidAppExitReq.GetText()));
}

HResult LApplicationBase::CreateMainWindow() {
  LControlFactory* factory = GetControlFactory();
  const RCPtr<LControlDescriptor> descriptor = factory ? factory->FindControlDescriptor(GetMainControlName()) : nullptr;
  if (!descriptor) ThrowNullPointer("Invalid Control Name", HV_HERE("HV::LApplicationBase::CreateMainWindow"));
  SetUpProfile();
  OSWindow::Spec spec;
  spec.title = GetMainWindowCaption();
  spec.rect = GetMainWindowRect(*descriptor);
  spec.placementSection = GetApplicationKey();
  spec.isResizable = !descriptor->GetLayout() || !LRootWindow::IsFixedSizeLayout(*descriptor->GetLayout());
  mMainWindow = OpenWindow(spec);
  if (!mMainWindow) return E_FAIL;
  SetIcon(*mMainWindow);
  // Text is measured with what draws it.
  SetApplicationRenderer(mMainWindow->GetRenderer());
  const RCPtr<LRootWindow>& root = mMainWindow->GetRootWindow();
  AddRootWindow(root);
  return root->SetRootControlByName(GetMainControlName()) == S_OK ? S_OK : E_FAIL;
}

RectT<int32_t> LApplicationBase::GetMainWindowRect(const LControlDescriptor& descriptor) const {
  const RCPtr<LLayoutDescriptor>& layout = descriptor.GetLayout();
  if (!layout) return {};
  const auto whole = [](double value) { return static_cast<int32_t>(value); };  // truncated, as the desktop takes it
  return {whole(layout->position[LLayoutDescriptor::kX].absolute), whole(layout->position[LLayoutDescriptor::kY].absolute),
          whole(layout->size[LLayoutDescriptor::kX].absolute), whole(layout->size[LLayoutDescriptor::kY].absolute)};
}

// The placement is kept under the user's folder; without one it is not kept.
void LApplicationBase::SetUpProfile() {
  if (mProfile) return;
  const StringW folder = GetFolder(kUserFolder);
  if (folder.IsEmpty()) return;
  mProfile = std::make_unique<ProfileFolderStore>(ToUtf8(folder) + "/Profile");
  mDispatcher.SetProfileStore(mProfile.get());
}

void LApplicationBase::SetIcon(OSWindow& window) {
  const std::vector<RCPtr<LBitmap>> images = GetApplicationIconImages();
  if (images.empty()) return;
  std::vector<Platform::WindowIconImage> icon;
  for (const RCPtr<LBitmap>& bitmap : images) {
    if (!bitmap) continue;
    Platform::WindowIconImage& image = icon.emplace_back();
    image.width = bitmap->GetWidth();
    image.height = bitmap->GetHeight();
    image.pixels.reserve(static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
    for (int32_t y = 0; y < image.height; ++y)
      for (int32_t x = 0; x < image.width; ++x) image.pixels.push_back(bitmap->GetPixel(x, y).ToARGB());
  }
  // A desktop that takes no icon leaves the window its default one.
  window.SetIcon(icon);
}

RCPtr<OSWindow> LApplicationBase::OpenWindow(const OSWindow::Spec& spec) {
  RCPtr<OSWindow> window = OSWindow::Create(mDispatcher, spec);
  if (!window) return nullptr;
  if (window->CreateRenderer(GetRendererKind()) != S_OK) {
    window->Destroy();
    return nullptr;
  }
  return window;
}

bool LApplicationBase::ShowMainWindow() {
  if (!mMainWindow) return false;
  mMainWindow->Show(true);  // answers whether it was shown before
  return true;
}

LBusyRunner& LApplicationBase::GetBusyRunner() {
  if (!mBusyRunner) {
    const auto swap = [this](CursorHandle cursor) { return mDispatcher.SetCursor(cursor); };
    mBusyRunner = std::make_unique<LBusyRunner>(mDispatcher, swap, GetCursorHandle(StringW(u"UI_CURSOR_WAIT")));
  }
  return *mBusyRunner;
}

int32_t LApplicationBase::RunMessageLoop() { return mDispatcher.Run(); }

bool LApplicationBase::ProcessIdle(bool firstPass) {
  if (mPendingFault->TakePending()) ShowRuntimeError();
  bool more = LFrameworkApp::ProcessIdle(firstPass);
  if (IdleDialogWindows(firstPass)) more = true;
  return more;
}

bool LApplicationBase::IdleDialogWindows(bool firstPass) {
  bool more = false;
  for (int32_t i = 0; i < GetApplicationRootWindowCount(); ++i) {
    const RCPtr<LRootWindow> window(GetApplicationRootWindowAt(i));
    if (window && GetRootWindows().FindItem(window) < 0 && window->ProcessIdle(firstPass)) more = true;
  }
  return more;
}

void LApplicationBase::ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                                           const RCPtr<LNotification>& notification) {
  LFrameworkApp::ReceiveNotification(source, notification);
  // The main window goes when the loop has ended (Close), its placement kept.
  if (IsExiting()) mDispatcher.Quit(0);
}

HResult LApplicationBase::OnOtherInstanceCommandLine(const StringW&) { return S_OK; }

// --- Windows of the program ---

RCPtr<LControl> LApplicationBase::CreateControl(const StringW& name, const RCPtr<LControl>& parent) {
  LControlFactory* factory = GetControlFactory();
  const RCPtr<LControlDescriptor> descriptor = factory ? factory->FindControlDescriptor(name) : nullptr;
  return descriptor ? factory->CreateControl(descriptor, parent) : nullptr;
}

int32_t LApplicationBase::RunModalWindow(const RCPtr<LControl>& control) {
  return mDispatcher.RunControlInRootWindow(control, true);
}

RCPtr<LRootWindow> LApplicationBase::CreateRootWindow(const StringW& caption, const RectT<int32_t>& rect) {
  OSWindow::Spec spec;
  spec.title = caption;
  spec.rect = rect;
  const RCPtr<OSWindow> window = OpenWindow(spec);
  if (!window) return nullptr;
  mOtherWindows.push_back(window);
  AddRootWindow(window->GetRootWindow());
  return window->GetRootWindow();
}

// --- Faults at run time ---

void LApplicationBase::ShowRuntimeError() {
  if (mIsShowingRuntimeError) return;
  mIsShowingRuntimeError = true;
  ShowMessageBox(GetFrameworkText(u"RUNTIME_ERROR", u"The application met an error and could not finish the last "
                                                    u"action. Your work has not been lost."),
                 GetFrameworkText(u"RUNTIME_ERROR_CAPTION", u"Error"), kMessageBoxIconError);
  // What failed while the box was open is told by the same box.
  mPendingFault->TakePending();
  mIsShowingRuntimeError = false;
}

}  // namespace HV
