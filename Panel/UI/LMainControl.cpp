#include "Panel/UI/LMainControl.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/DeviceLinkInterface.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/RootModuleEngine.h"
#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/System/DebugTrace.h"
#include "HVFramework/Utilities/Storage/ParamDescriptors.h"
#include "HVFramework/Utilities/Storage/ParamValues.h"
#include "Panel/UI/LApplication.h"
#include "Panel/UI/LDeviceView.h"

#include <cstring>
#include <stdexcept>

namespace HV {
namespace {

// The smallest record a packed list may still hold: its length and a byte.
constexpr uint32_t kSmallestRecord = 5;

uint32_t ReadU32(const uint8_t* bytes) {
  uint32_t value = 0;
  std::memcpy(&value, bytes, sizeof value);  // little-endian, as every record
  return value;
}

// The shown value goes back to "none" however ShowParamValue is left.
class ShownValueScope {
 public:
  ShownValueScope(ParamDescriptor& shown, const ParamDescriptor& descriptor) : mShown(shown) { mShown = descriptor; }
  ~ShownValueScope() { mShown = ParamDescriptor(-1); }
  ShownValueScope(const ShownValueScope&) = delete;
  ShownValueScope& operator=(const ShownValueScope&) = delete;

 private:
  ParamDescriptor& mShown;
};

// Whether the engine takes edits: connected, or working on its own values.
// Asked by handing it the value it holds, which changes and announces nothing.
bool TakesValues(LRootModuleEngine& engine) {
  if (engine.GetConnectionState() == LRootModuleEngine::Connected) return true;
  const ParamDescriptor first(engine.GetFirstParamID());
  Variant held;
  return Succeeded(engine.GetParamValue(first, &held)) && Succeeded(engine.SetParamValue(first, held));
}

}  // namespace

LMainControl::LMainControl(LControl* parent, const StringW& name)
    : LOwnHandlerControl(parent, name) {}

LMainControl::~LMainControl() = default;

RCPtr<LControl>& LMainControl::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                      const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LMainControl>(result, parent, descriptor);
}

// --- Start ---

HResult LMainControl::Initialize() {
  HResult result = LControl::Initialize();
  if (Succeeded(result)) result = BindTree();
  StartDeviceWork();
  return result;
}

HResult LMainControl::BindTree() {
  try {
    mDeviceView = DynamicCast<LDeviceView>(FindChildControl(StringW(u"viewDevice")));
    if (!mDeviceView)
      ThrowNullPointer("LMainControl couldn't find viewDevice", HV_HERE("HV::LMainControl::Initialize"));
    mStatusView = DynamicCast<LPanel>(FindChildControl(StringW(u"viewStatus")));
    mDeviceSelector = DynamicCast<LPanel>(FindChildControl(StringW(u"panelDeviceSelector")));
    const RCPtr<LNotificationDistributor> centre(GetApplicationNotificationCenter().Get());
    const HResult registered =
        GetOwnHandler().SetNotification(&LMainControl::OnModuleStateChange, centre, kNidParamModuleStateChange);
    if (Failed(registered)) ThrowFailedResult(registered, HV_HERE("HV::LMainControl::Initialize"));
  } catch (const std::runtime_error& error) {
    // Without a device view the tree has no modules below the root; the
    // editor still starts, and every later step skips the view.
    DebugTrace::Get().WriteLine(error.what());
  }
  const RCPtr<LRootModuleEngine> engine = LApplication::GetRootModuleEngine();
  IRootModule::SetFirstParamID(nullptr, engine ? engine->GetFirstParamID() : 0, 0);
  return S_OK;
}

void LMainControl::StartDeviceWork() {
  if (const RCPtr<LRootModuleEngine> engine = LApplication::GetRootModuleEngine()) engine->SetActive(true);
  if (mDeviceView) mDeviceView->GetStatusView();
}

HResult LMainControl::AdjustWindowRect(Rect& /*rect*/) {
  StartDeviceWork();
  return 0;
}

// --- Tree ---

RCPtr<IDevice> LMainControl::GetDevice() { return mDeviceView ? RCPtr<IDevice>(mDeviceView.Get()) : nullptr; }

RCPtr<LDeviceView> LMainControl::GetDeviceView() const { return mDeviceView; }

RCPtr<IDeviceLink> LMainControl::GetDeviceCommunicationInterface() { return nullptr; }

// --- Edits, panel to engine ---

