#include "HVFramework/Platform/AlsaPortNaming.h"

#include <map>

namespace HV::Platform {

std::vector<AlsaMidiDevice> LAlsaPortNaming::Name(const std::vector<AlsaPortEntry>& ports, Direction direction) {
  const bool isInput = direction == Direction::Input;
  const std::u16string prefix = isInput ? u"MIDIIN" : u"MIDIOUT";
  std::map<int, int> portsSeen;  // per client
  std::vector<AlsaMidiDevice> devices;
  for (const AlsaPortEntry& entry : ports) {
    if (!(isInput ? entry.isReadable : entry.isWritable)) continue;
    const int ordinal = ++portsSeen[entry.client];
    const std::u16string client = ToWide(entry.clientName);
    std::u16string name = client;
    if (ordinal >= 2) {
      std::u16string number;
      for (char digit : std::to_string(ordinal)) number += static_cast<char16_t>(digit);
      name = prefix + number + u" (" + client + u")";
    }
    devices.push_back({entry.client, entry.port, std::move(name)});
  }
  return devices;
}

std::u16string LAlsaPortNaming::ToWide(std::string_view utf8) {
  constexpr char32_t kReplacement = 0xFFFD;
  std::u16string wide;
  size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const int extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : -1;
    char32_t code = extra == 0 ? lead : extra == 1 ? lead & 0x1F : extra == 2 ? lead & 0x0F : lead & 0x07;
    bool isValid = extra >= 0 && i + static_cast<size_t>(extra) < utf8.size();
    for (int k = 1; isValid && k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + k]);
      isValid = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (!isValid || code < kSmallest[extra < 0 ? 0 : extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      wide += static_cast<char16_t>(kReplacement);
      ++i;
      continue;
    }
    if (code >= 0x10000) {
      code -= 0x10000;
      wide += static_cast<char16_t>(0xD800 + (code >> 10));
      wide += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    } else {
      wide += static_cast<char16_t>(code);
    }
    i += static_cast<size_t>(extra) + 1;
  }
  return wide;
}

}  // namespace HV::Platform
