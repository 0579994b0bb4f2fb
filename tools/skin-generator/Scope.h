#pragma once

#include <map>
#include <string>

namespace HV::SkinGenerator {

// A value of the description: a number, or a text (a name, a word).
struct Value {
  bool isNumber = false;
  double number = 0;
  std::string text;

  static Value Number(double number) { return {true, number, {}}; }
  // A number when the whole text is one, else the text.
  static Value FromText(const std::string& text);
  std::string ToText() const;
};

// Scope: the variables visible to a statement: its own, then its parent's.
// A template's body sees the global scope and its parameters, never the
// variables of the place that uses it.
class Scope {
 public:
  explicit Scope(const Scope* parent = nullptr) : mParent(parent) {}

  void Set(const std::string& name, const Value& value) { mValues[name] = value; }
  // The innermost value of that name; null when none.
  const Value* Find(const std::string& name) const;

 private:
  const Scope* mParent;  // not owned; outlives this scope
  std::map<std::string, Value> mValues;
};

}  // namespace HV::SkinGenerator
