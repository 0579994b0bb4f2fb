#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace HV::SkinGenerator {

// Statement: one line of the description split into words, after its
// "{...}" were replaced. Blanks separate words; a double-quoted word keeps
// its blanks and takes the escapes \" \\ and \n (a line break); a word
// name=value (the value may be quoted) is a named argument. Faults throw a
// DescriptionError without a place.
class Statement {
 public:
  struct Word {
    std::string text;
    bool quoted = false;
  };

  static Statement Parse(const std::string& line);

  // The first word; empty when it is quoted (a text, never a keyword).
  const std::string& GetKeyword() const { return mKeyword; }
  // The words after the keyword (every word when the first is quoted).
  const std::vector<Word>& GetWords() const { return mWords; }
  const std::vector<std::pair<std::string, std::string>>& GetNamed() const { return mNamed; }
  // The line's text after the first occurrence of marker; empty when none.
  std::string GetTextAfter(const std::string& marker) const;

  // The positional word at index; throws "<what> is missing" when there is none.
  const std::string& Required(size_t index, const std::string& what) const;
  // The named argument; nothing when absent.
  std::optional<std::string> Find(const std::string& name) const;
  // Throws for more than maxWords positional words.
  void ExpectWords(size_t maxWords) const;
  // Throws for a named argument outside allowed, or more than maxWords positional words.
  void Expect(size_t maxWords, std::initializer_list<const char*> allowed) const;

 private:
  std::string mLine;
  std::string mKeyword;
  std::vector<Word> mWords;
  std::vector<std::pair<std::string, std::string>> mNamed;
};

}  // namespace HV::SkinGenerator
