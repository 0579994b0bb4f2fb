#pragma once

// ThrownMessage: the message of what an action throws, or "(nothing thrown)",
// so a table of failing calls can be checked against their messages.

#include <exception>
#include <functional>
#include <string>

namespace HV::Test {

inline std::string ThrownMessage(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& e) {
    return e.what();
  }
  return "(nothing thrown)";
}

}  // namespace HV::Test
