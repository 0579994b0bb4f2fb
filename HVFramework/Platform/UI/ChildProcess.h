#pragma once

// Runs a program as a child process without a shell and collects what it
// writes to its standard output.

#include <string>
#include <vector>

namespace HV::Platform {

struct ChildProcessResult {
  bool started = false;  // false: the program could not be run (not installed, say)
  int exitCode = -1;
  std::string output;
};

class IChildProcessRunner {
 public:
  virtual ~IChildProcessRunner() = default;
  // argv[0] is looked up on PATH; blocks until the child ends.
  virtual ChildProcessResult Run(const std::vector<std::string>& argv) = 0;
};

class ChildProcessRunner final : public IChildProcessRunner {
 public:
  ChildProcessResult Run(const std::vector<std::string>& argv) override;
};

}  // namespace HV::Platform
