#pragma once

// NullSplashPainter: a splash window that draws nothing, for when there is
// no image to show or no desktop to show it on. It keeps the splash screen's
// thread protocol whole: waits follow the installed clock (a VirtualClock in
// tests) and Wake ends them.

#include "HVFramework/Platform/Core/EventHub.h"
#include "HVFramework/Platform/Splash/ISplashPainter.h"

namespace HV::Platform {

class NullSplashPainter : public ISplashPainter {
 public:
  static RCPtr<NullSplashPainter> Create(const RectT<int32_t>& workArea);

  bool Connect() override { return true; }
  RectT<int32_t> GetWorkArea() override { return mWorkArea; }
  bool Open(const SplashWindowSpec&) override { return true; }
  void ShowProgress(const RectT<int32_t>&, int32_t) override {}
  void Wait(uint32_t milliseconds) override;
  void Wake() override;
  void Close() override {}

 protected:
  explicit NullSplashPainter(const RectT<int32_t>& workArea);

 private:
  const RectT<int32_t> mWorkArea;
  const WaitHandle mWake;
};

}  // namespace HV::Platform
