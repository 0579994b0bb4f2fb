#pragma once

// Small conversions for tests that compare paths and file contents: wide
// text from and to UTF-8, and a whole file read as bytes.

#include "HVFramework/Utilities/Storage/StringT.h"

#include <fstream>
#include <sstream>
#include <string>

namespace HV::Test {

inline StringW Wide(const std::string& utf8) { return StringW(utf8.c_str()); }
inline std::string Utf8(const StringW& text) { return text.ToCharString().GetText(); }

inline std::string ReadFileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace HV::Test
