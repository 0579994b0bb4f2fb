#pragma once

#include <string>
#include <string_view>

namespace HV {

// The object model's way to the debug trace, which lives in the runtime
// above it: the runtime installs a hook that writes one line; until then
// lines go to standard error. Any thread may call either function. A line is
// handed over without its line end.
using TraceLineHook = void (*)(std::string_view line);

// Null puts the standard-error writer back.
void SetTraceLineHook(TraceLineHook hook);

// One line through the installed hook (standard error until the runtime
// installs its own).
void TraceLine(std::string_view line) noexcept;

// The text of the exception being handled ("an exception of unknown type"
// for one that is not a std::exception). Call it inside a catch block.
std::string CurrentExceptionText();

// One trace line: "<where> dropped an exception: <what>". For code that must
// not let an exception out (a callback runner, a destructor's clean-up);
// call it inside the catch block that drops the exception.
void TraceDroppedException(std::string_view where) noexcept;

}  // namespace HV
