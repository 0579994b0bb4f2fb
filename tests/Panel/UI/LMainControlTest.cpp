// The main control between the panels and the engine, in the editor started
// on the headless window system without the device-control library (as on
// every Linux machine): the start-up does not end on the device list, an
// edit reaches the engine, a panel's echo of the value being shown is
// dropped while other edits go through, the engine's batch is walked safely
// and the device view switches banks and edit panels.
#include "tests/Panel/UI/EditorRun.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/DeviceLinkInterface.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/RootModuleEngine.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Control/LMouseButtonParam.h"
#include "HVFramework/Notification/LNotification.h"
#include "Panel/Engine/DeviceLink/DeviceCommunicationInterface.h"

#include <cstring>

namespace HV {
namespace {

using Test::EditorRun;

Variant Record(std::vector<uint8_t> bytes) {
  Variant value;
  value.SetBytes(bytes.data(), static_cast<uint32_t>(bytes.size()));
  return value;
}

Variant EngineValue(int32_t id) {
  Variant value;
  LApplication::GetRootModuleEngine()->GetParamValue(ParamDescriptor(id), &value);
  return value;
}

// --- The batch walk ---

std::vector<uint8_t> Lengths(std::initializer_list<uint32_t> lengths, uint32_t tail = 0) {
  std::vector<uint8_t> bytes;
  for (uint32_t length : lengths) {
    const size_t at = bytes.size();
    bytes.resize(at + std::max<uint32_t>(length, 4));
    std::memcpy(bytes.data() + at, &length, 4);
  }
  bytes.resize(bytes.size() + tail);
  return bytes;
}

TEST(MainControlBatchWalk, CountsWholeRecordsAndStopsAtALengthThatCannotBeRead) {
  struct Case {
    const char* what;
    std::vector<uint8_t> list;
    uint32_t count;
  };
  std::vector<uint8_t> passesTheEnd = Lengths({20, 20});
  const uint32_t tooLong = 21;
  std::memcpy(passesTheEnd.data() + 20, &tooLong, 4);
  const Case cases[] = {
      {"three records", Lengths({20, 13, 30}), 3},
      {"four bytes left over", Lengths({20, 13}, 4), 2},
      {"a zero length", Lengths({20, 0, 20}), 1},
      {"a length past the end", passesTheEnd, 1},
      {"a huge length", std::vector<uint8_t>{0xF0, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}, 0},
      {"shorter than a record", std::vector<uint8_t>{5, 0, 0, 0}, 0},
      {"empty", {}, 0},
  };
  for (const Case& test : cases)
    EXPECT_EQ(LMainControl::CountPackedRecords(test.list.data(), static_cast<uint32_t>(test.list.size())),
              test.count)
        << test.what;
  EXPECT_EQ(LMainControl::CountPackedRecords(nullptr, 40), 0u);
}

// --- The edit road ---

// A main control whose tree is one element that owns every ID: taking a
// value, the element's controls report an edit of the same parameter (a
// changed record, as a panel that adjusts what it shows would) and an edit
// of parameter 5.
class EchoingRoot : public LMainControl {
 public:
  class Element : public LParameterizedModule {
   public:
    explicit Element(EchoingRoot& root) : LParameterizedModule(OwnsParameters::Yes), mRoot(root) {}
    HResult SetParamValueLocal(const ParamDescriptor& descriptor, const Variant& value, bool noDeviceSend) override {
      shown.push_back(descriptor.paramID);
      EXPECT_TRUE(noDeviceSend);
      mRoot.OnParamValueChanged(descriptor, Record({9, 9, 9, 9, 9, 9}));
      if (descriptor.paramID != 5) mRoot.OnParamValueChanged(ParamDescriptor(5), Record({2, 5, 0, 0, 127}));
      return S_OK;
    }
    std::vector<int32_t> shown;

   private:
    EchoingRoot& mRoot;
  };

