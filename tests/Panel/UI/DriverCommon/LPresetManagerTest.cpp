// The preset manager on an engine of the model's own values (no device
// link): the default preset's file byte for byte, loads that apply a whole
// file or nothing, and saves that leave the old file alone when any step fails.
#include "Panel/UI/DriverCommon/LPresetManager.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/ParamRecord.h"
#include "Panel/UI/DriverCommon/LPresetFileWriter.h"
#include "tests/Panel/UI/DriverCommon/PresetFileFixtures.h"
#include "tests/support/NotificationRecorder.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace HV {
namespace {

using Test::EngineUnderTest;
using Test::PutU32;
using Test::ReadBytes;
using HV::Test::TemporaryFolder;
using Test::Wide;
using HV::Test::WriteBytes;

constexpr size_t kDefaultFileSize = 4494;

RCPtr<LPresetManager> ManagerOf(const RCPtr<LRootModuleEngine>& engine,
                                std::shared_ptr<IPresetFileWriter> writer = nullptr) {
  return LPresetManager::Create({[engine] { return engine; }, std::move(writer)});
}

Variant NameRecord(const char (&letters)[7]) {
  return MakeRecordValue(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(letters), 6));
}

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
  return names;
}

class PresetManager : public ::testing::Test {
 protected:
  // The default preset as saved by a fresh engine.
  std::vector<uint8_t> SaveDefault(const std::string& name = "default.TarselPresetEditor") {
    EngineUnderTest fresh;
    EXPECT_EQ(ManagerOf(fresh.engine)->Save(Wide(mFolder / name)), S_OK);
    return ReadBytes(mFolder / name);
  }

  TemporaryFolder mFolder;
};

TEST_F(PresetManager, TheDefaultPresetSavesToItsFixedLayoutAndComesBackIdentical) {
  const std::vector<uint8_t> file = SaveDefault();
  ASSERT_EQ(file.size(), kDefaultFileSize);
  // Version 1, the device pair (0, 0), then the name's record: length 30,
  // reserved, parameter 0, and its value record of 18 bytes, version 1, tag 14.
  const std::vector<uint8_t> head = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 30, 0, 0, 0, 0, 0,
                                     0, 0, 0, 0, 0, 0, 18, 0, 0, 0, 1, 0, 0, 0, 14, 0, 0, 0};
  EXPECT_EQ(std::vector<uint8_t>(file.begin(), file.begin() + 36), head);
  // The first keybed zone follows at 42: 9 bytes, 33 in all, parameter 1.
  const std::vector<uint8_t> zone = {33, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 21, 0, 0, 0, 1, 0, 0, 0, 14, 0, 0, 0};
  EXPECT_EQ(std::vector<uint8_t>(file.begin() + 42, file.begin() + 66), zone);

  EngineUnderTest other;
  const RCPtr<LPresetManager> manager = ManagerOf(other.engine);
  EXPECT_EQ(manager->Load(Wide(mFolder / "default.TarselPresetEditor")), LPresetManager::kLoaded);
  EXPECT_EQ(manager->Save(Wide(mFolder / "again.TarselPresetEditor")), S_OK);
  EXPECT_EQ(ReadBytes(mFolder / "again.TarselPresetEditor"), file);
}

// The engine has no device link here, as on a machine without the maker's
// library: the loaded values are the model's and are announced in file order.
TEST_F(PresetManager, ALoadedPresetReachesTheEngineWithoutADeviceAndIsAnnouncedInFileOrder) {
  EngineUnderTest edited;
  ASSERT_EQ(edited.engine->SetParamValue(ParamDescriptor(0), NameRecord("LOADED")), S_OK);
  const std::vector<uint8_t> fader = {2, 0, 7, 0, 0, 127};
  ASSERT_EQ(edited.engine->SetParamValue(ParamDescriptor(61), MakeRecordValue(fader)), S_OK);
  ASSERT_EQ(ManagerOf(edited.engine)->Save(Wide(mFolder / "edited")), S_OK);

  EngineUnderTest loading;
  EXPECT_EQ(ManagerOf(loading.engine)->Load(Wide(mFolder / "edited")), LPresetManager::kLoaded);
  EXPECT_EQ(loading.Values(), edited.Values());
  // Values equal to the stored ones are not announced again: the two edits are.
  EXPECT_EQ(loading.AnnouncedIDs(), (std::vector<int32_t>{0, 61}));
}

