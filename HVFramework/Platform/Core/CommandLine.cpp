#include "HVFramework/Platform/Core/CommandLine.h"

#include <fstream>
#include <iterator>

namespace HV::Platform {

std::string GetProcessCommandLine() {
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  while (!text.empty() && text.back() == '\0') text.pop_back();
  for (char& c : text) {
    if (c == '\0') c = ' ';
  }
  return text;
}

}  // namespace HV::Platform
