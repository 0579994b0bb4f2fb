#pragma once

// ZenityFileDialog: the open and save dialogs of the desktop, shown by the
// program zenity run as a child process (no shell, so names are never
// interpreted). Filters come as "Name|pattern|Name|pattern"; several patterns
// of one entry are separated by ';'. The dialog starts in the folder of the
// last chosen file, where Save proposes a name (by default "Untitled"); a
// saved name without an extension gets the default one
// (given as "tpr", ".tpr" or a pattern such as "*.tpr");
// saving over a file asks first. When zenity cannot be run, the dialog fails
// with GetError() telling the user why.

#include <string>
#include <vector>

#include "HVFramework/Platform/UI/ChildProcess.h"

namespace HV::Platform {

class ZenityFileDialog {
 public:
  static constexpr const char* kUntitled = "Untitled";

  ZenityFileDialog(IChildProcessRunner& runner, std::string initialFolder);

  // True when a file was chosen; the paths are then in GetFileNames.
  bool Open(const std::string& filter, const std::string& defaultExtension, const std::string& title,
            bool allowMultiple);
  bool Save(const std::string& filter, const std::string& defaultExtension, const std::string& title,
            const std::string& proposedName = kUntitled);

  const std::vector<std::string>& GetFileNames() const { return mFiles; }
  const std::string& GetLastFolder() const { return mLastFolder; }
  // True when the last Save added the default extension to the typed name:
  // zenity asked about overwriting the name as typed, not the completed one.
  bool HasAddedExtension() const { return mAddedExtension; }
  // Why the last dialog failed, for a message box; empty after a cancel.
  const std::string& GetError() const { return mError; }

  // The arguments for zenity; exposed for tests.
  std::vector<std::string> BuildArguments(bool save, const std::string& filter, const std::string& title,
                                          bool allowMultiple, const std::string& proposedName = kUntitled) const;

 private:
  bool Run(const std::vector<std::string>& argv);

  IChildProcessRunner& mRunner;
  std::string mLastFolder;
  std::vector<std::string> mFiles;
  std::string mError;
  bool mAddedExtension = false;
};

}  // namespace HV::Platform
