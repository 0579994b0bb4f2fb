#include "HVFramework/Utilities/Storage/BufferT.h"
#include "HVFramework/Utilities/Storage/LBufferT.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace HV {
namespace {

// An allocator that counts reallocations and can be told to run dry.
struct CountingAllocator final : IAllocator {
  int reallocations = 0;
  bool dry = false;
  void* Allocate(size_t bytes) override { return dry ? nullptr : GetSystemAllocator()->Allocate(bytes); }
  void* AllocateZeroed(size_t n, size_t size) override { return GetSystemAllocator()->AllocateZeroed(n, size); }
  void* Reallocate(void* block, size_t bytes) override {
    ++reallocations;
    return dry ? nullptr : GetSystemAllocator()->Reallocate(block, bytes);
  }
  void Free(void* block) override { GetSystemAllocator()->Free(block); }
};

CountingAllocator gCounting;
IAllocator* GetCounting() { return &gCounting; }

struct SizeStep {
  uint32_t size;
  uint32_t capacity;  // expected after SetSize(size)
};

template <class Buffer>
void RunSteps(Buffer& buffer, const std::vector<SizeStep>& steps) {
  for (const SizeStep& step : steps) {
    SCOPED_TRACE(step.size);
    EXPECT_EQ(buffer.SetSize(step.size), step.size);
    EXPECT_EQ(buffer.GetSize(), step.size);
    EXPECT_EQ(buffer.GetCapacity(), step.capacity);
  }
}

TEST(BufferT, CapacityFollowsGranularityAndThreshold) {
  {
    BufferT<4, 0, 8, char*> words;
    EXPECT_EQ(words.Allocate(10), 10u);
    EXPECT_EQ(words.GetCapacity(), 12u);
    RunSteps(words, {{12, 12}, {13, 16}, {8, 8}, {6, 8}, {5, 8}, {4, 4}, {0, 0}});
  }
  {
    BufferT<1, 128, 8, char*> text;
    text.Allocate(300);
    RunSteps(text, {{200, 300}, {171, 171}, {43, 171}, {42, 42}, {0, 42}});
  }
  {
    BufferT<1, 0, 8, char*> bytes;
    RunSteps(bytes, {{5, 5}, {9, 9}, {3, 3}, {0, 0}});
    EXPECT_EQ(bytes.GetData(), nullptr);
  }
}

TEST(BufferT, GrowthByOneReallocatesEveryTime) {
  gCounting.reallocations = 0;
  BufferT<4, 0, 8, char*, GetCounting> buffer;
  buffer.SetSize(4);
  for (uint32_t size = 5; size <= 12; ++size) buffer.SetSize(size);
  EXPECT_EQ(gCounting.reallocations, 2);  // 4 -> 8 -> 12
}

TEST(BufferT, ReserveBeyondTheThresholdIsGivenBackAtOnce) {
  BufferT<1, 128, 8, char*> buffer(5, 1000);
  EXPECT_EQ(buffer.GetCapacity(), 5u);
  BufferT<1, 128, 8, char*> kept(5, 100);
  EXPECT_EQ(kept.GetCapacity(), 100u);
}

TEST(BufferT, AllocateWithTheSameCapacityKeepsTheBlock) {
  BufferT<4, 0, 8, char*> buffer;
  buffer.Allocate(7);
  char* block = buffer.GetData();
  buffer.Allocate(8);
  EXPECT_EQ(buffer.GetData(), block);
  buffer.Allocate(0);
  EXPECT_EQ(buffer.GetData(), nullptr);
  EXPECT_EQ(buffer.GetCapacity(), 0u);
}

TEST(BufferT, RunningOutOfMemoryLeavesTheBufferAsItWas) {
  BufferT<4, 0, 8, char*, GetCounting> buffer;
  buffer.SetSize(8);
  std::memcpy(buffer.GetData(), "12345678", 8);
  gCounting.dry = true;
  EXPECT_THROW(buffer.SetSize(100), std::bad_alloc);
  EXPECT_THROW(buffer.Allocate(100), std::bad_alloc);
  gCounting.dry = false;
  EXPECT_EQ(buffer.GetSize(), 8u);
  EXPECT_EQ(buffer.GetCapacity(), 8u);
  EXPECT_EQ(std::memcmp(buffer.GetData(), "12345678", 8), 0);
}

TEST(BufferT, FillChecksItsRange) {
  BufferT<1, 0, 8, char*> buffer;
  buffer.SetSize(7);
  struct FillCase {
    uint32_t offset;
    int32_t count;
    HResult result;
  };
  const FillCase cases[] = {
      {7, -1, S_OK}, {8, -1, E_INVALIDARG}, {0, 8, E_INVALIDARG}, {0, 7, S_OK},
      {3, 4, S_OK},  {3, 5, E_INVALIDARG}, {0xFFFFFFFFu, 2, E_INVALIDARG}, {2, 0x7FFFFFFF, E_INVALIDARG},
  };
  for (const FillCase& c : cases) {
    SCOPED_TRACE(c.offset);
    EXPECT_EQ(buffer.Fill(0x1AB, c.offset, c.count), c.result);
  }
  EXPECT_EQ(static_cast<unsigned char>(buffer.GetData()[6]), 0xABu);
}

TEST(BufferT, FillWordsToTheEndCoversWholeUnits) {
  BufferT<1, 0, 8, char*> buffer;
  buffer.SetSize(7);
  buffer.Fill(0, 0, -1);
  EXPECT_EQ(buffer.FillWords(0xBEEF, 0, -1), S_OK);
  const unsigned char expected[7] = {0xEF, 0xBE, 0xEF, 0xBE, 0xEF, 0xBE, 0x00};
  EXPECT_EQ(std::memcmp(buffer.GetData(), expected, 7), 0);
  EXPECT_EQ(buffer.FillWords(0, 2, 2), S_OK);
  EXPECT_EQ(buffer.FillWords(0, 2, 3), E_INVALIDARG);
  EXPECT_EQ(buffer.FillWords(0, 8, -1), E_INVALIDARG);
}

TEST(IBuffer, PointerAtIsNullOutsideTheData) {
  BufferT<1, 0, 8, char*> buffer;
  EXPECT_EQ(buffer.GetPointerAt(0), nullptr);
  buffer.SetSize(3);
  EXPECT_EQ(buffer.GetPointerAt(2), buffer.GetData() + 2);
  EXPECT_EQ(buffer.GetPointerAt(3), nullptr);
  EXPECT_EQ(buffer.GetPointerAt(0xFFFFFFFFu), nullptr);
}

TEST(LBufferT, CopyRangeZeroFillsWhatLiesPastTheEnd) {
  RCPtr<LIBuffer> source = LByteBuffer::Create(10);
  std::memcpy(source->GetData(), "0123456789", 10);
  const unsigned char tail[8] = {'7', '8', '9', 0, 0, 0, 0, 0};
  const unsigned char zeros[8] = {};
  RCPtr<LIBuffer> part = source->CopyRange(8, 7);
  ASSERT_EQ(part->GetSize(), 8u);
  EXPECT_EQ(std::memcmp(part->GetData(), tail, 8), 0);
  RCPtr<LIBuffer> past = source->CopyRange(8, 10);
  EXPECT_EQ(std::memcmp(past->GetData(), zeros, 8), 0);
  RCPtr<LIBuffer> far = source->CopyRange(8, 0xFFFFFFF0u);
  EXPECT_EQ(std::memcmp(far->GetData(), zeros, 8), 0);
}

TEST(LBufferT, CreateCopyIsAnEqualShareableBuffer) {
  RCPtr<LIBuffer> source = LFileBuffer::Create(3);
  std::memcpy(source->GetData(), "abc", 3);
  RCPtr<LRefCountedObject> copy = source->CreateCopy();
  auto* buffer = dynamic_cast<LIBuffer*>(copy.Get());
  ASSERT_NE(buffer, nullptr);
  EXPECT_NE(buffer, source.Get());
  EXPECT_EQ(buffer->GetSize(), 3u);
  EXPECT_EQ(buffer->GetCapacity(), 512u);
  EXPECT_EQ(std::memcmp(buffer->GetData(), "abc", 3), 0);
  EXPECT_TRUE(buffer->IsShareable());
}

}  // namespace
}  // namespace HV
