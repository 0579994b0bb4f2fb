#include "HVFramework/Utilities/Graphics/BitmapPrefetch.h"

#include "HVFramework/Platform/Graphics/PngCodec.h"
#include "HVFramework/Platform/Graphics/Resources.h"
#include "HVFramework/Utilities/Graphics/LBitmap.h"

#include <future>
#include <map>
#include <string>
#include <system_error>
#include <utility>

namespace HV {
namespace {

constexpr char kImageResourceType[] = "GDIPLUS";

struct Decoded {
  bool isDecoded = false;
  Platform::BgraImage image;
};

struct PendingDecode {
  const BitmapPrefetch* owner;
  std::future<Decoded> result;
};

// The decodes started and not yet taken, by cache key. Never destroyed: a
// prefetch that outlives the program's static objects still finds it.
std::map<StringW, PendingDecode>& Pending() {
  static auto& pending = *new std::map<StringW, PendingDecode>;
  return pending;
}

std::string ToUtf8(const StringW& text) { return std::string(text.ToCharString().GetText()); }

}  // namespace

BitmapPrefetch::~BitmapPrefetch() {
  std::map<StringW, PendingDecode>& pending = Pending();
  for (const StringW& key : mKeys)
    if (auto found = pending.find(key); found != pending.end() && found->second.owner == this) pending.erase(found);
}

BitmapPrefetch::DecodeTask BitmapPrefetch::MakeDecodeTask(const StringW& name) {
  if (!(name.Left(2) == u"::")) {
    return [path = ToUtf8(name)](Platform::BgraImage& image) { return Platform::DecodePngFile(path, image); };
  }
  // "::ce.png" is the resource "CE_PNG": the table normalises the name.
  std::vector<uint8_t> bytes;
  if (!Platform::LoadResource(kImageResourceType, ToUtf8(name.SubString(2)), bytes)) return nullptr;
  return [bytes = std::move(bytes)](Platform::BgraImage& image) {
    return Platform::DecodePng(bytes.data(), bytes.size(), image);
  };
}

void BitmapPrefetch::Add(const StringW& name) {
  const StringW key = LBitmap::CacheKeyOf(name);
  std::map<StringW, PendingDecode>& pending = Pending();
  if (LBitmap::IsCached(key) || pending.contains(key)) return;
  DecodeTask task = MakeDecodeTask(name);
  if (!task) return;
  std::future<Decoded> result;
  try {
    result = std::async(std::launch::async, [task = std::move(task)] {
      Decoded decoded;
      decoded.isDecoded = task(decoded.image);
      return decoded;
    });
  } catch (const std::system_error&) {
    return;  // no thread to spare: the image is decoded when first asked for
  }
  pending.emplace(key, PendingDecode{this, std::move(result)});
  mKeys.push_back(key);
}

bool BitmapPrefetch::Take(const StringW& cacheKey, bool& decoded, Platform::BgraImage& image) {
  std::map<StringW, PendingDecode>& pending = Pending();
  auto found = pending.find(cacheKey);
  if (found == pending.end()) return false;
  Decoded result = found->second.result.get();
  pending.erase(found);
  decoded = result.isDecoded;
  image = std::move(result.image);
  return true;
}

}  // namespace HV
