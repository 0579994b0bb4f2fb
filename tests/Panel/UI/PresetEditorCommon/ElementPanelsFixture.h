#pragma once

// What the element panels' tests share: records written as byte lists, the
// texts of labels, and a recorder of every value the engine announces.

#include "DeviceControl/GeneratedCode/Engine/Inc/RootModuleEngine.h"
#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/Controls/LLabel.h"
#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/Notification/LNotificationClient.h"
#include "HVFramework/Utilities/Storage/Variant.h"
#include "Panel/UI/LApplication.h"
#include "Panel/UI/PresetEditorCommon/ElementRecord.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace HV::Test {

using Bytes = std::vector<int>;

inline Variant Value(const Bytes& bytes) {
  std::vector<uint8_t> raw(bytes.begin(), bytes.end());
  Variant value;
  value.SetBytes(raw.data(), static_cast<uint32_t>(raw.size()));
  return value;
}

inline ElementRecord Record(const Bytes& bytes) { return RecordFromValue(Value(bytes)); }

inline Bytes BytesOf(const ElementRecord& record) {
  Bytes bytes;
  for (uint32_t i = 0; i < record.GetCount(); ++i)
    bytes.push_back(static_cast<uint8_t>(*record.GetItemPtr(i)));
  return bytes;
}

inline std::string Utf8(const StringW& text) {
  std::string out;
  for (char16_t c : text.GetView()) out += static_cast<char>(c);
  return out;
}

// The text of panel's direct child label name; "<none>" without one.
inline std::string LabelText(const RCPtr<LControl>& panel, const char16_t* name) {
  const auto label = panel ? DynamicCast<LLabel>(panel->FindChildControl(StringW(name))) : nullptr;
  return label ? Utf8(label->GetText()) : "<none>";
}

// The control at a path of direct children below from, as a T; null where
// a name is missing.
template <class T = LControl>
RCPtr<T> ControlAt(const RCPtr<LControl>& from, std::initializer_list<const char16_t*> names) {
  RCPtr<LControl> at = from;
  for (const char16_t* name : names) at = at ? at->FindChildControl(StringW(name)) : nullptr;
  return DynamicCast<T>(at);
}

// Turns an up-down to value as the user's arrows do.
inline void SetUpDown(LControl& upDown, double value) {
  upDown.SetNormalizedValue(upDown.ValueToNormalized(value));
}

// Every value the engine announces, as (ID, bytes): a user edit that reaches
// the engine and a request both show up here once.
class AnnouncedValues : public LNotificationClient {
 public:
  void ReceiveNotification(const RCPtr<LNotificationDistributor>&,
                           const RCPtr<LNotification>& notification) override {
    if (const auto single = DynamicCast<LRootModuleEngine::ValuePayload>(notification->GetPayload())) {
      uint32_t size = 0;
      const auto* data = static_cast<const uint8_t*>(single->GetValue().GetData(&size));
      seen.emplace_back(single->GetKey().paramID, Bytes(data, data + (data ? size : 0)));
    }
  }
  // Listens to the application centre, where the engine announces.
  void Listen() {
    RegisterNotification(RCPtr<LNotificationDistributor>(GetApplicationNotificationCenter().Get()),
                         kNidParamModuleStateChange);
  }
  std::vector<std::pair<int32_t, Bytes>> seen;
};

// An AnnouncedValues that listens for as long as it lives.
class ListeningAnnouncements {
 public:
  ListeningAnnouncements() { mRecorder->Listen(); }
  ~ListeningAnnouncements() { mRecorder->UnregisterAllNotifications(); }
  ListeningAnnouncements(const ListeningAnnouncements&) = delete;
  ListeningAnnouncements& operator=(const ListeningAnnouncements&) = delete;
  AnnouncedValues* operator->() const { return mRecorder.Get(); }

 private:
  const RCPtr<AnnouncedValues> mRecorder{new AnnouncedValues()};
};

inline Bytes BytesOf(const Variant& value) { return BytesOf(RecordFromValue(value)); }

// The engine's value of id, as the program's engine holds it now.
inline Bytes EngineValue(int32_t id) {
  Variant value;
  LApplication::GetRootModuleEngine()->GetParamValue(ParamDescriptor(id), &value);
  return BytesOf(value);
}

}  // namespace HV::Test
