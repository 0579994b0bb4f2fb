#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/ObjectBase/RCPtr.h"

#include <cstdint>

namespace HV {

// The payload of "NID_PRESETFILE_POST_LOAD": the result of the load (see
// LPresetManager's load results).
class LPresetFileLoadNotificationData : public virtual LRefCountedObject {
 public:
  static RCPtr<LPresetFileLoadNotificationData> Create(int32_t result) {
    return RCPtr<LPresetFileLoadNotificationData>(new LPresetFileLoadNotificationData(result));
  }
  int32_t GetResult() const { return mResult; }

 private:
  explicit LPresetFileLoadNotificationData(int32_t result) : mResult(result) {}
  const int32_t mResult;
};

}  // namespace HV
