#include "HVFramework/Notification/NotificationName.h"

#include "HVFramework/Notification/NotificationNames.h"

namespace HV {

const WChar* NotificationName::InternText() const {
  const WChar* const id = InternNotificationName(mText);
  mId.store(id, std::memory_order_release);
  return id;
}

}  // namespace HV
