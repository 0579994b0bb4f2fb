#pragma once

// CIniFileManagerProxy: loads the settings-file library and calls its entry
// points, turning wide text into UTF-8 on the way in and back on the way out.
// Each call checks its own entry point: a call whose entry point is missing
// (no library, or a library without that export) calls nothing, fills its
// out-values with their defaults and answers E_FAIL (false for DoesNodeExist).
// User-interface thread only.

#include "HVFramework/System/IIniFileManager.h"
#include "Libraries/IniFileManager/IniFileManagerApi.h"

#include <memory>

namespace HV {

namespace Platform {
class DynamicLibrary;
}

class CIniFileManagerProxy : public IIniFileManager {
 public:
  CIniFileManagerProxy();
  ~CIniFileManagerProxy() override;
  CIniFileManagerProxy(const CIniFileManagerProxy&) = delete;
  CIniFileManagerProxy& operator=(const CIniFileManagerProxy&) = delete;

  // The library file name, as the loader maps it to the shared object.
  static constexpr const char16_t* kLibraryName = u"IniFileManager.dll";
  // Text read in two steps (the first buffer too small) keeps at most this many bytes.
  static constexpr int32_t kTextLimit = 1023;

  // 0 when every entry point was found; E_FAIL when the library is missing or
  // lacks one (the library then stays loaded and the other calls work).
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

  // The path Load gives the loader for `folder`.
  static StringW GetLibraryPath(const StringW& folder);

 private:
  struct EntryPoints {
    IniFileManagerApi::OpenIniFileFn openIniFile = nullptr;
    IniFileManagerApi::WriteIniFileFn writeIniFile = nullptr;
    IniFileManagerApi::DoesNodeExistFn doesNodeExist = nullptr;
    IniFileManagerApi::CloseIniFileFn closeIniFile = nullptr;
    IniFileManagerApi::GetIniValueIntFn getIniValueInt = nullptr;
    IniFileManagerApi::SetIniValueIntFn setIniValueInt = nullptr;
    IniFileManagerApi::GetIniValueStrFn getIniValueStr = nullptr;
    IniFileManagerApi::SetIniValueStrFn setIniValueStr = nullptr;
    IniFileManagerApi::GetKeyCountFn getKeyCount = nullptr;
    IniFileManagerApi::GetKeyNameAtFn getKeyNameAt = nullptr;
    IniFileManagerApi::GetArrayCountFn getArrayCount = nullptr;
    IniFileManagerApi::SetArrayCountFn setArrayCount = nullptr;
    IniFileManagerApi::GetArrayItemAtFn getArrayItemAt = nullptr;
    IniFileManagerApi::SetArrayItemAtFn setArrayItemAt = nullptr;
    IniFileManagerApi::RemoveArrayItemAtFn removeArrayItemAt = nullptr;
  };

  bool BindEntryPoints();

  EntryPoints mEntry;
  std::unique_ptr<Platform::DynamicLibrary> mLibrary;
};

}  // namespace HV
