#include "HVFramework/ObjectBase/Assert.h"

#include <cstdio>
#include <cstdlib>

namespace HV::Detail {

void AssertionFailed(const char* expression, const char* file, int line) noexcept {
  // One call: the report stays whole if other threads write meanwhile.
  std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, expression);
  std::abort();
}

}  // namespace HV::Detail
