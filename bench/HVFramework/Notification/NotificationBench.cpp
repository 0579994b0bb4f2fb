// Notification throughput against the plain alternatives, each in the same
// run:
// - an immediate send to 1, 10 and 100 clients, against looking callbacks up
//   in a hash map and calling them (the notification made once, and made,
//   sent and recycled on every send, as senders do: from a kept identifier
//   and from a name constant);
// - creating a notification from a literal while 10, 1,000 or 5,000 names are
//   interned (should be flat), and from a kept identifier;
// - the spare pool against no pool;
// - the busy lists (spare pool, registration records) growing and shrinking
//   one item at a time, against std::vector;
// - posting from another thread with delivery by a draining thread.
#include "HVFramework/Notification/LNotificationCenter.h"
#include "HVFramework/Notification/NotificationName.h"
#include "HVFramework/Notification/NotificationNames.h"
#include "HVFramework/Utilities/Storage/RCPtrArray.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

namespace {

using namespace HV;

constexpr const WChar* kName = u"NID_BENCH_SEND";
// The same name as a library's constant names it.
constexpr NotificationName kConstant{u"NID_BENCH_SEND"};

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
      clients.back()->RegisterNotification(distributor, kName);
    }
  }
  ~Audience() {
    for (const auto& client : clients) client->UnregisterAllNotifications();
  }
  std::vector<RCPtr<CountingClient>> clients;
};

struct PoolOn {
  explicit PoolOn(bool enabled = true) { LNotification::SetPoolEnabled(enabled); }
  ~PoolOn() { LNotification::SetPoolEnabled(false); }
};

// A sender's kept identifier, as hot senders hold it.
const WChar* KeptName() {
  static const WChar* const id = InternNotificationName(kName);
  return id;
}

