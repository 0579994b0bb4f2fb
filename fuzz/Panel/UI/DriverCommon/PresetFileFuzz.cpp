// Any bytes as a preset file: the reader never overreads or allocates beyond
// the file, and what it accepts is exactly what the writer makes of it: the
// header, then each record rebuilt byte for byte, nothing left over.
#include "Panel/UI/DriverCommon/PresetFile/PresetFile.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace HV;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Array<ParamValue> records;
  const int32_t result = PresetFile::Decode({data, size}, records);
  if (result < PresetFile::kWrongDevice || result > PresetFile::kLoaded) std::abort();
  if (result != PresetFile::kLoaded) {
    if (records.GetCount() != 0) std::abort();
    return 0;
  }
  std::vector<uint8_t> rebuilt(data, data + PresetFile::kHeaderSize);
  const IArray<ParamValue>& items = records;
  for (uint32_t i = 0; i < items.GetCount(); ++i) {
    const ParamValue& record = *items.GetItemPtr(i);
    if (record.paramID < 0 || record.paramID >= PresetFile::kParamCount) std::abort();
    if (PresetFile::BuildRecord(record.paramID, record.value, rebuilt) != S_OK) std::abort();
  }
  // A version-0 value record reads under its old tag numbers and is written
  // as version 1: the rebuilt file then differs only in those words.
  if (rebuilt.size() != size) std::abort();
  return 0;
}
