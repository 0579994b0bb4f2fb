// Appending and inserting at the front: the framework's arrays against std::vector.
#include "HVFramework/Utilities/Storage/Array.h"
#include "HVFramework/Utilities/Storage/ArrayBuffer.h"
#include "HVFramework/Utilities/Storage/RCPtrArray.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

class Counted : public virtual HV::LRefCountedObject {};

constexpr int kItems = 1000;

void VectorAppend(benchmark::State& state) {
  for (auto _ : state) {
    std::vector<uint32_t> items;
    for (uint32_t i = 0; i < kItems; ++i) items.push_back(i);
    benchmark::DoNotOptimize(items.data());
  }
}
BENCHMARK(VectorAppend);

void ArrayAppend(benchmark::State& state) {
  for (auto _ : state) {
    HV::Array<uint32_t> items;
    for (uint32_t i = 0; i < kItems; ++i) items.AddItem(i);
    benchmark::DoNotOptimize(items.GetData());
  }
}
BENCHMARK(ArrayAppend);

template <uint32_t Granularity, uint32_t Slack>
void ArrayBufferAppend(benchmark::State& state) {
  for (auto _ : state) {
    HV::ArrayBuffer<uint32_t, Granularity, Slack> items;
    for (uint32_t i = 0; i < kItems; ++i) items.AddItem(i);
    benchmark::DoNotOptimize(items.GetData());
  }
}
BENCHMARK(ArrayBufferAppend<1, 0>);
BENCHMARK(ArrayBufferAppend<32, 1600>);

void VectorInsertFront(benchmark::State& state) {
  for (auto _ : state) {
    std::vector<uint32_t> items;
    for (uint32_t i = 0; i < kItems; ++i) items.insert(items.begin(), i);
    benchmark::DoNotOptimize(items.data());
  }
}
BENCHMARK(VectorInsertFront);

void ArrayInsertFront(benchmark::State& state) {
  for (auto _ : state) {
    HV::Array<uint32_t> items;
    for (uint32_t i = 0; i < kItems; ++i) items.InsertItem(0, i);
    benchmark::DoNotOptimize(items.GetData());
  }
}
BENCHMARK(ArrayInsertFront);

void ArrayBufferInsertFront(benchmark::State& state) {
  for (auto _ : state) {
    HV::ArrayBuffer<uint32_t, 32, 1600> items;
    for (uint32_t i = 0; i < kItems; ++i) items.InsertItem(0, i);
    benchmark::DoNotOptimize(items.GetData());
  }
}
BENCHMARK(ArrayBufferInsertFront);

void VectorOfCountedAppend(benchmark::State& state) {
  HV::RCPtr<Counted> object(new Counted());
  for (auto _ : state) {
    std::vector<HV::RCPtr<Counted>> items;
    for (int i = 0; i < kItems; ++i) items.push_back(object);
    benchmark::DoNotOptimize(items.data());
  }
}
BENCHMARK(VectorOfCountedAppend);

template <uint32_t Granularity, uint32_t Slack>
void RCPtrArrayAppend(benchmark::State& state) {
  HV::RCPtr<Counted> object(new Counted());
  for (auto _ : state) {
    HV::RCPtrArray<Counted, Granularity, Slack> items;
    for (int i = 0; i < kItems; ++i) items.AddItem(object);
    benchmark::DoNotOptimize(items.GetData());
  }
}
BENCHMARK(RCPtrArrayAppend<1, 0>);
BENCHMARK(RCPtrArrayAppend<256, 256>);

}  // namespace
