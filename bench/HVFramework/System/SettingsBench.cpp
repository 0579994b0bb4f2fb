// What a settings change costs (every change is written through to disk,
// atomically), what listing a section's keys by index costs against walking a
// plain std::map of the same keys, and what the debug trace costs per insertion.

#include "HVFramework/ObjectBase/RCPtr.h"
#include "HVFramework/Platform/Core/DynamicLibrary.h"
#include "HVFramework/System/DebugTrace.h"
#include "HVFramework/System/LIniFileManager.h"
#include "Libraries/IniFileManager/IniFileManagerApi.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace {

// A settings file in a temporary folder, opened through the library beside the program.
class BenchSettingsFile {
 public:
  // `contents`: the file's text before it is opened.
  explicit BenchSettingsFile(benchmark::State& state, const std::string& contents = std::string())
      : mFolder(std::filesystem::temp_directory_path() / "hv-settings-bench-XXXXXX") {
    if (mkdtemp(mFolder.data()) != nullptr) {
      std::ofstream(mFolder + "/UserSettings.ini") << contents;
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

// Key names of the same shape as a section of recent files or MIDI ports.
std::string KeyName(int64_t i) {
  char name[32];
  std::snprintf(name, sizeof name, "Entry%06lld", static_cast<long long>(i));
  return name;
}

std::string FileWithKeys(int64_t count) {
  std::string contents;
  for (int64_t i = 0; i < count; ++i) contents += KeyName(i) + "=" + std::to_string(i) + "\n";
  return contents;
}

// Every key of a section, the way a caller lists them: the count, then each
// name by index, through the framework's manager (wide texts).
void BM_SettingsListKeysByIndex(benchmark::State& state) {
  BenchSettingsFile file(state, FileWithKeys(state.range(0)));
  if (!file.IsOpen()) return;
  HV::StringW name;
  for (auto _ : state) {
    int32_t count = 0;
    file.Manager().GetKeyCount(file.Handle(), u"", count);
    for (int32_t i = 0; i < count; ++i) {
      file.Manager().GetKeyNameAt(file.Handle(), u"", i, name);
      benchmark::DoNotOptimize(name);
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SettingsListKeysByIndex)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);

// The same listing through the library's own entry points, without the
// framework's text conversion.
void BM_SettingsLibraryListKeysByIndex(benchmark::State& state) {
  BenchSettingsFile file(state, FileWithKeys(state.range(0)));
  auto library = HV::Platform::DynamicLibrary::Load("IniFileManager.dll");
  if (!file.IsOpen() || !library) return state.SkipWithError("no library");
  auto getKeyCount = library->FindFunction<IniFileManagerApi::GetKeyCountFn>("GetKeyCount");
  auto getKeyNameAt = library->FindFunction<IniFileManagerApi::GetKeyNameAtFn>("GetKeyNameAt");
  char name[1024];
  for (auto _ : state) {
    int32_t count = 0;
    getKeyCount(file.Handle(), "", &count);
    for (int32_t i = 0; i < count; ++i) {
      int32_t needed = 0;
      getKeyNameAt(file.Handle(), "", i, name, sizeof name, &needed);
      benchmark::DoNotOptimize(name);
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SettingsLibraryListKeysByIndex)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);

// The plain alternative: the same keys walked in a std::map, each name copied out.
void BM_PlainMapListKeys(benchmark::State& state) {
  std::map<std::string, std::string> keys;
  for (int64_t i = 0; i < state.range(0); ++i) keys.emplace(KeyName(i), std::to_string(i));
  std::string name;
  for (auto _ : state) {
    for (const auto& entry : keys) {
      name = entry.first;
      benchmark::DoNotOptimize(name);
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PlainMapListKeys)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);

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
