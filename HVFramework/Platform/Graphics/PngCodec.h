#pragma once

// PNG images in and out of memory as 32-bit straight (not premultiplied)
// pixels in memory order blue, green, red, alpha. The one place that talks to
// libpng. Every function reports failure through its result and never throws
// or aborts: a file that libpng refuses (truncated, bad checksum, broken
// chunks) or whose header asks for more than kMaxPngPixels gives false.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace HV::Platform {

struct BgraImage {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> pixels;  // width * height * 4 bytes, rows top to bottom, no padding
};

// The largest image decoded (4096 x 4096): a header cannot make us allocate more.
inline constexpr uint64_t kMaxPngPixels = 4096ull * 4096ull;

// The largest PNG file read: room for the largest image stored without compression.
inline constexpr size_t kMaxPngFileBytes = 80u * 1024 * 1024;

bool DecodePng(const uint8_t* data, size_t size, BgraImage& out);
// path is UTF-8 and names a regular file (a FIFO or a device fails at once).
bool DecodePngFile(const std::string& path, BgraImage& out);

// Writes image as an 8-bit RGBA PNG (tests and tools make their images with it).
bool EncodePng(const BgraImage& image, std::vector<uint8_t>& out);

}  // namespace HV::Platform
