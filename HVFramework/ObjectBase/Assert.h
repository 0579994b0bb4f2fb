#pragma once

// HV_ASSERT(condition): checks an invariant whose breach would otherwise
// corrupt memory without a sign (an object destroyed while references remain,
// a count below zero, a lock released by a thread that does not hold it).
// A failed check writes the file, line and expression to standard error and
// aborts. Active where HV_ENABLE_ASSERTS is defined (the sanitizer builds,
// which run the tests); elsewhere the condition is not evaluated.
#if defined(HV_ENABLE_ASSERTS)
#define HV_ASSERT(condition) \
  ((condition) ? static_cast<void>(0) : ::HV::Detail::AssertionFailed(#condition, __FILE__, __LINE__))
#else
#define HV_ASSERT(condition) static_cast<void>(0)
#endif

namespace HV::Detail {

[[noreturn]] void AssertionFailed(const char* expression, const char* file, int line) noexcept;

}  // namespace HV::Detail
