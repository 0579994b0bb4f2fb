#pragma once

#include "tools/skin-generator/Scope.h"

#include <string>
#include <string_view>

namespace HV::SkinGenerator {

// ExpressionEvaluator: the arithmetic of the description. An expression is
// numbers and variables joined by + - * / % with parentheses, a leading
// minus and the functions floor() and round() (pixels are whole); a lone
// variable may also stand for a text. Faults throw a DescriptionError
// without a place.
class ExpressionEvaluator {
 public:
  static Value Evaluate(std::string_view expression, const Scope& scope);
  // The text with every "{expression}" replaced by its value; "{{" and "}}"
  // stand for the braces themselves.
  static std::string Substitute(std::string_view text, const Scope& scope);

 private:
  ExpressionEvaluator(std::string_view text, const Scope& scope) : mText(text), mScope(scope) {}

  Value ParseSum();
  Value ParseProduct();
  Value ParseUnary();
  Value ParsePrimary();
  Value CallFunction(const std::string& name);
  double NumberOf(const Value& value) const;
  void SkipBlanks();
  bool Accept(char c);

  std::string_view mText;
  const Scope& mScope;
  size_t mAt = 0;
};

}  // namespace HV::SkinGenerator
