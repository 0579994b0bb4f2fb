// The engine's hot paths: storing a value in the cache, an edit through the
// root module, a packet of all 131 values from the device, and announcing all
// values at once.

#include "DeviceControl/GeneratedCode/Engine/Inc/ParamRecord.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/RootModuleEngine.h"
#include "DeviceControl/GeneratedCode/Engine/Src/ParamCache.h"
#include "DeviceControl/GeneratedCode/Engine/Src/RootModule.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/Utilities/Storage/ParamValues.h"
#include "Panel/Engine/DeviceLink/DeviceCommunicationInterface.h"

#include <benchmark/benchmark.h>

namespace {

HV::Variant Record(uint8_t mark, uint32_t length) {
  std::vector<uint8_t> bytes(length, mark);
  return MakeRecordValue(bytes);
}

void IgnoreChanges(void*, const HV::Array<HV::ParamValue>&) {}

// A root without a library beside it: offline, storing and announcing only.
HV::RCPtr<LRootModule> MakeOfflineRoot() {
  const auto link = LDeviceCommunicationInterface::Create(u"/nonexistent/DeviceControlClient.dll");
  link->Initialize();
  auto root = LRootModule::Create(false);
  root->Initialize(&IgnoreChanges, nullptr, LParamCache::Create(131), link, 0);
  root->ConnectDevice(HV::Variant());
  return root;
}

void BM_ParamCacheStoreChangedValue(benchmark::State& state) {
  const auto cache = LParamCache::Create(131);
  const HV::Variant values[2] = {Record(1, 17), Record(2, 17)};
  uint32_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        cache->SetValue(HV::ParamDescriptor(static_cast<int32_t>(i % 131)), values[i & 1], true));
    ++i;
  }
}
BENCHMARK(BM_ParamCacheStoreChangedValue);

void BM_RootModuleApplyEdit(benchmark::State& state) {
  const auto root = MakeOfflineRoot();
  const HV::Variant values[2] = {Record(1, 6), Record(2, 6)};
  uint32_t i = 0;
  for (auto _ : state)
    benchmark::DoNotOptimize(root->ApplyParamValue(HV::ParamDescriptor(97), values[i++ & 1]));
  root->StopReceiving();
}
BENCHMARK(BM_RootModuleApplyEdit);

void BM_RootModuleReceiveWholePreset(benchmark::State& state) {
  const auto root = MakeOfflineRoot();
  HV::ParamValues packets[2];
  for (uint8_t p = 0; p < 2; ++p) {
    std::vector<HV::ParamValue> values(131);
    for (int32_t id = 0; id < 131; ++id) {
      values[id].paramID = id;
      values[id].value = Record(static_cast<uint8_t>(p + 1), 6);
    }
    packets[p].Set(values.data(), 131);
  }
  uint32_t i = 0;
  for (auto _ : state) root->OnParamValuesReceived(packets[i++ & 1]);
  state.SetItemsProcessed(state.iterations() * 131);
  root->StopReceiving();
}
BENCHMARK(BM_RootModuleReceiveWholePreset);

void BM_EngineAnnounceAllValues(benchmark::State& state) {
  const auto center = HV::GetNotificationCenterManager()->GetCenter(u"application");
  const auto engine = LRootModuleEngine::Create(CreateDeviceLink);
  engine->Initialize(0);
  const HV::ParamDescriptors all(HV::ParamRange{0, 131});
  for (auto _ : state) {
    engine->RequestParamValues(all);
    center->DiscardNotifications();
  }
}
BENCHMARK(BM_EngineAnnounceAllValues);

}  // namespace
