#pragma once

// TemporaryHome: points HOME at a fresh temporary folder and clears the XDG
// folder variables for the fixture's lifetime, then puts them back. Tests that
// use it must not run concurrently with others reading the environment.

#include "tests/support/TemporaryFolder.h"

#include <array>
#include <cstdlib>
#include <optional>
#include <string>

namespace HV::Test {

class TemporaryHome {
 public:
  TemporaryHome() {
    for (size_t i = 0; i < kVariables.size(); ++i) {
      if (const char* value = std::getenv(kVariables[i])) mSaved[i] = value;
      unsetenv(kVariables[i]);
    }
    setenv("HOME", mHome.GetPath().c_str(), 1);
  }
  ~TemporaryHome() {
    for (size_t i = 0; i < kVariables.size(); ++i) {
      if (mSaved[i]) {
        setenv(kVariables[i], mSaved[i]->c_str(), 1);
      } else {
        unsetenv(kVariables[i]);
      }
    }
  }
  TemporaryHome(const TemporaryHome&) = delete;
  TemporaryHome& operator=(const TemporaryHome&) = delete;

  const std::string& GetPath() const { return mHome.GetPath(); }

 private:
  static constexpr std::array<const char*, 4> kVariables = {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME",
                                                            "XDG_DOCUMENTS_DIR"};
  TemporaryFolder mHome;
  std::array<std::optional<std::string>, kVariables.size()> mSaved;
};

}  // namespace HV::Test
