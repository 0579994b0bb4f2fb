#pragma once

#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/Notification/LNotificationClient.h"
#include "HVFramework/Notification/NotificationNames.h"
#include "HVFramework/Notification/Receivable.h"

#include <cstdint>
#include <map>

namespace HV {

// LNotificationHandler<T>: the handler table of one object of T (its owner),
// mapping (source, notification name) to a member function of T.
//
// A receiving class subscribes with SetNotification and forwards its
// ReceiveNotification to Dispatch; classes derived from one another keep one
// table per level and try them from the most derived level down, stopping at
// the first non-zero result. Owned by its owner; used on the owner's thread.
template <class T>
class LNotificationHandler : public virtual LRefCountedObject {
 public:
  using Handler = HResult (T::*)(const RCPtr<LNotificationDistributor>& source,
                                 const RCPtr<LNotification>& notification);

  explicit LNotificationHandler(T* owner) : mOwner(owner) {}

  // Registers the owner at source for name and enters the handler with a
  // value kept beside it; an entry already there for (source, name) stays.
  // E_INVALIDARG for a null source, E_FAIL when the registration gives no name.
  // Every operation naming a notification takes its text (a skin's, or an
  // interned identifier) or its constant.
  template <class Name>
  HResult SetNotification(Handler handler, intptr_t value, const RCPtr<LNotificationDistributor>& source,
                          const Name& name, int32_t flags = 0) {
    if (!source) return E_INVALIDARG;
    const WChar* id = static_cast<LNotificationClient*>(mOwner)->RegisterNotification(source, name, flags);
    if (!id) return E_FAIL;
    mEntries.emplace(Receivable{source.Get(), id}, Entry{handler, value});
    return S_OK;
  }
  template <class Name>
  HResult SetNotification(Handler handler, const RCPtr<LNotificationDistributor>& source, const Name& name,
                          int32_t flags = 0) {
    return SetNotification(handler, 0, source, name, flags);
  }

  // Enters a handler for deliveries without a source, registering nowhere.
  template <class Name>
  HResult AddHandler(Handler handler, const Name& name) {
    const WChar* id = IdOf(name);
    if (!id) return E_FAIL;
    mEntries.emplace(Receivable{nullptr, id}, Entry{handler, 0});
    return S_OK;
  }

  // The handler's result, or 0 when no entry matches.
  HResult Dispatch(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) {
    if (!notification) return S_OK;
    const auto entry = mEntries.find(Receivable{source.Get(), notification->GetName()});
    if (entry == mEntries.end()) return S_OK;
    return (mOwner->*(entry->second.handler))(source, notification);
  }

  // Removes the entry for (source, name); false when there is none.
  template <class Name>
  bool RemoveHandler(const RCPtr<LNotificationDistributor>& source, const Name& name) {
    return mEntries.erase(Receivable{source.Get(), IdOf(name)}) > 0;
  }

  template <class Name>
  bool HasHandler(const RCPtr<LNotificationDistributor>& source, const Name& name) const {
    return mEntries.count(Receivable{source.Get(), IdOf(name)}) > 0;
  }

  // Reads back the handler and value entered for (source, name); false, with
  // both outputs untouched, when there is no entry.
  template <class Name>
  bool GetNotification(const RCPtr<LNotificationDistributor>& source, const Name& name, Handler& handler,
                       intptr_t& value) const {
    const auto entry = mEntries.find(Receivable{source.Get(), IdOf(name)});
    if (entry == mEntries.end()) return false;
    handler = entry->second.handler;
    value = entry->second.value;
    return true;
  }

  T* GetOwner() const { return mOwner; }

 private:
  struct Entry {
    Handler handler;
    intptr_t value;
  };

  static const WChar* IdOf(const WChar* name) { return InternNotificationName(name); }
  static const WChar* IdOf(const NotificationName& name) { return name.GetId(); }

  T* const mOwner;  // owns this table
  std::map<Receivable, Entry> mEntries;
};

}  // namespace HV
