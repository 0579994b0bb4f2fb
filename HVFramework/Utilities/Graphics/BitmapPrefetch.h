#pragma once

#include "HVFramework/Utilities/Storage/StringT.h"

#include <functional>
#include <vector>

namespace HV {

namespace Platform {
struct BgraImage;
}

// BitmapPrefetch: decodes images on worker threads ahead of their first use,
// so that LBitmap::GetCachedBitmap finds the pixels ready instead of decoding
// them on the user-interface thread. A skin names its images long before a
// control draws them: decoding runs while the rest of the skin is read.
//
// A prefetched image waits for GetCachedBitmap of its name for as long as the
// prefetch that started it lives; GetCachedBitmap takes it, judges it as it
// judges its own decodes (an image that does not decode gives null) and
// caches it. What nobody took is dropped with the prefetch. A resource's
// bytes are read when the decode starts: one replaced meanwhile is read anew
// only once that prefetch is gone.
//
// User-interface thread only, like the bitmap cache; the workers touch
// nothing but their own bytes and result.
class BitmapPrefetch {
 public:
  // Decoding the image of a name: a resource's bytes are read when the task
  // is made, a file's when it runs.
  using DecodeTask = std::function<bool(Platform::BgraImage&)>;

  BitmapPrefetch() = default;
  // Drops what nobody took, waiting for the decodes still running.
  ~BitmapPrefetch();
  BitmapPrefetch(const BitmapPrefetch&) = delete;
  BitmapPrefetch& operator=(const BitmapPrefetch&) = delete;

  // Starts decoding the image of name ("::NAME" for a resource, else a file
  // path) unless it is cached, already being decoded, or a missing resource.
  void Add(const StringW& name);

  // The task that decodes the image of name; null for a missing resource.
  static DecodeTask MakeDecodeTask(const StringW& name);

  // For LBitmap: takes the prefetched decode of the image with that cache
  // key, waiting for it to end; false when none is waiting. decoded tells
  // whether it decoded, image holds its pixels.
  static bool Take(const StringW& cacheKey, bool& decoded, Platform::BgraImage& image);

 private:
  std::vector<StringW> mKeys;
};

}  // namespace HV
