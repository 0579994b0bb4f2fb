// Whatever arrives from a MIDI input goes through the recognisers: none may
// overread, and what they accept must be usable as accepted. The same bytes,
// framed and cut as the editor sends, must come back whole.
#include "Panel/Engine/PresetEditorCommon/Protocol/GlobalParameters.h"
#include "Panel/Engine/PresetEditorCommon/Protocol/KeyboardSysEx.h"
#include "Panel/Engine/PresetEditorCommon/Protocol/PresetData.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace HV;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MidiMessage message = KeyboardSysEx::MakeMessage({data, size});

  if (KeyboardSysEx::IsPresetDump(message)) {
    if (!PresetData::SplitRecords(KeyboardSysEx::GetPresetData(message))) std::abort();
  }
  if (const auto reply = KeyboardSysEx::ParseGlobalParameterReply(message)) {
    if (reply->index < 0 || reply->index > 0xFF || reply->value < 0 || reply->value > 0xFF * 129)
      std::abort();
    (void)GlobalParameters::GetKey(reply->index);
  }
  if (KeyboardSysEx::IsFirmwareVersionAcceptable(message) && !KeyboardSysEx::IsIdentityReply(message))
    std::abort();

  if (KeyboardSysEx::FrameSysEx(message) == S_OK) {
    const std::span<const uint8_t> framed = KeyboardSysEx::BytesOf(message);
    if (framed.front() != 0xF0 || framed.back() != 0xF7) std::abort();
    size_t at = 0;
    for (const MidiMessage& piece : KeyboardSysEx::CutIntoPieces(message)) {
      const std::span<const uint8_t> bytes = KeyboardSysEx::BytesOf(piece);
      if (bytes.size() != KeyboardSysEx::kPieceLength) std::abort();
      for (uint8_t byte : bytes) {
        if (byte != (at < framed.size() ? framed[at] : 0)) std::abort();
        ++at;
      }
    }
    if (at < framed.size()) std::abort();
  }
  return 0;
}
