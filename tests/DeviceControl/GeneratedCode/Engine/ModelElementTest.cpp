#include "DeviceControl/GeneratedCode/Engine/Src/Device.h"
#include "tests/DeviceControl/GeneratedCode/Engine/ModelTestRoot.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>

namespace {

using Bytes = std::vector<uint8_t>;

std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::logic_error& error) {
    return error.what();
  }
  return "";
}

Bytes BytesOf(const HV::Variant& value) {
  const std::span<const uint8_t> bytes = GetRecordBytes(value);
  return Bytes(bytes.begin(), bytes.end());
}

// A device placed under a test root at first ID 1000.
class PlacedDevice : public testing::Test {
 protected:
  static constexpr int32_t kFirst = 1000;

  void SetUp() override {
    mDevice = LDevice::Create();
    mRoot = ModelTestRoot::Create(mDevice);
    mRoot->Place(kFirst);
    mEncoder = mDevice->GetEncoders()->GetEncoder(5);
  }

  HV::RCPtr<LDevice> mDevice;
  HV::RCPtr<ModelTestRoot> mRoot;
  HV::RCPtr<IEncoder> mEncoder;  // ID 1000 + 97 + 5
};

struct SetLocalCase {
  int32_t paramID;
  bool noDeviceSend;
  HV::HResult expected;
  bool stored;
  bool sent;
};

TEST_F(PlacedDevice, ElementSetParamValueLocalResults) {
  const int32_t own = kFirst + 102;
  const SetLocalCase cases[] = {
      {own, false, ModelTestRoot::kStoredResult, true, false},  // the root's code
      {own, true, ModelTestRoot::kStoredResult, true, false},
      {own + 1, false, -1, false, false},
      {own - 1, false, -1, false, false},
      {0, false, -1, false, false},
      {INT_MAX, false, -1, false, false},
      {-1, false, -1, false, false},
      {-128, false, -1, false, false},
      {-129, false, 1, false, true},
      {-129, true, 1, false, false},
      {-200, false, 1, false, true},
      {-256, false, 1, false, true},
      {-256, true, 1, false, false},
      {-257, false, -1, false, false},
      {INT_MIN, false, -1, false, false},
  };
  const HV::Variant value = MakeRecordValue(Bytes{1, 2, 3});
  for (const SetLocalCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "id " << c.paramID << ", noDeviceSend " << c.noDeviceSend);
    mRoot->mValues.clear();
    mRoot->mSent.clear();
    EXPECT_EQ(mEncoder->SetParamValueLocal(HV::ParamDescriptor(c.paramID), value, c.noDeviceSend),
              c.expected);
    EXPECT_EQ(mRoot->mValues.size(), c.stored ? 1u : 0u);
    if (c.stored) {
      EXPECT_EQ(BytesOf(mRoot->mValues[c.paramID]), (Bytes{1, 2, 3}));
    }
    EXPECT_EQ(mRoot->mSent, c.sent ? std::vector<int32_t>{c.paramID} : std::vector<int32_t>{});
  }
}

TEST(ModelElement, WithoutParentNothingIsStoredOrSent) {
  const HV::RCPtr<LEncoder> encoder = LEncoder::Create();  // unplaced: own ID 0
  const HV::Variant value = MakeRecordValue(Bytes{9});
  EXPECT_EQ(encoder->SetParamValueLocal(HV::ParamDescriptor(0), value, false), -1);
  EXPECT_EQ(encoder->SetParamValueLocal(HV::ParamDescriptor(-129), value, false), 1);
  EXPECT_EQ(encoder->SetParamValue(HV::ParamDescriptor(0), value), -1);
  EXPECT_EQ(encoder->SetRootParamValue(HV::ParamDescriptor(0), value), HV::E_FAIL);
  EXPECT_EQ(encoder->GetParamValueLocal(HV::ParamDescriptor(0)).GetType(), 0u);
  EXPECT_EQ(encoder->GetRootParamValue(HV::ParamDescriptor(0)).GetType(), 0u);
  EXPECT_EQ(encoder->GetParent(), nullptr);
  EXPECT_EQ(encoder->GetRoot().Get(), encoder.Get());
}

