#include "HVFramework/Application/LFrameworkApp.h"

#include "HVFramework/Application/FrameworkControlClasses.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/Notification/NotificationNames.h"
#include "HVFramework/ObjectBase/Assert.h"
#include "HVFramework/ObjectBase/UIThread.h"
#include "HVFramework/Utilities/Storage/Utf8Text.h"

#include <exception>
#include <string>

namespace HV {
namespace {

LFrameworkApp* gInstance = nullptr;

Platform::MessageBoxKind MessageBoxKindFromStyle(uint32_t style) {
  switch (style & 0x0F) {
    case LFrameworkApp::kMessageBoxOkCancel:
      return Platform::MessageBoxKind::OkCancel;
    case LFrameworkApp::kMessageBoxYesNoCancel:
      return Platform::MessageBoxKind::YesNoCancel;
    case LFrameworkApp::kMessageBoxYesNo:
      return Platform::MessageBoxKind::YesNo;
    default:
      return Platform::MessageBoxKind::Ok;
  }
}


StringW TextOf(const RCPtr<LStringTable>& table, const WChar* id, const WChar* builtIn) {
  StringW found;
  if (table && table->GetString(StringW(id), found)) return found;
  return StringW(builtIn);
}

}  // namespace

LFrameworkApp* LFrameworkApp::GetInstance() { return gInstance; }

LFrameworkApp::LFrameworkApp(std::unique_ptr<LControlFactory> factory,
                             const RCPtr<LStringTable>& frameworkStrings, const StringA& name,
                             Platform::IWindowSystem& windowSystem)
    : mFactory(std::move(factory)),
      mName(name),
      mFrameworkStrings(frameworkStrings),
      mWindowSystem(windowSystem) {
  HV_ASSERT(gInstance == nullptr);
  gInstance = this;
  const RCPtr<LNotificationCenter> center = GetApplicationNotificationCenter();
  // Every bound hot key posts its notification to the application centre.
  mHotKeys = LGlobalHotKeyManager::Create(center->GetPostingReceiver());
  mClipboard = LClipboard::Create(windowSystem);
  // Edit commands go to the focused control of the active window.
  mClipboard->SetFocusSource([this]() -> RCPtr<LControl> {
    const RCPtr<LRootWindow> window = GetActiveRootWindow();
    return window ? RCPtr<LControl>(window->GetFocusControl()) : nullptr;
  });
  if (mFactory) mApplicationStrings = mFactory->GetApplicationStringTable();
}

LFrameworkApp::~LFrameworkApp() {
  UnregisterAllNotifications();
  if (mClipboard) mClipboard->SetFocusSource(nullptr);
  WithdrawServices();
  for (uint32_t i = 0; i < mRootWindows.GetCount(); ++i)
    RemoveApplicationRootWindow(mRootWindows.GetAt(i).Get());
  ReleaseNotificationCenterManager();
  LNotification::SetPoolEnabled(false);
  if (gInstance == this) gInstance = nullptr;
  // The fields go from the last to the first, the factory last.
}

// --- Notifications ---

void LFrameworkApp::ReceiveNotification(const RCPtr<LNotificationDistributor>&,
                                        const RCPtr<LNotification>& notification) {
  if (!notification || !notification->HasName(kNidAppExitReq)) return;
  mExiting = true;
  // A window may leave the list while its loop ends: walk a copy.
  const std::vector<RCPtr<LRootWindow>> windows = SnapshotRootWindows();
  for (size_t i = windows.size(); i-- > 1;) windows[i]->EndModalLoop(0);
}

HResult LFrameworkApp::OnOtherInstanceCommandLine(const StringW&) { return S_OK; }

// --- Running ---

HResult LFrameworkApp::RunApplicationStartup() {
  // Windows and controls are made, and later changed, on this thread only.
  RecordUIThread();
  try {
    LNotification::SetPoolEnabled(true);
    if (!mFactory) return E_FAIL;
    RegisterFrameworkControlClasses(*mFactory);
    LMessageBox::Register(*mFactory);
    mHotKeys->Load(mApplicationStrings, StringW(u"GHK"));
    mClipboard->Initialize();
    // Not in the constructor: a registration made before the first outside
    // reference would be taken back at once by the release that ends it.
    RegisterNotification(RCPtr<LNotificationDistributor>(GetApplicationNotificationCenter().Get()),
                         kNidAppExitReq);
    PublishServices();
    const int32_t skin =
        ClampSkinIndex(GetCurrentSkinIndex(), static_cast<int32_t>(mFactory->GetSkins().GetCount()));
    // Without a skin there is nothing to build a window from.
    if (skin < 0) return E_FAIL;
    SetSkin(skin);
  } catch (const std::exception&) {
    return E_FAIL;
  }
  return S_OK;
}

int32_t LFrameworkApp::Run() {
  RecordUIThread();  // the thread of the message loop
  if (mRootWindows.GetCount() != 0) {
    const RCPtr<LRootWindow> main = mRootWindows.GetAt(0);
    const LRootWindow::Rect client = main->GetScreenRect();
    main->InvalidateRect({0, 0, client.width, client.height});
    RedrawNow(*main);
  }
  OnBeforeRun();
  ProcessIdle(true);
  int32_t code = E_FAIL;
  try {
    code = RunMessageLoop();
  } catch (...) {
    ShowStartupError(mWindowSystem, mFrameworkStrings);
    GetApplicationNotificationCenter()->CreateAndPostNotification(kNidAppExitReq);
    code = E_FAIL;
  }
  ProcessIdle(true);
  return code;
}

void LFrameworkApp::ShowStartupError(Platform::IWindowSystem& system, const RCPtr<LStringTable>& frameworkStrings) {
  const StringW text = TextOf(frameworkStrings, u"STARTUP_ERROR",
                              u"The application encountered problems during startup and will now close.");
  const StringW caption = TextOf(frameworkStrings, u"STARTUP_ERROR_CAPTION", u"Error");
  system.ShowMessageBox(0, ToUtf8(caption), ToUtf8(text), Platform::MessageBoxKind::Ok);
}

void LFrameworkApp::ShowRendererSetupError(const StringW& messageId) {
  // The English texts of the renderer's errors, for a string table without them.
  struct BuiltInText {
    const WChar* id;
    const WChar* text;
  };
  static constexpr BuiltInText kMessages[] = {
      {u"GL_ERROR_MESSAGE_CHOOSE_PIXEL_FORMAT", u"ChoosePixelFormat failed."},
      {u"GL_ERROR_MESSAGE_SET_PIXEL_FORMAT", u"SetPixelFormat failed."},
      {u"GL_ERROR_MESSAGE_CREATE_CONTEXT", u"wglCreateContext failed."},
  };
  const WChar* builtIn = messageId.GetText();
  for (const BuiltInText& row : kMessages)
    if (messageId == StringW(row.id)) builtIn = row.text;
  StringW text = GetFrameworkText(messageId.GetText(), builtIn);
  text += GetFrameworkText(u"GL_ERROR_UPDATE_DRIVER",
                           u"Updating your video card driver, with the latest driver from the manufacturer of "
                           u"your video card, may solve this issue.");
  ShowMessageBox(text, GetFrameworkText(u"GL_ERROR_CAPTION", u"OpenGL Error"), kMessageBoxIconWarning);
}

StringW LFrameworkApp::GetFrameworkText(const WChar* id, const WChar* builtIn) const {
  return TextOf(mFrameworkStrings, id, builtIn);
}

HResult LFrameworkApp::RunApplicationShutdown() {
  WithdrawServices();
  // Each is emptied before it goes, so nothing reaches it while it dies.
  mBuiltInMessageBox.reset();
  std::unique_ptr<LControlFactory> factory = std::move(mFactory);
  factory.reset();
  RCPtr<LGlobalHotKeyManager> hotKeys = std::move(mHotKeys);
  mHotKeys = nullptr;
  hotKeys = nullptr;
  RCPtr<LClipboard> clipboard = std::move(mClipboard);
  mClipboard = nullptr;
  if (clipboard) clipboard->SetFocusSource(nullptr);
  clipboard = nullptr;
  return S_OK;
}

void LFrameworkApp::PublishServices() {
  SetApplicationControlFactory(mFactory.get());
  SetApplicationHotKeys(mHotKeys.Get());
  SetApplicationWorkArea(GetWorkArea());
  SetApplicationStatusText(this);
  SetApplicationMessageBoxes(this);
  SetRendererSetupErrorSink(this);
}

void LFrameworkApp::WithdrawServices() {
  if (mFactory && GetApplicationControlFactory() == mFactory.get()) SetApplicationControlFactory(nullptr);
  if (mHotKeys && GetApplicationHotKeys() == mHotKeys.Get()) SetApplicationHotKeys(nullptr);
  if (GetApplicationStatusText() == this) SetApplicationStatusText(nullptr);
  if (GetApplicationMessageBoxes() == this) SetApplicationMessageBoxes(nullptr);
  if (GetRendererSetupErrorSink() == this) SetRendererSetupErrorSink(nullptr);
  if (mDefaultFont && GetApplicationDefaultFont() == mDefaultFont) SetApplicationDefaultFont(nullptr);
}

// --- Idle ---

bool LFrameworkApp::ProcessIdle(bool firstPass) {
  const RCPtr<LFrameworkApp> self(this);
  bool more = GetNotificationCenterManager()->ProcessNotifications(firstPass);
  // A window may come or go while another idles: walk a copy.
  const std::vector<RCPtr<LRootWindow>> windows = SnapshotRootWindows();
  for (size_t i = windows.size(); i-- > 0;)
    if (windows[i]->ProcessIdle(firstPass)) more = true;
  return more;
}

bool LFrameworkApp::OnIdle(int32_t count) {
  if (mExiting) return false;
  const bool more = ProcessIdle(count == 0);
  return more && count < 2;
}

// --- Root windows ---

std::vector<RCPtr<LRootWindow>> LFrameworkApp::SnapshotRootWindows() const {
  std::vector<RCPtr<LRootWindow>> windows;
  windows.reserve(mRootWindows.GetCount());
  for (uint32_t i = 0; i < mRootWindows.GetCount(); ++i) windows.push_back(mRootWindows.GetAt(i));
  return windows;
}

int32_t LFrameworkApp::AddRootWindow(const RCPtr<LRootWindow>& window) {
  if (!window) return -1;
  const int32_t listed = mRootWindows.FindItem(window);
  if (listed >= 0) return listed;
  const int32_t index = static_cast<int32_t>(mRootWindows.GetCount());
  if (Failed(mRootWindows.AddItem(window))) return E_OUTOFMEMORY;
  AddApplicationRootWindow(window.Get());
  return index;
}

int32_t LFrameworkApp::RemoveRootWindow(const RCPtr<LRootWindow>& window) {
  const int32_t index = window ? mRootWindows.FindItem(window) : -1;
  if (index < 0) return -1;
  RCPtr<LRootWindow> removed;
  mRootWindows.RemoveItem(static_cast<uint32_t>(index), removed);
  RemoveApplicationRootWindow(removed.Get());
  return index;
}

RCPtr<LRootWindow> LFrameworkApp::GetActiveRootWindow() const {
  for (uint32_t i = mRootWindows.GetCount(); i-- > 0;) {
    const RCPtr<LRootWindow>& window = mRootWindows.GetAt(i);
    if (const IOSWindowHost* host = window->GetHost(); host && host->IsActive()) return window;
  }
  return nullptr;
}

IOSWindowHost* LFrameworkApp::GetPrimaryWindowOwner() const {
  return mRootWindows.GetCount() ? mRootWindows.GetAt(0)->GetHost() : nullptr;
}

// --- Input state ---

uint32_t LFrameworkApp::GetMouseButtons() {
  if (const RCPtr<LRootWindow> active = GetActiveRootWindow()) return active->GetMouseButtons();
  struct ButtonKey {
    int32_t virtualKey;
    uint32_t bit;
  };
  static constexpr ButtonKey kButtons[] = {{1, 1}, {4, 2}, {2, 4}};  // left, middle, right
  uint32_t mask = 0;
  for (const ButtonKey& button : kButtons)
    if (GetKeyState(button.virtualKey) & kKeyPressed) mask |= button.bit;
  return mask;
}

PointT<int32_t> LFrameworkApp::GetCursorPosition() {
  const RCPtr<LRootWindow> active = GetActiveRootWindow();
  if (!active) return GetDesktopCursorPosition();
  const LRootWindow::Point local = active->GetMousePosition();
  const LRootWindow::Rect client = active->GetScreenRect();
  return {local.x + client.x, local.y + client.y};
}

// --- Status text ---

HResult LFrameworkApp::SetStatusText(const StringW& text, bool shouldPost) {
  const RCPtr<LStatusBar> bar = GetStatusBar();
  if (mRootWindows.GetCount() == 0 || !bar) return E_FAIL;
  return shouldPost ? bar->PostStatusText(text) : bar->SetStatusText(text);
}

HResult LFrameworkApp::RestoreStatusText(bool shouldPost) {
  const RCPtr<LStatusBar> bar = GetStatusBar();
  if (mRootWindows.GetCount() == 0 || !bar) return E_FAIL;
  return SetStatusText(bar->GetDefaultText(), shouldPost);
}

// --- Desktop ---

int32_t LFrameworkApp::ShowMessageBox(const StringW& text, const StringW& caption, uint32_t style) {
  const Platform::WindowId owner = GetMessageBoxOwner();
  if (const RCPtr<LMessageBox> box = CreateMessageBox(text, caption, style); box && mWindowSystem.HasUser()) {
    const int32_t result = RunModalWindow(box);
    if (result > 0) return result;
  }
  return static_cast<int32_t>(
      mWindowSystem.ShowMessageBox(owner, ToUtf8(caption), ToUtf8(text), MessageBoxKindFromStyle(style)));
}

RCPtr<LMessageBox> LFrameworkApp::CreateMessageBox(const StringW& text, const StringW& caption, uint32_t style) {
  if (!mFactory || !mFactory->GetCurrentSkinRoot() || !GetApplicationWindowRunner()) return nullptr;
  RCPtr<LControlDescriptor> descriptor = mFactory->FindControlDescriptor(StringW(u"messageBox"));
  if (!descriptor || descriptor->GetClassName() != StringW(LMessageBox::kClassName)) {
    if (!mBuiltInMessageBox) mBuiltInMessageBox = std::make_unique<BuiltInMessageBoxSkin>();
    descriptor = mBuiltInMessageBox->GetDescriptor();
  }
  const RCPtr<LMessageBox> box = DynamicCast<LMessageBox>(mFactory->CreateControl(descriptor, nullptr));
  if (!box) return nullptr;
  const auto texts = [this](const char16_t* id, const char16_t* builtIn) { return GetFrameworkText(id, builtIn); };
  if (box->SetMessage(text, caption, style, texts) != S_OK) return nullptr;
  return box;
}

}  // namespace HV
