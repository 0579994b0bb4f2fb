#include "HVFramework/ControlBase/Control/RootWindow/LGlobalHotKeyManager.h"

#include "HVFramework/ControlBase/Control/LKeyParam.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LStringTable.h"
#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/Notification/LNotificationDistributor.h"

namespace HV {

RCPtr<LGlobalHotKeyManager> LGlobalHotKeyManager::Create(const RCPtr<LNotificationReceiver>& target) {
  return RCPtr<LGlobalHotKeyManager>(new LGlobalHotKeyManager(target));
}

int32_t LGlobalHotKeyManager::HandleKey(const RCPtr<LKeyParam>& key) {
  if (!key) return 1;
  const StringW name = mKeys.FindName(key->GetKey());
  if (name.IsEmpty()) return 1;
  const RCPtr<LNotification> notification =
      LNotification::Create(name.GetText(), LKeyParam::Create(key->GetKey()));
  Send(notification);
  return 0;
}

HResult LGlobalHotKeyManager::Raise(const StringW& name) {
  if (name.IsEmpty()) return E_INVALIDARG;
  const RCPtr<LNotification> notification = LNotification::Create(name.GetText());
  Send(notification);
  return S_OK;
}

void LGlobalHotKeyManager::Send(const RCPtr<LNotification>& notification) {
  const RCPtr<LNotificationReceiver> target = mTarget.Lock();
  if (notification && target) target->ReceiveNotification(nullptr, notification);
}

HResult LGlobalHotKeyManager::Bind(const KeyCode& key, const StringW& name) { return mKeys.Bind(key, name); }

HResult LGlobalHotKeyManager::Load(const ConstRCPtr<LStringTable>& table, const StringW& prefix) {
  return LoadHotKeysFromStringTable(mKeys, table, prefix);
}

}  // namespace HV
