#pragma once

#include "HVFramework/Notification/LNotificationClient.h"
#include "HVFramework/Notification/LNotificationDistributor.h"
#include "HVFramework/Notification/LNotificationHandler.h"
#include "HVFramework/ObjectBase/RCPtr.h"
#include "HVFramework/Utilities/Storage/StringT.h"
#include "Panel/UI/DriverCommon/IPresetFileWriter.h"
#include "Panel/UI/DriverCommon/LPresetFileLoadNotificationData.h"
#include "Panel/UI/DriverCommon/PresetFile/PresetFile.h"
#include "Panel/UI/DriverCommon/PresetManagerNotificationNames.h"

#include <functional>
#include <memory>

class LRootModuleEngine;

namespace HV {

// LPresetManager: loads and saves preset files (PresetFile.h) for the device
// view's file commands.
//
// A load reads and checks the whole file before it hands anything to the
// engine, so a bad file changes nothing; the values then reach the engine in
// file order through SetParamValue, and the panels through the engine's
// announcements, like an edit. A save collects the 131 values first, writes
// them to a new file beside the target and puts it in the target's place
// only when every write, the flush and the close succeeded: a failed save
// leaves the old file as it was.
//
// Around every load it sends "NID_PRESETFILE_PRE_LOAD" and
// "NID_PRESETFILE_POST_LOAD" (LPresetFileLoadNotificationData) at once to
// the clients registered with it. User-interface thread only.
class LPresetManager : public LNotificationClient, public LNotificationDistributor {
 public:
  static constexpr const NotificationName& kPreLoadName = kNidPresetFilePreLoad;
  static constexpr const NotificationName& kPostLoadName = kNidPresetFilePostLoad;
  using PostLoadPayload = LPresetFileLoadNotificationData;

  // Load results (PresetFile::LoadResult): 0 loaded, -1 older format, -2
  // newer format, -3 unreadable or corrupt, -4 another device's file, -5
  // read but the engine applied none or only some of its values.
  static constexpr int32_t kLoaded = PresetFile::kLoaded;
  static constexpr int32_t kOlderVersion = PresetFile::kOlderVersion;
  static constexpr int32_t kNewerVersion = PresetFile::kNewerVersion;
  static constexpr int32_t kCorrupt = PresetFile::kCorrupt;
  static constexpr int32_t kWrongDevice = PresetFile::kWrongDevice;
  static constexpr int32_t kNotApplied = PresetFile::kNotApplied;

  // What the manager works with. The program's: the application's engine,
  // the system's files.
  struct Parts {
    std::function<RCPtr<LRootModuleEngine>()> getEngine;
    std::shared_ptr<IPresetFileWriter> writer;
    static Parts Program();
  };

  // A new manager, subscribed to "NID_GLOBAL_LOAD_CONTROL_PANEL_SETTINGS" at
  // the application centre. Throws a Failed Result when it cannot subscribe.
  static RCPtr<LPresetManager> Create(Parts parts = Parts::Program());
  ~LPresetManager() override;

  // Sends the pre-load notification, reads and applies the file, sends the
  // post-load notification with the result and returns it. Shows nothing:
  // the caller shows the result with ShowLoadError.
  int32_t Load(const StringW& path);
  // Reads the whole file, checks it, then applies its values; a load result.
  // A file that cannot be read (missing, no permission, a folder, a FIFO,
  // over the size limit) is kCorrupt, and the manager keeps its path and the
  // reason until the next read for ShowLoadError to tell.
  int32_t ReadFile(const StringW& path);
  // Writes the engine's 131 values to path: 0, or E_FAIL with the file at
  // path unchanged and a message box telling the user (the caller shows
  // nothing more).
  HResult Save(const StringW& path);
  // The message box of a load result; nothing for 0. kCorrupt after a file
  // that could not be read names the file and the system's reason.
  void ShowLoadError(int32_t result);

  // The record codec of the file (PresetFile.h).
  static HResult BuildRecord(int32_t number, const Variant& value, std::vector<uint8_t>& out) {
    return PresetFile::BuildRecord(number, value, out);
  }
  static int32_t ParseRecord(std::span<const uint8_t> record, ParamValue& out) {
    return PresetFile::ParseRecord(record, out);
  }

  // Loads the path of a wrapped wide text and shows a failure; other
  // payloads are ignored. 1.
  HResult OnLoadControlPanelSettings(const RCPtr<LNotificationDistributor>& source,
                                     const RCPtr<LNotification>& notification);

  // LNotificationClient
  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override;
  HResult UnregisterNotification(const RCPtr<LNotificationDistributor>& source, const WChar* name) override;
  HResult ReleaseInternalReferences() override;

 private:
  explicit LPresetManager(Parts parts);

  // Hands the records to the engine in order; the number it refused.
  int32_t ApplyRecords(LRootModuleEngine& engine, const Array<ParamValue>& records);
  // The file's bytes through a new file beside path; false when any step failed.
  bool WriteBeside(const std::string& path, const std::vector<uint8_t>& bytes);
  void ShowSaveError();

  // Why the last ReadFile could not read its file; empty reason when it could.
  struct ReadFailure {
    StringW path;
    StringW reason;
  };
  void ShowReadFailure();

  Parts mParts;
  ReadFailure mReadFailure;
  RCPtr<LNotificationHandler<LPresetManager>> mHandler;
  bool mIsSubscribed = false;
};

}  // namespace HV
