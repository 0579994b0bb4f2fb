// tarsel-midi-probe: prints the MIDI input and output devices in device order,
// under the names the editor matches against, and exits 0. TARSEL_MIDI picks
// the device system as it does for the editor: TARSEL_MIDI=simulated lists the
// simulated keyboard's ports.

#include "HVFramework/Platform/Midi/MidiPlatform.h"
#include "HVFramework/Utilities/Storage/TextConversion.h"
#include "Panel/Engine/SimulatedKeyboard/SimulatedKeyboardPorts.h"

#include <cstdio>
#include <optional>
#include <string>

namespace {

std::string ToUtf8(const std::u16string& wide) {
  std::string text(wide.size() * 3, '\0');  // at most 3 bytes a unit
  const char16_t* source = wide.data();
  char* target = text.data();
  HV::Utf16ToUtf8(source, source + wide.size(), target, text.data() + text.size(),
                  HV::ConversionMode::Lenient);
  text.resize(static_cast<size_t>(target - text.data()));
  return text;
}

template <class NameOf>
void PrintDevices(const char* title, uint32_t count, NameOf nameOf) {
  std::printf("%s: %u\n", title, count);
  for (uint32_t device = 0; device < count; ++device) {
    const std::optional<std::u16string> name = nameOf(device);
    if (name) std::printf("  %u  %s\n", device, ToUtf8(*name).c_str());
  }
}

}  // namespace

int main() {
  using HV::Platform::IMidiSystem;
  HV::Simulated::RegisterSimulatedKeyboard();
  const HV::RCPtr<IMidiSystem> system = HV::Platform::LMidiPlatform::Get();
  PrintDevices("MIDI inputs", system->GetInputDeviceCount(),
               [&](uint32_t device) { return system->GetInputDeviceName(device); });
  PrintDevices("MIDI outputs", system->GetOutputDeviceCount(),
               [&](uint32_t device) { return system->GetOutputDeviceName(device); });
  return 0;
}
