#include "HVFramework/Platform/Midi/AlsaPortNaming.h"

#include "HVFramework/Utilities/Storage/TextConversion.h"

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
  std::u16string wide(utf8.size(), u'\0');  // never more units than bytes
  const char* source = utf8.data();
  const char* const end = source + utf8.size();
  char16_t* target = wide.data();
  while (Utf8ToUtf16(source, end, target, wide.data() + wide.size(), ConversionMode::Lenient) !=
         ConversionResult::Ok) {
    *target++ = u'\uFFFD';  // a bad or cut sequence: one mark per byte skipped
    ++source;
  }
  wide.resize(static_cast<size_t>(target - wide.data()));
  return wide;
}

}  // namespace HV::Platform
