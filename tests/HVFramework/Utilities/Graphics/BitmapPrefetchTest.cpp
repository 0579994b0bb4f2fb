#include "HVFramework/Utilities/Graphics/BitmapPrefetch.h"

#include "HVFramework/Platform/Graphics/PngCodec.h"
#include "HVFramework/Utilities/Graphics/LBitmap.h"
#include "tests/support/TestImages.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace HV {
namespace {

// An image of width x 1 whose pixel x is blue x, green 7, red 9, alpha 255.
std::vector<uint8_t> Png(int32_t width) {
  Platform::BgraImage image{width, 1, {}};
  for (int32_t x = 0; x < width; ++x) image.pixels.insert(image.pixels.end(), {static_cast<uint8_t>(x), 7, 9, 255});
  std::vector<uint8_t> png;
  EXPECT_TRUE(Platform::EncodePng(image, png));
  return png;
}

// The decodes run on worker threads: these tests also run under ThreadSanitizer.
class BitmapPrefetchThreads : public ::testing::Test {
 protected:
  void Register(const std::string& name, std::vector<uint8_t> bytes) { mImages.Register(name, std::move(bytes)); }

  HV::Test::RegisteredImages mImages;
};

TEST_F(BitmapPrefetchThreads, APrefetchedImageIsJudgedAndCachedAsADirectLoadIs) {
  const std::vector<uint8_t> good = Png(5);
  struct Case {
    const char* resource;
    const char16_t* name;
    std::vector<uint8_t> bytes;
    int32_t width;  // 0: GetCachedBitmap gives null
  } const cases[] = {
      {"GOOD_PNG", u"::Good.png", good, 5},
      {"TRUNCATED_PNG", u"::truncated.png", {good.begin(), good.begin() + static_cast<ptrdiff_t>(good.size() / 2)}, 0},
      {"NOTPNG_PNG", u"::NotPng.png", {'n', 'o', 't'}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.resource);
    Register(c.resource, c.bytes);
    const StringW name(c.name);
    BitmapPrefetch prefetch;
    prefetch.Add(name);
    const RCPtr<LBitmap> bitmap = LBitmap::GetCachedBitmap(name);
    if (c.width == 0) {
      EXPECT_FALSE(bitmap);
      EXPECT_FALSE(LBitmap::IsCached(LBitmap::CacheKeyOf(name)));
      continue;
    }
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->GetWidth(), c.width);
    constexpr float k = 1.0f / 255.0f;
    EXPECT_EQ(bitmap->GetPixel(3, 0), (Color{9 * k, 7 * k, 3 * k, 1}));
    EXPECT_EQ(LBitmap::GetCachedBitmap(name).Get(), bitmap.Get());
  }
}

// Which bytes a later GetCachedBitmap decodes when the resource is replaced
// (6 pixels wide before, 9 after) around a prefetch.
TEST_F(BitmapPrefetchThreads, ABitmapDecodesTheBytesOfItsPrefetchOnlyWhileThatLives) {
  struct Case {
    const char* name;
    bool cachedBefore;      // a bitmap of the old bytes is held while the prefetch is added
    bool prefetchGoneFirst;  // the prefetch ends before the bitmap is asked for
    int32_t width;
  } const cases[] = {
      {"taken while the prefetch lives: the bytes read when it started", false, false, 6},
      {"asked for after the prefetch ended: its decode was dropped", false, true, 9},
      {"already cached: nothing was started", true, false, 9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Register("SWAP_PNG", Png(6));
    RCPtr<LBitmap> held = c.cachedBefore ? LBitmap::GetCachedBitmap(u"::swap.png") : nullptr;
    auto prefetch = std::make_unique<BitmapPrefetch>();
    prefetch->Add(u"::Swap.png");
    Register("SWAP_PNG", Png(9));
    held = nullptr;  // the old bitmap leaves the cache
    if (c.prefetchGoneFirst) prefetch = nullptr;
    const RCPtr<LBitmap> bitmap = LBitmap::GetCachedBitmap(u"::SWAP.PNG");
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->GetWidth(), c.width);
  }
}

TEST_F(BitmapPrefetchThreads, AMissingResourceStartsNothingAndIsFoundOnceRegistered) {
  BitmapPrefetch prefetch;
  prefetch.Add(u"::Later.png");
  EXPECT_FALSE(LBitmap::GetCachedBitmap(u"::Later.png"));
  Register("LATER_PNG", Png(4));
  const RCPtr<LBitmap> later = LBitmap::GetCachedBitmap(u"::later.png");
  ASSERT_TRUE(later);
  EXPECT_EQ(later->GetWidth(), 4);
}

}  // namespace
}  // namespace HV
