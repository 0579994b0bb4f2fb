#include "HVFramework/ObjectBase/RefCountedObject.h"

#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/ObjectBase/LWeakLink.h"
#include "HVFramework/ObjectBase/TypeName.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <mutex>
#include <typeindex>
#include <unordered_map>

namespace HV {

namespace {

// The default text of each class, made once: demangling a type name costs
// microseconds, and the thread pool names a thread after every item it runs.
StringW DefaultText(const std::type_info& type) {
  // Never destroyed: threads may still ask while the program exits.
  static auto* lock = new std::mutex();
  static auto* texts = new std::unordered_map<std::type_index, StringW>();
  std::lock_guard guard(*lock);
  auto found = texts->find(type);
  if (found == texts->end()) {
    StringW text = StringW(u"LRefCountedObject::ToString() not overridden. Returning TypeName: ") +
                   StringW(TypeName(type).c_str());
    found = texts->emplace(type, std::move(text)).first;
  }
  return found->second;
}

}  // namespace

// An object that dies while counted pointers still hold it leaves them
// pointing at freed memory. The link is normally gone already (Release drops
// it); objects deleted without counting drop it here.
LRefCountedObject::~LRefCountedObject() {
  HV_ASSERT(mRefCount.load() == 0);
  DropWeakLink();
}

StringW LRefCountedObject::ToString() const { return DefaultText(typeid(*this)); }

void LRefCountedObject::Undo() {
  Throw<std::logic_error>("Undo() not implemented for RefCountedObject",
                          HV_HERE("HV::LRefCountedObject::Undo"));
}

namespace {
// What a permanent object's count reads: more than any real count, so that
// copy-on-write always copies it.
constexpr int32_t kPermanentCount = 1 << 30;
}  // namespace

void LRefCountedObject::MakePermanent() {
  mRefCount.store(kPermanentCount);
  mPermanent = true;
}

int32_t LRefCountedObject::AddRef() {
  if (mPermanent) return kPermanentCount;
  return mRefCount.fetch_add(1) + 1;
}

int32_t LRefCountedObject::Release() {
  if (mPermanent) return kPermanentCount;
  // The caller's reference is the last one outside the registries: let the
  // object leave them while that reference still keeps it alive. Releases
  // made by the hook itself see the re-entry counter and only decrement.
  // Objects in no registry (the common case) skip straight to the decrement.
  const int32_t internal = mInternalRefCount.load();
  if (internal > 0 && mRefCount.load() == internal + 1 && mReleaseReentry.load() == 0 &&
      mInternalRefCount.load() > 0) {
    mReleaseReentry.fetch_add(1);
    ReleaseInternalReferences();
    mReleaseReentry.fetch_sub(1);
  }
  const int32_t remaining = mRefCount.fetch_sub(1, std::memory_order_acq_rel) - 1;
  HV_ASSERT(remaining >= 0);  // a release without its AddRef: the object is already gone or will go twice
  if (remaining == 0) {
    // Before any destructor runs: weak pointers must not hand out an object
    // that is being torn down.
    DropWeakLink();
    delete this;
  }
  return remaining;
}

bool LRefCountedObject::TryAddRef() {
  if (mPermanent) return true;
  int32_t count = mRefCount.load(std::memory_order_relaxed);
  while (count > 0)
    if (mRefCount.compare_exchange_weak(count, count + 1, std::memory_order_acq_rel, std::memory_order_relaxed))
      return true;
  return false;
}

LWeakLink* LRefCountedObject::GetWeakLink() {
  LWeakLink* link = mWeakLink.load(std::memory_order_acquire);
  if (link) return link;
  auto* made = new LWeakLink(this);
  made->AddRef();  // the object's own reference, given back in DropWeakLink
  if (mWeakLink.compare_exchange_strong(link, made, std::memory_order_acq_rel, std::memory_order_acquire))
    return made;
  made->Release();  // another thread made the link first
  return link;
}

void LRefCountedObject::DropWeakLink() {
  // With the count at zero no thread may make a link any more (making one
  // takes a reference), so a plain load settles the common case of an object
  // no weak pointer ever took: no atomic write on its way out.
  if (!mWeakLink.load(std::memory_order_acquire)) return;
  LWeakLink* link = mWeakLink.exchange(nullptr, std::memory_order_acq_rel);
  if (!link) return;
  link->ClearTarget();
  link->Release();
}

HResult LRefCountedObject::ReleaseInternalReferences() {
  return (mInternalRefCount.load() == 0 && mRefCount.load() == 1) ? S_OK : E_FAIL;
}

RCPtr<LRefCountedObject> LRefCountedObject::CreateCopy() const {
  Throw<std::logic_error>("CreateCopy() not implemented for RefCountedObject",
                          HV_HERE("HV::LRefCountedObject::CreateCopy"));
}

void LRefCountedObject::SetUnshareable(bool unshareable) {
  if (unshareable && mRefCount.load() > 1)
    Throw<std::runtime_error>(HV_HERE("HV::LRefCountedObject::SetUnshareable"));
  mShareable.store(!unshareable, std::memory_order_relaxed);
}

}  // namespace HV
