#pragma once

#include <cstddef>
#include <type_traits>
#include <typeinfo>
#include <utility>

namespace HV {

class LRefCountedObject;

// Tag of the constructors that take over a reference the caller holds
// already, instead of taking a new one.
struct AdoptReference {};

namespace Detail {
// Throws the "Logic Error" of a copy-on-write step whose copy is not a T.
[[noreturn]] void ThrowUnshareFailed(const std::type_info& type, const char* source, int line);
// The object this thread is unsharing right now: a CreateCopy that hands back
// the object itself must not start another copy of it.
extern thread_local const void* gUnsharingObject;
}  // namespace Detail

// ConstRCPtr<T>: holds one counted reference on a T (or nothing), with const
// access to it. Taking an object marked unshareable while someone else holds
// it gives this pointer a private copy instead (copy-on-write).
//
// A pointer is a plain value without a lock: one pointer must not be changed
// on two threads at once; different pointers to one object may.
template <class T>
class ConstRCPtr {
 public:
  ConstRCPtr() = default;
  ConstRCPtr(std::nullptr_t) {}
  ConstRCPtr(const T* object) : mObject(const_cast<T*>(object)) { AcquireOrUndo(); }
  ConstRCPtr(const ConstRCPtr& other) : mObject(other.mObject) { AcquireOrUndo(); }
  ConstRCPtr(ConstRCPtr&& other) noexcept : mObject(std::exchange(other.mObject, nullptr)) {}
  ConstRCPtr(const T* object, AdoptReference) noexcept : mObject(const_cast<T*>(object)) {}

  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  ConstRCPtr(const ConstRCPtr<U>& other) : mObject(const_cast<U*>(other.Get())) {
    AcquireOrUndo();
  }
  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  ConstRCPtr(const U* object) : mObject(const_cast<U*>(object)) {
    AcquireOrUndo();
  }

  ~ConstRCPtr() {
    if (mObject) Counted(mObject)->Release();
  }

  ConstRCPtr& operator=(const ConstRCPtr& other) { return Assign(other.mObject); }
  ConstRCPtr& operator=(ConstRCPtr&& other) noexcept {
    if (this != &other) {
      T* old = std::exchange(mObject, std::exchange(other.mObject, nullptr));
      if (old) Counted(old)->Release();
    }
    return *this;
  }
  ConstRCPtr& operator=(std::nullptr_t) { return Assign(nullptr); }

  // From a pointer to another class: a static conversion when U derives from
  // T, a checked one (null when the object is not a T) otherwise.
  template <class U>
  ConstRCPtr& operator=(const ConstRCPtr<U>& other) {
    if constexpr (std::is_convertible_v<U*, T*>) {
      return Assign(const_cast<U*>(other.Get()));
    } else {
      ConstRCPtr converted(dynamic_cast<const T*>(other.Get()));
      return Assign(converted.mObject);
    }
  }

  const T* Get() const { return mObject; }
  const T* operator->() const { return mObject; }
  const T& operator*() const { return *mObject; }
  explicit operator bool() const { return mObject != nullptr; }

  friend bool operator==(const ConstRCPtr& a, const ConstRCPtr& b) { return a.mObject == b.mObject; }
  friend bool operator==(const ConstRCPtr& a, std::nullptr_t) { return a.mObject == nullptr; }

  // Makes this pointer the only holder of its object: when the object is
  // shared, a copy (CreateCopy) replaces it here. Called by every constructor
  // and assignment for an object marked unshareable. Defined with
  // LRefCountedObject, which it needs whole.
  void Unshare();

 protected:
  T* Mutable() const { return mObject; }

 private:
  template <class U> friend class ConstRCPtr;

  static LRefCountedObject* Counted(T* object) { return object; }

  void Acquire() {
    if (!mObject) return;
    Counted(mObject)->AddRef();
    if (!Counted(mObject)->IsShareable()) Unshare();
  }

  // Acquire for constructors: if the copy-on-write step throws, give back what
  // was taken so the failed construction leaves no reference behind.
  void AcquireOrUndo() {
    try {
      Acquire();
    } catch (...) {
      if (mObject) Counted(mObject)->Release();
      throw;
    }
  }

  // Takes the new reference before giving back the old one, so an object kept
  // alive only through the old one survives. On failure the pointer keeps its
  // old object.
  ConstRCPtr& Assign(T* object) {
    if (object == mObject) return *this;
    T* old = mObject;
    mObject = object;
    try {
      Acquire();
    } catch (...) {
      if (mObject) Counted(mObject)->Release();
      mObject = old;
      throw;
    }
    if (old) Counted(old)->Release();
    return *this;
  }

  T* mObject = nullptr;
};

// RCPtr<T>: a ConstRCPtr<T> with non-const access to the object.
template <class T>
class RCPtr : public ConstRCPtr<T> {
  using Base = ConstRCPtr<T>;

 public:
  RCPtr() = default;
  RCPtr(std::nullptr_t) {}
  RCPtr(T* object) : Base(object) {}
  RCPtr(const RCPtr& other) = default;
  RCPtr(RCPtr&& other) noexcept = default;
  RCPtr(T* object, AdoptReference tag) noexcept : Base(object, tag) {}
  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  RCPtr(const RCPtr<U>& other) : Base(other) {}
  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  RCPtr(U* object) : Base(object) {}

  RCPtr& operator=(const RCPtr& other) = default;
  RCPtr& operator=(RCPtr&& other) noexcept = default;
  RCPtr& operator=(std::nullptr_t) {
    Base::operator=(nullptr);
    return *this;
  }
  template <class U>
  RCPtr& operator=(const RCPtr<U>& other) {
    Base::operator=(static_cast<const ConstRCPtr<U>&>(other));
    return *this;
  }

  T* Get() const { return this->Mutable(); }
  T* operator->() const { return this->Mutable(); }
  T& operator*() const { return *this->Mutable(); }
};

// A counted pointer to the same object seen as a T, or null when it is not a
// T. Never throws for a failed cast; the source is untouched.
template <class T, class U>
RCPtr<T> DynamicCast(const RCPtr<U>& source) {
  return RCPtr<T>(dynamic_cast<T*>(source.Get()));
}
template <class T, class U>
ConstRCPtr<T> DynamicCast(const ConstRCPtr<U>& source) {
  return ConstRCPtr<T>(dynamic_cast<const T*>(source.Get()));
}

// A counted pointer to the same object as a base class T, with no run-time check.
template <class T, class U>
RCPtr<T> StaticCast(const RCPtr<U>& source) {
  return RCPtr<T>(static_cast<T*>(source.Get()));
}

}  // namespace HV
