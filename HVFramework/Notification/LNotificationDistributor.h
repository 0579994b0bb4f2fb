#pragma once

#include "HVFramework/Notification/LNotificationClient.h"
#include "HVFramework/ObjectBase/RCPtr.h"

#include <memory>
#include <mutex>
#include <vector>

namespace HV {

class LNotification;

// LNotificationDistributor: keeps, per notification name, the clients
// registered for it and delivers a notification of that name to them at
// once, on the sending thread, the most recently registered client first.
//
// Each registration's record holds a counted reference to the client and one
// to the distributor, both counted as internal references; a distributor with
// registrations is also held by a process-wide list. One lock guards the
// pools and their records (the pools share it); the process-wide list's lock
// is taken after it, a queue's lock before it (a post marks latest-only
// records). A send holds the lock only to find the name's pool and
// take its snapshot of the records (LNotificationClientPool.h); the records
// of the snapshot keep the distributor alive for the length of the delivery.
// No lock is held while a client runs, so clients may register, unregister and send from
// inside a delivery without anyone being skipped or called twice.
class LNotificationDistributor : public virtual LRefCountedObject {
 public:
  class LNotificationClientPool;
  class LNotificationRegisteredClientInfo;

  LNotificationDistributor();
  ~LNotificationDistributor() override;
  LNotificationDistributor(const LNotificationDistributor&) = delete;
  LNotificationDistributor& operator=(const LNotificationDistributor&) = delete;

  // 0 new registration; 1 registered already (flags replaced) or a name that
  // interns to null; E_INVALIDARG for a null client.
  HResult RegisterClient(const RCPtr<LNotificationClient>& client, const WChar* name, int32_t flags);
  HResult RegisterClient(const RCPtr<LNotificationClient>& client, const NotificationName& name, int32_t flags);
  // 0 removed; 1 not registered; E_INVALIDARG for a null client or name.
  HResult UnregisterClient(const RCPtr<LNotificationClient>& client, const WChar* name);
  // Removes the client from every pool; the number of registrations removed.
  int32_t UnregisterClientFromAll(const RCPtr<LNotificationClient>& client);
  // Asks every registered client to unregister itself; 0.
  HResult UnregisterAllClients();
  bool HasClient(const RCPtr<LNotificationClient>& client);
  // 0 and the flags of that registration; E_FAIL when there is none.
  HResult GetClientFlags(const RCPtr<LNotificationClient>& client, const WChar* name, int32_t& flags);
  // The pool of an interned name, or null.
  RCPtr<LNotificationClientPool> FindClientPool(const WChar* id);
  // Whether any client is registered for name now, not counting those
  // registered with any of notCounting (LNotificationClient's flags).
  bool HasClients(const NotificationName& name, int32_t notCounting = 0);

  // Delivers now: 0 when the name's pool has records, 1 when nobody is
  // registered for it, E_INVALIDARG for a null notification. A client's
  // exception passes out to the sender.
  HResult SendNotification(const RCPtr<LNotification>& notification);

  int32_t GetRegistrationCount();
  // Whether the process-wide list of distributors with registrations holds
  // this one (diagnostics).
  bool IsInDistributorList() const;

 private:
  struct PoolEntry {
    const WChar* name;
    RCPtr<LNotificationClientPool> pool;
  };

  // id: an interned name or null.
  HResult RegisterInterned(const RCPtr<LNotificationClient>& client, const WChar* id, int32_t flags);
  // The lock is held: the pool of an interned name, or null.
  LNotificationClientPool* FindPool(const WChar* id) const;
  RCPtr<LNotificationClientPool> GetPoolAt(uint32_t index);
  uint32_t GetPoolCount();

  const std::shared_ptr<std::mutex> mLock;  // shared with the pools
  std::vector<PoolEntry> mPools;            // one per name, in order of first registration
  int32_t mRegistrationCount = 0;
};

}  // namespace HV

// The pools and records complete the class for everyone who uses it.
#include "HVFramework/Notification/LNotificationClientPool.h"
#include "HVFramework/Notification/LNotificationRegisteredClientInfo.h"