TEST_F(PlacedDevice, ElementValuesTravelToTheRootAndBack) {
  const HV::ParamDescriptor own(kFirst + 102);
  const HV::Variant value = MakeRecordValue(Bytes{0, 1, 6, 0, 5, 2});
  ASSERT_EQ(mEncoder->SetParamValueLocal(own, value, false), ModelTestRoot::kStoredResult);
  EXPECT_EQ(BytesOf(mEncoder->GetParamValueLocal(own)), (Bytes{0, 1, 6, 0, 5, 2}));
  EXPECT_EQ(BytesOf(mDevice->GetParamValue(own)), (Bytes{0, 1, 6, 0, 5, 2}));
  // The model keeps whatever bytes it is given, of any length.
  const HV::Variant odd = MakeRecordValue(Bytes{0xFF});
  EXPECT_EQ(mEncoder->SetParamValue(own, odd), ModelTestRoot::kStoredResult);
  EXPECT_EQ(BytesOf(mEncoder->GetParamValueLocal(own)), (Bytes{0xFF}));
}

TEST_F(PlacedDevice, ElementRefusesForeignIDsWithItsOwnMessages) {
  const std::string source = "..\\DeviceControl\\GeneratedCode\\Engine\\Src\\";
  const int32_t foreign = kFirst + 103;
  EXPECT_EQ(MessageOf([&] { mEncoder->GetParamValueLocal(HV::ParamDescriptor(foreign)); }),
            "Logic Error : LEncoder::GetParamValueLocal : " + source + "Encoder : Line 93");
  EXPECT_EQ(MessageOf([&] { mEncoder->GetParamValueDefault(foreign); }),
            "Logic Error : LEncoder::GetParamValueDefault : " + source + "Encoder : Line 218");

  const HV::RCPtr<ISustainPedal> sustain = mDevice->GetPedals()->GetSustainPedal();
  EXPECT_EQ(MessageOf([&] { sustain->GetParamValueDefault(kFirst + 7); }),
            "Logic Error : LSustainPedal::GetParamValueDefault : " + source + "SustainPedal : Line 210");
  const HV::RCPtr<IWheel> wheel = mDevice->GetWheels()->GetWheel(1);
  EXPECT_EQ(MessageOf([&] { wheel->GetParamValueDefault(kFirst + 5); }),
            "Logic Error : LWheel::GetParamValueDefault : " + source + "Wheel : Line 218");
  const HV::RCPtr<ITouchPadAxis> axis = mDevice->GetTouchPadAxises()->GetTouchPadAxis(0);
  EXPECT_EQ(MessageOf([&] { axis->GetParamValueDefault(kFirst + 130); }),
            "Logic Error : LTouchPadAxis::GetParamValueDefault : " + source + "TouchPadAxis : Line 221");
  EXPECT_EQ(MessageOf([&] { mDevice->GetPresetName()->GetParamValueLocal(HV::ParamDescriptor(kFirst + 1)); }),
            "Logic Error : LPresetName::GetParamValueLocal : " + source + "PresetName : Line 91");
}

TEST_F(PlacedDevice, ModulesWithoutOwnParametersRefuseLocalValues) {
  const std::string source = "..\\devicecontrol\\generatedcode\\engine\\inc\\RootModuleInterface";
  const HV::RCPtr<LParameterizedModule> modules[] = {mDevice, mDevice->GetEncoders(), mDevice->GetPedals(),
                                                     mRoot};
  for (const HV::RCPtr<LParameterizedModule>& module : modules) {
    EXPECT_FALSE(module->HasOwnParameters());
    EXPECT_EQ(
        MessageOf([&] { module->SetParamValueLocal(HV::ParamDescriptor(kFirst), HV::Variant(), true); }),
        "Logic Error : LParameterizedModule::SetParamValueLocal : " + source + " : Line 102");
    EXPECT_EQ(MessageOf([&] { module->GetParamValueLocal(HV::ParamDescriptor(kFirst)); }),
              "Logic Error : LParameterizedModule::GetParamValueLocal : " + source + " : Line 116");
    EXPECT_EQ(module->GetParamValueDefault(kFirst).GetType(), 0u);
  }
  EXPECT_TRUE(mEncoder->HasOwnParameters());
}

TEST_F(PlacedDevice, ReservedHooksAnswerOneAndNotifyTheRoot) {
  for (const int32_t argument : {INT_MIN, -1, 0, 1, INT_MAX}) {
    EXPECT_EQ(mEncoder->ReservedQuery(argument), 1);
    EXPECT_EQ(mDevice->ReservedQuery(argument), 1);
  }
  mEncoder->ReservedNotify(11, 0, 0, 0);
  mDevice->GetPads()->ReservedNotifyParent(12, 0, 0, 0);
  EXPECT_EQ(mRoot->mNotified, (std::vector<int32_t>{11, 12}));
}

