#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"

#include <atomic>
#include <mutex>

namespace HV {

// LWeakLink: what the weak pointers of one counted object share. The object
// makes its link the first time a weak pointer asks for it, holds one
// reference on it, and clears it as its count reaches zero; the weak pointers
// hold the link, never the object, so a link may outlive its object.
//
// GetTarget may be read on any thread but answers only for that moment;
// AcquireTarget is the one safe way to use the object from a thread that
// does not own a reference on it.
class LWeakLink final : public LRefCountedObject {
 public:
  // The object, or null once its count reached zero.
  LRefCountedObject* GetTarget() const { return mTarget.load(std::memory_order_acquire); }

  // Takes a reference on the object and returns it; null when the object is
  // gone, going, or not yet held by any counted pointer (a count of zero never
  // rises again here, so a dying object is not brought back).
  LRefCountedObject* AcquireTarget();

 private:
  friend class LRefCountedObject;

  explicit LWeakLink(LRefCountedObject* target) : mTarget(target) {}
  // The object's count reached zero (or it is being destroyed): the link
  // answers null from now on. Once this returns, no AcquireTarget is still
  // reading the object.
  void ClearTarget();

  // Held while the object is read through the link and while it is cleared,
  // so an object is never freed under a reader.
  std::mutex mLock;
  std::atomic<LRefCountedObject*> mTarget;
};

}  // namespace HV
