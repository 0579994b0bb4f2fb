#pragma once

#include <string>
#include <vector>

namespace HV::SkinGenerator {

// SourceLine: one statement of the description as written, with the lines
// indented below it as its children.
struct SourceLine {
  std::string file;  // as messages name it: the path from the description's folder
  int number = 0;
  std::string text;  // without its indentation
  std::vector<SourceLine> children;

  std::string Place() const { return file + ":" + std::to_string(number); }
};

}  // namespace HV::SkinGenerator
