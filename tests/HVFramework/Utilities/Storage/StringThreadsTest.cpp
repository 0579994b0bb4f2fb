#include "HVFramework/Utilities/Storage/StringT.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace HV;

// Strings sharing one buffer live on many threads: copies, comparisons and
// private changes touch only the counted reference, never the shared text.
TEST(StringTThreads, CopiesOfOneStringChangeIndependentlyOnManyThreads) {
  const StringW shared(u"shared text");
  std::vector<std::thread> threads;
  std::vector<int> mismatches(8, 0);
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([&shared, &mismatch = mismatches[t], t] {
      for (int i = 0; i < 2000; ++i) {
        StringW copy(shared);
        if (!(copy == shared) || copy.GetText() != shared.GetText()) ++mismatch;
        copy += StringW::FromFormat(u" %d", t);
        if (!(copy.Left(11) == shared) || shared.GetLength() != 11) ++mismatch;
        StringW empty;  // every thread shares the one empty buffer too
        if (!empty.IsEmpty()) ++mismatch;
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (int mismatch : mismatches) EXPECT_EQ(mismatch, 0);
  EXPECT_EQ(shared, u"shared text");
  EXPECT_EQ(shared.GetBuffer()->GetRefCount(), 1);
}