TEST_F(PresetManager, EveryLoadIsFramedByThePreAndPostLoadNotificationsWithItsResult) {
  SaveDefault("good");
  WriteBytes(mFolder / "older", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  EngineUnderTest target;
  const RCPtr<LPresetManager> manager = ManagerOf(target.engine);
  HV::Test::NotificationLog log;
  const RCPtr<HV::Test::NotificationRecorder> listener = HV::Test::NotificationRecorder::Create("view", log);
  listener->RegisterNotification(manager, LPresetManager::kPreLoadName);
  listener->RegisterNotification(manager, LPresetManager::kPostLoadName);

  EXPECT_EQ(manager->Load(Wide(mFolder / "good")), 0);
  EXPECT_EQ(manager->Load(Wide(mFolder / "older")), -1);
  EXPECT_EQ(manager->Load(Wide(mFolder / "missing")), -3);
  const auto entries = log.GetEntries();
  ASSERT_EQ(entries.size(), 6u);
  const int32_t results[] = {0, -1, -3};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(entries[2 * i].name, "NID_PRESETFILE_PRE_LOAD");
    EXPECT_FALSE(entries[2 * i].notification->GetPayload());
    EXPECT_EQ(entries[2 * i + 1].name, "NID_PRESETFILE_POST_LOAD");
    const auto payload =
        DynamicCast<LPresetFileLoadNotificationData>(entries[2 * i + 1].notification->GetPayload());
    ASSERT_TRUE(payload);
    EXPECT_EQ(payload->GetResult(), results[i]);
  }
  listener->UnregisterAllNotifications();
}

