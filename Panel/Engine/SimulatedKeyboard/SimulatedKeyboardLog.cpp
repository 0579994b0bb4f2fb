#include "Panel/Engine/SimulatedKeyboard/SimulatedKeyboardLog.h"

#include <string_view>

namespace HV::Simulated {
namespace {

using Event = SimulatedKeyboard::Event;

std::string_view NameOf(Event event) {
  switch (event) {
    case Event::Piece: return "piece";
    case Event::LeadIn: return "lead-in";
    case Event::IdentityRequest: return "identity request";
    case Event::PresetRequest: return "preset request";
    case Event::PresetDump: return "preset dump stored";
    case Event::GlobalSet: return "global setting stored";
    case Event::GlobalRequest: return "global setting request";
    case Event::Unrecognised: return "unrecognised message";
    case Event::Aborted: return "aborted message";
    case Event::IdentityReply: return "identity reply sent";
    case Event::PresetDumpReply: return "preset dump sent";
    case Event::GlobalReply: return "global setting sent";
  }
  return "?";
}

// What the message says beyond its kind (the byte places of the keyboard's
// message forms); empty when the message is too short for it.
std::string DetailOf(const SimulatedKeyboard::LogEntry& entry) {
  const std::vector<uint8_t>& bytes = entry.bytes;
  const auto at = [&](size_t index) { return std::to_string(bytes[index]); };
  switch (entry.event) {
    case Event::PresetRequest:
      return bytes.size() > 8 ? " slot " + at(8) : "";
    case Event::PresetDump:
      return bytes.size() > 10 ? " slot " + at(10) : "";
    case Event::GlobalSet:
      return bytes.size() > 13 ? " index " + at(11) + " value " + std::to_string(bytes[12] * 128 + bytes[13]) : "";
    case Event::GlobalRequest:
      return bytes.size() > 11 ? " index " + at(11) : "";
    default:
      return "";
  }
}

}  // namespace

std::string FormatKeyboardLog(const std::vector<SimulatedKeyboard::LogEntry>& log) {
  std::string text;
  for (const SimulatedKeyboard::LogEntry& entry : log) {
    if (entry.event == Event::Piece) continue;
    text += std::to_string(entry.timeStamp) + " ms  " + std::string(NameOf(entry.event)) + DetailOf(entry) + " (" +
            std::to_string(entry.bytes.size()) + " bytes)\n";
  }
  return text;
}

}  // namespace HV::Simulated
