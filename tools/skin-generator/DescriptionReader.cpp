#include "tools/skin-generator/DescriptionReader.h"

#include "tools/skin-generator/DescriptionError.h"
#include "tools/skin-generator/TextUtilities.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace HV::SkinGenerator {
namespace {

constexpr char kInclude[] = "include ";

// One physical line: its indentation (blanks) and its text.
struct RawLine {
  int number;
  size_t indent;
  std::string text;
};

// The line without a trailing comment: " #" outside a quoted text and what follows it.
std::string WithoutComment(const std::string& line) {
  bool quoted = false;
  for (size_t at = 0; at < line.size(); ++at) {
    if (quoted && line[at] == '\\') {
      ++at;
    } else if (line[at] == '"') {
      quoted = !quoted;
    } else if (!quoted && line[at] == '#' && at > 0 && line[at - 1] == ' ') {
      return line.substr(0, at);
    }
  }
  return line;
}

std::vector<RawLine> SplitLines(const std::string& name, const std::string& text) {
  std::vector<RawLine> lines;
  std::istringstream in(text);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string place = name + ":" + std::to_string(number);
    if (!IsValidUtf8(line)) throw DescriptionError(place, "the line is not UTF-8 text");
    const size_t indent = line.find_first_not_of(' ');
    if (indent == std::string::npos) continue;
    if (line[indent] == '\t') throw DescriptionError(place, "indent with blanks, not tabs");
    if (line[indent] == '#') continue;
    line = WithoutComment(line);
    const size_t end = line.find_last_not_of(" \t");
    lines.push_back({number, indent, line.substr(indent, end + 1 - indent)});
  }
  return lines;
}

}  // namespace

std::vector<SourceLine> DescriptionReader::ReadFile(const std::filesystem::path& path) {
  mRoot = path.parent_path();
  return ReadIncluded(path, std::string());
}

std::vector<SourceLine> DescriptionReader::ReadText(const std::string& name, const std::string& text,
                                                    const std::filesystem::path& folder) {
  mRoot = folder;
  return Parse(name, text, folder);
}

std::vector<SourceLine> DescriptionReader::ReadIncluded(const std::filesystem::path& path,
                                                        const std::string& place) {
  const std::filesystem::path normal = path.lexically_normal();
  const std::string name = normal.lexically_relative(mRoot).generic_string();
  if (mOpen.count(normal)) throw DescriptionError(place, "\"" + name + "\" includes itself");
  std::ifstream in(normal, std::ios::binary);
  if (!in) {
    const std::string message = "cannot read \"" + normal.generic_string() + "\"";
    if (place.empty()) throw DescriptionError(message);
    throw DescriptionError(place, message);
  }
  const std::string text((std::istreambuf_iterator<char>(in)), {});
  mFilesRead.push_back(normal);
  mOpen.insert(normal);
  std::vector<SourceLine> lines = Parse(name, text, normal.parent_path());
  mOpen.erase(normal);
  return lines;
}

std::vector<SourceLine> DescriptionReader::Parse(const std::string& name, const std::string& text,
                                                 const std::filesystem::path& folder) {
  std::vector<SourceLine> root;
  // The open blocks: each one's indentation and the list its lines go into.
  std::vector<std::pair<size_t, std::vector<SourceLine>*>> open{{0, &root}};
  for (const RawLine& raw : SplitLines(name, text)) {
    const std::string place = name + ":" + std::to_string(raw.number);
    bool closedBlock = false;
    while (open.size() > 1 && raw.indent < open.back().first) {
      open.pop_back();
      closedBlock = true;
    }
    if (raw.indent > open.back().first) {
      if (closedBlock) throw DescriptionError(place, "the indentation matches no line above");
      std::vector<SourceLine>* siblings = open.back().second;
      if (siblings->empty())
        throw DescriptionError(place, "the line is indented but follows no line it could belong to");
      open.push_back({raw.indent, &siblings->back().children});
    }
    open.back().second->push_back({name, raw.number, raw.text, {}});
  }
  ExpandIncludes(root, folder);
  return root;
}

void DescriptionReader::ExpandIncludes(std::vector<SourceLine>& lines, const std::filesystem::path& folder) {
  std::vector<SourceLine> expanded;
  for (SourceLine& line : lines) {
    if (!line.text.starts_with(kInclude)) {
      expanded.push_back(std::move(line));
      continue;
    }
    if (!line.children.empty()) throw DescriptionError(line.Place(), "an include has no lines below it");
    const std::string file = Unquote(Trim(line.text.substr(sizeof(kInclude) - 1)));
    std::vector<SourceLine> included = ReadIncluded(folder / file, line.Place());
    for (SourceLine& child : included) expanded.push_back(std::move(child));
  }
  lines = std::move(expanded);
}

}  // namespace HV::SkinGenerator
