#include "DeviceControl/GeneratedCode/Engine/Inc/ParamLayout.h"

namespace {

// The last row whose first offset is at or below the relative ID: the rows
// are sorted and together cover 0 to 130 without gaps.
template <class Row, size_t N>
const Row* FindRow(const std::array<Row, N>& rows, uint32_t relativeParamID) {
  if (relativeParamID >= static_cast<uint32_t>(kDeviceParamCount)) return nullptr;
  for (size_t i = N; i-- > 0;) {
    if (relativeParamID >= static_cast<uint32_t>(rows[i].firstOffset)) return &rows[i];
  }
  return nullptr;
}

}  // namespace

std::optional<ElementAddress> FindElement(int32_t firstParamID, int32_t paramID) {
  const uint32_t relative = RelativeParamID(paramID, firstParamID);
  const ElementLayout* row = FindRow(kElementLayouts, relative);
  if (!row) return std::nullopt;
  return ElementAddress{row->kind, static_cast<int32_t>(relative) - row->firstOffset};
}

std::optional<DeviceGroup> FindDeviceGroup(uint32_t relativeParamID) {
  const DeviceGroupLayout* row = FindRow(kDeviceGroupLayouts, relativeParamID);
  if (!row) return std::nullopt;
  return row->group;
}

std::optional<int32_t> FindRecordLength(uint32_t relativeParamID) {
  const ElementLayout* row = FindRow(kElementLayouts, relativeParamID);
  if (!row) return std::nullopt;
  return row->recordLength;
}
