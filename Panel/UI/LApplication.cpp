#include "Panel/UI/LApplication.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/RootModuleEngine.h"
#include "HVFramework/ControlBase/Window/OSWindow.h"
#include "HVFramework/ControlBase/Window/OSWindowDispatcher.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/ObjectBase/WrapperStringable.h"
#include "HVFramework/Platform/Core/Folders.h"
#include "HVFramework/System/File.h"
#include "HVFramework/System/IIniFileManager.h"
#include "HVFramework/Platform/UI/DocumentOpener.h"
#include "Panel/Engine/DeviceLink/DeviceCommunicationInterface.h"
#include "Panel/UI/ApplicationArt.h"
#include "Panel/UI/ApplicationControlClasses.h"
#include "Panel/UI/EditorNotificationNames.h"

#include <utility>

namespace HV {
namespace {

// The cursors the editor answers itself.
enum class EditorCursor { DropMove, DropCopy, None };
struct NamedCursor {
  const WChar* name;
  EditorCursor cursor;
};
constexpr NamedCursor kEditorCursors[] = {
    {u"UI_CURSOR_DROP_MOVE", EditorCursor::DropMove}, {u"UI_CURSOR_DROP_COPY", EditorCursor::DropCopy},
    {u"UI_CURSOR_SPLIT_V", EditorCursor::None},       {u"UI_CURSOR_SPLIT_H", EditorCursor::None},
    {u"UI_CURSOR_ROTATE", EditorCursor::None},        {u"UI_CURSOR_MAG", EditorCursor::None},
    {u"UI_CURSOR_MAG_PLUS", EditorCursor::None},      {u"UI_CURSOR_MAG_MINUS", EditorCursor::None},
};

// The user's settings key of the folder the preset file choosers start in.
constexpr const WChar* kPresetFolderKey = u"LastPresetFolder";

// The editor's two folder numbers beyond the base's: both name the documents folder.
constexpr int32_t kFirstDocumentsAlias = 5, kLastDocumentsAlias = 6;

LApplication* GetCurrentApplication() { return dynamic_cast<LApplication*>(LFrameworkApp::GetInstance()); }

}  // namespace

LApplication::EngineParts LApplication::EngineParts::Program() {
  return {CreateDeviceLink, [](const RCPtr<LRootModuleEngine>& engine) { return LMidiManager::Create(engine); },
          std::make_shared<Platform::ChildProcessRunner>(), std::make_shared<Platform::DocumentOpener>()};
}

RCPtr<LApplication> LApplication::Create(std::unique_ptr<LControlFactory> factory,
                                         const RCPtr<LStringTable>& frameworkStrings,
                                         const ApplicationIdentity& identity, OSWindowDispatcher& dispatcher,
                                         EngineParts parts) {
  return RCPtr<LApplication>(
      new LApplication(std::move(factory), frameworkStrings, identity, dispatcher, std::move(parts)));
}

LApplication::LApplication(std::unique_ptr<LControlFactory> factory, const RCPtr<LStringTable>& frameworkStrings,
                           const ApplicationIdentity& identity, OSWindowDispatcher& dispatcher, EngineParts parts)
    : LApplicationBase(std::move(factory), frameworkStrings, identity, dispatcher), mParts(std::move(parts)) {}

LApplication::~LApplication() {
  mMidiManager = nullptr;
  mEngine = nullptr;
}

RCPtr<LRootModuleEngine> LApplication::GetRootModuleEngine() {
  const LApplication* application = GetCurrentApplication();
  return application ? application->mEngine : nullptr;
}

RCPtr<LMidiManager> LApplication::GetMidiManager() {
  const LApplication* application = GetCurrentApplication();
  return application ? application->mMidiManager : nullptr;
}

// --- Running ---

HResult LApplication::RunApplicationStartup() {
  const HResult started = LApplicationBase::RunApplicationStartup();
  if (Failed(started)) return started;
  const HResult keys = GetHotKeyManager()->Load(GetApplicationStringTable(), StringW(u"GHK_WIN"));
  if (Failed(keys)) return keys;
  // A class the factory refuses leaves the skin's tree unbuildable.
  const ApplicationClassRegistration classes = RegisterApplicationControlClasses(*GetControlFactory());
  if (Failed(classes.result)) return classes.result;
  StartEngine();
  return S_OK;
}

void LApplication::StartEngine() {
  mEngine = LRootModuleEngine::Create(mParts.makeDeviceLink);
  if (mParts.makeMidiManager) mMidiManager = mParts.makeMidiManager(mEngine);
  mEngine->Initialize(0);
}

HResult LApplication::RunApplicationShutdown() {
  // The manager holds the engine: it goes first, so the engine's last
  // reference is the one dropped here and its worker stops now.
  mMidiManager = nullptr;
  mEngine = nullptr;
  return LApplicationBase::RunApplicationShutdown();
}

// --- Answers ---

CursorHandle LApplication::GetCursorHandle(const StringW& name) {
  for (const NamedCursor& row : kEditorCursors) {
    if (name != StringW(row.name)) continue;
    switch (row.cursor) {
      case EditorCursor::DropMove:
        return GetDropCursor(mDropMoveCursor, &Editor::LoadDropMoveCursor);
      case EditorCursor::DropCopy:
        return GetDropCursor(mDropCopyCursor, &Editor::LoadDropCopyCursor);
      case EditorCursor::None:
        return 0;
    }
  }
  return LApplicationBase::GetCursorHandle(name);
}

CursorHandle LApplication::GetDropCursor(CursorHandle& made, Platform::CursorImage (*load)()) {
  if (made == 0) made = GetDispatcher().AddImageCursor(load());
  return made;
}

StringW LApplication::GetFolder(int32_t number) {
  if (number >= kFirstDocumentsAlias && number <= kLastDocumentsAlias) number = kDocumentsFolder;
  return LApplicationBase::GetFolder(number);
}

std::vector<RCPtr<LBitmap>> LApplication::GetApplicationIconImages() { return Editor::LoadApplicationIcon(); }

// --- Desktop programs ---

RCPtr<LFileDialog> LApplication::CreateFileDialog(const StringW& initialFolder) {
  const OSWindow* window = GetMainWindow();
  if (!window || !mParts.fileChooser) return nullptr;
  return LFileDialog::Create(window->GetDialogOwner(), *mParts.fileChooser, initialFolder);
}

bool LApplication::OpenDocument(const StringW& path) {
  if (!mParts.documentOpener) return false;
  // The centre is taken here, on the UI thread; the opener's thread only posts to it.
  const auto onEnded = [centre = GetApplicationNotificationCenter(), path](bool isOpened) {
    if (!isOpened) centre->CreateAndPostNotification(kNidDocumentOpenFailed, MakeStringTag(path));
  };
  return mParts.documentOpener->Open(path.ToCharString().GetText(), onEnded);
}

StringW LApplication::GetPresetFolder() {
  IIniFileManager* settings = GetIniFileManager();
  const int32_t file = OpenIniFile(kUserSettingsFile);
  StringW folder;
  if (settings && file != 0) settings->GetIniValueStr(file, StringW(kPresetFolderKey), StringW(), folder);
  // A folder moved or deleted since is no place to start.
  if (!folder.IsEmpty() && File::FolderExists(folder)) return folder;
  return StringW(Platform::GetHomeFolder().c_str());
}

void LApplication::KeepPresetFolder(const StringW& folder) {
  IIniFileManager* settings = GetIniFileManager();
  const int32_t file = OpenIniFile(kUserSettingsFile);
  if (settings && file != 0 && !folder.IsEmpty()) settings->SetIniValueStr(file, StringW(kPresetFolderKey), folder);
}

StringW GetApplicationString(const StringW& id) {
  StringW text;
  const LFrameworkApp* application = LFrameworkApp::GetInstance();
  const RCPtr<LStringTable> table = application ? application->GetApplicationStringTable() : nullptr;
  if (!table || !table->GetString(id, text)) return StringW();
  return text;
}

int32_t ShowApplicationMessageBox(const StringW& text, const StringW& caption, uint32_t flags) {
  LFrameworkApp* application = LFrameworkApp::GetInstance();
  return application ? application->ShowMessageBox(text, caption, flags) : 0;
}

}  // namespace HV
