#pragma once

// FakeWindowHost: an OS window for root-window tests. It holds what a real
// window would report (size, activity, focus, the buttons held and the
// pointer) as plain fields the test sets, and records what the root window
// asks of it (capture, cursors, paints, the end of a modal loop).

#include "HVFramework/ControlBase/Control/RootWindow/IOSWindowHost.h"

#include <functional>
#include <utility>
#include <vector>

namespace HV::Test {

class FakeWindowHost : public IOSWindowHost {
 public:
  RectT<int32_t> GetClientRect() const override { return clientRect; }
  void SetClientRect(const RectT<int32_t>& rect) override { clientRect = rect; }
  void SetCaption(const StringW& text) override { caption = text; }
  PointT<int32_t> ScreenToClient(const PointT<int32_t>& point) const override {
    return {point.x - clientRect.x, point.y - clientRect.y};
  }
  PointT<int32_t> ClientToScreen(const PointT<int32_t>& point) const override {
    return {point.x + clientRect.x, point.y + clientRect.y};
  }
  bool Show(bool shouldShow) override { return std::exchange(visible, shouldShow); }
  bool IsActive() const override { return active; }
  bool HasKeyboardFocus() const override { return keyboardFocus; }
  void TakeKeyboardFocus() override { ++focusRequests; }
  uint32_t GetMouseButtons() const override { return buttons; }
  PointT<int32_t> GetMousePosition() const override { return mouse; }
  void CaptureMouse() override { captured = true; }
  void ReleaseMouse() override { captured = false; }
  CursorHandle SetCursor(CursorHandle next) override {
    const CursorHandle before = cursor;
    cursor = next;
    return before;
  }
  CursorHandle GetCursorByName(const StringW& name) const override {
    return name == StringW(u"UI_CURSOR_ARROW") ? kArrow : 0;
  }
  void InvalidateRect(const RectT<int32_t>& rect) override { invalidated.push_back(rect); }
  void RedrawNow() override {
    ++redraws;
    if (onRedraw) onRedraw();
  }
  uint32_t GetModifiers() const override { return modifiers; }
  bool IsModal() const override { return modal; }
  int32_t RunModal() override { return modalRunResult; }
  void EndModal(int32_t result) override { endModalResults.push_back(result); }
  void SetTextInputState(bool enabled, int32_t) override { textInput = enabled; }

  static constexpr CursorHandle kArrow = 1;

  RectT<int32_t> clientRect{0, 0, 400, 300};
  StringW caption;
  bool active = true;
  bool keyboardFocus = true;
  int focusRequests = 0;
  uint32_t buttons = 0;
  PointT<int32_t> mouse{-1, -1};
  bool captured = false;
  CursorHandle cursor = kArrow;
  std::vector<RectT<int32_t>> invalidated;
  int redraws = 0;
  std::function<void()> onRedraw;  // what the window shows is checked here
  uint32_t modifiers = 0;
  bool modal = false;
  int32_t modalRunResult = 0;
  bool visible = false;
  std::vector<int32_t> endModalResults;
  bool textInput = false;
};

}  // namespace HV::Test
