#pragma once

// IIniFileManager: access to the program's settings files through the
// settings-file library. Handles and counts are 32-bit; results are 0 on
// success and negative on failure. User-interface thread only.

#include "HVFramework/ObjectBase/ResultCodes.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>

namespace HV {

class IIniFileManager {
 public:
  virtual ~IIniFileManager() = default;

  // Loads the library from `folder` (empty: beside the program); 1 when loaded already.
  virtual HResult Load(const StringW& folder) = 0;
  // 1 when nothing was loaded.
  virtual HResult Unload() = 0;
  virtual HResult OpenIniFile(const StringW& path, const StringW& version, const StringW& product,
                              int32_t& handle) = 0;
  virtual HResult WriteIniFile(int32_t handle) = 0;
  virtual bool DoesNodeExist(int32_t handle, const StringW& key) = 0;
  virtual HResult CloseIniFile(int32_t handle, int32_t reserved) = 0;
  virtual HResult GetIniValueInt(int32_t handle, const StringW& key, int32_t defaultValue, int32_t& value) = 0;
  virtual HResult SetIniValueInt(int32_t handle, const StringW& key, int32_t value) = 0;
  virtual HResult GetIniValueStr(int32_t handle, const StringW& key, const StringW& defaultText,
                                 StringW& text) = 0;
  virtual HResult SetIniValueStr(int32_t handle, const StringW& key, const StringW& value) = 0;
  virtual HResult GetKeyCount(int32_t handle, const StringW& section, int32_t& count) = 0;
  virtual HResult GetKeyNameAt(int32_t handle, const StringW& section, int32_t index, StringW& name) = 0;
  virtual HResult GetArrayCount(int32_t handle, const StringW& key, int32_t& count) = 0;
  virtual HResult SetArrayCount(int32_t handle, const StringW& key, int32_t count) = 0;
  virtual HResult GetArrayItemAt(int32_t handle, const StringW& key, int32_t index, StringW& text) = 0;
  virtual HResult SetArrayItemAt(int32_t handle, const StringW& key, int32_t index, const StringW& value) = 0;
  virtual HResult RemoveArrayItemAt(int32_t handle, const StringW& key, int32_t index) = 0;
};

}  // namespace HV
