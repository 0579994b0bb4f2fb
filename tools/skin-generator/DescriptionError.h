#pragma once

#include <stdexcept>
#include <string>

namespace HV::SkinGenerator {

// DescriptionError: a fault in the skin description. A fault found while a
// statement is read carries the statement's place ("Tiles.skin:12: ...");
// one found below that level (an expression, a word) is thrown without a
// place, and the statement reading it adds its own.
class DescriptionError : public std::runtime_error {
 public:
  explicit DescriptionError(const std::string& message) : std::runtime_error(message) {}
  DescriptionError(const std::string& place, const std::string& message)
      : std::runtime_error(place + ": " + message), mHasPlace(true) {}

  bool HasPlace() const { return mHasPlace; }

 private:
  bool mHasPlace = false;
};

}  // namespace HV::SkinGenerator
