#pragma once

// Shared by the element panels' tests in the editor started headless from
// the real skin: byte values, texts, what the engine announces, and the
// clicks and edits a user makes.

#include "DeviceControl/GeneratedCode/Engine/Inc/RootModuleEngine.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/Controls/Button/LButton.h"
#include "HVFramework/Controls/LLabel.h"
#include "HVFramework/Controls/NumericUpDown/LNumericUpDown.h"
#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "Panel/UI/LApplication.h"
#include "Panel/UI/OrvaneSeriesCommon/LMoveableControlEditPanel.h"
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
  for (uint32_t i = 0; i < record.GetCount(); ++i) bytes.push_back(static_cast<uint8_t>(*record.GetItemPtr(i)));
  return bytes;
}

inline std::string Utf8(const StringW& text) {
  std::string out;
  for (char16_t c : text.GetView()) out += static_cast<char>(c);
  return out;
}

// The text of panel's label child name; "<none>" without one.
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
inline RCPtr<LControl> ChildAt(const RCPtr<LControl>& control, std::initializer_list<const char16_t*> path) {
  return ControlAt(control, path);
}

// The up-down at path on the CC absolute page of a moveable-control editor;
// null when one is missing.
inline LNumericUpDown* CcAbsoluteUpDown(LMoveableControlEditPanel& editor,
                                        std::initializer_list<const char16_t*> path) {
  return DynamicCast<LNumericUpDown>(ChildAt(editor.GetTabControl()->GetPage(StringW(u"ccAbsolutePage")), path)).Get();
}

// A click on a tile's "button", as the button raises it.
inline void ClickButtonOf(const RCPtr<LControl>& tile) {
  ChildAt(tile, {u"button"})->SendNotification(LNotification::Create(kNidLeftClick));
}

// The user sets an up-down to value.
inline void SetUpDown(LControl& upDown, double value) {
  upDown.SetNormalizedValue(upDown.ValueToNormalized(value));
}

// Every value the engine announces, as (ID, bytes): a user edit that reaches
// the engine and a request both show up here once.
class EngineAnnouncements : public LNotificationClient {
 public:
  void ReceiveNotification(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>& notification) override {
    if (const auto single = DynamicCast<LRootModuleEngine::ValuePayload>(notification->GetPayload())) {
      uint32_t size = 0;
      const auto* data = static_cast<const uint8_t*>(single->GetValue().GetData(&size));
      seen.emplace_back(single->GetKey().paramID, Bytes(data, data + (data ? size : 0)));
    }
  }
  std::vector<std::pair<int32_t, Bytes>> seen;
};

// Listens to the application centre's announcements for as long as it lives.
class AnnouncementsListened {
 public:
  AnnouncementsListened() {
    announcements->RegisterNotification(RCPtr<LNotificationDistributor>(GetApplicationNotificationCenter().Get()),
                                        kNidParamModuleStateChange);
  }
  ~AnnouncementsListened() { announcements->UnregisterAllNotifications(); }
  AnnouncementsListened(const AnnouncementsListened&) = delete;
  AnnouncementsListened& operator=(const AnnouncementsListened&) = delete;

  std::vector<std::pair<int32_t, Bytes>>& Seen() { return announcements->seen; }
  EngineAnnouncements* operator->() const { return announcements.Get(); }

  RCPtr<EngineAnnouncements> announcements{new EngineAnnouncements()};
};

inline Bytes BytesOf(const Variant& value) { return BytesOf(RecordFromValue(value)); }

// The engine's value of id, as the program's engine holds it now.
inline Bytes EngineValue(int32_t id) {
  Variant value;
  LApplication::GetRootModuleEngine()->GetParamValue(ParamDescriptor(id), &value);
  return BytesOf(value);
}

}  // namespace HV::Test
