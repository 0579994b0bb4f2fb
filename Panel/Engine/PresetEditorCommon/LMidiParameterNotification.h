#pragma once

#include "HVFramework/ObjectBase/RCPtr.h"
#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>

namespace HV {

// LMidiParameterNotification: the payload of
// "NID_MIDIMANAGER_PARAMETER_RECIEVED": a global parameter as the keyboard
// reported it, by key (empty for an index outside the table) and value
// (high 7 bits x 128 + low 7 bits). Not changed after it is made.
class LMidiParameterNotification : public virtual LRefCountedObject {
 public:
  static RCPtr<LMidiParameterNotification> Create(const StringW& key, int32_t value) {
    return RCPtr<LMidiParameterNotification>(new LMidiParameterNotification(key, value));
  }

  const StringW& GetKey() const { return mKey; }
  int32_t GetValue() const { return mValue; }

 protected:
  LMidiParameterNotification(const StringW& key, int32_t value) : mKey(key), mValue(value) {}

 private:
  const StringW mKey;
  const int32_t mValue;
};

}  // namespace HV
