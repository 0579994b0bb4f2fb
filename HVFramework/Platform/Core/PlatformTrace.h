#pragma once

#include <functional>
#include <string_view>

namespace HV::Platform {

// LPlatformTrace: lines of text from the platform layer's own threads (the
// MIDI reader and callback threads), where no caller is there to be told
// that something was dropped. Lines go through the object model's trace hook
// (standard error until the runtime hooks in the debug trace) unless a sink
// is installed; tests install a recorder. Any thread: the sink
// is called with no lock held, possibly from several threads at once.
class LPlatformTrace {
 public:
  using Sink = std::function<void(std::string_view line)>;

  static void Write(std::string_view line);
  // Installs the sink and returns the one it replaces; null means standard
  // error again.
  static Sink SetSink(Sink sink);

  // Runs the work; what it throws goes no further than a trace line naming
  // `what` and the exception's text. True when the work returned normally.
  template <class Work>
  static bool RunGuarded(std::string_view what, Work&& work) noexcept {
    try {
      work();
      return true;
    } catch (...) {
      WriteCurrentException(what);
      return false;
    }
  }

 private:
  // Called inside a catch block: traces the exception being handled.
  static void WriteCurrentException(std::string_view what) noexcept;
};

}  // namespace HV::Platform