// Each bad file is refused as a whole: its good records before the fault are
// not applied either.
TEST_F(PresetManager, ABadFileGivesItsResultAndChangesNothing) {
  // A valid file whose name record differs from the default, so that an
  // applied record would show.
  EngineUnderTest source;
  source.engine->SetParamValue(ParamDescriptor(0), NameRecord("BADFIL"));
  ASSERT_EQ(ManagerOf(source.engine)->Save(Wide(mFolder / "base")), S_OK);
  const std::vector<uint8_t> base = ReadBytes(mFolder / "base");
  ASSERT_EQ(base.size(), kDefaultFileSize);
  constexpr size_t kLast = kDefaultFileSize - 39;  // the Y axis, 15 bytes: 39 in all

  struct Case {
    const char* name;
    std::function<void(std::vector<uint8_t>&)> edit;
    int32_t result;
  };
  const Case cases[] = {
      {"version 0", [](auto& f) { PutU32(f, 0, 0); }, -1},
      {"version 2", [](auto& f) { PutU32(f, 0, 2); }, -2},
      {"version 2, pair (1, 0)", [](auto& f) { PutU32(f, 0, 2), PutU32(f, 4, 1); }, -4},
      {"pair (0, 1)", [](auto& f) { PutU32(f, 8, 1); }, -4},
      {"empty file", [](auto& f) { f.clear(); }, -3},
      {"half a header", [](auto& f) { f.resize(6); }, -3},
      {"length 3", [&](auto& f) { PutU32(f, kLast, 3); }, -3},
      {"length 15", [&](auto& f) { PutU32(f, kLast, 15); }, -3},
      {"reserved 5", [&](auto& f) { PutU32(f, kLast + 4, 5); }, -3},
      {"huge length", [&](auto& f) { PutU32(f, kLast, 0xFFFFFFF0u); }, -3},
      {"length one past the end", [&](auto& f) { PutU32(f, kLast, 40); }, -3},
      {"parameter 131", [&](auto& f) { PutU32(f, kLast + 8, 131); }, -3},
      {"parameter -1", [&](auto& f) { PutU32(f, kLast + 8, 0xFFFFFFFFu); }, -3},
      {"parameter of another length", [&](auto& f) { PutU32(f, kLast + 8, 0); }, -3},
      {"text instead of bytes", [&](auto& f) { PutU32(f, kLast + 20, 15); }, -3},
      {"value record shorter than the record", [&](auto& f) { PutU32(f, kLast + 12, 26); }, -3},
      {"record and value one byte short",
       [&](auto& f) { PutU32(f, kLast, 38), PutU32(f, kLast + 12, 26), f.pop_back(); }, -3},
      {"record and value one byte long",
       [&](auto& f) { PutU32(f, kLast, 40), PutU32(f, kLast + 12, 28), f.push_back(0); }, -3},
      {"an empty record", [&](auto& f) { PutU32(f, kLast, 24), PutU32(f, kLast + 12, 12), f.resize(kLast + 24); },
       -3},
      {"a byte after the last record", [](auto& f) { f.push_back(0); }, -3},
      {"three bytes after the last record", [](auto& f) { f.insert(f.end(), {39, 0, 0}); }, -3},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.name);
    std::vector<uint8_t> file = base;
    row.edit(file);
    WriteBytes(mFolder / "bad", file);
    EngineUnderTest target;
    const std::vector<Variant> before = target.Values();
    EXPECT_EQ(ManagerOf(target.engine)->Load(Wide(mFolder / "bad")), row.result);
    EXPECT_EQ(target.Values(), before);
    EXPECT_TRUE(target.AnnouncedIDs().empty());
  }
}

// Cut anywhere inside a field or a record the file is corrupt; cut exactly
// between records it is a shorter preset, applied up to the cut.
TEST_F(PresetManager, AFileCutAtEveryOffsetIsCorruptUnlessCutBetweenRecords) {
  const std::vector<uint8_t> file = SaveDefault();
  std::vector<size_t> boundaries = {PresetFile::kHeaderSize};
  for (size_t at = PresetFile::kHeaderSize; at < file.size();) {
    at += file[at] | file[at + 1] << 8;
    boundaries.push_back(at);
  }
  ASSERT_EQ(boundaries.size(), 132u);
  for (size_t length = 0; length < file.size(); ++length) {
    Array<ParamValue> records;
    const bool isBoundary = std::find(boundaries.begin(), boundaries.end(), length) != boundaries.end();
    const int32_t result = PresetFile::Decode(std::span(file.data(), length), records);
    ASSERT_EQ(result, isBoundary ? PresetFile::kLoaded : PresetFile::kCorrupt) << "cut at " << length;
    ASSERT_EQ(records.GetCount(), isBoundary ? static_cast<uint32_t>(
                                                   std::find(boundaries.begin(), boundaries.end(), length) -
                                                   boundaries.begin())
                                             : 0u);
  }
}

