#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace HV::Test {

// Builds minimal TrueType files: an offset table with one "name" table
// holding the given records, or a collection of such faces.
struct NameRecord {
  uint16_t platform;  // 1 Macintosh (8-bit text), 3 Windows (UTF-16 big-endian)
  uint16_t language;  // 0 Macintosh English, 0x0409 Windows US English
  uint16_t nameId;    // 1 family, 2 subfamily
  std::string text;   // ASCII
};

inline void PutU16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v >> 8));
  out.push_back(uint8_t(v));
}
inline void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  PutU16(out, v >> 16);
  PutU16(out, v & 0xFFFF);
}

// The "name" table of the records.
inline std::vector<uint8_t> NameTable(const std::vector<NameRecord>& records) {
  std::vector<uint8_t> strings, table;
  PutU16(table, 0);
  PutU16(table, uint32_t(records.size()));
  PutU16(table, uint32_t(6 + 12 * records.size()));
  for (const NameRecord& r : records) {
    std::vector<uint8_t> encoded;
    for (char c : r.text) {
      if (r.platform == 3) encoded.push_back(0);
      encoded.push_back(uint8_t(c));
    }
    PutU16(table, r.platform);
    PutU16(table, r.platform == 3 ? 1 : 0);
    PutU16(table, r.language);
    PutU16(table, r.nameId);
    PutU16(table, uint32_t(encoded.size()));
    PutU16(table, uint32_t(strings.size()));
    strings.insert(strings.end(), encoded.begin(), encoded.end());
  }
  table.insert(table.end(), strings.begin(), strings.end());
  return table;
}

// One face whose offset table starts at base in the file being built.
inline std::vector<uint8_t> Face(const std::vector<NameRecord>& records, uint32_t base = 0) {
  std::vector<uint8_t> face;
  PutU32(face, 0x00010000);
  PutU16(face, 2);  // a "head" record before "name", as in real files
  PutU16(face, 0), PutU16(face, 0), PutU16(face, 0);
  const std::vector<uint8_t> name = NameTable(records);
  const uint32_t tables = base + 12 + 2 * 16;
  PutU32(face, 0x68656164), PutU32(face, 0), PutU32(face, tables), PutU32(face, 0);  // "head", empty
  PutU32(face, 0x6E616D65), PutU32(face, 0), PutU32(face, tables), PutU32(face, uint32_t(name.size()));
  face.insert(face.end(), name.begin(), name.end());
  return face;
}

inline std::vector<NameRecord> WindowsNames(const std::string& family, const std::string& subfamily) {
  return {{3, 0x0409, 1, family}, {3, 0x0409, 2, subfamily}};
}

// A collection of faces, each given by its records.
inline std::vector<uint8_t> Collection(const std::vector<std::vector<NameRecord>>& faces) {
  std::vector<uint8_t> file;
  PutU32(file, 0x74746366);  // "ttcf"
  PutU32(file, 0x00010000);
  PutU32(file, uint32_t(faces.size()));
  const size_t offsetsAt = file.size();
  for (size_t i = 0; i < faces.size(); ++i) PutU32(file, 0);
  for (size_t i = 0; i < faces.size(); ++i) {
    const auto base = uint32_t(file.size());
    const std::vector<uint8_t> face = Face(faces[i], base);
    for (int b = 0; b < 4; ++b) file[offsetsAt + i * 4 + b] = uint8_t(base >> (24 - 8 * b));
    file.insert(file.end(), face.begin(), face.end());
  }
  return file;
}

}  // namespace HV::Test
