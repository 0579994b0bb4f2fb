#include "Libraries/IniFileManager/IniDocument.h"

#include <algorithm>
#include <set>

namespace IniFileManagerImpl {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Escapes what would end an entry early, and blanks at either end, which the
// reader would otherwise trim.
void AppendEscaped(std::string& out, std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    switch (c) {
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\\':
      case '=':
      case '[':
        out += '\\';
        out += c;
        break;
      default:
        if (IsBlank(c) && (i == 0 || i + 1 == text.size())) out += '\\';
        out += c;
    }
  }
}

// A key that starts with '#' is escaped so that its line does not read as a comment.
void AppendKey(std::string& out, std::string_view key) {
  if (!key.empty() && key.front() == '#') out += '\\';
  AppendEscaped(out, key);
}

void AppendEntry(std::string& out, std::string_view key, std::string_view separator, std::string_view value) {
  AppendKey(out, key);
  out += separator;
  AppendEscaped(out, value);
  out += '\n';
}

char Unescaped(char c) {
  if (c == 'n') return '\n';
  if (c == 'r') return '\r';
  return c;
}

// The text of a key or value as written: escapes resolved, blanks at either
// end dropped unless escaped.
std::string UnescapeTrimmed(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t kept = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    bool isEscaped = c == '\\' && i + 1 < text.size();
    if (isEscaped) c = Unescaped(text[++i]);
    bool isTrimmable = !isEscaped && IsBlank(c);
    if (out.empty() && isTrimmable) continue;
    out += c;
    if (!isTrimmable) kept = out.size();
  }
  out.resize(kept);
  return out;
}

// Calls `visit` with the first level below `section` of each key of `entries`
// under it, in key order, until it answers false.
template <class Map, class Visit>
void ForEachChildName(const Map& entries, const std::string& section, Visit visit) {
  std::string prefix = section.empty() ? std::string() : section + '/';
  for (auto it = entries.lower_bound(prefix); it != entries.end(); ++it) {
    std::string_view key = it->first;
    if (key.compare(0, prefix.size(), prefix) != 0) return;
    key.remove_prefix(prefix.size());
    std::string_view name = key.substr(0, key.find('/'));
    if (!name.empty() && !visit(name)) return;
  }
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view text) {
  IniDocument document;
  document.mIsNew = text.empty();
  while (!text.empty()) {
    size_t end = text.find('\n');
    document.ParseLine(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return document;
}

void IniDocument::ParseLine(std::string_view raw) {
  std::string_view line = raw;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  size_t first = line.find_first_not_of(" \t");
  if (first != std::string_view::npos && line[first] != '#') {
    for (size_t i = first; i < line.size(); ++i) {
      if (line[i] == '\\') {
        ++i;
      } else if (line[i] == '=') {
        SetValue(NormaliseKey(UnescapeTrimmed(line.substr(0, i))), UnescapeTrimmed(line.substr(i + 1)));
        return;
      } else if (line[i] == '[') {
        if (line.substr(i, 3) != "[]=") break;
        AppendArrayItem(NormaliseKey(UnescapeTrimmed(line.substr(0, i))),
                        UnescapeTrimmed(line.substr(i + 3)));
        return;
      }
    }
  }
  mLines.push_back({LineKind::Other, std::string(raw)});
}

void IniDocument::AppendArrayItem(std::string key, std::string item) {
  std::vector<std::string>& items = GetArray(key);
  // GetArray gave a new key its line already; every further item has its own.
  if (!items.empty()) mLines.push_back({LineKind::ArrayItem, std::move(key)});
  items.push_back(std::move(item));
}

std::string IniDocument::Serialize(std::string_view headerComment) const {
  std::string text;
  if (mIsNew) {
    text = "# ";
    for (char c : headerComment) text += (c == '\n' || c == '\r') ? ' ' : c;
    text += '\n';
  }
  // An array's items fill its lines in order; its last line takes the rest.
  std::map<std::string_view, size_t> lastLine;
  for (size_t i = 0; i < mLines.size(); ++i) {
    if (mLines[i].kind == LineKind::ArrayItem) lastLine[mLines[i].text] = i;
  }
  std::map<std::string_view, size_t> itemsWritten;
  for (size_t i = 0; i < mLines.size(); ++i) {
    const Line& line = mLines[i];
    if (line.kind == LineKind::Other) {
      text += line.text;
      text += '\n';
    } else if (line.kind == LineKind::Value) {
      if (const std::string* value = FindValue(line.text)) AppendEntry(text, line.text, "=", *value);
    } else if (const std::vector<std::string>* items = FindArray(line.text)) {
      size_t& next = itemsWritten[line.text];
      size_t end = lastLine[line.text] == i ? items->size() : std::min(next + 1, items->size());
      for (; next < end; ++next) AppendEntry(text, line.text, "[]=", (*items)[next]);
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

void IniDocument::SetValue(const std::string& key, std::string value) {
  auto [entry, isNew] = mValues.try_emplace(key);
  entry->second = std::move(value);
  if (!isNew) return;  // a repeated key keeps its first line; the last value wins
  mLines.push_back({LineKind::Value, key});
  ForgetChildNames();
}

const std::vector<std::string>* IniDocument::FindArray(const std::string& key) const {
  auto found = mArrays.find(key);
  return found == mArrays.end() ? nullptr : &found->second;
}

std::vector<std::string>& IniDocument::GetArray(const std::string& key) {
  auto [entry, isNew] = mArrays.try_emplace(key);
  if (isNew) {
    mLines.push_back({LineKind::ArrayItem, key});
    ForgetChildNames();
  }
  return entry->second;
}

void IniDocument::RemoveArray(const std::string& key) {
  if (mArrays.erase(key) != 0) ForgetChildNames();
}

bool IniDocument::HasNode(const std::string& key) const {
  if (mValues.count(key) != 0 || mArrays.count(key) != 0) return true;
  if (key.empty()) return false;
  bool hasChild = false;
  auto stopAtFirst = [&](std::string_view) {
    hasChild = true;
    return false;
  };
  ForEachChildName(mValues, key, stopAtFirst);
  if (!hasChild) ForEachChildName(mArrays, key, stopAtFirst);
  return hasChild;
}

const std::vector<std::string>& IniDocument::GetChildNames(const std::string& section) const {
  auto [cached, isNew] = mChildNames.try_emplace(section);
  if (isNew) {
    std::set<std::string_view> names;
    auto add = [&](std::string_view name) {
      names.insert(name);
      return true;
    };
    ForEachChildName(mValues, section, add);
    ForEachChildName(mArrays, section, add);
    cached->second.assign(names.begin(), names.end());
  }
  return cached->second;
}

}  // namespace IniFileManagerImpl
