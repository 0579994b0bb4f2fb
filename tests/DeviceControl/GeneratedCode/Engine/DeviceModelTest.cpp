#include "DeviceControl/GeneratedCode/Engine/Inc/DefaultRecords.h"
#include "DeviceControl/GeneratedCode/Engine/Src/Device.h"
#include "tests/DeviceControl/GeneratedCode/Engine/ModelTestRoot.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

namespace {

using Bytes = std::vector<uint8_t>;

class DeviceModel : public testing::TestWithParam<int32_t> {
 protected:
  void SetUp() override {
    mDevice = LDevice::Create();
    mRoot = ModelTestRoot::Create(mDevice);
    mRoot->Place(GetParam());
  }
  int32_t Id(int32_t relative) const { return OffsetParamID(GetParam(), relative); }

  HV::RCPtr<LDevice> mDevice;
  HV::RCPtr<ModelTestRoot> mRoot;
};

TEST_P(DeviceModel, FindsTheOwnerOfEveryBoundaryID) {
  const HV::RCPtr<LDevice>& d = mDevice;
  const std::pair<int32_t, std::function<HV::RCPtr<LParameterizedModule>()>> cases[] = {
      {0, [&] { return d->GetPresetName(); }},
      {1, [&] { return d->GetKeybedZones()->GetKeybedZone(0); }},
      {4, [&] { return d->GetKeybedZones()->GetKeybedZone(3); }},
      {5, [&] { return d->GetWheels()->GetWheel(0); }},
      {6, [&] { return d->GetWheels()->GetWheel(1); }},
      {7, [&] { return d->GetPedals()->GetVolumePedal(); }},
      {8, [&] { return d->GetPedals()->GetSustainPedal(); }},
      {9, [&] { return d->GetPads()->GetPad(0); }},
      {24, [&] { return d->GetPads()->GetPad(15); }},
      {25, [&] { return d->GetPushButtons()->GetPushButton(0); }},
      {60, [&] { return d->GetPushButtons()->GetPushButton(35); }},
      {61, [&] { return d->GetFaders()->GetFader(0); }},
      {96, [&] { return d->GetFaders()->GetFader(35); }},
      {97, [&] { return d->GetEncoders()->GetEncoder(0); }},
      {128, [&] { return d->GetEncoders()->GetEncoder(31); }},
      {129, [&] { return d->GetTouchPadAxises()->GetTouchPadAxis(0); }},
      {130, [&] { return d->GetTouchPadAxises()->GetTouchPadAxis(1); }},
      {-1, [] { return nullptr; }},
      {131, [] { return nullptr; }},
  };
  for (const auto& [relative, expected] : cases) {
    SCOPED_TRACE(relative);
    const HV::RCPtr<LParameterizedModule> owner = expected();
    EXPECT_EQ(mDevice->GetModuleForParamID(Id(relative)), owner);
    EXPECT_EQ(mRoot->GetModuleForParamID(Id(relative)), owner);
    const HV::ConstRCPtr<LParameterizedModule> constOwner =
        static_cast<const LDevice&>(*mDevice).GetModule(Id(relative));
    EXPECT_EQ(constOwner.Get(), owner.Get());
  }
  for (const int32_t id : {INT_MIN, INT_MAX}) {
    if (RelativeParamID(id, GetParam()) < 131) continue;
    EXPECT_EQ(mDevice->GetModuleForParamID(id), nullptr) << id;
  }
}

TEST_P(DeviceModel, GroupsAnswerOnlyForTheirOwnBlock) {
  const HV::RCPtr<LParameterizedModule> groups[] = {mDevice->GetKeybedZones(), mDevice->GetPedals(),
                                                    mDevice->GetEncoders(), mDevice->GetTouchPadAxises()};
  const int32_t sizes[] = {4, 2, 32, 2};
  for (size_t i = 0; i < std::size(groups); ++i) {
    const int32_t first = groups[i]->GetFirstParamID();
    EXPECT_EQ(groups[i]->GetModuleForParamID(OffsetParamID(first, -1)), nullptr);
    EXPECT_EQ(groups[i]->GetModuleForParamID(OffsetParamID(first, sizes[i])), nullptr);
    EXPECT_NE(groups[i]->GetModuleForParamID(OffsetParamID(first, sizes[i] - 1)), nullptr);
  }
}

TEST_P(DeviceModel, EveryElementOwnsItsIDAndGivesItsDefault) {
  Bytes joined;
  for (int32_t relative = 0; relative < kDeviceParamCount; ++relative) {
    const HV::RCPtr<LParameterizedModule> element = mDevice->GetModuleForParamID(Id(relative));
    ASSERT_NE(element, nullptr) << relative;
    EXPECT_TRUE(element->HasOwnParameters());
    EXPECT_EQ(element->GetFirstParamID(), Id(relative));
    const std::optional<ElementAddress> address = FindElement(GetParam(), Id(relative));
    EXPECT_EQ(element->GetIndex(), address->index);
    const HV::Variant value = element->GetParamValueDefault(Id(relative));
    const std::span<const uint8_t> record = GetRecordBytes(value);
    EXPECT_EQ(record.size(), static_cast<size_t>(GetElementLayout(address->kind).recordLength));
    joined.insert(joined.end(), record.begin(), record.end());
  }
  EXPECT_EQ(joined, MakeDefaultPresetData());
}

INSTANTIATE_TEST_SUITE_P(FirstIDs, DeviceModel, testing::Values(0, 1000, -5000, INT_MAX - 100));

// A screen-side implementation of the interfaces, as the editor's panels
// will be: elements that log the walks, groups over them, a device whose
// pedals can be missing. It uses the interfaces' distribution, lookup and
// walks unchanged.
std::vector<int32_t>* gWalkLog = nullptr;

template <class IElement>
class LoggingElement final : public IElement {
 public:
  static HV::RCPtr<LoggingElement> Create() { return HV::RCPtr<LoggingElement>(new LoggingElement()); }
  void ForEachModuleHookA() override { gWalkLog->push_back(this->GetFirstParamID()); }
  void ForEachModuleHookB() override { gWalkLog->push_back(-this->GetFirstParamID()); }
};

template <class IGroup>
class MirrorGroup final : public IGroup {
 public:
  static HV::RCPtr<MirrorGroup> Create() {
    HV::RCPtr<MirrorGroup> group(new MirrorGroup());
    for (auto& child : group->mChildren) child = LoggingElement<typename IGroup::Element>::Create();
    return group;
  }
  using IGroup::GetElement;
  HV::RCPtr<typename IGroup::Element> GetElement(int32_t index) override {
    if (index < 0 || index >= IGroup::kCount) return nullptr;
    return mChildren[static_cast<size_t>(index)];
  }

