#pragma once

#include "HVFramework/Utilities/Storage/StringT.h"

#include <string>

namespace HV {

// The UTF-8 form of a wide text, for calls out of the framework.
inline std::string ToUtf8(const StringW& text) { return std::string(text.ToCharString().GetText()); }

}  // namespace HV
