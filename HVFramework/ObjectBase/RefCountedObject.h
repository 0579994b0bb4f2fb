#pragma once

#include "HVFramework/ObjectBase/Assert.h"
#include "HVFramework/ObjectBase/IUndoable.h"
#include "HVFramework/ObjectBase/RCPtr.h"
#include "HVFramework/ObjectBase/ResultCodes.h"

#include <atomic>
#include <cstdint>
#include <utility>

namespace HV {

class LWeakLink;

// LRefCountedObject: the base of every counted object of the framework.
//
// The count lives in the object and starts at 0: a new object has no owner
// until the first counted pointer (RCPtr/ConstRCPtr) takes it, and the last
// Release deletes it. Registries that hold an object on its own behalf (a
// distributor holding a registered client, say) also count those references
// as internal; when the only reference left outside the registries is
// released, ReleaseInternalReferences runs first so the object can leave them
// and die. Classes combined with other counted bases derive from this class
// virtually, so an object has exactly one count.
//
// AddRef and Release may be called from any thread; nothing else is locked.
// Weak pointers (WeakRCPtr) reach the object through a link it makes on first
// demand and clears when its count reaches zero; an object no weak pointer
// ever took pays one null pointer for this.
class LRefCountedObject : public IUndoable {
 public:
  LRefCountedObject() = default;
  // A copy is a new object: it starts with no references and shareable.
  LRefCountedObject(const LRefCountedObject&) {}
  LRefCountedObject& operator=(const LRefCountedObject&) { return *this; }
  ~LRefCountedObject() override;

  StringW ToString() const override;
  void Undo() override;

  virtual int32_t AddRef();
  virtual int32_t Release();
  // Called by Release before the last outside reference goes; S_OK when no
  // internal reference is left and the caller's is the only one.
  virtual HResult ReleaseInternalReferences();
  // A new object equal to this one, holding its first reference. Only classes
  // that are copied on write (the counted buffers) implement it.
  virtual RCPtr<LRefCountedObject> CreateCopy() const;

  // Unshareable objects are copied whenever a second counted pointer takes
  // them. Refused (throws) while more than one reference holds the object.
  void SetUnshareable(bool unshareable);
  bool IsShareable() const { return mShareable.load(std::memory_order_relaxed); }

  void AddInternalReferences(int32_t delta) { mInternalRefCount.fetch_add(delta); }

  // For an object that lives as long as the program and that every thread
  // takes and lets go of all the time (the empty text's buffer): counting it
  // would make every thread write one memory location. From here on AddRef
  // and Release leave it alone and it counts as shared (never written in
  // place); it is never deleted. Call it once, before the object is handed
  // to another thread.
  void MakePermanent();

  int32_t GetRefCount() const { return mRefCount.load(); }
  int32_t GetInternalRefCount() const { return mInternalRefCount.load(); }

  // The link this object's weak pointers share, made on the first call.
  // Any thread may ask while it holds a reference on the object.
  LWeakLink* GetWeakLink();

 private:
  friend class LWeakLink;

  // AddRef for a weak pointer's Lock: refused (false) once the count is zero,
  // so that an object already on its way out is never taken back.
  bool TryAddRef();
  // Clears and lets go of the weak link, if any: weak pointers answer null
  // from here on.
  void DropWeakLink();

  std::atomic<int32_t> mRefCount{0};
  std::atomic<int32_t> mInternalRefCount{0};
  std::atomic<int32_t> mReleaseReentry{0};
  std::atomic<bool> mShareable{true};
  bool mPermanent = false;  // set before the object is published, never again
  std::atomic<LWeakLink*> mWeakLink{nullptr};  // holds one reference on the link
};

template <class T>
void ConstRCPtr<T>::Unshare() {
  if (!mObject) return;
  LRefCountedObject* counted = Counted(mObject);
  if (counted->GetRefCount() <= 1) return;
  if (Detail::gUnsharingObject == counted) return;  // CreateCopy handed back the object itself

  const void* outer = std::exchange(Detail::gUnsharingObject, counted);
  RCPtr<LRefCountedObject> copy;
  try {
    copy = counted->CreateCopy();
  } catch (...) {
    Detail::gUnsharingObject = outer;
    throw;
  }
  Detail::gUnsharingObject = outer;

  T* typed = dynamic_cast<T*>(copy.Get());
  if (typed != mObject) {
    if (typed) Counted(typed)->AddRef();
    T* old = std::exchange(mObject, typed);
    Counted(old)->Release();
  }
  if (!mObject) Detail::ThrowUnshareFailed(typeid(T), __FILE__, __LINE__);
}

}  // namespace HV
