#include "DeviceControl/GeneratedCode/Engine/Inc/PedalsInterface.h"

namespace {
constexpr int32_t kPedalCount = 2;
}

HV::RCPtr<LParameterizedModule> IPedals::GetPedal(int32_t position) {
  if (position == 0) return GetVolumePedal();
  if (position == 1) return GetSustainPedal();
  return nullptr;
}

template <class Visit>
void IPedals::ForEachPedal(Visit visit) {
  for (int32_t position = 0; position < kPedalCount; ++position) {
    if (const HV::RCPtr<LParameterizedModule> pedal = GetPedal(position)) visit(*pedal, position);
  }
}

void IPedals::SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) {
  LParameterizedModule::SetFirstParamID(parent, firstParamID, index);
  ForEachPedal([&](LParameterizedModule& pedal, int32_t position) {
    pedal.SetFirstParamID(this, OffsetParamID(firstParamID, position), 0);
  });
}

HV::RCPtr<LParameterizedModule> IPedals::GetModuleForParamID(int32_t paramID) {
  const uint32_t relative = RelativeParamID(paramID, GetFirstParamID());
  if (relative >= static_cast<uint32_t>(kPedalCount)) return nullptr;
  const HV::RCPtr<LParameterizedModule> pedal = GetPedal(static_cast<int32_t>(relative));
  return pedal ? pedal->GetModuleForParamID(paramID) : nullptr;
}

void IPedals::ForEachModuleHookA() {
  ForEachPedal([](LParameterizedModule& pedal, int32_t) { pedal.ForEachModuleHookA(); });
}

void IPedals::ForEachModuleHookB() {
  ForEachPedal([](LParameterizedModule& pedal, int32_t) { pedal.ForEachModuleHookB(); });
}
