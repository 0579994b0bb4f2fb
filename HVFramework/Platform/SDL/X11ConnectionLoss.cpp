#include "HVFramework/Platform/SDL/X11ConnectionLoss.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include <cstring>

namespace HV::Platform {
namespace {

int OnConnectionLost(Display*) { EndProgramOnX11ConnectionLoss(); }

}  // namespace

void InstallX11ConnectionLossHandler() { XSetIOErrorHandler(&OnConnectionLost); }

void EndProgramOnX11ConnectionLoss() {
  // Only calls that are safe with the program's state broken: no allocation,
  // no locks, no exit handlers.
  static constexpr char kMessage[] = "the connection to the X display was lost; the program ends\n";
  const ssize_t written = write(STDERR_FILENO, kMessage, std::strlen(kMessage));
  (void)written;
  _exit(kX11ConnectionLostExitCode);
}

}  // namespace HV::Platform
