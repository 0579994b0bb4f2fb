#pragma once

// LIniFileManager: the counted settings-file manager the application owns and
// hands out; every call goes unchanged to its CIniFileManagerProxy, which it
// creates and, when destroyed, deletes (unloading the library).
// User-interface thread only.

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/System/IIniFileManager.h"

#include <memory>

namespace HV {

class CIniFileManagerProxy;

class LIniFileManager : public IIniFileManager, public virtual LRefCountedObject {
 public:
  LIniFileManager();
  ~LIniFileManager() override;

  HResult Load(const StringW& folder) override;
  HResult Unload() override;
  HResult OpenIniFile(const StringW& path, const StringW& version, const StringW& product,
                      int32_t& handle) override;
  HResult WriteIniFile(int32_t handle) override;
  bool DoesNodeExist(int32_t handle, const StringW& key) override;
  HResult CloseIniFile(int32_t handle, int32_t reserved) override;
  HResult GetIniValueInt(int32_t handle, const StringW& key, int32_t defaultValue, int32_t& value) override;
  HResult SetIniValueInt(int32_t handle, const StringW& key, int32_t value) override;
  HResult GetIniValueStr(int32_t handle, const StringW& key, const StringW& defaultText, StringW& text) override;
  HResult SetIniValueStr(int32_t handle, const StringW& key, const StringW& value) override;
  HResult GetKeyCount(int32_t handle, const StringW& section, int32_t& count) override;
  HResult GetKeyNameAt(int32_t handle, const StringW& section, int32_t index, StringW& name) override;
  HResult GetArrayCount(int32_t handle, const StringW& key, int32_t& count) override;
  HResult SetArrayCount(int32_t handle, const StringW& key, int32_t count) override;
  HResult GetArrayItemAt(int32_t handle, const StringW& key, int32_t index, StringW& text) override;
  HResult SetArrayItemAt(int32_t handle, const StringW& key, int32_t index, const StringW& value) override;
  HResult RemoveArrayItemAt(int32_t handle, const StringW& key, int32_t index) override;

 private:
  std::unique_ptr<CIniFileManagerProxy> mProxy;
};

}  // namespace HV
