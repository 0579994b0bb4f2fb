#include "HVFramework/ObjectBase/TypeName.h"

#include <cctype>
#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <string_view>

namespace HV {
namespace {

// Names that are not classes and so take no "class " prefix.
bool IsFundamental(std::string_view word) {
  static constexpr std::string_view kWords[] = {
      "void", "bool", "char", "signed", "unsigned", "short", "int", "long", "float",
      "double", "wchar_t", "char8_t", "char16_t", "char32_t", "__int128", "decltype",
      "const", "volatile", "std::nullptr_t"};
  for (std::string_view w : kWords)
    if (word == w) return true;
  return false;
}

constexpr std::string_view kAnonymous = "(anonymous namespace)";

bool IsNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == ':';
}

// Rewrites a demangled name into the framework's form: each class name gets the
// class keyword, ", " between template arguments becomes ",", and the integer
// suffixes the demangler adds ("1u", "4ul") are dropped.
std::string Rewrite(std::string_view name) {
  std::string out;
  size_t i = 0;
  while (i < name.size()) {
    char c = name[i];
    if (c == ',' && i + 1 < name.size() && name[i + 1] == ' ') {
      out += ',';
      i += 2;
      continue;
    }
    if (std::isdigit(static_cast<unsigned char>(c)) ||
        (c == '-' && i + 1 < name.size() && std::isdigit(static_cast<unsigned char>(name[i + 1])))) {
      size_t end = i + 1;
      while (end < name.size() && std::isdigit(static_cast<unsigned char>(name[end]))) ++end;
      out.append(name.substr(i, end - i));
      while (end < name.size() && (name[end] == 'u' || name[end] == 'l')) ++end;
      i = end;
      continue;
    }
    if (IsNameChar(c) || name.substr(i).starts_with(kAnonymous)) {
      size_t end = i;
      while (end < name.size()) {
        if (name.substr(end).starts_with(kAnonymous)) {
          end += kAnonymous.size();
        } else if (IsNameChar(name[end])) {
          ++end;
        } else {
          break;
        }
      }
      std::string_view word = name.substr(i, end - i);
      bool isFunctionAddress = !out.empty() && out.back() == '&';
      if (!IsFundamental(word) && !isFunctionAddress && word != "true" && word != "false")
        out += "class ";
      out.append(word);
      i = end;
      continue;
    }
    out += c;
    ++i;
  }
  return out;
}

}  // namespace

std::string TypeName(const std::type_info& type) {
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> demangled(
      abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
  return Rewrite(status == 0 && demangled ? demangled.get() : type.name());
}

}  // namespace HV
