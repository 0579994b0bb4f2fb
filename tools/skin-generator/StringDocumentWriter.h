#pragma once

#include "tools/skin-generator/SkinDescription.h"

#include <cstdint>
#include <string>
#include <vector>

namespace HV::SkinGenerator {

// StringDocumentWriter: a string-table document in UTF-16 (little-endian,
// with a byte-order mark): its tables in the order they were first named,
// each text in English (language 0x0009).
class StringDocumentWriter {
 public:
  static std::vector<uint8_t> Write(const std::string& application, const StringDocumentEntry& document);
};

}  // namespace HV::SkinGenerator
