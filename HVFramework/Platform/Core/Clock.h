#pragma once

#include <cstdint>

namespace HV::Platform {

// IClock: the program's time source. A 32-bit millisecond count that wraps
// about every 49.7 days (callers subtract two readings as unsigned values),
// and seconds since the program started. Any thread may read it.
class IClock {
 public:
  virtual ~IClock() = default;
  virtual uint32_t GetTickCount() const = 0;
  virtual double GetSecondsSinceStart() const = 0;
};

// The clock in use: the monotonic system clock unless a test installed
// another one (see VirtualClock).
IClock& GetClock();
uint32_t GetTickCount();
double GetSecondsSinceStart();

// Installs a clock (nullptr: the system clock again) and returns the one it
// replaces. The installed clock must outlive its installation.
IClock* InstallClock(IClock* clock);

}  // namespace HV::Platform
