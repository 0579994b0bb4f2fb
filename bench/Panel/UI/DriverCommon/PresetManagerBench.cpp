// The preset manager against the plain work underneath it, in the same run
// (counter "ratio": the manager's time over the plain time):
// - a load that applies and announces all 131 values, against reading and
//   decoding the file's records alone (goal: at most 5x);
// - a save, against writing the same bytes with write + fsync + rename
//   (goal: at most 2x).
// Loads alternate between two presets that differ in every value, so each
// load changes and announces all 131.
#include "DeviceControl/GeneratedCode/Engine/Inc/ParamRecord.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/RootModuleEngine.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/Platform/Core/PosixFile.h"
#include "Panel/UI/DriverCommon/LPresetManager.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

using namespace HV;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

// The two sides' times over a run; the iteration time is the manager's.
struct RatioTimer {
  explicit RatioTimer(benchmark::State& state) : state(state) {}
  ~RatioTimer() { state.counters["ratio"] = plainTime > 0 ? managerTime / plainTime : 0; }
  void Add(double manager, double plain) {
    managerTime += manager;
    plainTime += plain;
    state.SetIterationTime(manager);
  }
  benchmark::State& state;
  double managerTime = 0, plainTime = 0;
};

// An offline engine (the model's own values), its manager and a scratch folder.
struct Scene {
  Scene()
      : centre(GetApplicationNotificationCenter()),
        engine(LRootModuleEngine::Create(nullptr)),
        folder(std::filesystem::temp_directory_path() / ("preset-bench-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(folder);
    engine->Initialize(0);
    manager = LPresetManager::Create({[e = engine] { return e; }, nullptr});
    manager->Save(Path("a"));
    // Every record of b differs from a in its last byte.
    Array<ParamValue> values;
    engine->GetParamValues(ParamRange{0, 131}, &values, -1);
    for (uint32_t i = 0; i < values.GetCount(); ++i) {
      uint32_t size = 0;
      auto* bytes = static_cast<uint8_t*>(values.GetItemPtr(i)->value.GetData(&size));
      bytes[size - 1] ^= 1;
      engine->SetParamValue(ParamDescriptor(static_cast<int32_t>(i)), values.GetItemPtr(i)->value);
    }
    manager->Save(Path("b"));
    centre->ProcessNotifications(false);
  }
  ~Scene() {
    engine->ReleaseInternalReferences();
    std::filesystem::remove_all(folder);
  }
  StringW Path(const char* name) const { return StringW((folder / name).string().c_str()); }
  std::string SystemPath(const char* name) const { return (folder / name).string(); }

  RCPtr<LNotificationCenter> centre;
  RCPtr<LRootModuleEngine> engine;
  RCPtr<LPresetManager> manager;
  std::filesystem::path folder;
};

void BM_LoadAndAnnounceAgainstDecoding(benchmark::State& state) {
  Scene scene;
  const char* names[] = {"a", "b"};
  RatioTimer timer(state);
  size_t turn = 0;
  for (auto _ : state) {
    const char* name = names[turn++ % 2];
    auto start = Clock::now();
    const int32_t result = scene.manager->Load(scene.Path(name));
    scene.centre->ProcessNotifications(false);
    const double loaded = Seconds(Clock::now() - start);
    if (result != 0) state.SkipWithError("the load failed");

    start = Clock::now();
    std::vector<uint8_t> bytes;
    Platform::ReadWholeFile(scene.SystemPath(name), PresetFile::kMaxFileSize, bytes);
    Array<ParamValue> records;
    benchmark::DoNotOptimize(PresetFile::Decode(bytes, records));
    const double decoded = Seconds(Clock::now() - start);

    timer.Add(loaded, decoded);
  }
}
BENCHMARK(BM_LoadAndAnnounceAgainstDecoding)->UseManualTime();

void BM_SaveAgainstWriteSyncRename(benchmark::State& state) {
  Scene scene;
  std::vector<uint8_t> bytes;
  if (!Platform::ReadWholeFile(scene.SystemPath("b"), PresetFile::kMaxFileSize, bytes))
    state.SkipWithError("no preset to write");
  const std::string plain = scene.SystemPath("plain");
  const std::string plainNew = plain + ".new";
  RatioTimer timer(state);
  for (auto _ : state) {
    auto start = Clock::now();
    if (scene.manager->Save(scene.Path("saved")) != 0) state.SkipWithError("the save failed");
    const double saved = Seconds(Clock::now() - start);

    start = Clock::now();
    const int file = Platform::OpenFile(plainNew, Platform::FileAccess::ReadWrite,
                                        Platform::FileCreation::CreateIfMissing);
    Platform::WriteFile(file, bytes.data(), bytes.size());
    Platform::SyncFile(file);
    Platform::CloseFile(file);
    std::rename(plainNew.c_str(), plain.c_str());
    const double written = Seconds(Clock::now() - start);

    timer.Add(saved, written);
  }
}
BENCHMARK(BM_SaveAgainstWriteSyncRename)->UseManualTime();

}  // namespace
