#include "HVFramework/ObjectBase/Exception.h"

#include <cstdio>

namespace HV {

const char* ExceptionBase::What() const {
  const auto* standard = dynamic_cast<const std::exception*>(this);
  return standard ? standard->what() : "";
}

std::string ResultToString(HResult code) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%X", static_cast<uint32_t>(code));
  return std::string("HVRESULT = ") + digits;
}

namespace {

void AppendLocation(std::string& message, const SourceLocation& where) {
  message += where.function;
  message += " : ";
  message += where.source;
  message += " : Line ";
  message += std::to_string(where.line);
}

}  // namespace

std::string ComposeExceptionMessage(std::string_view kind, const SourceLocation& where) {
  std::string message(kind);
  message += " : ";
  AppendLocation(message, where);
  return message;
}

std::string ComposeExceptionMessage(std::string_view kind, std::string_view detail,
                                    const SourceLocation& where) {
  std::string message(kind);
  message += " : ";
  message += detail;
  message += " : ";
  AppendLocation(message, where);
  return message;
}

void ThrowNullPointer(std::string_view what, const SourceLocation& where) {
  std::string detail("Null Pointer : ");
  detail += what;
  Throw<std::runtime_error>(detail, where);
}

void ThrowFailedResult(HResult code, const SourceLocation& where) {
  Throw<FailedResultException>(ResultToString(code), where);
}

}  // namespace HV
