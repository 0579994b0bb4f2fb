#pragma once

#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>
#include <vector>

namespace HV {

// Where the table reader gets a font file's bytes: its size and ranges of it.
class FontByteSource {
 public:
  virtual ~FontByteSource() = default;
  virtual uint64_t GetSize() const = 0;
  // False when the range is not wholly inside the source or cannot be read.
  virtual bool Read(uint64_t offset, uint32_t length, uint8_t* out) const = 0;
};

// Bytes held in memory (not copied: they must outlive the source).
class MemoryFontBytes : public FontByteSource {
 public:
  MemoryFontBytes(const uint8_t* data, size_t size) : mData(data), mSize(size) {}
  uint64_t GetSize() const override { return mSize; }
  bool Read(uint64_t offset, uint32_t length, uint8_t* out) const override;

 private:
  const uint8_t* mData;
  size_t mSize;
};

// The names of one face of a font file: its index in the file (0 unless
// the file is a collection), its family and its subfamily.
struct FontFaceNames {
  int32_t faceIndex = 0;
  StringW family;
  StringW subfamily;
};

// Reads the family and subfamily names of every face of a TrueType font
// file or collection (".ttc") from its "name" table. Numbers are big-endian.
// Every offset and count is checked against the file's size: a damaged or
// truncated file gives the faces that could be read whole, never a read
// outside it. Faces without a family name are left out.
std::vector<FontFaceNames> ReadFontFaceNames(const FontByteSource& source);

}  // namespace HV
