#include "HVFramework/Controls/CheckedListBox/LIndexedDataParam.h"

#include <cstdio>

namespace HV {

StringW LIndexedDataParam::ToString() const {
  char text[64];
  std::snprintf(text, sizeof text, "LIndexedDataParam: Index = %d, Data = ", static_cast<int>(Index));
  StringW result(text);
  if (Data) result += Data->ToString();
  return result;
}

StringW LIndexedDataWithValueParam::ToString() const {
  char text[384];
  std::snprintf(text, sizeof text, " Value = %lf", Value);
  return LIndexedDataParam::ToString() + StringW(text);
}

}  // namespace HV
