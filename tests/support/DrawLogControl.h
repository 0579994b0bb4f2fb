#pragma once

// DrawLogControl: a control that writes its own drawing calls into a shared
// log as "<name>.content @x,y clip(x,y,w,h) a=alpha" (and ".overlay"), with
// the renderer's translation, clip and alpha factor at the time, so tests
// see what was drawn, where and in which order.

#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/Renderer/LRenderContextInfo.h"

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace HV::Test {

inline std::string ShortNumber(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", v);
  return text;
}

// Where the renderer draws now: "@x,y clip(x,y,w,h) a=alpha".
inline std::string RenderStateText(const LRenderer& renderer) {
  const RenderState& s = renderer.GetCurrentContext()->GetCurrentState();
  return "@" + ShortNumber(s.translation.x) + "," + ShortNumber(s.translation.y) + " clip(" +
         ShortNumber(s.clipRect.x) + "," + ShortNumber(s.clipRect.y) + "," + ShortNumber(s.clipRect.width) +
         "," + ShortNumber(s.clipRect.height) + ") a=" + ShortNumber(s.alphaFactor);
}

class DrawLogControl : public LControl {
 public:
  DrawLogControl(LControl* parent, const std::string& name, std::vector<std::string>& log)
      : LControl(parent, StringW(name.c_str())), mName(name), mLog(log) {}

  int32_t DrawContent(const RCPtr<LRenderer>& renderer) override {
    if (mThrowsInContent) throw std::runtime_error("content failed");
    mLog.push_back(mName + ".content " + RenderStateText(*renderer));
    return 0;
  }
  int32_t DrawOverlay(const RCPtr<LRenderer>& renderer) override {
    mLog.push_back(mName + ".overlay " + RenderStateText(*renderer));
    return 0;
  }

  void SetThrowsInContent() { mThrowsInContent = true; }

 protected:
  std::vector<std::string>& Log() { return mLog; }

 private:
  std::string mName;
  std::vector<std::string>& mLog;
  bool mThrowsInContent = false;
};

}  // namespace HV::Test