void LMainControl::SendEdit(LControl& panel, int32_t paramID, const Variant& value) {
  if (auto* main = dynamic_cast<LMainControl*>(panel.GetTopLevelControl()))
    main->OnParamValueChanged(ParamDescriptor(paramID), value);
}

void LMainControl::RequestValue(int32_t paramID) {
  if (const RCPtr<LRootModuleEngine> engine = LApplication::GetRootModuleEngine())
    engine->RequestParamValues(ParamDescriptors(ParamRange{paramID, 1}));
}

void LMainControl::OnParamValueChanged(const ParamDescriptor& descriptor, const Variant& value) {
  // What a panel reports while it takes the value being shown is its echo.
  if (descriptor.paramID == mShownValue.paramID && descriptor.descriptor == mShownValue.descriptor) return;
  // A refused edit (the engine not connected) is dropped; the panel keeps
  // showing what the user set.
  if (const RCPtr<LRootModuleEngine> engine = LApplication::GetRootModuleEngine())
    engine->SetParamValue(descriptor, value);
}

// --- Values, engine to panels ---

HResult LMainControl::OnModuleStateChange(const RCPtr<LNotificationDistributor>& /*source*/,
                                          const RCPtr<LNotification>& notification) {
  const RCPtr<LRefCountedObject> payload = notification ? notification->GetPayload() : nullptr;
  if (const auto single = DynamicCast<LRootModuleEngine::ValuePayload>(payload)) {
    ShowParamValue(single->GetKey(), single->GetValue());
  } else if (const auto batch = DynamicCast<LRootModuleEngine::BatchPayload>(payload)) {
    ShowBatch(batch->GetValue());
  }
  return 1;
}

uint32_t LMainControl::CountPackedRecords(const uint8_t* data, uint32_t size) {
  uint32_t count = 0;
  uint32_t offset = 0;
  while (data && size - offset >= kSmallestRecord) {
    const uint32_t length = ReadU32(data + offset);
    // A length that cannot move the walk on, or that runs past the list,
    // ends it: what follows cannot be read as records.
    if (length == 0 || length > size - offset) break;
    offset += length;
    ++count;
  }
  return count;
}

void LMainControl::ShowBatch(const Variant& list) {
  if (list.GetType() != kVariantList) return;
  uint32_t size = 0;
  const auto* data = static_cast<const uint8_t*>(list.GetData(&size));
  const uint32_t count = CountPackedRecords(data, size);
  const ParamValues& values = static_cast<const ParamValues&>(list);
  for (uint32_t i = 0; i < count; ++i) {
    Variant value;
    ParamDescriptor descriptor(-1);
    if (values.GetParamValue(i, value, descriptor.paramID, descriptor.descriptor) != 0) continue;
    ShowParamValue(descriptor, value);
  }
}

HResult LMainControl::ShowParamValue(const ParamDescriptor& descriptor, const Variant& value) {
  const RCPtr<LControl> self(this);
  ShownValueScope shown(mShownValue, descriptor);
  switch (descriptor.paramID) {
    case IDeviceLink::kAvailableParamID:
      if (value.IsEmpty()) CheckDeviceList();
      break;
    case IDeviceLink::kDeviceParamID:
      break;  // the device's own text is shown nowhere
    default:
      if (value.IsEmpty()) break;
      if (const RCPtr<LParameterizedModule> module = GetModuleForParamID(descriptor.paramID))
        module->SetParamValueLocal(descriptor, value, true);
      break;
  }
  return 0;
}

void LMainControl::CheckDeviceList() {
  const RCPtr<LRootModuleEngine> engine = LApplication::GetRootModuleEngine();
  if (!engine) return;
  LRootModuleEngine::DeviceList devices;
  if (Succeeded(engine->GetDeviceList(&devices))) return;
  // Without the device-control library (every machine but the maker's
  // setups) there is no device list, and the engine works on its own
  // values: the editor goes on. Only an engine that can take no value ends it.
  if (TakesValues(*engine)) {
    DebugTrace::Get().WriteLine("LMainControl: no device list; the editor works on its own values");
    return;
  }
  ShowApplicationMessageBox(GetApplicationString(StringW(u"HARDWARE_CONFIG_ERROR_MESSAGE")),
                            GetApplicationString(StringW(u"HARDWARE_CONFIG_ERROR_TITLE")),
                            LFrameworkApp::kMessageBoxIconError);
  GetApplicationNotificationCenter()->CreateAndPostNotification(kNidAppExitReq);
}

}  // namespace HV
