#pragma once

#include <cstdint>

namespace HV::Platform {

// The result a 2-D drawing call records when it fails. Drawing goes on after
// a failure: the status stays recorded until the next failure replaces it.
enum class Status2D : int32_t {
  Ok = 0,
  GenericError = 1,
  InvalidParameter = 2,
  OutOfMemory = 3,
  FontFamilyNotFound = 14,
  FontStyleNotFound = 15,
};

}  // namespace HV::Platform
