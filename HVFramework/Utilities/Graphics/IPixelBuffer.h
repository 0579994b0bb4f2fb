#pragma once

#include <cstdint>

namespace HV {

// IPixelBuffer: direct access to the pixels of an image: its size, the
// distance in bytes between rows, and the address of one pixel. An address
// outside the buffer is null, never a pointer past its end.
template <class T>
class IPixelBuffer {
 public:
  virtual ~IPixelBuffer() = default;

  virtual T GetWidth() const = 0;
  virtual T GetHeight() const = 0;
  virtual T GetStride() const = 0;
  // The pixel's address through GetPixelAddress (kept as its own entry, so a
  // buffer that forwards to another forwards both).
  virtual uint8_t* GetPixelPtr(T x, T y) const { return GetPixelAddress(x, y); }
  virtual uint8_t* GetPixelAddress(T x, T y) const = 0;
};

}  // namespace HV
