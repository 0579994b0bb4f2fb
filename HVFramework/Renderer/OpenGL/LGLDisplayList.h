#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/ObjectBase/ResultCodes.h"

#include <cstdint>

namespace HV {

// LGLDisplayList: a range of GL display lists, generated on the first
// Begin. Needs the renderer's GL context current, also when destroyed.
class LGLDisplayList : public virtual LRefCountedObject {
 public:
  // count 0 makes a range that holds no list (every call fails).
  static RCPtr<LGLDisplayList> Make(int32_t count) {
    return RCPtr<LGLDisplayList>(new LGLDisplayList(count));
  }
  ~LGLDisplayList() override;

  // Starts compiling list index of the range: E_FAIL without a valid list,
  // E_INVALIDARG for an index outside the range.
  HResult Begin(int32_t index);
  // Ends compiling: E_FAIL without a valid list.
  HResult End();
  // Calls lists start .. start + count - 1: E_FAIL without lists, E_INVALIDARG
  // past the range, E_FAIL at the first list GL does not know.
  HResult Call(int32_t start, int32_t count) const;

  int64_t GetFirstName() const { return mFirst; }
  int32_t GetCount() const { return mCount; }

 protected:
  explicit LGLDisplayList(int32_t count) : mCount(count > 0 ? count : 0) {}

 private:
  int64_t mFirst = -1;
  int32_t mCount = 0;
};

}  // namespace HV
