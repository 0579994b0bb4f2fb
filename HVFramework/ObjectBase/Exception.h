#pragma once

#include "HVFramework/ObjectBase/ResultCodes.h"

#include <new>
#include <stdexcept>
#include <string>
#include <string_view>

// The framework's exceptions: each is both a standard exception and an
// HV::ExceptionBase, and carries one message of the form
//   kind " : " [detail " : "] function " : " source " : Line " line
namespace HV {

struct ExceptionBase {
  virtual ~ExceptionBase() = default;
  // The message of the standard exception this object also is.
  virtual const char* What() const;
};

// A called operation returned a negative result code.
class FailedResultException : public std::exception {
 public:
  explicit FailedResultException(const std::string& message) : mMessage(message) {}
  const char* what() const noexcept override { return mMessage.c_str(); }

 private:
  std::string mMessage;
};

template <class E>
class Exception : public E, public ExceptionBase {
 public:
  explicit Exception(const char* message) : E(message) {}
  explicit Exception(const std::string& message) : E(message) {}
};

template <>
class Exception<std::bad_alloc> : public std::bad_alloc, public ExceptionBase {
 public:
  Exception() = default;
  const char* what() const noexcept override { return "bad allocation"; }
};

// The kind text that opens the message of each exception class.
template <class E> struct ExceptionKind;
template <> struct ExceptionKind<std::logic_error> { static constexpr const char* kText = "Logic Error"; };
template <> struct ExceptionKind<std::runtime_error> { static constexpr const char* kText = "Runtime Error"; };
template <> struct ExceptionKind<std::out_of_range> { static constexpr const char* kText = "Out of Range"; };
template <> struct ExceptionKind<std::domain_error> { static constexpr const char* kText = "Domain Error"; };
template <> struct ExceptionKind<std::invalid_argument> { static constexpr const char* kText = "Invalid Argument"; };
template <> struct ExceptionKind<FailedResultException> { static constexpr const char* kText = "Failed Result"; };

// Where an exception is thrown from: the qualified function name (a literal,
// written the way the message shows it), the source file and the line.
struct SourceLocation {
  const char* function;
  const char* source;
  int line;
};

#define HV_HERE(qualifiedFunction) (::HV::SourceLocation{qualifiedFunction, __FILE__, __LINE__})

// "kind : function : source : Line n" (a message without detail).
std::string ComposeExceptionMessage(std::string_view kind, const SourceLocation& where);
// "kind : detail : function : source : Line n"; an empty detail keeps both separators.
std::string ComposeExceptionMessage(std::string_view kind, std::string_view detail,
                                    const SourceLocation& where);

template <class E>
[[noreturn]] void Throw(const SourceLocation& where) {
  throw Exception<E>(ComposeExceptionMessage(ExceptionKind<E>::kText, where));
}

template <class E>
[[noreturn]] void Throw(std::string_view detail, const SourceLocation& where) {
  throw Exception<E>(ComposeExceptionMessage(ExceptionKind<E>::kText, detail, where));
}

// "Runtime Error : Null Pointer : <what> : function : source : Line n".
[[noreturn]] void ThrowNullPointer(std::string_view what, const SourceLocation& where);

[[noreturn]] void ThrowFailedResult(HResult code, const SourceLocation& where);

// Passes a successful code through; turns a failure into a "Failed Result" exception.
inline HResult CheckResult(HResult code, const SourceLocation& where) {
  if (Failed(code)) ThrowFailedResult(code, where);
  return code;
}

}  // namespace HV