TEST_F(PlacedDevice, GroupAccessorsAnswerNullOutsideTheGroup) {
  const HV::RCPtr<IEncoders> encoders = mDevice->GetEncoders();
  EXPECT_EQ(encoders->GetEncoder(-1), nullptr);
  EXPECT_EQ(encoders->GetEncoder(32), nullptr);
  EXPECT_EQ(encoders->GetEncoder(31)->GetIndex(), 31);
  const HV::ConstRCPtr<IPushButtons> buttons = mDevice->GetPushButtons();
  EXPECT_EQ(buttons->GetPushButton(36), nullptr);
  EXPECT_EQ(buttons->GetPushButton(35)->GetFirstParamID(), kFirst + 60);
  EXPECT_EQ(mDevice->GetKeybedZones()->GetKeybedZone(4), nullptr);
  EXPECT_EQ(mDevice->GetPads()->GetPad(16), nullptr);
  EXPECT_EQ(mDevice->GetFaders()->GetFader(36), nullptr);
  EXPECT_EQ(mDevice->GetWheels()->GetWheel(2), nullptr);
  EXPECT_EQ(mDevice->GetTouchPadAxises()->GetTouchPadAxis(2), nullptr);
}

TEST(ModelElement, DefaultsAreByteArraysAndAnIndexOutsideTheGroupHasNone) {
  struct Case {
    HV::RCPtr<LParameterizedModule> element;
    int32_t offset;
    int32_t index;
    uint32_t expectedType;
  };
  const Case cases[] = {
      {LTouchPadAxis::Create(), 130, 1, 14}, {LTouchPadAxis::Create(), 130, 2, 0},
      {LWheel::Create(), 6, -1, 0},          {LEncoder::Create(), 128, 31, 14},
      {LEncoder::Create(), 128, 32, 0},      {LPushButton::Create(), 60, 36, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "offset " << c.offset << ", index " << c.index);
    const HV::RCPtr<ModelTestRoot> root = ModelTestRoot::Create(c.element, c.offset, c.index);
    root->Place(0);  // the index is not tested
    EXPECT_EQ(c.element->GetParamValueDefault(c.offset).GetType(), c.expectedType);
  }
}

// Placement: a module placed directly under a root at a device-relative
// offset either fits its block or reports the first misplaced module.
struct PlacementCase {
  const char* name;
  std::function<HV::RCPtr<LParameterizedModule>()> create;
  int32_t offset;
  const char* failingClass;  // null when the placement is valid
  const char* sourceName;
  int line;
};

template <class T>
std::function<HV::RCPtr<LParameterizedModule>()> Factory() {
  return [] { return HV::RCPtr<LParameterizedModule>(T::Create()); };
}

