#pragma once

#include "HVFramework/ObjectBase/LWeakLink.h"
#include "HVFramework/ObjectBase/RCPtr.h"

#include <cstddef>
#include <type_traits>
#include <utility>

namespace HV {

// WeakRCPtr<T>: a link to a counted T that does not keep it alive and turns
// null when it dies. For back-references and for state that names an object
// owned elsewhere (the focused control, a window's controls' window).
//
// Get gives the object or null; use it on the thread that owns the object's
// references (for controls, the user-interface thread), where nothing can
// drop the last reference between the check and the use, and keep the result
// in an RCPtr before calling out. From any other thread use Lock, which takes
// a reference, or nothing when the object is gone or going.
//
// Like RCPtr, a pointer is a plain value: one pointer must not be changed on
// two threads at once; different pointers to one object may.
template <class T>
class WeakRCPtr {
 public:
  WeakRCPtr() = default;
  WeakRCPtr(std::nullptr_t) {}
  WeakRCPtr(T* object) : mObject(object), mLink(object ? Counted(object)->GetWeakLink() : nullptr) {}
  WeakRCPtr(const RCPtr<T>& object) : WeakRCPtr(object.Get()) {}
  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  WeakRCPtr(U* object) : WeakRCPtr(static_cast<T*>(object)) {}
  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  WeakRCPtr(const RCPtr<U>& object) : WeakRCPtr(static_cast<T*>(object.Get())) {}

  WeakRCPtr(const WeakRCPtr&) = default;
  WeakRCPtr(WeakRCPtr&& other) noexcept
      : mObject(std::exchange(other.mObject, nullptr)), mLink(std::move(other.mLink)) {}
  WeakRCPtr& operator=(const WeakRCPtr&) = default;
  WeakRCPtr& operator=(WeakRCPtr&& other) noexcept {
    if (this != &other) {
      mObject = std::exchange(other.mObject, nullptr);
      mLink = std::move(other.mLink);
    }
    return *this;
  }
  WeakRCPtr& operator=(T* object) { return *this = WeakRCPtr(object); }
  WeakRCPtr& operator=(std::nullptr_t) {
    Reset();
    return *this;
  }

  // The object, or null once its count reached zero.
  T* Get() const { return mLink && mLink->GetTarget() ? mObject : nullptr; }
  // A counted pointer to the object, or null once it is gone or going (an
  // object no counted pointer has held yet cannot be locked either). Never a
  // copy of the object, whatever its sharing.
  RCPtr<T> Lock() const {
    if (!mLink || !mLink->AcquireTarget()) return nullptr;
    return RCPtr<T>(mObject, AdoptReference{});
  }
  void Reset() {
    mObject = nullptr;
    mLink = nullptr;
  }

  // Compared by what they give now: links to dead objects equal null.
  friend bool operator==(const WeakRCPtr& a, const WeakRCPtr& b) { return a.Get() == b.Get(); }
  friend bool operator==(const WeakRCPtr& a, const T* b) { return a.Get() == b; }
  friend bool operator==(const WeakRCPtr& a, std::nullptr_t) { return a.Get() == nullptr; }

 private:
  static LRefCountedObject* Counted(T* object) { return object; }

  T* mObject = nullptr;  // meaningful only while the link's target lives
  RCPtr<LWeakLink> mLink;
};

}  // namespace HV
