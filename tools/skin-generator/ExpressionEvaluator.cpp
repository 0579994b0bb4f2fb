#include "tools/skin-generator/ExpressionEvaluator.h"

#include "tools/skin-generator/DescriptionError.h"
#include "tools/skin-generator/TextUtilities.h"

#include <cctype>
#include <cmath>

namespace HV::SkinGenerator {
namespace {

bool IsNameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsNamePart(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

}  // namespace

Value ExpressionEvaluator::Evaluate(std::string_view expression, const Scope& scope) {
  ExpressionEvaluator evaluator(expression, scope);
  evaluator.SkipBlanks();
  if (evaluator.mAt == expression.size()) throw DescriptionError("an empty expression");
  Value value = evaluator.ParseSum();
  evaluator.SkipBlanks();
  if (evaluator.mAt != expression.size())
    throw DescriptionError("unexpected \"" + std::string(expression.substr(evaluator.mAt)) + "\" in \"" +
                           std::string(expression) + "\"");
  return value;
}

std::string ExpressionEvaluator::Substitute(std::string_view text, const Scope& scope) {
  std::string out;
  for (size_t at = 0; at < text.size(); ++at) {
    const char c = text[at];
    if ((c == '{' || c == '}') && at + 1 < text.size() && text[at + 1] == c) {
      out += c;
      ++at;
    } else if (c == '{') {
      const size_t close = text.find('}', at);
      if (close == std::string_view::npos) throw DescriptionError("a \"{\" without its \"}\"");
      out += Evaluate(text.substr(at + 1, close - at - 1), scope).ToText();
      at = close;
    } else if (c == '}') {
      throw DescriptionError("a \"}\" without its \"{\" (write \"}}\" for the brace itself)");
    } else {
      out += c;
    }
  }
  return out;
}

Value ExpressionEvaluator::CallFunction(const std::string& name) {
  const double argument = NumberOf(ParseSum());
  if (!Accept(')')) throw DescriptionError("a \"(\" without its \")\" in \"" + std::string(mText) + "\"");
  if (name == "floor") return Value::Number(std::floor(argument));
  if (name == "round") return Value::Number(std::round(argument));
  throw DescriptionError("unknown function \"" + name + "\" (floor and round are known)");
}

void ExpressionEvaluator::SkipBlanks() {
  while (mAt < mText.size() && mText[mAt] == ' ') ++mAt;
}

bool ExpressionEvaluator::Accept(char c) {
  SkipBlanks();
  if (mAt < mText.size() && mText[mAt] == c) {
    ++mAt;
    return true;
  }
  return false;
}

double ExpressionEvaluator::NumberOf(const Value& value) const {
  if (!value.isNumber)
    throw DescriptionError("\"" + value.text + "\" is not a number in \"" + std::string(mText) + "\"");
  return value.number;
}

Value ExpressionEvaluator::ParseSum() {
  Value value = ParseProduct();
  for (;;) {
    if (Accept('+'))
      value = Value::Number(NumberOf(value) + NumberOf(ParseProduct()));
    else if (Accept('-'))
      value = Value::Number(NumberOf(value) - NumberOf(ParseProduct()));
    else
      return value;
  }
}

Value ExpressionEvaluator::ParseProduct() {
  Value value = ParseUnary();
  for (;;) {
    char op = 0;
    if (Accept('*')) op = '*';
    else if (Accept('/')) op = '/';
    else if (Accept('%')) op = '%';
    else return value;
    const double left = NumberOf(value);
    const double right = NumberOf(ParseUnary());
    if (op != '*' && right == 0) throw DescriptionError("division by zero in \"" + std::string(mText) + "\"");
    value = Value::Number(op == '*' ? left * right : op == '/' ? left / right : std::fmod(left, right));
  }
}

Value ExpressionEvaluator::ParseUnary() {
  if (Accept('-')) return Value::Number(-NumberOf(ParseUnary()));
  return ParsePrimary();
}

Value ExpressionEvaluator::ParsePrimary() {
  SkipBlanks();
  if (Accept('(')) {
    Value value = ParseSum();
    if (!Accept(')')) throw DescriptionError("a \"(\" without its \")\" in \"" + std::string(mText) + "\"");
    return value;
  }
  const size_t start = mAt;
  if (mAt < mText.size() && IsNameStart(mText[mAt])) {
    while (mAt < mText.size() && IsNamePart(mText[mAt])) ++mAt;
    const std::string name(mText.substr(start, mAt - start));
    if (Accept('(')) return CallFunction(name);
    const Value* value = mScope.Find(name);
    if (!value) throw DescriptionError("unknown variable \"" + name + "\"");
    return *value;
  }
  while (mAt < mText.size() && (std::isdigit(static_cast<unsigned char>(mText[mAt])) || mText[mAt] == '.')) ++mAt;
  const auto number = ParseRealNumber(mText.substr(start, mAt - start));
  if (!number) throw DescriptionError("a number or a variable was expected in \"" + std::string(mText) + "\"");
  return Value::Number(*number);
}

}  // namespace HV::SkinGenerator