TEST_F(PresetManager, ALoadTheEngineRefusesIsNotReportedAsSuccess) {
  SaveDefault("good");
  EngineUnderTest refusing([](const DeviceTiming&) { return HV::Test::DevicelessLink::Create(); });
  ASSERT_EQ(refusing.engine->GetConnectionState(), LRootModuleEngine::Disconnected);
  EXPECT_EQ(ManagerOf(refusing.engine)->Load(Wide(mFolder / "good")), LPresetManager::kNotApplied);
  // A header alone asks nothing of the engine.
  WriteBytes(mFolder / "empty", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(ManagerOf(refusing.engine)->Load(Wide(mFolder / "empty")), LPresetManager::kLoaded);
}

// The system's writer, failing one chosen step; a full disk takes the first
// bytes of a write and then refuses.
class FailingWriter : public LPresetFileWriter {
 public:
  enum class Step { Create, Write, FullDisk, Flush, Close, Replace };
  explicit FailingWriter(Step step) : mStep(step) {}

  int Create(const std::string& path) override {
    return mStep == Step::Create ? -1 : LPresetFileWriter::Create(path);
  }
  bool Write(int file, const void* data, size_t count) override {
    if (mStep == Step::Write) return false;
    if (mStep == Step::FullDisk) {
      LPresetFileWriter::Write(file, data, count / 2);
      return false;
    }
    return LPresetFileWriter::Write(file, data, count);
  }
  bool Flush(int file) override { return mStep != Step::Flush && LPresetFileWriter::Flush(file); }
  bool Close(int file) override { return LPresetFileWriter::Close(file) && mStep != Step::Close; }
  bool Replace(const std::string& from, const std::string& to) override {
    return mStep != Step::Replace && LPresetFileWriter::Replace(from, to);
  }

 private:
  const Step mStep;
};

TEST_F(PresetManager, AFailedSaveLeavesTheOldFileByteForByteAndNoTemporaryFile) {
  const std::vector<uint8_t> old = {1, 2, 3, 4, 5};
  EngineUnderTest source;
  using Step = FailingWriter::Step;
  for (Step step : {Step::Create, Step::Write, Step::FullDisk, Step::Flush, Step::Close, Step::Replace}) {
    SCOPED_TRACE(static_cast<int>(step));
    WriteBytes(mFolder / "preset", old);
    const RCPtr<LPresetManager> manager = ManagerOf(source.engine, std::make_shared<FailingWriter>(step));
    EXPECT_EQ(manager->Save(Wide(mFolder / "preset")), E_FAIL);
    EXPECT_EQ(ReadBytes(mFolder / "preset"), old);
    EXPECT_EQ(FolderEntries(mFolder.GetPath()), std::vector<std::string>{"preset"});
  }
  // Without an engine there are no values to save.
  EXPECT_EQ(LPresetManager::Create({[] { return RCPtr<LRootModuleEngine>(); }, nullptr})
                ->Save(Wide(mFolder / "preset")),
            E_FAIL);
  EXPECT_EQ(ReadBytes(mFolder / "preset"), old);
}

TEST_F(PresetManager, ASaveIntoAReadOnlyFolderFailsAndKeepsTheOldFile) {
  if (geteuid() == 0) GTEST_SKIP() << "the superuser writes into read-only folders";
  const std::vector<uint8_t> old = {9, 8, 7};
  WriteBytes(mFolder / "preset", old);
  std::filesystem::permissions(mFolder.GetPath(), std::filesystem::perms::owner_read |
                                                      std::filesystem::perms::owner_exec);
  EngineUnderTest source;
  EXPECT_EQ(ManagerOf(source.engine)->Save(Wide(mFolder / "preset")), E_FAIL);
  EXPECT_EQ(ReadBytes(mFolder / "preset"), old);
}

// A save over an existing preset replaces it whole, and one left over from an
// interrupted save does not stand in the way.
TEST_F(PresetManager, ASaveReplacesTheOldFileEvenBesideAnInterruptedSave) {
  WriteBytes(mFolder / "preset", std::vector<uint8_t>(9000, 0xAB));
  WriteBytes(mFolder / "preset.saving", {1});
  const std::vector<uint8_t> expected = SaveDefault("expected");
  EngineUnderTest source;
  EXPECT_EQ(ManagerOf(source.engine)->Save(Wide(mFolder / "preset")), S_OK);
  EXPECT_EQ(ReadBytes(mFolder / "preset"), expected);
  EXPECT_EQ(ReadBytes(mFolder / "preset.saving"), std::vector<uint8_t>{1});
}

}  // namespace
}  // namespace HV
