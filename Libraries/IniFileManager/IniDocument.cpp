#include "Libraries/IniFileManager/IniDocument.h"

#include <algorithm>
#include <set>

namespace IniFileManagerImpl {
namespace {

void AppendEscaped(std::string& out, std::string_view text) {
  for (char c : text) {
    switch (c) {
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\\': case '=': case '[': out += '\\'; out += c; break;
      default: out += c;
    }
  }
}

// A key that starts with '#' is escaped so that its line does not read as a comment.
void AppendKey(std::string& out, std::string_view key) {
  if (!key.empty() && key.front() == '#') out += '\\';
  AppendEscaped(out, key);
}

char Unescaped(char c) {
  if (c == 'n') return '\n';
  if (c == 'r') return '\r';
  return c;
}

std::string Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      out += Unescaped(text[++i]);
    } else {
      out += text[i];
    }
  }
  return out;
}

// The names below `section` that `key` contributes to: its first level there.
bool ChildNameOf(const std::string& key, const std::string& section, std::string& name) {
  std::string_view rest = key;
  if (!section.empty()) {
    if (key.size() <= section.size() + 1 || key.compare(0, section.size(), section) != 0 ||
        key[section.size()] != '/') {
      return false;
    }
    rest.remove_prefix(section.size() + 1);
  }
  name = std::string(rest.substr(0, rest.find('/')));
  return !name.empty();
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view text) {
  IniDocument document;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    document.ParseLine(line);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return document;
}

void IniDocument::ParseLine(std::string_view line) {
  if (line.empty() || line.front() == '#') return;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\\') {
      ++i;
    } else if (line[i] == '=') {
      SetValue(NormaliseKey(Unescape(line.substr(0, i))), Unescape(line.substr(i + 1)));
      return;
    } else if (line[i] == '[') {
      if (line.substr(i, 3) != "[]=") return;
      GetArray(NormaliseKey(Unescape(line.substr(0, i)))).push_back(Unescape(line.substr(i + 3)));
      return;
    }
  }
}

std::string IniDocument::Serialize(std::string_view headerComment) const {
  std::string text = "# ";
  for (char c : headerComment) text += (c == '\n' || c == '\r') ? ' ' : c;
  text += '\n';
  for (const auto& [key, value] : mValues) {
    AppendKey(text, key);
    text += '=';
    AppendEscaped(text, value);
    text += '\n';
  }
  for (const auto& [key, items] : mArrays) {
    for (const std::string& item : items) {
      AppendKey(text, key);
      text += "[]=";
      AppendEscaped(text, item);
      text += '\n';
    }
  }
  return text;
}

std::string IniDocument::NormaliseKey(std::string_view key) {
  std::string out(key);
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
  return out;
}

const std::string* IniDocument::FindValue(const std::string& key) const {
  auto found = mValues.find(key);
  return found == mValues.end() ? nullptr : &found->second;
}

void IniDocument::SetValue(const std::string& key, std::string value) { mValues[key] = std::move(value); }

const std::vector<std::string>* IniDocument::FindArray(const std::string& key) const {
  auto found = mArrays.find(key);
  return found == mArrays.end() ? nullptr : &found->second;
}

std::vector<std::string>& IniDocument::GetArray(const std::string& key) { return mArrays[key]; }

void IniDocument::RemoveArray(const std::string& key) { mArrays.erase(key); }

bool IniDocument::HasNode(const std::string& key) const {
  if (mValues.count(key) != 0 || mArrays.count(key) != 0) return true;
  std::string name;
  auto isBelow = [&](const auto& entry) { return ChildNameOf(entry.first, key, name); };
  return !key.empty() && (std::any_of(mValues.begin(), mValues.end(), isBelow) ||
                          std::any_of(mArrays.begin(), mArrays.end(), isBelow));
}

std::vector<std::string> IniDocument::GetChildNames(const std::string& section) const {
  std::set<std::string> names;
  std::string name;
  for (const auto& entry : mValues) {
    if (ChildNameOf(entry.first, section, name)) names.insert(name);
  }
  for (const auto& entry : mArrays) {
    if (ChildNameOf(entry.first, section, name)) names.insert(name);
  }
  return {names.begin(), names.end()};
}

}  // namespace IniFileManagerImpl
