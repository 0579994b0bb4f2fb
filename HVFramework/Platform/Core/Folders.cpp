#include "HVFramework/Platform/Core/Folders.h"

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string_view>
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

// One line of user-dirs.dirs: NAME="$HOME/path" or NAME="/path", with
// backslash escapes. The path when the line assigns variable a value that
// names a folder; nullopt otherwise ($HOME unknown, a relative path).
std::optional<std::string> ReadUserDirsLine(std::string_view line, std::string_view variable,
                                            const std::string& home) {
  const size_t start = line.find_first_not_of(" \t");
  if (start == std::string_view::npos || line.substr(start, variable.size()) != variable) return std::nullopt;
  std::string_view rest = line.substr(start + variable.size());
  if (rest.size() < 3 || rest[0] != '=' || rest[1] != '"') return std::nullopt;
  rest.remove_prefix(2);
  std::string value;
  bool isClosed = false;
  for (size_t i = 0; i < rest.size() && !isClosed; ++i) {
    if (rest[i] == '\\' && i + 1 < rest.size()) {
      value += rest[++i];
    } else if (rest[i] == '"') {
      isClosed = true;
    } else {
      value += rest[i];
    }
  }
  if (!isClosed) return std::nullopt;
  constexpr std::string_view kHome = "$HOME";
  if (value.compare(0, kHome.size(), kHome) == 0 && (value.size() == kHome.size() || value[kHome.size()] == '/')) {
    if (home.empty()) return std::nullopt;
    return (home == "/" ? "" : home) + value.substr(kHome.size());
  }
  if (value.empty() || value[0] != '/') return std::nullopt;
  return value;
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

std::string GetHomeFolder() { return AbsoluteVariable("HOME"); }

std::string GetSharedDataFolder() { return XdgFolder("XDG_DATA_HOME", "/.local/share"); }

std::string GetUserSettingsFolder() { return XdgFolder("XDG_CONFIG_HOME", "/.config"); }

std::string GetDocumentsFolder() {
  const std::string home = AbsoluteVariable("HOME");
  const std::string configHome = XdgFolder("XDG_CONFIG_HOME", "/.config");
  if (!configHome.empty()) {
    std::ifstream file(configHome + "/user-dirs.dirs");
    std::string line;
    std::string documents;
    // The last assignment counts, as when the shell reads the file.
    while (std::getline(file, line))
      if (std::optional<std::string> value = ReadUserDirsLine(line, "XDG_DOCUMENTS_DIR", home)) documents = *value;
    if (!documents.empty()) return WithoutTrailingSlash(documents);
  }
  std::string fromEnvironment = AbsoluteVariable("XDG_DOCUMENTS_DIR");
  return fromEnvironment.empty() ? home : fromEnvironment;
}

}  // namespace HV::Platform