 private:
  std::array<HV::RCPtr<LoggingElement<typename IGroup::Element>>, IGroup::kCount> mChildren;
};

class MirrorPedals final : public IPedals {
 public:
  static HV::RCPtr<MirrorPedals> Create() { return HV::RCPtr<MirrorPedals>(new MirrorPedals()); }
  HV::RCPtr<IVolumePedal> GetVolumePedal() override { return mVolume; }
  HV::RCPtr<ISustainPedal> GetSustainPedal() override { return mSustain; }

 private:
  HV::RCPtr<IVolumePedal> mVolume = LoggingElement<IVolumePedal>::Create();
  HV::RCPtr<ISustainPedal> mSustain = LoggingElement<ISustainPedal>::Create();
};

class MirrorDevice final : public IDevice {
 public:
  static HV::RCPtr<MirrorDevice> Create(bool withPedals) {
    HV::RCPtr<MirrorDevice> device(new MirrorDevice());
    if (withPedals) device->mPedals = MirrorPedals::Create();
    return device;
  }
  HV::RCPtr<IPresetName> GetPresetName() override { return mPresetName; }
  HV::RCPtr<IKeybedZones> GetKeybedZones() override { return mZones; }
  HV::RCPtr<IWheels> GetWheels() override { return mWheels; }
  HV::RCPtr<IPedals> GetPedals() override { return mPedals; }
  HV::RCPtr<IPads> GetPads() override { return mPads; }
  HV::RCPtr<IPushButtons> GetPushButtons() override { return mButtons; }
  HV::RCPtr<IFaders> GetFaders() override { return mFaders; }
  HV::RCPtr<IEncoders> GetEncoders() override { return mEncoders; }
  HV::RCPtr<ITouchPadAxises> GetTouchPadAxises() override { return mAxes; }

 private:
  HV::RCPtr<IPresetName> mPresetName = LoggingElement<IPresetName>::Create();
  HV::RCPtr<IKeybedZones> mZones = MirrorGroup<IKeybedZones>::Create();
  HV::RCPtr<IWheels> mWheels = MirrorGroup<IWheels>::Create();
  HV::RCPtr<IPedals> mPedals;
  HV::RCPtr<IPads> mPads = MirrorGroup<IPads>::Create();
  HV::RCPtr<IPushButtons> mButtons = MirrorGroup<IPushButtons>::Create();
  HV::RCPtr<IFaders> mFaders = MirrorGroup<IFaders>::Create();
  HV::RCPtr<IEncoders> mEncoders = MirrorGroup<IEncoders>::Create();
  HV::RCPtr<ITouchPadAxises> mAxes = MirrorGroup<ITouchPadAxises>::Create();
};

TEST(DeviceMirror, WalksVisitEveryElementInIDOrder) {
  std::vector<int32_t> log;
  gWalkLog = &log;
  const HV::RCPtr<MirrorDevice> device = MirrorDevice::Create(true);
  device->SetFirstParamID(nullptr, 1, 0);
  device->ForEachModuleHookA();
  device->ForEachModuleHookB();
  gWalkLog = nullptr;

  std::vector<int32_t> expected;
  for (int32_t id = 1; id <= kDeviceParamCount; ++id) expected.push_back(id);
  for (int32_t id = 1; id <= kDeviceParamCount; ++id) expected.push_back(-id);
  EXPECT_EQ(log, expected);
}

TEST(DeviceMirror, MissingPedalsLeaveTheirIDsUnownedAndTheRestPlaced) {
  std::vector<int32_t> log;
  gWalkLog = &log;
  const HV::RCPtr<MirrorDevice> device = MirrorDevice::Create(false);
  device->SetFirstParamID(nullptr, 0, 0);
  EXPECT_EQ(device->GetModuleForParamID(7), nullptr);
  EXPECT_EQ(device->GetModuleForParamID(8), nullptr);
  for (int32_t id = 0; id < kDeviceParamCount; ++id) {
    if (id == 7 || id == 8) continue;
    const HV::RCPtr<LParameterizedModule> element = device->GetModuleForParamID(id);
    ASSERT_NE(element, nullptr) << id;
    EXPECT_EQ(element->GetFirstParamID(), id);
    EXPECT_EQ(element->GetRoot(), device);
  }
  device->ForEachModuleHookA();
  gWalkLog = nullptr;
  EXPECT_EQ(log.size(), 129u);
}

}  // namespace
