#include "HVFramework/Platform/Midi/MidiPlatform.h"

#include "HVFramework/Platform/Midi/AlsaMidiSystem.h"
#include "HVFramework/Platform/Midi/LoopbackMidiSystem.h"
#include "HVFramework/Platform/Core/StandardError.h"

#include <cstdlib>
#include <mutex>
#include <string>

namespace HV::Platform {

namespace {

struct Selection {
  std::mutex mutex;
  RCPtr<IMidiSystem> system;
  LMidiPlatform::Factory simulated;
};

Selection& GetSelection() {
  static Selection selection;
  return selection;
}

}  // namespace

RCPtr<IMidiSystem> LMidiPlatform::Get() {
  Selection& selection = GetSelection();
  {
    std::lock_guard lock(selection.mutex);
    if (selection.system) return selection.system;
  }
  // Made without the lock: the simulated factory may use the platform itself.
  const char* value = std::getenv("TARSEL_MIDI");
  RCPtr<IMidiSystem> made = CreateFor(value ? value : "");
  std::lock_guard lock(selection.mutex);
  if (!selection.system) selection.system = std::move(made);  // a racing Get may have been first
  return selection.system;
}

void LMidiPlatform::Install(RCPtr<IMidiSystem> system) {
  Selection& selection = GetSelection();
  std::lock_guard lock(selection.mutex);
  selection.system = std::move(system);
}

RCPtr<IMidiSystem> LMidiPlatform::CreateFor(std::string_view selectionValue) {
  if (selectionValue != kSimulated) {
    // A misspelt choice should not pass for a machine without a keyboard.
    if (!selectionValue.empty()) {
      WriteToStandardError("TARSEL_MIDI=\"" + std::string(selectionValue) + "\" is not known (only \"" +
                           std::string(kSimulated) + "\" is): using the ALSA sequencer\n");
    }
    return RCPtr<IMidiSystem>(LAlsaMidiSystem::Create());
  }
  Factory factory;
  {
    Selection& selection = GetSelection();
    std::lock_guard lock(selection.mutex);
    factory = selection.simulated;
  }
  return factory ? factory() : RCPtr<IMidiSystem>(LLoopbackMidiSystem::Create());
}

void LMidiPlatform::RegisterSimulated(Factory factory) {
  Selection& selection = GetSelection();
  std::lock_guard lock(selection.mutex);
  selection.simulated = std::move(factory);
}

}  // namespace HV::Platform
