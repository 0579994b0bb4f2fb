// Linked into a test executable whose code, or a program it starts, keeps
// files under the user's folders (settings, the window's placement): the
// tests of the process run with a fresh, empty HOME and no XDG folder
// variables, never with the person's own, and it goes when they end.
#include "tests/support/TemporaryHome.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

class TemporaryHomeEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { mHome.emplace(); }
  void TearDown() override { mHome.reset(); }

 private:
  std::optional<HV::Test::TemporaryHome> mHome;
};

[[maybe_unused]] const ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new TemporaryHomeEnvironment);

}  // namespace
