#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Utilities/Storage/StringT.h"

namespace HV {

class LNotification;
class LNotificationDistributor;

// LNotificationReceiver: what a distributor delivers to. Receivers are called
// on the thread that delivers, with no lock of the distributor held, so they
// may register, unregister or send from inside ReceiveNotification.
class LNotificationReceiver : public virtual LRefCountedObject {
 public:
  // source: the distributor that delivers (null for a direct hand-over).
  virtual void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                                   const RCPtr<LNotification>& notification) = 0;
  // Ends the registration for (source, name), name being an interned name.
  virtual HResult UnregisterNotification(const RCPtr<LNotificationDistributor>& source, const WChar* name) = 0;
};

}  // namespace HV
