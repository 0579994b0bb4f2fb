#pragma once

// IniDocument: the contents of one settings file in memory, and its text form.
//
// Keys are paths whose levels are separated by '/' (a backslash is read as
// '/'); a key holds either a text value or an array of texts, kept apart.
// The text form is UTF-8, one entry a line: "key=value" for a value and
// "key[]=item" for each array item in order. Blanks (spaces, tabs) around keys
// and values are not part of them. In keys and values a backslash escapes the
// next character ("\n" and "\r" stand for line breaks), so '=', '[', line
// breaks and blanks at either end survive. Lines whose first non-blank is '#'
// are comments.
//
// The document owns only its entry lines: every other line (comments, blank
// lines, lines it cannot read) is written back byte for byte in its place, so
// hand edits survive. An entry is written where it was read; entries added
// since go at the end. A document read from an empty text starts with a
// header comment when written.

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
  // The sorted names one level below a section ("" is the top level). Kept
  // until the set of keys changes, so listing a section by index is cheap.
  const std::vector<std::string>& GetChildNames(const std::string& section) const;

 private:
  enum class LineKind : unsigned char { Other, Value, ArrayItem };
  // One line of the text form: the raw bytes of a line the document does not
  // own (its line break removed), or the key of an entry line.
  struct Line {
    LineKind kind;
    std::string text;
  };

  void ParseLine(std::string_view line);
  void AppendArrayItem(std::string key, std::string item);
  void ForgetChildNames() { mChildNames.clear(); }

  std::vector<Line> mLines;
  bool mIsNew = true;  // read from an empty text
  std::map<std::string, std::string> mValues;
  std::map<std::string, std::vector<std::string>> mArrays;
  mutable std::map<std::string, std::vector<std::string>> mChildNames;  // by section
};

}  // namespace IniFileManagerImpl
