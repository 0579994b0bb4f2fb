// tarsel-midi-probe: prints the MIDI input and output devices in device order,
// under the names the editor matches against, and exits 0. TARSEL_MIDI picks
// the device system as it does for the editor.

#include "HVFramework/Platform/MidiPlatform.h"

#include <cstdio>
#include <optional>
#include <string>

namespace {

std::string ToUtf8(const std::u16string& wide) {
  std::string text;
  for (size_t i = 0; i < wide.size(); ++i) {
    char32_t code = wide[i];
    if (code >= 0xD800 && code < 0xDC00 && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] < 0xE000) {
      code = 0x10000 + ((code - 0xD800) << 10) + (wide[++i] - 0xDC00);
    } else if (code >= 0xD800 && code < 0xE000) {
      code = 0xFFFD;
    }
    if (code < 0x80) {
      text += static_cast<char>(code);
    } else if (code < 0x800) {
      text += static_cast<char>(0xC0 | (code >> 6));
      text += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      text += static_cast<char>(0xE0 | (code >> 12));
      text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      text += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      text += static_cast<char>(0xF0 | (code >> 18));
      text += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      text += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
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
  const HV::RCPtr<IMidiSystem> system = HV::Platform::LMidiPlatform::Get();
  PrintDevices("MIDI inputs", system->GetInputDeviceCount(),
               [&](uint32_t device) { return system->GetInputDeviceName(device); });
  PrintDevices("MIDI outputs", system->GetOutputDeviceCount(),
               [&](uint32_t device) { return system->GetOutputDeviceName(device); });
  return 0;
}
