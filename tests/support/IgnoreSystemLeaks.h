#pragma once

// IgnoreSystemLeaks: while an object lives, what is allocated is not counted
// as a leak by the address sanitizer's leak check. For system libraries that
// keep buffers for the life of the process (the session bus library behind a
// display connection): keep it to the code that uses them.
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
struct IgnoreSystemLeaks {
  IgnoreSystemLeaks() { __lsan_disable(); }
  ~IgnoreSystemLeaks() { __lsan_enable(); }
  IgnoreSystemLeaks(const IgnoreSystemLeaks&) = delete;
  IgnoreSystemLeaks& operator=(const IgnoreSystemLeaks&) = delete;
};
#else
struct IgnoreSystemLeaks {
  IgnoreSystemLeaks() {}
  ~IgnoreSystemLeaks() {}  // user-provided: a guard object is never "unused"
  IgnoreSystemLeaks(const IgnoreSystemLeaks&) = delete;
  IgnoreSystemLeaks& operator=(const IgnoreSystemLeaks&) = delete;
};
#endif
