#include "DeviceControl/GeneratedCode/Engine/Src/ModelElement.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/DefaultRecords.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/DeviceParamSender.h"

namespace ModelElementDetail {

void SendToDevice(const LParameterizedModule& element, const HV::ParamDescriptor& descriptor,
                  const HV::Variant& value) {
  const HV::RCPtr<LParameterizedModule> root = element.GetRoot();
  if (auto* sender = dynamic_cast<IDeviceParamSender*>(root.Get()))
    sender->SendParamValueToDevice(descriptor, value);
}

HV::Variant MakeDefaultValue(ElementKind kind, int32_t index) {
  const std::vector<uint8_t> record = MakeDefaultRecord(kind, index);
  return record.empty() ? HV::Variant() : MakeRecordValue(record);
}

}  // namespace ModelElementDetail
