// Notification throughput: an immediate send to 1 and 10 clients, and posting
// from another thread with delivery by a draining thread, against the plain
// alternative of looking callbacks up in a hash map and calling them.
#include "HVFramework/Notification/LNotificationCenter.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

namespace {

using namespace HV;

class CountingClient : public LNotificationClient {
 public:
  void ReceiveNotification(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) override {
    ++mCount;
  }
  int64_t mCount = 0;
};

// Clients registered for one name; unregistered when the fixture goes.
struct Audience {
  explicit Audience(const RCPtr<LNotificationDistributor>& distributor, int64_t count) {
    for (int64_t i = 0; i < count; ++i) {
      clients.emplace_back(new CountingClient);
      clients.back()->RegisterNotification(distributor, u"NID_VALUE_CHANGE");
    }
  }
  ~Audience() {
    for (const auto& client : clients) client->UnregisterAllNotifications();
  }
  std::vector<RCPtr<CountingClient>> clients;
};

struct PoolOn {
  PoolOn() { LNotification::SetPoolEnabled(true); }
  ~PoolOn() { LNotification::SetPoolEnabled(false); }
};

// Create (from the spare pool) and send at once.
void SendToClients(benchmark::State& state) {
  const PoolOn pool;
  const RCPtr<LNotificationDistributor> distributor(new LNotificationDistributor);
  const Audience audience(distributor, state.range(0));
  const RCPtr<LRefCountedObject> payload(new LRefCountedObject);
  for (auto _ : state) distributor->SendNotification(LNotification::Create(u"NID_VALUE_CHANGE", payload));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(SendToClients)->Arg(1)->Arg(10);

// The baseline: find the callbacks of a name in a hash map and call each.
void StdFunctionThroughHashMap(benchmark::State& state) {
  std::unordered_map<std::u16string, std::vector<std::function<void(const void*)>>> callbacks;
  int64_t count = 0;
  for (int64_t i = 0; i < state.range(0); ++i)
    callbacks[u"NID_VALUE_CHANGE"].emplace_back([&count](const void*) { ++count; });
  for (const char16_t* name : {u"NID_LEFT_CLICK", u"NID_MOUSE_MOVE", u"NID_IDLE"}) callbacks[name];
  const std::u16string name = u"NID_VALUE_CHANGE";
  for (auto _ : state) {
    const auto found = callbacks.find(name);
    for (const auto& callback : found->second) callback(&count);
  }
  benchmark::DoNotOptimize(count);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(StdFunctionThroughHashMap)->Arg(1)->Arg(10);

// One thread posts to a centre, this thread drains it to one client. The
// poster keeps at most a few thousand notifications waiting.
void PostFromAnotherThreadAndDrain(benchmark::State& state) {
  const PoolOn pool;
  const RCPtr<LNotificationCenter> centre = LNotificationCenter::Create(u"bench");
  RCPtr<CountingClient> client(new CountingClient);
  client->RegisterNotification(centre, u"NID_VALUE_CHANGE");
  std::atomic<bool> stop{false};
  std::thread poster([&] {
    while (!stop.load(std::memory_order_relaxed)) {
      if (centre->GetCount() > 4096) {
        std::this_thread::yield();
        continue;
      }
      centre->CreateAndPostNotification(u"NID_VALUE_CHANGE");
    }
  });
  for (auto _ : state) centre->ProcessNotifications(false);
  stop = true;
  poster.join();
  centre->DiscardNotifications();
  state.SetItemsProcessed(client->mCount);
  client->UnregisterAllNotifications();
  centre->Shutdown();
}
BENCHMARK(PostFromAnotherThreadAndDrain)->UseRealTime();

}  // namespace
