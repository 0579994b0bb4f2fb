#include "tools/skin-generator/Statement.h"

#include "tools/skin-generator/DescriptionError.h"

namespace HV::SkinGenerator {
namespace {

// Reads a quoted text starting after its opening quote at `at`; leaves `at` after the closing quote.
std::string ReadQuoted(const std::string& line, size_t& at) {
  std::string text;
  for (; at < line.size(); ++at) {
    const char c = line[at];
    if (c == '"') {
      ++at;
      return text;
    }
    if (c != '\\') {
      text += c;
      continue;
    }
    if (++at == line.size()) break;
    switch (line[at]) {
      case '"': text += '"'; break;
      case '\\': text += '\\'; break;
      case 'n': text += '\n'; break;
      default: throw DescriptionError(std::string("unknown escape \"\\") + line[at] + "\" (\\\" \\\\ \\n are known)");
    }
  }
  throw DescriptionError("a quoted text without its closing quote");
}

}  // namespace

Statement Statement::Parse(const std::string& line) {
  Statement statement;
  statement.mLine = line;
  bool first = true;
  for (size_t at = 0; at < line.size();) {
    if (line[at] == ' ') {
      ++at;
      continue;
    }
    Word word;
    std::string name;
    if (line[at] == '"') {
      ++at;
      word = {ReadQuoted(line, at), true};
    } else {
      const size_t end = std::min(line.find(' ', at), line.size());
      std::string text = line.substr(at, end - at);
      const size_t equals = text.find('=');
      if (equals != std::string::npos && equals > 0) {
        name = text.substr(0, equals);
        at += equals + 1;
        if (at < line.size() && line[at] == '"') {
          ++at;
          word = {ReadQuoted(line, at), true};
        } else {
          const size_t valueEnd = std::min(line.find(' ', at), line.size());
          word = {line.substr(at, valueEnd - at), false};
          at = valueEnd;
        }
      } else {
        word = {text, false};
        at = end;
      }
    }
    if (at < line.size() && line[at] != ' ') throw DescriptionError("a blank is missing after a quoted text");
    if (!name.empty()) {
      statement.mNamed.emplace_back(name, word.text);
    } else if (first && !word.quoted) {
      statement.mKeyword = word.text;
    } else {
      statement.mWords.push_back(word);
    }
    first = false;
  }
  return statement;
}

std::string Statement::GetTextAfter(const std::string& marker) const {
  const size_t at = mLine.find(marker);
  return at == std::string::npos ? std::string() : mLine.substr(at + marker.size());
}

const std::string& Statement::Required(size_t index, const std::string& what) const {
  if (index >= mWords.size()) throw DescriptionError(what + " is missing");
  return mWords[index].text;
}

std::optional<std::string> Statement::Find(const std::string& name) const {
  for (const auto& [key, value] : mNamed)
    if (key == name) return value;
  return std::nullopt;
}

void Statement::ExpectWords(size_t maxWords) const {
  if (mWords.size() > maxWords)
    throw DescriptionError("\"" + mWords[maxWords].text + "\" is one word too many for \"" + mKeyword + "\"");
}

void Statement::Expect(size_t maxWords, std::initializer_list<const char*> allowed) const {
  ExpectWords(maxWords);
  for (const auto& [key, value] : mNamed) {
    bool known = false;
    for (const char* name : allowed) known = known || key == name;
    if (!known) throw DescriptionError("\"" + mKeyword + "\" takes no \"" + key + "=\"");
  }
}

}  // namespace HV::SkinGenerator
