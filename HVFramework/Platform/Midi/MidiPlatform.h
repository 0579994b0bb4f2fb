#pragma once

#include "HVFramework/Platform/Midi/IMidiSystem.h"

#include <functional>
#include <string_view>

namespace HV::Platform {

// LMidiPlatform: which MIDI system the process uses, chosen once. The first
// Get picks it from the environment: TARSEL_MIDI=simulated gives the
// simulated devices (what the registered factory makes; an empty loopback
// system while none is registered), anything else the ALSA sequencer; a
// value other than "simulated" is named in one line on standard error (unset
// or empty stays silent). Tests install a system of their own instead. Any
// thread.
class LMidiPlatform {
 public:
  static constexpr std::string_view kSimulated = "simulated";

  using Factory = std::function<RCPtr<IMidiSystem>()>;

  static RCPtr<IMidiSystem> Get();
  // Replaces the process's system (null: the next Get chooses again).
  static void Install(RCPtr<IMidiSystem> system);
  // A new system for a TARSEL_MIDI value ("" or null when unset).
  static RCPtr<IMidiSystem> CreateFor(std::string_view selection);
  // How "simulated" is made: the simulated keyboard registers itself here.
  static void RegisterSimulated(Factory factory);
};

}  // namespace HV::Platform
