#include "HVFramework/Platform/Core/Folders.h"

#include <cstdlib>
#include <limits.h>
#include <unistd.h>

namespace HV::Platform {
namespace {

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string AbsoluteVariable(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || value[0] != '/') return {};
  return WithoutTrailingSlash(value);
}

std::string XdgFolder(const char* variable, const char* belowHome) {
  std::string folder = AbsoluteVariable(variable);
  if (!folder.empty()) return folder;
  std::string home = AbsoluteVariable("HOME");
  if (home.empty()) return {};
  return (home == "/" ? "" : home) + belowHome;
}

}  // namespace

std::string GetProgramFolder() {
  char path[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", path, sizeof path);
  if (length <= 0 || static_cast<size_t>(length) >= sizeof path) return {};
  std::string program(path, static_cast<size_t>(length));
  size_t slash = program.rfind('/');
  if (slash == std::string::npos) return {};
  return slash == 0 ? "/" : program.substr(0, slash);
}

std::string GetSharedDataFolder() { return XdgFolder("XDG_DATA_HOME", "/.local/share"); }

std::string GetUserSettingsFolder() { return XdgFolder("XDG_CONFIG_HOME", "/.config"); }

std::string GetDocumentsFolder() { return XdgFolder("XDG_DOCUMENTS_DIR", "/Documents"); }

}  // namespace HV::Platform
