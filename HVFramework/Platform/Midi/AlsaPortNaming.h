#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace HV::Platform {

// A sequencer port as enumerated, before naming.
struct AlsaPortEntry {
  int client = 0;
  int port = 0;
  std::string clientName;  // UTF-8
  bool isReadable = false;  // the editor can receive from it (an input device)
  bool isWritable = false;  // the editor can send to it (an output device)
};

// A named MIDI device: the port behind it and its name.
struct AlsaMidiDevice {
  int client = 0;
  int port = 0;
  std::u16string name;
};

// LAlsaPortNaming: names sequencer ports the way the framework's name matching
// expects a multi-port USB device to be named: a client's first input port is
// called after the client, its k-th (k >= 2) "MIDIINk (client)"; outputs the
// same with "MIDIOUTk (client)". Ports are counted per client and direction.
class LAlsaPortNaming {
 public:
  enum class Direction { Input, Output };

  // The devices of one direction in device order: the order of `ports`
  // (clients ascending, then ports ascending, as the sequencer lists them).
  static std::vector<AlsaMidiDevice> Name(const std::vector<AlsaPortEntry>& ports, Direction direction);
  // UTF-8 to the framework's wide text; malformed sequences become U+FFFD.
  static std::u16string ToWide(std::string_view utf8);
};

}  // namespace HV::Platform
