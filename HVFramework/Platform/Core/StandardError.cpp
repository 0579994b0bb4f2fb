#include "HVFramework/Platform/Core/StandardError.h"

#include "HVFramework/Platform/Core/PosixFile.h"

#include <unistd.h>

namespace HV::Platform {

void WriteToStandardError(std::string_view text) { (void)WriteFile(STDERR_FILENO, text.data(), text.size()); }

}  // namespace HV::Platform
