#include "Panel/UI/DriverCommon/LPresetManager.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/ParamLayout.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/RootModuleEngine.h"
#include "HVFramework/Application/LFrameworkApp.h"
#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/ObjectBase/WrapperStringable.h"
#include "HVFramework/Platform/Core/PosixFile.h"
#include "Panel/UI/DriverCommon/LPresetFileWriter.h"
#include "Panel/UI/LApplication.h"

#include <string>

namespace HV {
namespace {

std::string ToSystemPath(const StringW& path) {
  const StringA utf8 = path.ToCharString();
  return std::string(utf8.GetText(), static_cast<size_t>(utf8.GetLength()));
}

// How many names beside the target a save tries for its new file: one is
// taken only by an earlier save that did not finish.
constexpr int kTemporaryNameTries = 8;

std::string TemporaryPath(const std::string& path, int attempt) {
  return path + ".saving" + (attempt == 0 ? std::string() : std::to_string(attempt));
}

void ShowErrorBox(const WChar* textId, const WChar* captionId) {
  LFrameworkApp* application = LFrameworkApp::GetInstance();
  if (!application) return;
  application->ShowMessageBox(GetApplicationString(StringW(textId)), GetApplicationString(StringW(captionId)),
                              LFrameworkApp::kMessageBoxIconError);
}

const WChar* LoadErrorTextId(int32_t result) {
  switch (result) {
    case PresetFile::kOlderVersion: return u"SETTINGS_FILE_LOAD_OLDER_MESSAGE";
    case PresetFile::kNewerVersion: return u"SETTINGS_FILE_LOAD_NEWER_MESSAGE";
    case PresetFile::kWrongDevice: return u"SETTINGS_FILE_LOAD_WRONG_DEVICE_MESSAGE";
    case PresetFile::kNotApplied: return u"SETTINGS_FILE_LOAD_NOT_APPLIED_MESSAGE";
    default: return u"SETTINGS_FILE_LOAD_CORRUPT_MESSAGE";
  }
}

}  // namespace

LPresetManager::Parts LPresetManager::Parts::Program() {
  return {[] { return LApplication::GetRootModuleEngine(); }, std::make_shared<LPresetFileWriter>()};
}

RCPtr<LPresetManager> LPresetManager::Create(Parts parts) {
  RCPtr<LPresetManager> manager(new LPresetManager(std::move(parts)));
  manager->mHandler = RCPtr<LNotificationHandler<LPresetManager>>(new LNotificationHandler<LPresetManager>(manager.Get()));
  if (manager->mHandler) {
    CheckResult(manager->mHandler->SetNotification(&LPresetManager::OnLoadControlPanelSettings,
                                                   GetApplicationNotificationCenter(),
                                                   kNidGlobalLoadControlPanelSettings),
                HV_HERE("HV::LPresetManager::Create"));
  }
  manager->mIsSubscribed = true;
  return manager;
}

LPresetManager::LPresetManager(Parts parts) : mParts(std::move(parts)) {
  if (!mParts.writer) mParts.writer = std::make_shared<LPresetFileWriter>();
}

LPresetManager::~LPresetManager() = default;

// --- loading ------------------------------------------------------------------

int32_t LPresetManager::Load(const StringW& path) {
  SendNotification(LNotification::Create(kPreLoadName));
  const int32_t result = ReadFile(path);
  SendNotification(LNotification::Create(kPostLoadName, PostLoadPayload::Create(result)));
  return result;
}

int32_t LPresetManager::ReadFile(const StringW& path) {
  mReadFailure = {};
  std::vector<uint8_t> bytes;
  std::string reason;
  if (!Platform::ReadWholeFile(ToSystemPath(path), PresetFile::kMaxFileSize, bytes, &reason)) {
    mReadFailure = {path, StringW(reason.c_str())};
    return kCorrupt;
  }
  Array<ParamValue> records;
  const int32_t result = PresetFile::Decode(bytes, records);
  if (result != kLoaded || records.GetCount() == 0) return result;
  const RCPtr<LRootModuleEngine> engine = mParts.getEngine ? mParts.getEngine() : nullptr;
  if (!engine) return kNotApplied;
  return ApplyRecords(*engine, records) == 0 ? kLoaded : kNotApplied;
}

int32_t LPresetManager::ApplyRecords(LRootModuleEngine& engine, const Array<ParamValue>& records) {
  const int32_t first = engine.GetFirstParamID();
  const IArray<ParamValue>& items = records;
  int32_t refused = 0;
  for (uint32_t i = 0; i < items.GetCount(); ++i) {
    const ParamValue& record = *items.GetItemPtr(i);
    if (Failed(engine.SetParamValue(ParamDescriptor(OffsetParamID(first, record.paramID)), record.value)))
      ++refused;
  }
  return refused;
}

void LPresetManager::ShowLoadError(int32_t result) {
  if (result == kLoaded) return;
  if (result == kCorrupt && !mReadFailure.reason.IsEmpty()) return ShowReadFailure();
  ShowErrorBox(LoadErrorTextId(result), u"SETTINGS_FILE_LOAD_CAPTION");
}

void LPresetManager::ShowReadFailure() {
  LFrameworkApp* application = LFrameworkApp::GetInstance();
  if (!application) return;
  const StringW pattern = GetApplicationString(StringW(u"SETTINGS_FILE_LOAD_UNREADABLE_MESSAGE"));
  application->ShowMessageBox(StringW::FromFormat(pattern.GetText(), mReadFailure.path, mReadFailure.reason),
                              GetApplicationString(StringW(u"SETTINGS_FILE_LOAD_CAPTION")),
                              LFrameworkApp::kMessageBoxIconError);
}

HResult LPresetManager::OnLoadControlPanelSettings(const RCPtr<LNotificationDistributor>&,
                                                   const RCPtr<LNotification>& notification) {
  const RCPtr<LStringTag> path = DynamicCast<LStringTag>(notification->GetPayload());
  if (path) ShowLoadError(Load(path->GetValue()));
  return 1;
}

// --- saving -------------------------------------------------------------------

HResult LPresetManager::Save(const StringW& path) {
  const RCPtr<LRootModuleEngine> engine = mParts.getEngine ? mParts.getEngine() : nullptr;
  std::vector<uint8_t> bytes;
  if (engine) {
    Array<ParamValue> values;
    engine->GetParamValues(ParamRange{engine->GetFirstParamID(), PresetFile::kParamCount}, &values, -1);
    PresetFile::Encode(values, bytes);
  }
  if (bytes.empty() || !WriteBeside(ToSystemPath(path), bytes)) {
    ShowSaveError();
    return E_FAIL;
  }
  return S_OK;
}

bool LPresetManager::WriteBeside(const std::string& path, const std::vector<uint8_t>& bytes) {
  IPresetFileWriter& writer = *mParts.writer;
  std::string temporary;
  int file = -1;
  for (int attempt = 0; attempt < kTemporaryNameTries && file < 0; ++attempt) {
    temporary = TemporaryPath(path, attempt);
    file = writer.Create(temporary);
  }
  if (file < 0) return false;
  bool isWritten = writer.Write(file, bytes.data(), bytes.size()) && writer.Flush(file);
  isWritten = writer.Close(file) && isWritten;
  isWritten = isWritten && writer.Replace(temporary, path);
  if (!isWritten) writer.Remove(temporary);
  return isWritten;
}

void LPresetManager::ShowSaveError() {
  ShowErrorBox(u"SETTINGS_FILE_SAVE_FAILED_MESSAGE", u"SETTINGS_FILE_SAVE_FAILED_CAPTION");
}

// --- notifications ------------------------------------------------------------

void LPresetManager::ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                                         const RCPtr<LNotification>& notification) {
  if (mIsSubscribed && mHandler) mHandler->Dispatch(source, notification);
}

HResult LPresetManager::UnregisterNotification(const RCPtr<LNotificationDistributor>& source, const WChar* name) {
  if (mHandler) mHandler->RemoveHandler(source, name);
  return LNotificationClient::UnregisterNotification(source, name);
}

HResult LPresetManager::ReleaseInternalReferences() {
  UnregisterAllNotifications();
  return LNotificationClient::ReleaseInternalReferences();
}

}  // namespace HV
