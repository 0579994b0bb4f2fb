#include "HVFramework/Platform/Graphics/PngCodec.h"

#include "HVFramework/Platform/Core/PosixFile.h"

#include <png.h>

#include <cstring>

namespace HV::Platform {
namespace {

// Finishes a read that png_image_begin_read_* started; always frees libpng's state.
bool FinishRead(png_image& image, BgraImage& out) {
  if (PNG_IMAGE_FAILED(image)) {
    png_image_free(&image);
    return false;
  }
  const uint64_t pixels = static_cast<uint64_t>(image.width) * image.height;
  if (image.width == 0 || image.height == 0 || pixels > kMaxPngPixels) {
    png_image_free(&image);
    return false;
  }
  image.format = PNG_FORMAT_BGRA;  // 8 bits a channel: straight alpha, never premultiplied
  std::vector<uint8_t> buffer(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, buffer.data(), 0, nullptr) || PNG_IMAGE_FAILED(image)) {
    png_image_free(&image);
    return false;
  }
  out.width = static_cast<int32_t>(image.width);
  out.height = static_cast<int32_t>(image.height);
  out.pixels = std::move(buffer);
  png_image_free(&image);
  return true;
}

}  // namespace

bool DecodePng(const uint8_t* data, size_t size, BgraImage& out) {
  if (!data || size == 0) return false;
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, data, size)) {
    png_image_free(&image);
    return false;
  }
  return FinishRead(image, out);
}

bool DecodePngFile(const std::string& path, BgraImage& out) {
  std::vector<uint8_t> bytes;
  return ReadWholeFile(path, kMaxPngFileBytes, bytes) && DecodePng(bytes.data(), bytes.size(), out);
}

bool EncodePng(const BgraImage& image, std::vector<uint8_t>& out) {
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != static_cast<size_t>(image.width) * image.height * 4)
    return false;
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.width);
  png.height = static_cast<png_uint_32>(image.height);
  png.format = PNG_FORMAT_BGRA;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&png, nullptr, &size, 0, image.pixels.data(), 0, nullptr)) {
    png_image_free(&png);
    return false;
  }
  out.resize(size);
  const bool written =
      png_image_write_to_memory(&png, out.data(), &size, 0, image.pixels.data(), 0, nullptr) != 0;
  png_image_free(&png);
  if (!written) return false;
  out.resize(size);
  return true;
}

}  // namespace HV::Platform
