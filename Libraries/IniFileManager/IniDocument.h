#pragma once

// IniDocument: the contents of one settings file in memory, and its text form.
//
// Keys are paths whose levels are separated by '/' (a backslash is read as
// '/'); a key holds either a text value or an array of texts, kept apart.
// The text form is UTF-8, one entry a line: "key=value" for a value and
// "key[]=item" for each array item in order. In keys and values a backslash
// escapes the next character ("\n" and "\r" stand for line breaks), so '=',
// '[' and line breaks never end an entry early. Lines starting with '#' are
// comments; lines that are not entries are skipped.

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace IniFileManagerImpl {

class IniDocument {
 public:
  static IniDocument Parse(std::string_view text);
  std::string Serialize(std::string_view headerComment) const;

  static std::string NormaliseKey(std::string_view key);

  const std::string* FindValue(const std::string& key) const;
  void SetValue(const std::string& key, std::string value);

  const std::vector<std::string>* FindArray(const std::string& key) const;
  // The array of a key, made empty when it does not exist.
  std::vector<std::string>& GetArray(const std::string& key);
  void RemoveArray(const std::string& key);

  // True for a key with a value or an array, or a section that has keys.
  bool HasNode(const std::string& key) const;
  // The sorted names one level below a section ("" is the top level).
  std::vector<std::string> GetChildNames(const std::string& section) const;

 private:
  void ParseLine(std::string_view line);

  std::map<std::string, std::string> mValues;
  std::map<std::string, std::vector<std::string>> mArrays;
};

}  // namespace IniFileManagerImpl
