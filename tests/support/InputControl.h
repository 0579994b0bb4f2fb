#pragma once

// "Test.Input": a control class that writes the input it sees into a shared
// log ("name:event") and can be told to handle wheel steps or keys, for the
// root-window fixture.

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/LControl.h"

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace HV::Test {

class InputControl : public LControl {
 public:
  static std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
  }

  InputControl(LControl* parent, const StringW& name) : LControl(parent, name) {}

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor) {
    return CreateControlOfClass<InputControl>(result, parent, descriptor);
  }

  HResult OnMouseWheelUpDown(const RCPtr<LMouseWheelParam>& param) override {
    Note("wheel " + std::to_string(param->direction) + " at " + std::to_string(param->x) + "," +
         std::to_string(param->y));
    return handlesWheel ? S_OK : S_FALSE;
  }
  HResult ProcessKey(const RCPtr<LKeyParam>& key) override {
    if (takesCharacters && !LKeyParam::IsVirtualKey(key->GetKey().code)) {
      Note("char " + std::string(1, static_cast<char>(key->GetKey().GetCharacter())));
      return S_OK;
    }
    const uint32_t vk = key->GetKey().GetVirtualKey();
    if (!handledKeys.count(vk)) return S_FALSE;
    Note("key " + std::to_string(vk) + (key->GetKey().flag ? " up/repeat" : ""));
    return S_OK;
  }
  void OnDragStart() override { Note("drag start"); }
  void OnDrag(const RCPtr<LPointWithModifiersParam>& point) override {
    Note("drag " + std::to_string(point->x) + "," + std::to_string(point->y));
  }
  void OnDragEnd() override { Note("drag end"); }
  void OnIdleTick() override { Note("idle"); }
  bool CanReleaseFocus() override { return !keepsFocus; }
  // The capture start resets the drag mode, so a dragging control sets its
  // own once the press is in.
  void OnConditionsChanged(const RCPtr<LConditionsParam>& conditions) override {
    const bool pressed = (conditions->current & kLeftDown) && !(conditions->previous & kLeftDown);
    if (pressed && dragModeOnPress != 0) SetDragMode(dragModeOnPress, 0);
  }

  bool handlesWheel = false;
  std::set<uint32_t> handledKeys;
  int32_t dragModeOnPress = 0;
  bool keepsFocus = false;
  bool takesCharacters = false;
  // Runs once, inside the next event the control writes down (a handler
  // that tears the tree down, say).
  std::function<void()> duringNextEvent;
  // What GetToolTipText answers when set.
  StringW toolTip;

  StringW GetToolTipText() const override { return toolTip.IsEmpty() ? LControl::GetToolTipText() : toolTip; }

 private:
  void Note(const std::string& event) {
    Log().push_back(GetName().ToCharString().GetText() + (":" + event));
    if (const std::function<void()> handler = std::exchange(duringNextEvent, nullptr)) handler();
  }
};

}  // namespace HV::Test
