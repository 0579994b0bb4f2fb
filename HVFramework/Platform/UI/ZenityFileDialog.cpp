#include "HVFramework/Platform/UI/ZenityFileDialog.h"

namespace HV::Platform {

namespace {

constexpr const char* kMissingZenity =
    "The file dialog cannot be shown: the program \"zenity\" was not found. Please install it.";

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(0, slash);
}

bool HasExtension(const std::string& path) {
  const size_t dot = path.rfind('.');
  const size_t slash = path.rfind('/');
  return dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
}

// The extension a default names: "tpr", ".tpr", "*.tpr" and "*.tpr;*.bak"
// all name "tpr"; patterns that match any extension ("*", "*.*") name none.
std::string ExtensionNamedBy(const std::string& given) {
  const std::string first = given.substr(0, given.find(';'));
  const size_t dot = first.rfind('.');
  std::string extension = dot == std::string::npos ? first : first.substr(dot + 1);
  if (extension.find_first_of("*?") != std::string::npos) return "";
  return extension;
}

}  // namespace

ZenityFileDialog::ZenityFileDialog(IChildProcessRunner& runner, std::string initialFolder)
    : mRunner(runner), mLastFolder(std::move(initialFolder)) {}

std::vector<std::string> ZenityFileDialog::BuildArguments(bool save, const std::string& filter,
                                                          const std::string& title, bool allowMultiple,
                                                          const std::string& proposedName) const {
  std::vector<std::string> argv = {"zenity", "--file-selection"};
  if (save) {
    argv.push_back("--save");
    argv.push_back("--confirm-overwrite");
  }
  if (allowMultiple) {
    argv.push_back("--multiple");
    argv.push_back("--separator=\n");
  }
  if (!title.empty()) argv.push_back("--title=" + title);
  if (!mLastFolder.empty()) argv.push_back("--filename=" + mLastFolder + "/" + (save ? proposedName : ""));
  const std::vector<std::string> parts = Split(filter, '|');
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].empty() && parts[i + 1].empty()) break;
    std::string patterns;
    for (const std::string& pattern : Split(parts[i + 1], ';'))
      patterns += (patterns.empty() ? "" : " ") + pattern;
    argv.push_back("--file-filter=" + parts[i] + " | " + patterns);
  }
  return argv;
}

bool ZenityFileDialog::Run(const std::vector<std::string>& argv) {
  mFiles.clear();
  mError.clear();
  mAddedExtension = false;
  const ChildProcessResult result = mRunner.Run(argv);
  if (!result.started) {
    mError = kMissingZenity;
    return false;
  }
  if (result.exitCode != 0) return false;  // cancelled
  for (const std::string& line : Split(result.output, '\n'))
    if (!line.empty()) mFiles.push_back(line);
  if (mFiles.empty()) return false;
  mLastFolder = FolderOf(mFiles.front());
  return true;
}

bool ZenityFileDialog::Open(const std::string& filter, const std::string&, const std::string& title,
                            bool allowMultiple) {
  return Run(BuildArguments(false, filter, title, allowMultiple));
}

bool ZenityFileDialog::Save(const std::string& filter, const std::string& defaultExtension,
                            const std::string& title, const std::string& proposedName) {
  if (!Run(BuildArguments(true, filter, title, false, proposedName))) return false;
  mFiles.resize(1);
  const std::string extension = ExtensionNamedBy(defaultExtension);
  if (!extension.empty() && !HasExtension(mFiles[0])) {
    mFiles[0] += "." + extension;
    mAddedExtension = true;
  }
  return true;
}

}  // namespace HV::Platform
