#include "HVFramework/Renderer/FontCatalogue/FontFileTables.h"

#include <cstring>
#include <optional>
#include <string>

namespace HV {

namespace {

// More faces than any real collection holds: a header claiming more is damaged.
constexpr uint32_t kMaxFaces = 1024;

constexpr uint32_t Tag(const char (&text)[5]) {
  return uint32_t(uint8_t(text[0])) << 24 | uint32_t(uint8_t(text[1])) << 16 |
         uint32_t(uint8_t(text[2])) << 8 | uint8_t(text[3]);
}

// Big-endian reads that fail (nullopt) outside the source.
class Reader {
 public:
  explicit Reader(const FontByteSource& source) : mSource(source) {}

  std::optional<uint32_t> U32(uint64_t offset) const {
    uint8_t b[4];
    if (!mSource.Read(offset, 4, b)) return std::nullopt;
    return uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | b[3];
  }
  std::optional<uint16_t> U16(uint64_t offset) const {
    uint8_t b[2];
    if (!mSource.Read(offset, 2, b)) return std::nullopt;
    return static_cast<uint16_t>(b[0] << 8 | b[1]);
  }
  bool Bytes(uint64_t offset, uint32_t length, std::string& out) const {
    out.resize(length);
    return length == 0 || mSource.Read(offset, length, reinterpret_cast<uint8_t*>(out.data()));
  }
  uint64_t Size() const { return mSource.GetSize(); }

 private:
  const FontByteSource& mSource;
};

struct TableRange {
  uint64_t offset = 0;
  uint32_t length = 0;
};

// The "name" table of the face whose offset table starts at faceOffset.
std::optional<TableRange> FindNameTable(const Reader& reader, uint64_t faceOffset) {
  const auto numTables = reader.U16(faceOffset + 4);
  if (!numTables) return std::nullopt;
  const uint64_t records = faceOffset + 12;
  if (records + uint64_t{*numTables} * 16 > reader.Size()) return std::nullopt;
  for (uint32_t i = 0; i < *numTables; ++i) {
    const uint64_t record = records + uint64_t{i} * 16;
    const auto tag = reader.U32(record);
    if (!tag || *tag != Tag("name")) continue;
    const auto offset = reader.U32(record + 8), length = reader.U32(record + 12);
    if (!offset || !length || uint64_t{*offset} + *length > reader.Size()) return std::nullopt;
    return TableRange{*offset, *length};
  }
  return std::nullopt;
}

StringW DecodeName(const std::string& bytes, uint16_t platform) {
  std::u16string text;
  if (platform == 3) {  // UTF-16 big-endian; an odd last byte is dropped
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
      text.push_back(static_cast<char16_t>(uint8_t(bytes[i]) << 8 | uint8_t(bytes[i + 1])));
  } else {  // one byte a character
    for (char c : bytes) text.push_back(static_cast<char16_t>(uint8_t(c)));
  }
  // A name ends at its first NUL, as a C string would.
  return StringW(text.c_str(), static_cast<int32_t>(std::char_traits<char16_t>::length(text.c_str())));
}

// The first family (name id 1) and subfamily (2) of Macintosh English or
// Windows US-English records.
void ReadNames(const Reader& reader, const TableRange& table, FontFaceNames& face) {
  const auto count = reader.U16(table.offset + 2), stringOffset = reader.U16(table.offset + 4);
  if (!count || !stringOffset) return;
  const uint64_t tableEnd = table.offset + table.length;
  if (table.offset + 6 + uint64_t{*count} * 12 > tableEnd) return;
  bool hasFamily = false, hasSubfamily = false;
  for (uint32_t i = 0; i < *count && !(hasFamily && hasSubfamily); ++i) {
    const uint64_t record = table.offset + 6 + uint64_t{i} * 12;
    const auto platform = reader.U16(record), language = reader.U16(record + 4);
    const auto nameId = reader.U16(record + 6), length = reader.U16(record + 8),
               offset = reader.U16(record + 10);
    if (!platform || !language || !nameId || !length || !offset) return;
    if (*nameId != 1 && *nameId != 2) continue;
    if (!((*platform == 1 && *language == 0) || (*platform == 3 && *language == 0x0409))) continue;
    if ((*nameId == 1 && hasFamily) || (*nameId == 2 && hasSubfamily)) continue;
    const uint64_t start = table.offset + *stringOffset + *offset;
    std::string bytes;
    if (start + *length > tableEnd || !reader.Bytes(start, *length, bytes)) continue;
    (*nameId == 1 ? face.family : face.subfamily) = DecodeName(bytes, *platform);
    (*nameId == 1 ? hasFamily : hasSubfamily) = true;
  }
}

}  // namespace

bool MemoryFontBytes::Read(uint64_t offset, uint32_t length, uint8_t* out) const {
  if (offset > mSize || length > mSize - offset) return false;
  if (length) std::memcpy(out, mData + offset, length);
  return true;
}

std::vector<FontFaceNames> ReadFontFaceNames(const FontByteSource& source) {
  const Reader reader(source);
  std::vector<uint64_t> faceOffsets;
  const auto tag = reader.U32(0);
  if (!tag) return {};
  if (*tag == Tag("ttcf")) {
    const auto numFonts = reader.U32(8);
    if (!numFonts || *numFonts > kMaxFaces || 12 + uint64_t{*numFonts} * 4 > reader.Size()) return {};
    for (uint32_t i = 0; i < *numFonts; ++i) faceOffsets.push_back(*reader.U32(12 + uint64_t{i} * 4));
  } else {
    faceOffsets.push_back(0);
  }
  std::vector<FontFaceNames> faces;
  for (size_t i = 0; i < faceOffsets.size(); ++i) {
    const auto table = FindNameTable(reader, faceOffsets[i]);
    if (!table) continue;
    FontFaceNames face;
    face.faceIndex = static_cast<int32_t>(i);
    ReadNames(reader, *table, face);
    if (!face.family.IsEmpty()) faces.push_back(std::move(face));
  }
  return faces;
}

}  // namespace HV
