#include "tools/skin-generator/Scope.h"

#include "tools/skin-generator/TextUtilities.h"

namespace HV::SkinGenerator {

Value Value::FromText(const std::string& text) {
  if (const auto number = ParseRealNumber(text)) return Number(*number);
  return {false, 0, text};
}

std::string Value::ToText() const { return isNumber ? FormatNumber(number) : text; }

const Value* Scope::Find(const std::string& name) const {
  for (const Scope* scope = this; scope; scope = scope->mParent) {
    const auto at = scope->mValues.find(name);
    if (at != scope->mValues.end()) return &at->second;
  }
  return nullptr;
}

}  // namespace HV::SkinGenerator
