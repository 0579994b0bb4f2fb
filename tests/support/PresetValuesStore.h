#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/DefaultRecords.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/ParamRecord.h"
#include "Panel/Engine/PresetEditorCommon/IPresetValues.h"
#include "Panel/Engine/PresetEditorCommon/Protocol/PresetData.h"

#include <array>
#include <mutex>
#include <vector>

namespace HV::Test {

// PresetValuesStore: the model's 131 values, starting as the default
// preset, for tests that need no engine. Any thread.
class PresetValuesStore : public IPresetValues {
 public:
  PresetValuesStore() { Fill(MakeDefaultPresetData()); }

  Variant GetPresetValue(int32_t id) override {
    std::lock_guard lock(mMutex);
    return mValues.at(static_cast<size_t>(id));
  }
  HResult SetPresetValue(int32_t id, const Variant& value) override {
    std::lock_guard lock(mMutex);
    mValues.at(static_cast<size_t>(id)) = value;
    ++mSetCount;
    return S_OK;
  }

  void Fill(const std::vector<uint8_t>& data) {
    const PresetData::Records records = *PresetData::SplitRecords(data);
    std::lock_guard lock(mMutex);
    for (size_t i = 0; i < records.size(); ++i) mValues[i] = MakeRecordValue(records[i]);
  }
  void Set(size_t id, const Variant& value) {
    std::lock_guard lock(mMutex);
    mValues.at(id) = value;
  }
  std::vector<uint8_t> Joined() {
    std::lock_guard lock(mMutex);
    std::vector<uint8_t> joined;
    for (const Variant& value : mValues) {
      const std::span<const uint8_t> bytes = GetRecordBytes(value);
      joined.insert(joined.end(), bytes.begin(), bytes.end());
    }
    return joined;
  }
  int SetCount() {
    std::lock_guard lock(mMutex);
    return mSetCount;
  }

 private:
  std::mutex mMutex;
  std::array<Variant, kDeviceParamCount> mValues;
  int mSetCount = 0;
};

}  // namespace HV::Test
