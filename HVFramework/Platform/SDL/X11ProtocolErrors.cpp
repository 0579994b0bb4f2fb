#include "HVFramework/Platform/SDL/X11ProtocolErrors.h"

#include <X11/Xlib.h>

#include <atomic>
#include <cstdint>
#include <cstdio>

namespace HV::Platform {
namespace {

// Enough to tell what went wrong without flooding the terminal when a
// window that is gone is asked for again and again.
constexpr uint64_t kMostReported = 8;

std::atomic<uint64_t> gErrors{0};

int OnRequestRefused(Display*, XErrorEvent* error) {
  const uint64_t seen = ++gErrors;
  if (seen <= kMostReported)
    std::fprintf(stderr, "the X server refused a request (error %u, request %u.%u, resource 0x%lx); the program goes on\n",
                 unsigned(error->error_code), unsigned(error->request_code), unsigned(error->minor_code),
                 static_cast<unsigned long>(error->resourceid));
  return 0;
}

}  // namespace

void InstallX11ProtocolErrorHandler() { XSetErrorHandler(&OnRequestRefused); }

}  // namespace HV::Platform
