#pragma once

#include "HVFramework/ControlBase/Control/IToolTipControl.h"
#include "HVFramework/ControlBase/Control/LControl.h"

#include <cstdint>

namespace HV {

class LControlFactory;

// LToolTip: the small text shown near the mouse over a control with a tool
// tip. The control base builds it from the skin's "toolTip" description as a
// child of that control (LControl::ShowToolTip) and starts it; it waits
// kShowDelay before it shows below the pointer, inside the window, and hides
// and removes itself after kShowTime, or when its owner hides it. A tip that
// starts within kQuickShowWindow of another visible tip's hiding shows at
// once, so moving along a row of controls does not wait each time. The tip
// never takes the focus and is never hit by the mouse. UI thread only.
class LToolTip : public LControl, public IToolTipControl {
 public:
  static constexpr const WChar* kClassName = u"Framework.ToolTip";
  enum State : int32_t { kHidden = 0, kWaiting = 1, kShown = 2 };
  // Milliseconds of the program clock.
  static constexpr uint32_t kShowDelay = 500;
  static constexpr uint32_t kShowTime = 5000;
  static constexpr uint32_t kQuickShowWindow = 50;
  // Pixels: below the pointer; kept from the window's right edge.
  static constexpr double kPointerGap = 20;
  static constexpr double kWindowMargin = 8;

  LToolTip(LControl* parent, const StringW& name) : LControl(parent, name) {}

  // The create function registered for "Framework.ToolTip".
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  static HResult Register(LControlFactory& factory);

  // The tip covers what is under it wherever it is.
  bool IsTransparentAt(const Point& /*point*/) const override { return false; }
  // The mouse goes through the tip to the controls under it.
  bool ContainsPoint(const Point& /*point*/) const override { return false; }
  void OnIdleTick() override;
  // None of the usual parameters: the tip only refuses the focus. 0.
  HResult ApplyCreateParams() override;
  // Hidden until its wait is over. 0.
  HResult OnCreated() override;

  // Limits the tip's width to the window's less kWindowMargin and begins the
  // wait (or shows at once, see above). 0.
  HResult Start() override;
  // Ends the wait or the showing and removes the tip from its parent. 0.
  HResult Hide() override;
  // Puts the tip below the mouse, pushed back inside the window.
  void Place();

  State GetState() const { return mState; }
  // The clock reading when a visible tip was last hidden, shared by every tip.
  static uint32_t GetLastHideTime();
  static void SetLastHideTime(uint32_t milliseconds);

 private:
  void Show(uint32_t now);

  State mState = kHidden;
  uint32_t mStateTime = 0;
};

}  // namespace HV
