#include "HVFramework/Utilities/Storage/GetBits.h"
#include "HVFramework/Utilities/Storage/PurgableObjectCache.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace HV {
namespace {

class Rendered : public virtual LRefCountedObject {
 public:
  explicit Rendered(int32_t id) : mID(id) {}
  int32_t mID;
};

int32_t IdOf(const int32_t& key) { return key; }
using Cache = PurgableObjectCache<Rendered, int32_t, int32_t, &IdOf, 8, &GetBits<8, 4, int32_t>>;

// Requests the object of id, making it when the slot is empty.
void Use(Cache& cache, int32_t id) {
  RCPtr<Rendered>& slot = cache.GetEntry(id, false);
  if (!slot) slot = RCPtr<Rendered>(new Rendered(id));
}

bool Holds(const Cache& cache, int32_t id) {
  const Cache::Entry* entry = cache.FindEntry(id);
  return entry && !entry->IsFree();
}

// Steps: a positive number uses that ID, a negative one releases it.
struct ReplacementCase {
  const char* name;
  std::vector<int32_t> steps;
  std::vector<int32_t> held;
  std::vector<int32_t> gone;
};

TEST(PurgableObjectCache, ReplacesTheFreeThenTheLeastRecentlyUsedEntry) {
  enum : int32_t { A = 0x10, B = 0x20, C = 0x30 };
  const ReplacementCase cases[] = {
      {"oldest goes", {A, B, C}, {B, C}, {A}},
      {"used again stays", {A, B, A, C}, {A, C}, {B}},
      {"free before in use", {A, B, -B, C}, {A, C}, {B}},
      {"free before older in use", {A, B, -A, A, -B, C}, {A, C}, {B}},
  };
  for (const ReplacementCase& c : cases) {
    SCOPED_TRACE(c.name);
    Cache cache(2);
    for (int32_t step : c.steps) {
      if (step > 0) Use(cache, step);
      else EXPECT_EQ(cache.Release(-step), 0);
    }
    for (int32_t id : c.held) EXPECT_TRUE(Holds(cache, id)) << id;
    for (int32_t id : c.gone) EXPECT_EQ(cache.FindEntry(id), nullptr) << id;
  }
}

TEST(PurgableObjectCache, ReleaseOfAnUnknownIDAnswersOne) {
  Cache cache(2);
  EXPECT_EQ(cache.Release(0x40), 1);
  Use(cache, 0x40);
  EXPECT_EQ(cache.Release(0x40), 0);
  EXPECT_NE(cache.FindEntry(0x40), nullptr);  // stays, free
  EXPECT_TRUE(cache.FindEntry(0x40)->IsFree());
}

TEST(PurgableObjectCache, ResetClearsThePresentEntry) {
  Cache cache(4);
  Use(cache, 0x10);
  Use(cache, 0x10);
  EXPECT_EQ(cache.FindEntry(0x10)->GetUses(), 2u);
  EXPECT_FALSE(cache.GetEntry(0x10, true));
  EXPECT_EQ(cache.FindEntry(0x10)->GetUses(), 1u);
}

// Each row: what is used before the purge, then what the purge clears.
TEST(PurgableObjectCache, PurgeReleasesWhatWasNotUsedSinceThePreviousPurge) {
  Cache cache(4);
  Use(cache, 0x10);  // clock 1
  Use(cache, 0x20);  // clock 2
  EXPECT_EQ(cache.PurgeSinceLastMark(), 0);  // mark 0: nothing is before it
  EXPECT_EQ(cache.GetPurgeMark(), 2u);
  Use(cache, 0x10);  // clock 3
  EXPECT_EQ(cache.PurgeSinceLastMark(), 2);  // the two never-used entries only; 0x20 sits at the mark
  EXPECT_TRUE(Holds(cache, 0x20));
  EXPECT_EQ(cache.PurgeSinceLastMark(), 3);  // 0x20 (2 < 3) and the never-used entries again
  EXPECT_FALSE(Holds(cache, 0x20));
  EXPECT_TRUE(Holds(cache, 0x10));  // used at the mark's clock value
  EXPECT_NE(cache.FindEntry(0x20), nullptr);
}

TEST(PurgableObjectCache, ACacheOfNoEntriesKeepsNothing) {
  Cache cache(0);
  Use(cache, 0x10);
  EXPECT_EQ(cache.FindEntry(0x10), nullptr);
}

}  // namespace
}  // namespace HV