  EchoingRoot() : LMainControl(nullptr, StringW(u"probe")), element(new Element(*this)) {}
  RCPtr<LParameterizedModule> GetModuleForParamID(int32_t paramID) override {
    return paramID >= 0 && paramID < 131 ? RCPtr<LParameterizedModule>(element) : nullptr;
  }
  RCPtr<Element> element;
};

class MainControl : public EditorRun {};

TEST_F(MainControl, WithoutTheDeviceLibraryTheEditorStartsAndEditsReachTheEngine) {
  Inspect([&](Live& editor) {
    const RCPtr<LRootModuleEngine> engine = LApplication::GetRootModuleEngine();
    ASSERT_TRUE(engine);
    EXPECT_EQ(engine->GetConnectionState(), LRootModuleEngine::Connected);
    // The tree's IDs start where the engine's do; the device view is its device.
    EXPECT_EQ(editor.mainControl->GetFirstParamID(), engine->GetFirstParamID());
    EXPECT_EQ(editor.mainControl->GetDevice().Get(), static_cast<IDevice*>(editor.deviceView.Get()));
    EXPECT_TRUE(editor.deviceView->GetStatusView());

    const Variant edit = Record({1, 7, 0, 0, 0, 100});
    editor.mainControl->OnParamValueChanged(ParamDescriptor(70), edit);
    EXPECT_EQ(EngineValue(70), edit);

    // The device list is asked for and fails; the editor works on.
    editor.mainControl->ShowParamValue(ParamDescriptor(IDeviceLink::kAvailableParamID), Variant());
    editor.Drain();
    EXPECT_FALSE(editor.application.IsExiting());
  });
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(MainControl, APanelsEchoOfTheValueBeingShownIsDroppedAndOtherEditsGoThrough) {
  Inspect([&](Live&) {
    const RCPtr<EchoingRoot> root(new EchoingRoot());
    const Variant shown = Record({1, 3, 0, 0, 0, 127});
    root->ShowParamValue(ParamDescriptor(7), shown);
    EXPECT_EQ(root->element->shown, std::vector<int32_t>{7});
    // The echo of 7 did not reach the engine; the edit of 5 did.
    EXPECT_NE(EngineValue(7), Record({9, 9, 9, 9, 9, 9}));
    EXPECT_EQ(EngineValue(5), Record({2, 5, 0, 0, 127}));
    // Once shown, the same parameter's edits go through again.
    root->OnParamValueChanged(ParamDescriptor(7), Record({9, 9, 9, 9, 9, 9}));
    EXPECT_EQ(EngineValue(7), Record({9, 9, 9, 9, 9, 9}));

    // An empty value, an ID outside the block and the device's text are set nowhere.
    root->ShowParamValue(ParamDescriptor(8), Variant());
    root->ShowParamValue(ParamDescriptor(131), shown);
    Variant text;
    text.SetString("Tarsel");
    root->ShowParamValue(ParamDescriptor(IDeviceLink::kDeviceParamID), text);
    EXPECT_EQ(root->element->shown, std::vector<int32_t>{7});
  });
}

TEST_F(MainControl, TheEnginesBatchIsShownValueByValue) {
  Inspect([&](Live&) {
    const RCPtr<EchoingRoot> root(new EchoingRoot());
    std::vector<ParamValue> values;
    for (int32_t id : {3, 4, 6}) {
      ParamValue value(id);
      value.value = Record({1, static_cast<uint8_t>(id), 0, 0, 0, 1});
      values.push_back(value);
    }
    RCPtr<LRootModuleEngine::BatchPayload> batch(new LRootModuleEngine::BatchPayload());
    batch->Set(values.data(), static_cast<uint32_t>(values.size()));
    root->OnModuleStateChange(nullptr, LNotification::Create(kNidParamModuleStateChange, batch));
    EXPECT_EQ(root->element->shown, (std::vector<int32_t>{3, 4, 6}));

    // A batch that is no list sets nothing.
    RCPtr<LRootModuleEngine::BatchPayload> notAList(new LRootModuleEngine::BatchPayload());
    notAList->SetBytes(reinterpret_cast<const uint8_t*>("0123456789"), 10);
    root->OnModuleStateChange(nullptr, LNotification::Create(kNidParamModuleStateChange, notAList));
    EXPECT_EQ(root->element->shown.size(), 3u);
  });
}

// A link whose library started but which connects to no device and lists
// none: the engine takes no value.
class RefusingLink final : public LDeviceCommunicationInterface {
 public:
  RefusingLink() : LDeviceCommunicationInterface(u"/nonexistent/DeviceControlClient.dll", DeviceTiming::Specified()) {}
  HResult Initialize() override { return S_OK; }
  bool IsConnected() override { return false; }
  HResult ConnectDevice(const Variant&) override { return E_FAIL; }
};

// An engine that can take no value and has no device list: the box, with
// its texts, and the program ends. An engine without any link works on its
// own values and goes on.
TEST_F(MainControl, WithoutALinkTheEditorGoesOnWithoutDevices) {
  mAdjustParts = [](LApplication::EngineParts& parts) { parts.makeDeviceLink = nullptr; };
  Inspect([&](Live& editor) {
    editor.mainControl->ShowParamValue(ParamDescriptor(IDeviceLink::kAvailableParamID), Variant());
    editor.Drain();
    EXPECT_FALSE(editor.application.IsExiting());
  });
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(MainControl, AnEngineWithoutDevicesOrValuesEndsTheEditorWithTheHardwareBox) {
  mAdjustParts = [](LApplication::EngineParts& parts) {
    parts.makeDeviceLink = [](const DeviceTiming&) { return RCPtr<IDeviceLink>(new RefusingLink()); };
  };
  EXPECT_EQ(Run([&](Live& editor) -> std::optional<int> {
              editor.mainControl->ShowParamValue(ParamDescriptor(IDeviceLink::kAvailableParamID), Record({1}));
              EXPECT_TRUE(Boxes().empty());  // a value: nothing to check
              editor.mainControl->ShowParamValue(ParamDescriptor(IDeviceLink::kAvailableParamID), Variant());
              return std::nullopt;
            }),
            0);
  EXPECT_EQ(Boxes(), std::vector<std::string>{"MIDI Device Error: The editor could not list the MIDI devices of "
                                              "this computer and will now close."});
}

// --- The device view's panels ---

bool Shown(const RCPtr<LControl>& parent, const char16_t* name) {
  const RCPtr<LControl> child = parent ? parent->FindChildControl(StringW(name)) : nullptr;
  return child && child->GetLayout()->visible;
}

TEST_F(MainControl, BankButtonsSwitchTheBanksOfFadersButtonsAndEncoders) {
  Inspect([&](Live& editor) {
    const RCPtr<LDeviceView>& view = editor.deviceView;
    const RCPtr<LControl> banks = view->FindChildControl(StringW(u"groupBankPanel"));
    ASSERT_TRUE(banks);
    const auto bankButton = [&](int n) {
      return banks->FindChildControl(StringW((u"bank" + std::u16string(1, char16_t(u'0' + n))).c_str()));
    };
    const auto state = [&] {
      std::string seen;
      for (const char16_t* group : {u"faders", u"buttons", u"encoders"}) {
        const RCPtr<LControl> panel = view->FindChildControl(StringW(group));
        for (int n = 1; n <= 4; ++n) {
          const std::u16string stem = group == std::u16string(u"faders")    ? u"faderBank"
                                      : group == std::u16string(u"buttons") ? u"buttonBank"
                                                                            : u"encoderBank";
          seen += Shown(panel, (stem + char16_t(u'0' + n)).c_str()) ? '1' : '0';
        }
        seen += ' ';
      }
      for (int n = 1; n <= 4; ++n) seen += bankButton(n)->GetNormalizedValue() == 1.0 ? '1' : '0';
      return seen;
    };
    EXPECT_EQ(state(), "1000 1000 1000 1000");
    for (int click : {3, 3, 2}) {
      bankButton(click)->SendNotification(LNotification::Create(kNidLeftClick, nullptr));
      std::string expected;
      for (int group = 0; group < 3; ++group) expected += std::string(4, '0').replace(click - 1, 1, "1") + " ";
      EXPECT_EQ(state(), expected + std::string(4, '0').replace(click - 1, 1, "1")) << click;
    }
  });
}

TEST_F(MainControl, OneEditPanelShowsAtATime) {
  const char16_t* const panels[] = {u"faderEditPanel",  u"knobEditPanel",       u"padEditPanel",
                                    u"xyPadEditPanel",  u"wheelEditPanel",      u"zoneEditPanel",
                                    u"buttonEditPanel", u"volumePedalEditPanel", u"sustainEditPage"};
  Inspect([&](Live& editor) {
    const RCPtr<LDeviceView>& view = editor.deviceView;
    const auto visible = [&] {
      std::string seen;
      for (const char16_t* panel : panels) seen += Shown(RCPtr<LControl>(view), panel) ? '1' : '0';
      return seen;
    };
    EXPECT_EQ(visible(), "000000000");  // the skin's X/Y pad panel too
    struct Case {
      int32_t kind, sub;
      const char* seen;
    };
    const Case cases[] = {{0, 0, "100000000"}, {3, 0, "000100000"}, {6, 0, "000000100"}, {7, 0, "000000010"},
                          {7, 1, "000000001"}, {7, 2, "000000001"}, {1, 0, "010000000"}, {9, 0, "000000000"}};
    for (const Case& test : cases) {
      EXPECT_EQ(view->ShowEditPanel(test.kind, test.sub), 0);
      EXPECT_EQ(visible(), test.seen) << test.kind << "/" << test.sub;
    }
  });
}

}  // namespace
}  // namespace HV
