// What a settings change costs (every change is written through to disk,
// atomically) and what the debug trace costs per insertion.

#include "HVFramework/ObjectBase/RCPtr.h"
#include "HVFramework/System/DebugTrace.h"
#include "HVFramework/System/LIniFileManager.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

void BM_SettingsSetIniValueInt(benchmark::State& state) {
  std::string folder = std::filesystem::temp_directory_path() / "hv-settings-bench-XXXXXX";
  if (mkdtemp(folder.data()) == nullptr) {
    state.SkipWithError("no temporary folder");
    return;
  }
  HV::RCPtr<HV::LIniFileManager> manager(new HV::LIniFileManager());
  manager->Load(HV::StringW());
  int32_t handle = 0;
  manager->OpenIniFile(HV::StringW((folder + "/UserSettings.ini").c_str()), u"1_0_0", u"Tarsel", handle);
  for (int i = 0; i < state.range(0); ++i) {
    manager->SetIniValueInt(handle, HV::StringW(("Key" + std::to_string(i)).c_str()), i);
  }
  int32_t value = 0;
  for (auto _ : state) {
    manager->SetIniValueInt(handle, u"CurrentSkinIndex", ++value);
  }
  manager->CloseIniFile(handle, 0);
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SettingsSetIniValueInt)->Arg(1)->Arg(100);

void BM_SettingsGetIniValueStr(benchmark::State& state) {
  std::string folder = std::filesystem::temp_directory_path() / "hv-settings-bench-XXXXXX";
  if (mkdtemp(folder.data()) == nullptr) {
    state.SkipWithError("no temporary folder");
    return;
  }
  HV::RCPtr<HV::LIniFileManager> manager(new HV::LIniFileManager());
  manager->Load(HV::StringW());
  int32_t handle = 0;
  manager->OpenIniFile(HV::StringW((folder + "/UserSettings.ini").c_str()), u"1_0_0", u"Tarsel", handle);
  manager->SetIniValueStr(handle, u"Path", u"/home/user/Documents/Presets/Default.syx");
  HV::StringW text;
  for (auto _ : state) {
    manager->GetIniValueStr(handle, u"Path", u"", text);
    benchmark::DoNotOptimize(text);
  }
  manager->CloseIniFile(handle, 0);
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SettingsGetIniValueStr);

void BM_DebugTraceNarrowLine(benchmark::State& state) {
  HV::DebugTrace trace;
  size_t delivered = 0;
  trace.SetDebuggerSink([&](std::string_view text) { delivered += text.size(); });
  for (auto _ : state) {
    trace.GetNarrowStream() << "MIDI in: F0 00 21 7E 01 F7\n" << std::flush;
  }
  benchmark::DoNotOptimize(delivered);
}
BENCHMARK(BM_DebugTraceNarrowLine);

}  // namespace
