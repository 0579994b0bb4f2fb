#pragma once

#include "HVFramework/System/LThreadWorker.h"

// LDeviceCommunicationThreadWorker: the device link's delivery work. Each run
// hands the packets the library has queued to the link's receiver; its
// parameter object is the link.
class LDeviceCommunicationThreadWorker : public HV::LThreadWorker {
 public:
  static HV::RCPtr<LDeviceCommunicationThreadWorker> Create();

  int32_t DoWork(HV::RCPtr<HV::LRefCountedObject>& parameters) override;

 private:
  LDeviceCommunicationThreadWorker() = default;
};
