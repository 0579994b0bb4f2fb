#include "HVFramework/Notification/LNotificationCenter.h"

namespace HV {

RCPtr<LNotificationCenter> LNotificationCenter::Create(const StringW& name) {
  RCPtr<LNotificationCenter> centre(new LNotificationCenter(name));
  // What is posted to a centre goes to its own clients. The self-reference is
  // internal; Shutdown lets go of it.
  if (!centre->GetDistributor() && centre->GetPostingReceiver() &&
      centre->SetDistributor(RCPtr<LNotificationDistributor>(centre.Get())) == S_OK)
    centre->AddInternalReferences(1);
  return centre;
}

HResult LNotificationCenter::ReleaseInternalReferences() {
  UnregisterAllClients();
  Shutdown();
  return LRefCountedObject::ReleaseInternalReferences();
}

}  // namespace HV
