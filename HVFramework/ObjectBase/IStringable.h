#pragma once

#include <string>

namespace HV {

// Something with a text form.
class IStringable {
 public:
  virtual ~IStringable() = default;
  virtual std::u16string ToString() const = 0;
};

}  // namespace HV
