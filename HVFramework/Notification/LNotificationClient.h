#pragma once

#include "HVFramework/Notification/LNotificationReceiver.h"
#include "HVFramework/Notification/NotificationName.h"
#include "HVFramework/Utilities/Storage/Array.h"

namespace HV {

// LNotificationClient: a receiver that keeps track of the distributors it is
// registered at and undoes every registration when it is no longer used.
//
// Each registration is a counted reference held by the distributor and counted
// by the client as an internal reference, so a client held only by its
// registrations unregisters everything and dies at its last outside release.
// The count and the distributor list are not locked: they belong to the
// thread that owns the client.
class LNotificationClient : public LNotificationReceiver {
 public:
  // Registration flag: of the notifications of a name queued for a
  // distributor, deliver only the one posted last.
  static constexpr int32_t kLatestOnly = 1;
  // Registration flag for "NID_IDLE": the client's idle work only follows
  // other work (something posted to it), so the passes that run after that
  // work are enough and no timer needs to make more.
  static constexpr int32_t kWithoutTicks = 2;

  // Registers at source for name (flags replace those of an existing
  // registration); the interned name, or null for a null source or name.
  const WChar* RegisterNotification(const RCPtr<LNotificationDistributor>& source, const WChar* name,
                                    int32_t flags = 0);
  const WChar* RegisterNotification(const RCPtr<LNotificationDistributor>& source, const NotificationName& name,
                                    int32_t flags = 0);

  // Ignores what it gets; receiving classes override it.
  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override;
  // 1 when the client holds no registration at all, E_INVALIDARG for a null
  // source or name, else the distributor's answer (0 removed, 1 not there).
  HResult UnregisterNotification(const RCPtr<LNotificationDistributor>& source, const WChar* name) override;
  HResult UnregisterNotification(const RCPtr<LNotificationDistributor>& source, const NotificationName& name) {
    return UnregisterNotification(source, name.GetId());
  }
  // Ends every registration; answers how many there were.
  int32_t UnregisterAllNotifications();
  HResult ReleaseInternalReferences() override;

  int32_t GetRegistrationCount() const { return mRegistrationCount; }
  // Distributors where the client has at least one registration, in the order
  // of first registration. Not counted: the registrations keep them alive.
  const Array<LNotificationDistributor*>& GetDistributors() const { return mDistributors; }

 private:
  // The bookkeeping of a registration with the distributor's answer.
  const WChar* CountRegistration(LNotificationDistributor* source, const WChar* id, HResult result);
  void AddDistributor(LNotificationDistributor* distributor);
  void RemoveDistributor(LNotificationDistributor* distributor);

  int32_t mRegistrationCount = 0;
  Array<LNotificationDistributor*> mDistributors;
};

}  // namespace HV
