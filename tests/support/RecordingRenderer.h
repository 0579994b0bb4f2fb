#pragma once

#include "HVFramework/Renderer/LFont.h"
#include "HVFramework/Renderer/LRenderer.h"
#include "HVFramework/Renderer/RendererOperations.h"
#include "tests/support/RecordingRenderContext.h"

#include <string>
#include <utility>
#include <vector>

namespace HV::Test {

// RecordingRenderer: a renderer that draws nothing and writes down every call
// it receives, with its arguments, in order, so tests assert on sequences:
//   "PushState", "Translate(10,5)", "SetClipRect(0,0,20,20)",
//   "FillRect(1,2,3,4 #FFFF0000 blend)".
// The state operations also run the base class's implementation, so the
// current state and the calls it makes itself (PopState's Translate,
// SetClipRect, SetStencil) are recorded too. Colours are written as
// #AARRGGBB, numbers in the shortest form ("%g").
class RecordingRenderer : public LRenderer {
 public:
  static RCPtr<RecordingRenderer> Create() { return RCPtr<RecordingRenderer>(new RecordingRenderer); }

  const std::vector<std::string>& GetCalls() const { return mCalls; }
  // The calls since the last ClearCalls, and forgets them.
  std::vector<std::string> TakeCalls() { return std::exchange(mCalls, {}); }
  void ClearCalls() { mCalls.clear(); }

  // What the measuring calls answer.
  void SetFontMetrics(int32_t height, int32_t ascent, int32_t descent) {
    mMetrics = {height, ascent, descent};
  }
  void SetTextBox(const RectT<float>& box) { mTextBox = box; }
  void SetRendererType(int type) { mType = type; }

  // The context stack's current state (for assertions); null when nothing is started.
  const RenderState* GetState() const { return CurrentState(); }

  int GetRendererType() const override { return mType; }
  HV_DECLARE_RENDERER_OPERATIONS();
  // The other hooks, recorded too.
  HResult SetViewport(const RectT<int32_t>& viewport) override;
  HResult SetStencil(const RCPtr<LStencil>& stencil) override;
  void DrawFilledRect(const RectT<int32_t>& rect, const Color& fill, const Color& outline,
                      float lineWidth) override;
  void PushScroll(const PointT<double>& offset) override;
  void PushChildRect(const PointT<double>& position, const RectT<double>& clip,
                     const RCPtr<LStencil>& stencil, bool isRelative) override;
  void PushState() override;
  void PopState() override;

 protected:
  RecordingRenderer() = default;

 private:
  void Record(std::string call) { mCalls.push_back(std::move(call)); }
  void RecordLine(const char* operation, const PolylineT<float>& line, const Color& color,
                  const PointT<float>& offset, const PointT<float>& scale, bool useCache);

  std::vector<std::string> mCalls;
  struct Metrics {
    int32_t height = 0, ascent = 0, descent = 0;
  } mMetrics;
  RectT<float> mTextBox;
  int mType = Placeholder;
};

}  // namespace HV::Test
