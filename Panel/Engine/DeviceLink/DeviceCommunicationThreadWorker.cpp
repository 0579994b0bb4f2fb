#include "Panel/Engine/DeviceLink/DeviceCommunicationThreadWorker.h"

#include "Panel/Engine/DeviceLink/DeviceCommunicationInterface.h"

HV::RCPtr<LDeviceCommunicationThreadWorker> LDeviceCommunicationThreadWorker::Create() {
  return HV::RCPtr<LDeviceCommunicationThreadWorker>(new LDeviceCommunicationThreadWorker());
}

int32_t LDeviceCommunicationThreadWorker::DoWork(HV::RCPtr<HV::LRefCountedObject>& parameters) {
  // The threader's reference (parameters) keeps the link alive for the whole
  // delivery. No further counted reference is taken here: its release could
  // be the link's last and destroy the link on this very thread, which the
  // link's own stop would then have to wait for.
  if (auto* link = dynamic_cast<LDeviceCommunicationInterface*>(parameters.Get()))
    link->DeliverQueuedPackets();
  return 0;
}
