#include "HVFramework/Midi/LMidiCommInterface.h"

#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/Notification/LNotificationClientPool.h"
#include "HVFramework/Notification/NotificationNames.h"
#include "HVFramework/System/MutexLocker.h"

namespace HV {

RCPtr<LIMidiFilterByIncludePrefixList> LMidiCommInterface::GetFilter(const LNotificationClient* client) {
  RCPtr<LIMidiFilterByIncludePrefixList> stored;
  {
    MutexLocker lock(&mFilterLock);
    const int32_t index = FindFilter(client);
    if (index < 0) return nullptr;
    stored = mFilters.GetItemPtr(static_cast<uint32_t>(index))->filter;
  }
  return DynamicCast<LIMidiFilterByIncludePrefixList>(stored->CreateCopy());
}

HResult LMidiCommInterface::SetFilter(const LNotificationClient* client,
                                      const LIMidiFilterByIncludePrefixList* filter) {
  // The copy is made outside the lock: a filter is the client's own code.
  const RCPtr<LIMidiFilterByIncludePrefixList> copy =
      filter ? DynamicCast<LIMidiFilterByIncludePrefixList>(filter->CreateCopy()) : nullptr;
  MidiFilterEntry removed;
  MutexLocker lock(&mFilterLock);
  const int32_t index = FindFilter(client);
  if (!copy) {
    if (index >= 0) mFilters.RemoveItem(static_cast<uint32_t>(index), removed);
  } else if (index >= 0) {
    mFilters.GetItemPtr(static_cast<uint32_t>(index))->filter = copy;
  } else {
    mFilters.AddItem({client, copy});
  }
  return S_OK;
}

void LMidiCommInterface::DeliverCapturedData(const RCPtr<LMidiCaptureNotificationData>& data) {
  if (!data) return;
  const WChar* const id = kDataCapturedName.GetId();
  RCPtr<LNotification> notification;
  const auto made = [&]() -> const RCPtr<LNotification>& {
    if (!notification) notification = LNotification::Create(kDataCapturedName, data);
    return notification;
  };
  if (const RCPtr<LNotificationQueue> queue = GetNotificationQueue()) queue->PostNotification(made());

  const RCPtr<LNotificationClientPool> pool = FindClientPool(id);
  if (!pool) return;
  const RCPtr<LNotificationDistributor> self(this);
  for (int32_t index = static_cast<int32_t>(pool->GetCount()) - 1; index >= 0;) {
    const RCPtr<LNotificationClient> client = pool->GetClientAt(static_cast<uint32_t>(index));
    if (client && !Passes(client.Get(), data->GetBytes())) {
      --index;
      continue;
    }
    index = pool->SendToClient(self, index, made()) - 1;
  }
}

void LMidiCommInterface::SetNotificationQueue(const RCPtr<LNotificationQueue>& queue) {
  RCPtr<LNotificationQueue> old;
  MutexLocker lock(&mFilterLock);
  old = std::move(mQueue);
  mQueue = queue;
}

int32_t LMidiCommInterface::FindFilter(const LNotificationClient* client) {
  for (uint32_t i = 0; i < mFilters.GetCount(); ++i)
    if (GetFilterEntryClient(*mFilters.GetItemPtr(i)) == client) return static_cast<int32_t>(i);
  return -1;
}

bool LMidiCommInterface::Passes(const LNotificationClient* client, std::span<const uint8_t> message) {
  RCPtr<LIMidiFilterByIncludePrefixList> filter;
  {
    MutexLocker lock(&mFilterLock);
    const int32_t index = FindFilter(client);
    if (index < 0) return true;
    filter = mFilters.GetItemPtr(static_cast<uint32_t>(index))->filter;
  }
  return filter->Passes(message);
}

RCPtr<LNotificationQueue> LMidiCommInterface::GetNotificationQueue() {
  MutexLocker lock(&mFilterLock);
  return mQueue;
}

}  // namespace HV