TEST(ModelPlacement, EachClassAcceptsOnlyItsBlock) {
  const PlacementCase cases[] = {
      {"device", Factory<LDevice>(), 0, nullptr, nullptr, 0},
      {"device +1", Factory<LDevice>(), 1, "LPresetName", "PresetName", 72},  // deepest first
      {"preset name", Factory<LPresetName>(), 0, nullptr, nullptr, 0},
      {"preset name +1", Factory<LPresetName>(), 1, "LPresetName", "PresetName", 72},
      {"zones", Factory<LKeybedZones>(), 1, nullptr, nullptr, 0},
      {"zones +2", Factory<LKeybedZones>(), 2, "LKeybedZone", "KeybedZone", 74},
      {"zone 3", Factory<LKeybedZone>(), 4, nullptr, nullptr, 0},
      {"zone past", Factory<LKeybedZone>(), 5, "LKeybedZone", "KeybedZone", 74},
      {"wheels", Factory<LWheels>(), 5, nullptr, nullptr, 0},
      {"wheel 1", Factory<LWheel>(), 6, nullptr, nullptr, 0},
      {"wheel past", Factory<LWheel>(), 7, "LWheel", "Wheel", 74},
      {"pedals", Factory<LPedals>(), 7, nullptr, nullptr, 0},
      {"pedals +1", Factory<LPedals>(), 8, "LVolumePedal", "VolumePedal", 72},
      {"volume pedal", Factory<LVolumePedal>(), 7, nullptr, nullptr, 0},
      {"sustain pedal", Factory<LSustainPedal>(), 8, nullptr, nullptr, 0},
      {"sustain pedal at 0", Factory<LSustainPedal>(), 0, "LSustainPedal", "SustainPedal", 72},
      {"pads", Factory<LPads>(), 9, nullptr, nullptr, 0},
      {"pad 15", Factory<LPad>(), 24, nullptr, nullptr, 0},
      {"pad past", Factory<LPad>(), 25, "LPad", "Pad", 74},
      {"buttons", Factory<LPushButtons>(), 25, nullptr, nullptr, 0},
      {"buttons -1", Factory<LPushButtons>(), 24, "LPushButton", "PushButton", 74},
      {"button 35", Factory<LPushButton>(), 60, nullptr, nullptr, 0},
      {"button past", Factory<LPushButton>(), 61, "LPushButton", "PushButton", 74},
      {"faders", Factory<LFaders>(), 61, nullptr, nullptr, 0},
      {"fader 35", Factory<LFader>(), 96, nullptr, nullptr, 0},
      {"fader past", Factory<LFader>(), 97, "LFader", "Fader", 74},
      {"encoders", Factory<LEncoders>(), 97, nullptr, nullptr, 0},
      {"encoders +1", Factory<LEncoders>(), 98, "LEncoder", "Encoder", 74},
      {"encoder before", Factory<LEncoder>(), 96, "LEncoder", "Encoder", 74},
      {"encoder 0", Factory<LEncoder>(), 97, nullptr, nullptr, 0},
      {"encoder 31", Factory<LEncoder>(), 128, nullptr, nullptr, 0},
      {"encoder past", Factory<LEncoder>(), 129, "LEncoder", "Encoder", 74},
      {"axes", Factory<LTouchPadAxises>(), 129, nullptr, nullptr, 0},
      {"axis 1", Factory<LTouchPadAxis>(), 130, nullptr, nullptr, 0},
      {"axis past", Factory<LTouchPadAxis>(), 131, "LTouchPadAxis", "TouchPadAxis", 74},
  };
  for (const int32_t first : {0, 1000, INT_MAX - 60}) {
    for (const PlacementCase& c : cases) {
      SCOPED_TRACE(testing::Message() << c.name << ", first " << first);
      const HV::RCPtr<LParameterizedModule> module = c.create();
      const HV::RCPtr<ModelTestRoot> root = ModelTestRoot::Create(module, c.offset);
      const std::string message = MessageOf([&] { root->Place(first); });
      if (!c.failingClass) {
        EXPECT_EQ(message, "");
        EXPECT_EQ(module->GetFirstParamID(), OffsetParamID(first, c.offset));
        continue;
      }
      EXPECT_EQ(message, std::string("Logic Error : Invalid FirstParamID : ") + c.failingClass +
                             "::SetFirstParamID : ..\\DeviceControl\\GeneratedCode\\Engine\\Src\\" +
                             c.sourceName + " : Line " + std::to_string(c.line));
      // The misplaced values stay stored.
      EXPECT_EQ(module->GetFirstParamID(), OffsetParamID(first, c.offset));
    }
  }
}

// Model groups are checked after their children, which fill the group's
// block exactly, so a misplaced group reports a child first; the group's own
// message is checked here on a module at device-relative offset 0.
TEST(ModelPlacement, GroupMessagesNameTheGroupClass) {
  const std::pair<DeviceGroup, const char*> cases[] = {
      {DeviceGroup::KeybedZones, "KeybedZones"}, {DeviceGroup::Wheels, "Wheels"},
      {DeviceGroup::Pedals, "Pedals"},           {DeviceGroup::Pads, "Pads"},
      {DeviceGroup::PushButtons, "PushButtons"}, {DeviceGroup::Faders, "Faders"},
      {DeviceGroup::Encoders, "Encoders"},       {DeviceGroup::TouchPadAxises, "TouchPadAxises"},
  };
  const HV::RCPtr<LPresetName> module = LPresetName::Create();
  const HV::RCPtr<ModelTestRoot> root = ModelTestRoot::Create(module);
  root->Place(1000);
  EXPECT_EQ(MessageOf([&] { CheckGroupPlacement(*module, DeviceGroup::PresetName); }), "");
  for (const auto& [group, name] : cases) {
    EXPECT_EQ(MessageOf([&] { CheckGroupPlacement(*module, group); }),
              std::string("Logic Error : Invalid FirstParamID : L") + name +
                  "::SetFirstParamID : ..\\DeviceControl\\GeneratedCode\\Engine\\Src\\" + name +
                  " : Line 72");
  }
}

}  // namespace
