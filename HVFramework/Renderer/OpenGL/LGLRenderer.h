#pragma once

#include "HVFramework/Platform/GL/GLContext.h"
#include "HVFramework/Renderer/FontCatalogue/FontKey.h"
#include "HVFramework/Renderer/FontRenderer/LFontRenderer.h"
#include "HVFramework/Renderer/LFont.h"
#include "HVFramework/Renderer/LRenderer.h"
#include "HVFramework/Renderer/OpenGL/LGLDisplayList.h"
#include "HVFramework/Renderer/OpenGL/LGLTexture.h"
#include "HVFramework/Renderer/RendererOperations.h"
#include "HVFramework/Utilities/Storage/GetBits.h"
#include "HVFramework/Utilities/Storage/PurgableObjectCache.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace HV {

// LGLRenderer: the renderer over OpenGL 1.1 and GLU (kind 0). One GL context
// serves every render context of the renderer, one frame stack at a time;
// it is current between RenderStart and RenderFinish only. Drawing is in
// window pixels, origin top-left; static geometry goes into display lists
// and bitmaps into textures, dropped after five minutes without use.
// User-interface thread only.
class LGLRenderer : public LRenderer {
 public:
  // How long cached GL objects survive without use.
  static constexpr uint32_t kPurgePeriodMs = 300000;

  // Throws a Runtime Error when the platform gives no GL context for window.
  static RCPtr<LGLRenderer> Create(WindowHandle window, const RCPtr<LFontRenderer>& fontRenderer);
  ~LGLRenderer() override;

  // The key a pooled font is drawn and measured through: its name, size and
  // style, with an id taken from the font's own unique id but kept apart
  // (negative) from the ids FontKey::Make hands out, so the two never share
  // a glyph atlas. The same font always gives the same key.
  static FontKey KeyOf(const LFont& font);

  int GetRendererType() const override { return OpenGL; }
  HResult SetViewport(const RectT<int32_t>& viewport) override;
  // What these add to LRenderer's contracts: offscreen surfaces draw into
  // the GL context's buffer like windows; their frame leaves its picture in
  // the surface's texture and puts back what lay under it. DrawSurface and
  // BlitSurface answer E_INVALIDARG for anything but an offscreen context of
  // this renderer, E_FAIL for a surface no frame was finished on.
  HV_DECLARE_RENDERER_OPERATIONS();

  // Text in a font given by its key (the top-left of the line at position).
  void DrawTextWithKey(const StringW& text, const FontKey& font, const PointT<int32_t>& position,
                       const Color& color);
  RectT<float> MeasureTextWithKey(const StringW& text, const FontKey& font);

  const Platform::GLPixelFormat& GetPixelFormat() const { return mPixelFormat; }
  // Releases every cached object not used since the previous purge.
  void PurgeCaches();
  const RCPtr<LFontRenderer>& GetFontRenderer() const { return mFontRenderer; }
  // The GL context's offscreen pixels (see IGLContext), for headless targets.
  const uint8_t* GetOffscreenPixels(int& width, int& height) const;
  // What the last finished frame shows in rect (window pixels, origin top
  // left): straight BGRA bytes, rows top to bottom, for screenshots.
  // Outside frames only: E_FAIL inside one, when the context cannot be made
  // current, or for an empty rectangle.
  HResult ReadPixels(const RectT<int32_t>& rect, std::vector<uint8_t>& bgra);

 private:
  LGLRenderer(std::unique_ptr<Platform::IGLContext> context, const RCPtr<LFontRenderer>& fontRenderer);

  static uint64_t ShapeHandle(const PolylineT<float>& shape) { return shape.GetHandle(); }
  static uint64_t RectListHandle(const ColorRectListT<float>& list) { return list.GetHandle(); }
  static uintptr_t BitmapHandle(LBitmap* const& bitmap) { return reinterpret_cast<uintptr_t>(bitmap); }
  // Handles count up from 1: their lowest bits spread them best.
  using ShapeCache = PurgableObjectCache<LGLDisplayList, PolylineT<float>, uint64_t, &ShapeHandle, 8,
                                         &GetBits<8, 0, uint64_t>>;
  using RectListCache = PurgableObjectCache<LGLDisplayList, ColorRectListT<float>, uint64_t, &RectListHandle,
                                            8, &GetBits<8, 0, uint64_t>>;
  // Bitmap addresses are aligned: skip their low bits.
  using TextureCache =
      PurgableObjectCache<LGLTexture, LBitmap*, uintptr_t, &BitmapHandle, 8, &GetBits<8, 4, uintptr_t>>;

  void ApplyDefaultState();
  bool MakeCurrentFor(const LRenderContextInfo& context);
  void ApplyScissor(const RectT<double>& clip);
  void CopyBackToFront();
  // The viewport's pixels kept before a surface frame, and put back after it.
  void SaveUnderSurface(const RectT<int32_t>& viewport);
  void RestoreUnderSurface(const RectT<int32_t>& viewport);
  void FillRectDirect(const RectT<int32_t>& rect, const Color& color);
  // Draws through a display list of cache when useCache (recording it first
  // when missing or changed), otherwise directly; other is the cache whose
  // entry a changed shape also drops.
  template <class Shape, class Cache>
  void DrawCached(Shape& shape, Cache& cache, Cache* other, bool useCache, const std::function<void()>& draw);
  void DrawPolyline(PolylineT<float>& line, const Color& color, const PointT<float>& offset,
                    const PointT<float>& scale, ShapeCache& cache, ShapeCache* other, bool useCache,
                    const std::function<void()>& draw);
  void DrawTexturedQuad(const LGLTexture& texture, const RectT<int32_t>& source, double x, double y, double w,
                        double h);
  static bool FontKeyFor(const RCPtr<LFont>& font, FontKey& key);

  RCPtr<LFontRenderer> mFontRenderer;
  std::unique_ptr<Platform::IGLContext> mContext;
  Platform::GLPixelFormat mPixelFormat;
  uint32_t mLastPurge = 0;
  ShapeCache mFilledPolygons{256};
  ShapeCache mPolygonOutlines{256};
  ShapeCache mLineLists{256};
  ShapeCache mLineStrips{256};
  RectListCache mColorRectLists{256};
  TextureCache mBitmapTextures{64};
  TextureCache mSecondTextures{64};               // purged with the others; nothing fills it
  std::vector<RCPtr<LGLTexture>> mUnderSurfaces;  // one per surface frame in progress
};

}  // namespace HV
