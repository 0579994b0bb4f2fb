#pragma once

#include "HVFramework/Notification/LNotificationDistributor.h"
#include "HVFramework/Notification/LNotificationQueue.h"
#include "HVFramework/Utilities/Storage/StringT.h"

namespace HV {

// LNotificationCenter: a named distributor with a queue of its own that
// delivers to the centre's own clients. Any thread may post to it; the
// framework drains every centre at idle time. The program uses one centre,
// "application". Made by Create; held by the centre manager.
class LNotificationCenter : public LNotificationDistributor, public LNotificationQueue {
 public:
  static RCPtr<LNotificationCenter> Create(const StringW& name);

  const StringW& GetName() const { return mName; }

  // With only internal references left: asks every client to unregister and
  // shuts the queue down, which ends the centre.
  HResult ReleaseInternalReferences() override;

 protected:
  explicit LNotificationCenter(const StringW& name) : mName(name) {}

 private:
  const StringW mName;
};

}  // namespace HV
