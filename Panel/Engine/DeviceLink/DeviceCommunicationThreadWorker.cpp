#include "Panel/Engine/DeviceLink/DeviceCommunicationThreadWorker.h"

#include "Panel/Engine/DeviceLink/DeviceCommunicationInterface.h"

HV::RCPtr<LDeviceCommunicationThreadWorker> LDeviceCommunicationThreadWorker::Create() {
  return HV::RCPtr<LDeviceCommunicationThreadWorker>(new LDeviceCommunicationThreadWorker());
}

int32_t LDeviceCommunicationThreadWorker::DoWork(HV::RCPtr<HV::LRefCountedObject>& parameters) {
  // A counted reference keeps the link alive for the whole delivery.
  const HV::RCPtr<LDeviceCommunicationInterface> link =
      HV::DynamicCast<LDeviceCommunicationInterface>(parameters);
  if (link) link->DeliverQueuedPackets();
  return 0;
}
