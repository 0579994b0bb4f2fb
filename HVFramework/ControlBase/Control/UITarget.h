#pragma once

#include "HVFramework/ObjectBase/RCPtr.h"
#include "HVFramework/ObjectBase/ResultCodes.h"

#include <cstdint>

namespace HV {

class LKeyParam;
class LMouseButtonParam;
class LMouseWheelParam;
class LPointWithModifiersParam;

// UITarget: what a root window may ask of the control an event belongs to.
// Results: 0 done, 1 ignored or not handled, E_INVALIDARG for a bad argument.
// Points are in the control's own coordinates, wheel points in the root
// window's. User-interface thread only.
class UITarget {
 public:
  virtual HResult OnMouseEnter() = 0;
  virtual HResult OnMouseMove(const RCPtr<LPointWithModifiersParam>& param) = 0;
  virtual HResult OnMouseDown(const RCPtr<LMouseButtonParam>& param) = 0;
  virtual HResult OnMouseUp(const RCPtr<LMouseButtonParam>& param) = 0;
  virtual HResult OnMouseLeave() = 0;
  // button 0 captures without a press.
  virtual HResult StartMouseCapture(int32_t button, int32_t x, int32_t y) = 0;
  virtual HResult CancelMouseCapture() = 0;
  virtual void OnKey(const RCPtr<LKeyParam>& key) = 0;
  virtual HResult OnVerticalWheel(const RCPtr<LMouseWheelParam>& param) = 0;
  virtual HResult OnHorizontalWheel(const RCPtr<LMouseWheelParam>& param) = 0;
  virtual HResult Relayout(int32_t width, int32_t height) = 0;
  virtual HResult OnFocusLost() = 0;
  // False keeps the focus where it is (a text box holding invalid input).
  virtual bool CanReleaseFocus() = 0;

 protected:
  ~UITarget() = default;
};

}  // namespace HV
