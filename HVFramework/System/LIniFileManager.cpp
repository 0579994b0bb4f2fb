#include "HVFramework/System/LIniFileManager.h"

#include "HVFramework/System/IniFileManagerProxy.h"

namespace HV {

LIniFileManager::LIniFileManager() : mProxy(std::make_unique<CIniFileManagerProxy>()) {}

LIniFileManager::~LIniFileManager() = default;

HResult LIniFileManager::Load(const StringW& folder) { return mProxy->Load(folder); }

HResult LIniFileManager::Unload() { return mProxy->Unload(); }

HResult LIniFileManager::OpenIniFile(const StringW& path, const StringW& version, const StringW& product,
                                     int32_t& handle) {
  return mProxy->OpenIniFile(path, version, product, handle);
}

HResult LIniFileManager::WriteIniFile(int32_t handle) { return mProxy->WriteIniFile(handle); }

bool LIniFileManager::DoesNodeExist(int32_t handle, const StringW& key) { return mProxy->DoesNodeExist(handle, key); }

HResult LIniFileManager::CloseIniFile(int32_t handle, int32_t reserved) {
  return mProxy->CloseIniFile(handle, reserved);
}

HResult LIniFileManager::GetIniValueInt(int32_t handle, const StringW& key, int32_t defaultValue, int32_t& value) {
  return mProxy->GetIniValueInt(handle, key, defaultValue, value);
}

HResult LIniFileManager::SetIniValueInt(int32_t handle, const StringW& key, int32_t value) {
  return mProxy->SetIniValueInt(handle, key, value);
}

HResult LIniFileManager::GetIniValueStr(int32_t handle, const StringW& key, const StringW& defaultText,
                                        StringW& text) {
  return mProxy->GetIniValueStr(handle, key, defaultText, text);
}

HResult LIniFileManager::SetIniValueStr(int32_t handle, const StringW& key, const StringW& value) {
  return mProxy->SetIniValueStr(handle, key, value);
}

HResult LIniFileManager::GetKeyCount(int32_t handle, const StringW& section, int32_t& count) {
  return mProxy->GetKeyCount(handle, section, count);
}

HResult LIniFileManager::GetKeyNameAt(int32_t handle, const StringW& section, int32_t index, StringW& name) {
  return mProxy->GetKeyNameAt(handle, section, index, name);
}

HResult LIniFileManager::GetArrayCount(int32_t handle, const StringW& key, int32_t& count) {
  return mProxy->GetArrayCount(handle, key, count);
}

HResult LIniFileManager::SetArrayCount(int32_t handle, const StringW& key, int32_t count) {
  return mProxy->SetArrayCount(handle, key, count);
}

HResult LIniFileManager::GetArrayItemAt(int32_t handle, const StringW& key, int32_t index, StringW& text) {
  return mProxy->GetArrayItemAt(handle, key, index, text);
}

HResult LIniFileManager::SetArrayItemAt(int32_t handle, const StringW& key, int32_t index, const StringW& value) {
  return mProxy->SetArrayItemAt(handle, key, index, value);
}

HResult LIniFileManager::RemoveArrayItemAt(int32_t handle, const StringW& key, int32_t index) {
  return mProxy->RemoveArrayItemAt(handle, key, index);
}

}  // namespace HV
