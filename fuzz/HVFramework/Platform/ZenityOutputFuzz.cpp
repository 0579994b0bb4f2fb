// What the file chooser prints is read back as the chosen file names: a
// chooser that misbehaves (or a program of that name on PATH) may print
// anything. The first byte picks the exit code and the dialog; the rest is
// the output. Reading it must not crash, and every name it gives is a path.
#include "HVFramework/Platform/UI/ZenityFileDialog.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

class ScriptedRunner final : public HV::Platform::IChildProcessRunner {
 public:
  explicit ScriptedRunner(HV::Platform::ChildProcessResult result) : mResult(std::move(result)) {}
  HV::Platform::ChildProcessResult Run(const std::vector<std::string>&) override { return mResult; }

 private:
  HV::Platform::ChildProcessResult mResult;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  HV::Platform::ChildProcessResult result;
  result.started = true;
  result.exitCode = data[0] & 3;
  result.output.assign(reinterpret_cast<const char*>(data + 1), size - 1);
  ScriptedRunner runner(result);
  HV::Platform::ZenityFileDialog dialog(runner, "/home/user");
  const bool isChosen = (data[0] & 4) ? dialog.Save("Presets|*.tpr", "tpr", "Save")
                                      : dialog.Open("Presets|*.tpr|All|*", "tpr", "Open", (data[0] & 8) != 0);
  if (!isChosen) return 0;
  for (const std::string& name : dialog.GetFileNames())
    if (name.empty()) std::abort();
  return 0;
}
