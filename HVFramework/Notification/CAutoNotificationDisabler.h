#pragma once

#include "HVFramework/Notification/LNotificationDistributor.h"
#include "HVFramework/Notification/LNotificationHandler.h"
#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/Utilities/Storage/StorageErrors.h"

#include <exception>
#include <string>
#include <typeinfo>

namespace HV {

// CAutoNotificationDisabler<T>: while it lives, the owner of a handler table
// of T does not hear one notification from one source. The constructor takes
// the entry out (keeping its handler and value) and unregisters the owner;
// the destructor registers the kept handler again with the same flags.
// Either failure throws "Failed Result"; the destructor stays silent while
// another exception is already unwinding the scope.
template <class T>
class CAutoNotificationDisabler {
 public:
  using Handler = typename LNotificationHandler<T>::Handler;

  CAutoNotificationDisabler(const RCPtr<LNotificationHandler<T>>& table,
                            const RCPtr<LNotificationDistributor>& source, const WChar* name)
      : mTable(table), mSource(source), mName(InternNotificationName(name)) {
    if (!mTable || !mTable->GetNotification(mSource, mName, mHandler, mValue)) {
      Fail(E_FAIL, "CAutoNotificationDisabler", __LINE__);
    }
    LNotificationClient* client = mTable->GetOwner();
    if (mSource->GetClientFlags(RCPtr<LNotificationClient>(client), mName, mFlags) < 0) mFlags = 0;
    mTable->RemoveHandler(mSource, mName);
    const HResult removed = client->UnregisterNotification(mSource, mName);
    if (Failed(removed)) Fail(removed, "CAutoNotificationDisabler", __LINE__);
  }
  CAutoNotificationDisabler(const RCPtr<LNotificationHandler<T>>& table,
                            const RCPtr<LNotificationDistributor>& source, const NotificationName& name)
      : CAutoNotificationDisabler(table, source, name.GetId()) {}

  CAutoNotificationDisabler(const CAutoNotificationDisabler&) = delete;
  CAutoNotificationDisabler& operator=(const CAutoNotificationDisabler&) = delete;

  ~CAutoNotificationDisabler() noexcept(false) {
    const HResult restored = mTable->SetNotification(mHandler, mValue, mSource, mName, mFlags);
    if (Failed(restored) && std::uncaught_exceptions() == mUnwinding) {
      Fail(restored, "~CAutoNotificationDisabler", __LINE__);
    }
  }

 private:
  [[noreturn]] static void Fail(HResult code, const char* method, int line) {
    const std::string function =
        Detail::ContainerFunctionName("CAutoNotificationDisabler", typeid(T), {}, method);
    ThrowFailedResult(code, SourceLocation{function.c_str(), __FILE__, line});
  }

  const RCPtr<LNotificationHandler<T>> mTable;
  const RCPtr<LNotificationDistributor> mSource;
  const WChar* const mName;
  const int mUnwinding = std::uncaught_exceptions();
  Handler mHandler = nullptr;
  intptr_t mValue = 0;
  int32_t mFlags = 0;
};

}  // namespace HV
