#include "tools/user-guide/GuideText.h"

#include <sstream>

namespace UserGuide {
namespace {

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

std::vector<Block> ReadGuide(const std::string& text, std::string& error) {
  std::vector<Block> blocks;
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  bool inParagraph = false;  // the last block takes continuation lines
  while (std::getline(lines, line)) {
    ++number;
    const std::string trimmed = Trim(line);
    if (StartsWith(trimmed, "%")) continue;
    if (trimmed.empty()) {
      inParagraph = false;
      continue;
    }
    Block block;
    if (StartsWith(trimmed, "### ")) {
      block = {BlockKind::Subheading, Trim(trimmed.substr(4)), {}};
    } else if (StartsWith(trimmed, "## ")) {
      block = {BlockKind::Heading, Trim(trimmed.substr(3)), {}};
    } else if (StartsWith(trimmed, "# ")) {
      block = {BlockKind::Title, Trim(trimmed.substr(2)), {}};
    } else if (StartsWith(trimmed, "- ")) {
      block = {BlockKind::Bullet, Trim(trimmed.substr(2)), {}};
    } else if (StartsWith(trimmed, "|")) {
      const size_t bar = trimmed.find('|', 1);
      if (bar == std::string::npos) {
        error = "line " + std::to_string(number) + ": a row needs two columns: | first | second";
        return {};
      }
      std::string second = trimmed.substr(bar + 1);
      if (!second.empty() && second.back() == '|') second.pop_back();
      block = {BlockKind::Row, Trim(trimmed.substr(1, bar - 1)), Trim(second)};
    } else if (inParagraph) {
      // A paragraph, a bullet item or a row's second column goes on over
      // several lines.
      std::string& continued = blocks.back().kind == BlockKind::Row ? blocks.back().second : blocks.back().text;
      continued += " " + trimmed;
      continue;
    } else {
      block = {BlockKind::Paragraph, trimmed, {}};
    }
    inParagraph = block.kind == BlockKind::Paragraph || block.kind == BlockKind::Bullet || block.kind == BlockKind::Row;
    blocks.push_back(block);
  }
  return blocks;
}

}  // namespace UserGuide
