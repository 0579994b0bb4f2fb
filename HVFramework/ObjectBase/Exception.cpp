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

// The marks of a library's staged include folder: "include/<library>/public/"
// or ".../private/" before the repository path of the header.
constexpr std::string_view kStageKinds[] = {"/public/", "/private/"};

// Where the repository path starts after a stage mark at `at`; npos when the
// mark does not close "include/<library>".
size_t AfterStage(std::string_view source, size_t at, std::string_view mark) {
  if (at == 0) return std::string_view::npos;
  const size_t library = source.rfind('/', at - 1);
  if (library == std::string_view::npos) return std::string_view::npos;
  const std::string_view before = source.substr(0, library);
  const bool isStage = before == "include" || before.ends_with("/include");
  return isStage ? at + mark.size() : std::string_view::npos;
}

// The path a message quotes for a source the compiler named: a header that a
// library reached through its staged include folder
// ("<build>/include/<library>/public/Panel/UI/X.h", or "include/<library>/..."
// when ccache made it relative to the build folder) is named by its
// repository path ("Panel/UI/X.h"). The build names every other source from
// the repository's root already.
std::string_view RepositoryPath(std::string_view source) {
  size_t start = 0;
  for (std::string_view mark : kStageKinds)
    for (size_t at = source.find(mark); at != std::string_view::npos; at = source.find(mark, at + 1)) {
      const size_t after = AfterStage(source, at, mark);
      if (after != std::string_view::npos && after > start) start = after;
    }
  return source.substr(start);
}

void AppendLocation(std::string& message, const SourceLocation& where) {
  message += where.function;
  message += " : ";
  message += RepositoryPath(where.source);
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
