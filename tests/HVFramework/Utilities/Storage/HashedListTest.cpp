#include "HVFramework/Utilities/Storage/GetBits.h"
#include "HVFramework/Utilities/Storage/HashedList.h"
#include "HVFramework/Utilities/Storage/RCPtrMap.h"
#include "tests/support/Probe.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace HV {
namespace {

struct Glyph {
  int32_t id;
  int32_t advance;
};
int32_t GlyphID(const Glyph& glyph) { return glyph.id; }

using GlyphList = HashedList<Glyph, int32_t, &GlyphID, 8, &GetBits<8, 4, int32_t>>;

TEST(HashedList, KeysSharingABucketStayApart) {
  GlyphList list;
  const int32_t a = 0x0120;
  const int32_t b = 0x7120;  // differs only above bit 11
  ASSERT_EQ((GetBits<8, 4, int32_t>(a)), (GetBits<8, 4, int32_t>(b)));
  EXPECT_TRUE(list.Add({a, 1}));
  EXPECT_TRUE(list.Add({b, 2}));
  EXPECT_EQ(list.GetCount(), 2u);
  EXPECT_EQ(list.GetBucketLength(GetBits<8, 4, int32_t>(a)), 2u);
  EXPECT_EQ(list.Lookup(a)->advance, 1);
  EXPECT_EQ(list.Lookup(b)->advance, 2);
  EXPECT_TRUE(list.Remove(a));
  EXPECT_FALSE(list.Remove(a));
  EXPECT_EQ(list.Lookup(a), nullptr);
  EXPECT_EQ(list.Lookup(b)->advance, 2);
  EXPECT_EQ(list.GetCount(), 1u);
}

TEST(HashedList, AddingAPresentKeyReplacesItsElement) {
  GlyphList list;
  Glyph fallback{0, -1};
  EXPECT_EQ(list.Lookup(5, &fallback), &fallback);
  EXPECT_TRUE(list.Add({5, 1}));
  EXPECT_FALSE(list.Add({5, 9}));
  EXPECT_EQ(list.GetCount(), 1u);
  EXPECT_EQ(list.Lookup(5)->advance, 9);
  list.RemoveAll();
  EXPECT_EQ(list.GetCount(), 0u);
  EXPECT_EQ(list.Lookup(5), nullptr);
}

TEST(HashedList, NegativeKeysHashWithoutOverflow) {
  GlyphList list;
  EXPECT_TRUE(list.Add({-1, 3}));
  EXPECT_TRUE(list.Add({INT32_MIN, 4}));
  EXPECT_EQ(list.Lookup(-1)->advance, 3);
  EXPECT_EQ(list.Lookup(INT32_MIN)->advance, 4);
}

TEST(HashedList, PairsOfAnIntKeyedListAllReadAsTheKeyType) {
  GlyphList::Pair first(1, {1, 0});
  GlyphList::Pair second(2, {2, 0});
  EXPECT_EQ(first.ToString(), second.ToString());
  EXPECT_TRUE(first.ToString() == u"int");
}

// Counted elements: replacing one releases the old and holds the new.

TEST(HashedList, ReplacingACountedElementReleasesTheOldOne) {
  std::vector<std::string> log;
  HashedList<RCPtr<HV::Test::Probe>, int, [](const RCPtr<HV::Test::Probe>&) { return 7; }, 8, &GetBits<8, 0, int>>
      list;
  RCPtr<HV::Test::Probe> second(new HV::Test::Probe(log));
  list.Add(RCPtr<HV::Test::Probe>(new HV::Test::Probe(log)));
  list.Add(second);
  EXPECT_EQ(std::count(log.begin(), log.end(), "gone"), 1);
  EXPECT_EQ(second->GetRefCount(), 2);
  EXPECT_EQ(list.Lookup(7)->Get(), second.Get());
}

class Font : public virtual LRefCountedObject {};
class FontFile : public virtual LRefCountedObject {};

TEST(RCPtrMap, MapsKeyObjectsByIdentity) {
  RCPtrMap<Font, FontFile> map;
  ConstRCPtr<Font> a(new Font());
  ConstRCPtr<Font> b(new Font());
  RCPtr<FontFile> file(new FontFile());
  EXPECT_FALSE(map.Get(a));
  EXPECT_FALSE(map.FindPair(a));
  EXPECT_TRUE(map.Set(a, file));
  EXPECT_FALSE(map.Set(a, file));
  EXPECT_TRUE(map.Set(b, RCPtr<FontFile>(new FontFile())));
  EXPECT_EQ(map.GetCount(), 2u);
  EXPECT_EQ(map.Get(a).Get(), file.Get());
  EXPECT_EQ(map.FindPair(a)->GetKey().Get(), a.Get());
  EXPECT_EQ(a->GetRefCount(), 2);  // the map holds the key
  EXPECT_EQ(file->GetRefCount(), 2);
  EXPECT_TRUE(map.Remove(a));
  EXPECT_FALSE(map.Get(a));
  EXPECT_EQ(a->GetRefCount(), 1);
  EXPECT_EQ(file->GetRefCount(), 1);
  EXPECT_TRUE(map.Get(b));
}

}  // namespace
}  // namespace HV
