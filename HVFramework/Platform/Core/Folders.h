#pragma once

// The folders the program keeps its files in, as UTF-8 paths without a
// trailing slash; empty when the folder cannot be determined. They follow the
// XDG base directories, so a test redirects them all by setting HOME (and
// clearing or setting the XDG_* variables) before asking.
//
//   program folder     the folder of the running executable (/proc/self/exe)
//   home               $HOME
//   shared data        $XDG_DATA_HOME, else $HOME/.local/share  (settings of every user of the program)
//   user settings      $XDG_CONFIG_HOME, else $HOME/.config     (settings of one user)
//   documents          XDG_DOCUMENTS_DIR of $XDG_CONFIG_HOME/user-dirs.dirs (what
//                      the desktop's user folders say), else $XDG_DOCUMENTS_DIR,
//                      else $HOME
// An XDG variable that does not hold an absolute path is ignored, as the XDG rules say.

#include <string>

namespace HV::Platform {

std::string GetProgramFolder();
std::string GetHomeFolder();
std::string GetSharedDataFolder();
std::string GetUserSettingsFolder();
std::string GetDocumentsFolder();

}  // namespace HV::Platform