// Sends one notification, made beforehand, again and again.
void SendToClients(benchmark::State& state) {
  const RCPtr<LNotificationDistributor> distributor(new LNotificationDistributor);
  const Audience audience(distributor, state.range(0));
  const RCPtr<LNotification> notification = LNotification::Create(KeptName(), new LRefCountedObject);
  for (auto _ : state) distributor->SendNotification(notification);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(SendToClients)->Arg(1)->Arg(10)->Arg(100);

// Creates (from the spare pool, by the kept identifier), sends and recycles.
void CreateAndSendToClients(benchmark::State& state) {
  const PoolOn pool;
  const RCPtr<LNotificationDistributor> distributor(new LNotificationDistributor);
  const Audience audience(distributor, state.range(0));
  const RCPtr<LRefCountedObject> payload(new LRefCountedObject);
  for (auto _ : state) distributor->SendNotification(LNotification::Create(KeptName(), payload));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(CreateAndSendToClients)->Arg(1)->Arg(10)->Arg(100);

// Creates from a name constant (its identifier kept in it), sends and recycles.
void CreateFromConstantAndSendToClients(benchmark::State& state) {
  const PoolOn pool;
  const RCPtr<LNotificationDistributor> distributor(new LNotificationDistributor);
  const Audience audience(distributor, state.range(0));
  const RCPtr<LRefCountedObject> payload(new LRefCountedObject);
  for (auto _ : state) distributor->SendNotification(LNotification::Create(kConstant, payload));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(CreateFromConstantAndSendToClients)->Arg(1)->Arg(10)->Arg(100);

// The baseline: find the callbacks of a name in a hash map and call each.
void StdFunctionThroughHashMap(benchmark::State& state) {
  std::unordered_map<std::u16string, std::vector<std::function<void(const void*)>>> callbacks;
  int64_t count = 0;
  for (int64_t i = 0; i < state.range(0); ++i)
    callbacks[kName].emplace_back([&count](const void*) { ++count; });
  for (const char16_t* name : {u"NID_LEFT_CLICK", u"NID_MOUSE_MOVE", u"NID_IDLE"}) callbacks[name];
  const std::u16string name = kName;
  for (auto _ : state) {
    const auto found = callbacks.find(name);
    for (const auto& callback : found->second) callback(&count);
  }
  benchmark::DoNotOptimize(count);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(StdFunctionThroughHashMap)->Arg(1)->Arg(10)->Arg(100);

// Grows the process's name table to at least count names.
void InternNames(int64_t count) {
  for (int64_t i = 0; static_cast<int64_t>(GetNotificationNameTable().GetCount()) < count; ++i) {
    const std::string number = std::to_string(i);
    const std::u16string name = u"NID_BENCH_" + std::u16string(number.begin(), number.end());
    InternNotificationName(name.c_str());
  }
}

// Create from a literal (found by its text) and release, with the name table
// holding state.range(0) names. Pool on, as in the running program.
void CreateFromLiteral(benchmark::State& state) {
  InternNames(state.range(0));
  const PoolOn pool;
  const std::u16string literal = kName;  // not the table's address: found by text
  for (auto _ : state) benchmark::DoNotOptimize(LNotification::Create(literal.c_str()));
  state.counters["names"] = static_cast<double>(GetNotificationNameTable().GetCount());
}
BENCHMARK(CreateFromLiteral)->Arg(10)->Arg(1000)->Arg(5000);

// Create from a kept identifier (found by address) and release; range(0) 1
// with the spare pool, 0 without.
void CreateFromIdentifier(benchmark::State& state) {
  const PoolOn pool(state.range(0) != 0);
  const RCPtr<LRefCountedObject> payload(new LRefCountedObject);
  for (auto _ : state) benchmark::DoNotOptimize(LNotification::Create(KeptName(), payload));
}
BENCHMARK(CreateFromIdentifier)->ArgName("pool")->Arg(0)->Arg(1);

// The spare pool growing by state.range(0) notifications released together
// and shrinking as many are made again.
void SparePoolGrowAndShrink(benchmark::State& state) {
  const PoolOn pool;
  std::vector<RCPtr<LNotification>> live(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    for (auto& notification : live) notification = LNotification::Create(KeptName());
    for (auto& notification : live) notification = nullptr;
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(SparePoolGrowAndShrink)->Arg(1000);

// The same number of counted pointers through a std::vector that grows and
// shrinks one item at a time (objects made beforehand).
void StdVectorGrowAndShrink(benchmark::State& state) {
  std::vector<RCPtr<LRefCountedObject>> objects;
  for (int64_t i = 0; i < state.range(0); ++i) objects.emplace_back(new LRefCountedObject);
  std::vector<RCPtr<LRefCountedObject>> list;
  for (auto _ : state) {
    for (const auto& object : objects) list.push_back(object);
    while (!list.empty()) list.pop_back();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(StdVectorGrowAndShrink)->Arg(1000);

// What the busy lists were before: a reference array growing by one slot.
void StepOneArrayGrowAndShrink(benchmark::State& state) {
  std::vector<RCPtr<LRefCountedObject>> objects;
  for (int64_t i = 0; i < state.range(0); ++i) objects.emplace_back(new LRefCountedObject);
  RCPtrArray<LRefCountedObject, 1, 0> list;
  RCPtr<LRefCountedObject> out;
  for (auto _ : state) {
    for (const auto& object : objects) list.AddItem(object);
    while (list.RemoveLastItem(out) >= 0) out = nullptr;
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(StepOneArrayGrowAndShrink)->Arg(1000);

// Registering state.range(0) clients for one name, then unregistering them
// (the registration records grow and shrink).
void RegisterAndUnregisterClients(benchmark::State& state) {
  const RCPtr<LNotificationDistributor> distributor(new LNotificationDistributor);
  std::vector<RCPtr<CountingClient>> clients;
  for (int64_t i = 0; i < state.range(0); ++i) clients.emplace_back(new CountingClient);
  for (auto _ : state) {
    for (const auto& client : clients) client->RegisterNotification(distributor, KeptName());
    for (auto client = clients.rbegin(); client != clients.rend(); ++client)
      (*client)->UnregisterNotification(distributor, KeptName());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(RegisterAndUnregisterClients)->Arg(10)->Arg(1000);

// One thread posts to a centre, this thread drains it to one client. The
// poster keeps at most a few thousand notifications waiting.
void PostFromAnotherThreadAndDrain(benchmark::State& state) {
  const PoolOn pool;
  const RCPtr<LNotificationCenter> centre = LNotificationCenter::Create(u"bench");
  RCPtr<CountingClient> client(new CountingClient);
  client->RegisterNotification(centre, kName);
  std::atomic<bool> stop{false};
  std::thread poster([&] {
    while (!stop.load(std::memory_order_relaxed)) {
      if (centre->GetCount() > 4096) {
        std::this_thread::yield();
        continue;
      }
      centre->CreateAndPostNotification(KeptName());
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
