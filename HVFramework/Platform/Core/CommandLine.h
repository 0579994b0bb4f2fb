#pragma once

// The process's command line as one UTF-8 text, its arguments separated by
// single blanks: what start-up options (such as the debug trace's) are read from.

#include <string>

namespace HV::Platform {

std::string GetProcessCommandLine();

}  // namespace HV::Platform
