#include "Panel/Engine/PresetEditorCommon/SysExPacer.h"

#include "HVFramework/Platform/Core/Clock.h"

#include <cmath>
#include <cstdint>
#include <thread>

namespace HV {

SysExPacer::SysExPacer(std::chrono::milliseconds pause)
    : mPauseSeconds(std::chrono::duration<double>(pause).count()) {}

void SysExPacer::WaitForTurn() {
  if (!mNextTurn) return;
  // Whole milliseconds on the event hub, whose time-outs run on the installed
  // clock; the fraction of a millisecond the hub cannot time is slept.
  for (;;) {
    const double remaining = *mNextTurn - Platform::GetSecondsSinceStart();
    if (remaining <= 0) return;
    const double wholeMilliseconds = std::floor(remaining * 1000.0 + 1e-6);  // a virtual clock's exact steps
    if (wholeMilliseconds < 1) {
      std::this_thread::sleep_for(std::chrono::duration<double>(remaining));
      return;
    }
    mNeverSet.Wait(static_cast<uint32_t>(wholeMilliseconds));
  }
}

void SysExPacer::NotePieceSent() { mNextTurn = Platform::GetSecondsSinceStart() + mPauseSeconds; }

}  // namespace HV
