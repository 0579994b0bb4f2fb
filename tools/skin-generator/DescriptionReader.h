#pragma once

#include "tools/skin-generator/SourceLine.h"

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace HV::SkinGenerator {

// DescriptionReader: reads description files into trees of lines. Blank
// lines and lines starting with "#" are dropped; a line's children are the
// lines below it indented deeper (blanks only, no tabs). A top-level
// "include FILE" line is replaced by the lines of FILE, found beside the
// file that includes it. Every fault throws a DescriptionError with its place.
class DescriptionReader {
 public:
  // The lines of the file at path; places are named from the file's folder.
  std::vector<SourceLine> ReadFile(const std::filesystem::path& path);
  // The lines of text as if it were the file `name` in folder (includes
  // are found there).
  std::vector<SourceLine> ReadText(const std::string& name, const std::string& text,
                                   const std::filesystem::path& folder);

  // Every file read so far, includes too.
  const std::vector<std::filesystem::path>& GetFilesRead() const { return mFilesRead; }

 private:
  std::vector<SourceLine> ReadIncluded(const std::filesystem::path& path, const std::string& place);
  std::vector<SourceLine> Parse(const std::string& name, const std::string& text,
                                const std::filesystem::path& folder);
  void ExpandIncludes(std::vector<SourceLine>& lines, const std::filesystem::path& folder);

  std::filesystem::path mRoot;
  std::vector<std::filesystem::path> mFilesRead;
  std::set<std::filesystem::path> mOpen;  // the files being read, to refuse include cycles
};

}  // namespace HV::SkinGenerator
