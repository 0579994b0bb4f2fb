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

// A settings file in a temporary folder, opened through the library beside the program.
class BenchSettingsFile {
 public:
  explicit BenchSettingsFile(benchmark::State& state)
      : mFolder(std::filesystem::temp_directory_path() / "hv-settings-bench-XXXXXX") {
    if (mkdtemp(mFolder.data()) != nullptr) {
      mManager->Load(HV::StringW());
      mManager->OpenIniFile(HV::StringW((mFolder + "/UserSettings.ini").c_str()), u"1_0_0", u"Tarsel", mHandle);
    }
    if (!IsOpen()) state.SkipWithError("no settings file");
  }
  ~BenchSettingsFile() {
    mManager->CloseIniFile(mHandle, 0);
    std::filesystem::remove_all(mFolder);
  }

  bool IsOpen() const { return mHandle != 0; }
  HV::LIniFileManager& Manager() { return *mManager; }
  int32_t Handle() const { return mHandle; }

 private:
  std::string mFolder;
  HV::RCPtr<HV::LIniFileManager> mManager{new HV::LIniFileManager()};
  int32_t mHandle = 0;
};

void BM_SettingsSetIniValueInt(benchmark::State& state) {
  BenchSettingsFile file(state);
  if (!file.IsOpen()) return;
  for (int i = 0; i < state.range(0); ++i) {
    file.Manager().SetIniValueInt(file.Handle(), HV::StringW(("Key" + std::to_string(i)).c_str()), i);
  }
  int32_t value = 0;
  for (auto _ : state) {
    file.Manager().SetIniValueInt(file.Handle(), u"CurrentSkinIndex", ++value);
  }
}
BENCHMARK(BM_SettingsSetIniValueInt)->Arg(1)->Arg(100);

void BM_SettingsGetIniValueStr(benchmark::State& state) {
  BenchSettingsFile file(state);
  if (!file.IsOpen()) return;
  file.Manager().SetIniValueStr(file.Handle(), u"Path", u"/home/user/Documents/Presets/Default.syx");
  HV::StringW text;
  for (auto _ : state) {
    file.Manager().GetIniValueStr(file.Handle(), u"Path", u"", text);
    benchmark::DoNotOptimize(text);
  }
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
