#include "HVFramework/Utilities/Graphics/LBitmap.h"

#include "HVFramework/Platform/Graphics/PngCodec.h"
#include "HVFramework/Utilities/Graphics/BitmapPrefetch.h"
#include "HVFramework/Utilities/Graphics/LBitmapData.h"
#include "HVFramework/Utilities/Storage/Utf8Text.h"

#include <filesystem>
#include <map>
#include <string>
#include <system_error>

namespace HV {
namespace {

constexpr char16_t kResourcePrefix[] = u"::";

using BitmapCache = std::map<StringW, RCPtr<LBitmap>>;

BitmapCache& Cache() {
  static BitmapCache cache;
  return cache;
}

bool IsResourceName(const StringW& name) { return name.Left(2) == kResourcePrefix; }


// The canonical form of a file path, its case kept (Linux paths are
// case-sensitive); the path as given when it cannot be resolved.
StringW CanonicalPath(const StringW& path) {
  std::error_code error;
  const std::filesystem::path canonical = std::filesystem::weakly_canonical(ToUtf8(path), error);
  if (error) return path;
  return StringW(canonical.string().c_str());
}

}  // namespace

LBitmap::LBitmap(const StringW& name, const StringW& cacheKey) : mName(name), mCacheKey(cacheKey) { Load(); }

LBitmap::LBitmap(std::unique_ptr<BitmapImage> image)
    : mRect{0, 0, image->GetWidth(), image->GetHeight()}, mImage(std::move(image)) {}

LBitmap::LBitmap(const RCPtr<LBitmap>& root, const RectT<int32_t>& rect)
    : mRect(rect), mParent(root), mName(root->mName) {}

LBitmap::~LBitmap() = default;

void LBitmap::Load() {
  Platform::BgraImage decoded;
  bool loaded = false;
  if (mCacheKey.IsEmpty() || !BitmapPrefetch::Take(mCacheKey, loaded, decoded))
    if (const BitmapPrefetch::DecodeTask decode = BitmapPrefetch::MakeDecodeTask(mName)) loaded = decode(decoded);
  if (!loaded) return;
  mImage = std::make_unique<BitmapImage>(decoded.width, decoded.height, std::move(decoded.pixels));
  mRect = {0, 0, mImage->GetWidth(), mImage->GetHeight()};
}

StringW LBitmap::CacheKeyOf(const StringW& name) {
  return IsResourceName(name) ? name.ToUpper() : CanonicalPath(name);
}

bool LBitmap::IsCached(const StringW& cacheKey) { return Cache().contains(cacheKey); }

RCPtr<LBitmap> LBitmap::GetCachedBitmap(const StringW& name) {
  const StringW key = CacheKeyOf(name);
  BitmapCache& cache = Cache();
  if (auto found = cache.find(key); found != cache.end()) return found->second;

  RCPtr<LBitmap> bitmap(new LBitmap(name, key));
  if (!bitmap->HasImage()) return nullptr;
  cache.emplace(key, bitmap);
  bitmap->AddInternalReferences(1);
  return bitmap;
}

HResult LBitmap::ReleaseInternalReferences() {
  if (!mCacheKey.IsEmpty()) {
    BitmapCache& cache = Cache();
    if (auto found = cache.find(mCacheKey); found != cache.end() && found->second.Get() == this) {
      cache.erase(found);
      AddInternalReferences(-1);
    }
  }
  return (GetInternalRefCount() == 0 && GetRefCount() == 1) ? S_OK : E_FAIL;
}

BitmapImage* LBitmap::GetGdiplusBitmap() const {
  if (mImage) return mImage.get();
  return mParent ? mParent->GetGdiplusBitmap() : nullptr;
}

RCPtr<LBitmap> LBitmap::CreateSubBitmap(double x, double y, double width, double height) {
  if (width <= 0 || height <= 0) {
    x = 0;
    y = 0;
    width = mRect.width;
    height = mRect.height;
  }
  const RectT<int32_t> rect = RectT<double>{mRect.x + x, mRect.y + y, width, height}.Round();
  return RCPtr<LBitmap>(new LBitmap(mParent ? mParent : RCPtr<LBitmap>(this), rect));
}

RCPtr<LBitmap> LBitmap::CreateIndependentCopy() const {
  const BitmapImage* image = GetGdiplusBitmap();
  if (!image) return nullptr;
  std::unique_ptr<BitmapImage> copy = image->Clone(mRect);
  if (!copy) return nullptr;
  return RCPtr<LBitmap>(new LBitmap(std::move(copy)));
}

Color LBitmap::GetPixel(int32_t x, int32_t y) const {
  const BitmapImage* image = GetGdiplusBitmap();
  uint32_t argb = 0;
  // Summed in 64 bits: an offset near the integer limits must not wrap into the image.
  const int64_t rootX = int64_t{x} + mRect.x;
  const int64_t rootY = int64_t{y} + mRect.y;
  if (!image || rootX < 0 || rootY < 0 || rootX > INT32_MAX || rootY > INT32_MAX ||
      !image->GetPixel(static_cast<int32_t>(rootX), static_cast<int32_t>(rootY), argb))
    return Color{};
  return Color{}.SetARGB(argb);
}

RCPtr<LBitmapData> LBitmap::CreateBitmapData() {
  if (!GetGdiplusBitmap()) return nullptr;
  RCPtr<LBitmapData> data(new LBitmapData(*this));
  if (!data->IsLocked()) return nullptr;
  return data;
}

}  // namespace HV
