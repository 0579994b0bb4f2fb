#pragma once

// MemoryIniFileManager: settings files held in memory, for tests of code that
// reads and writes settings through IIniFileManager. Handles are the numbers
// the test opens files under; integer values live per (handle, key) and every
// write is logged. Text values, key lists and arrays are not kept (E_NOTIMPL).

#include "HVFramework/System/IIniFileManager.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace HV::Test {

class MemoryIniFileManager : public IIniFileManager {
 public:
  struct IntWrite {
    int32_t handle;
    std::u16string key;
    int32_t value;
    bool operator==(const IntWrite&) const = default;
  };

  void SetInt(int32_t handle, const std::u16string& key, int32_t value) { mInts[{handle, key}] = value; }
  const std::vector<IntWrite>& GetIntWrites() const { return mWrites; }

  HResult Load(const StringW&) override { return S_OK; }
  HResult Unload() override { return S_OK; }
  HResult OpenIniFile(const StringW&, const StringW&, const StringW&, int32_t&) override { return E_NOTIMPL; }
  HResult WriteIniFile(int32_t) override { return S_OK; }
  bool DoesNodeExist(int32_t handle, const StringW& key) override {
    return mInts.count(Key(handle, key)) != 0;
  }
  HResult CloseIniFile(int32_t, int32_t) override { return S_OK; }
  HResult GetIniValueInt(int32_t handle, const StringW& key, int32_t defaultValue, int32_t& value) override {
    const auto found = mInts.find(Key(handle, key));
    value = found == mInts.end() ? defaultValue : found->second;
    return S_OK;
  }
  HResult SetIniValueInt(int32_t handle, const StringW& key, int32_t value) override {
    mInts[Key(handle, key)] = value;
    mWrites.push_back({handle, std::u16string(key.GetView()), value});
    return S_OK;
  }
  HResult GetIniValueStr(int32_t, const StringW&, const StringW&, StringW&) override { return E_NOTIMPL; }
  HResult SetIniValueStr(int32_t, const StringW&, const StringW&) override { return E_NOTIMPL; }
  HResult GetKeyCount(int32_t, const StringW&, int32_t&) override { return E_NOTIMPL; }
  HResult GetKeyNameAt(int32_t, const StringW&, int32_t, StringW&) override { return E_NOTIMPL; }
  HResult GetArrayCount(int32_t, const StringW&, int32_t&) override { return E_NOTIMPL; }
  HResult SetArrayCount(int32_t, const StringW&, int32_t) override { return E_NOTIMPL; }
  HResult GetArrayItemAt(int32_t, const StringW&, int32_t, StringW&) override { return E_NOTIMPL; }
  HResult SetArrayItemAt(int32_t, const StringW&, int32_t, const StringW&) override { return E_NOTIMPL; }
  HResult RemoveArrayItemAt(int32_t, const StringW&, int32_t) override { return E_NOTIMPL; }

 private:
  static std::pair<int32_t, std::u16string> Key(int32_t handle, const StringW& key) {
    return {handle, std::u16string(key.GetView())};
  }

  std::map<std::pair<int32_t, std::u16string>, int32_t> mInts;
  std::vector<IntWrite> mWrites;
};

}  // namespace HV::Test
