#pragma once

// Writes UTF-8 text to the process's standard error, unbuffered: the console
// of the debug trace and the "stderr" debugger sink.

#include <string_view>

namespace HV::Platform {

void WriteToStandardError(std::string_view text);

}  // namespace HV::Platform
