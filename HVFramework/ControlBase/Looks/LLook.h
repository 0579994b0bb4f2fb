#pragma once

#include "HVFramework/ControlBase/Skin/ControlFactory/LLookDescriptor.h"
#include "HVFramework/ControlBase/Looks/LVisualPart.h"
#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Renderer/LFont.h"
#include "HVFramework/Renderer/LFontText.h"
#include "HVFramework/Renderer/LRectRegion.h"
#include "HVFramework/Renderer/LRenderer.h"
#include "HVFramework/Renderer/LStencil.h"
#include "HVFramework/Renderer/ResizeType.h"
#include "HVFramework/Utilities/Graphics/LBitmap.h"
#include "HVFramework/Utilities/Geometry/PointT.h"
#include "HVFramework/Utilities/Geometry/RectT.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>
#include <vector>

namespace HV {

// LLook: the appearance of one control in one state, made from a look
// descriptor of the skin: a client part filling the client rectangle, parts
// docked against the edges (frames, corners, arrows), optionally a
// replacement image over the client area, and a text box where the control's
// text is drawn in the colour of the foreground part. A control keeps one
// look per look-list slot and gives each its size; the look places its parts
// and text box for that size. Coordinates are the look's own, (0, 0) at the
// control's top-left corner. User-interface thread only.
class LLook : public virtual LRefCountedObject {
 public:
  // A look bound to descriptor (null for a null descriptor), size 0 x 0.
  static RCPtr<LLook> Create(const RCPtr<LLookDescriptor>& descriptor, bool shouldWrapText);
  static RCPtr<LLook> Create() { return RCPtr<LLook>(new LLook); }

  // --- Binding and sizing ---
  // Binds the look and places every part again for the current size; 0.
  HResult SetDescriptor(const RCPtr<LLookDescriptor>& descriptor, bool shouldWrapText);
  // Places the parts and the text box for the size; true when the size is
  // the current one or the placement succeeded.
  bool SetSize(int32_t width, int32_t height);
  // The final step of sizing: remembers the client rectangle for the stencil
  // and makes sure the parts drawn over the client area exist; 0.
  HResult UpdateClientStencil();

  // --- Text ---
  // Passed to the text part: 1 without a text part, else 1 when the text part
  // changed and 0 when it already held the value.
  int32_t SetText(const StringW& text);
  int32_t SetFont(const RCPtr<LFont>& font);
  // Whether a line of text too wide for the text box is drawn shortened,
  // ending in "..." (the default); never for wrapped text. A control whose
  // text scrolls (a text box) shows its text whole.
  void SetTextEllipsis(bool shouldEllipsize);

  // --- Replacement image ---
  // With a bitmap: a new image part of it (no colorizer, no mask) replaces
  // the old one and replacesClient says whether the client part is still
  // drawn under it; 0. With null: removes the image part; 0, or 1 when there
  // was none.
  int32_t SetBitmapPart(const RCPtr<LBitmap>& bitmap, ResizeType resize, bool replacesClient);
  void SetImagePart(const RCPtr<LVisualPart>& part) { mImagePart = part; }

  // --- Drawing ---
  // Each draws the look's parts that meet updateRegion (window coordinates)
  // and, when the look has an own region, only inside it.
  // 1 when any part's Draw answered non-zero, else 0.
  virtual int32_t DrawNonClientParts(LRenderer& renderer, const LRectRegion& updateRegion);
  virtual int32_t DrawClientArea(LRenderer& renderer, const LRectRegion& updateRegion);
  // The text lines moved back by textOffset (a scrolled label); 1 without a
  // text part, else 0. Throws a Domain Error for a foreground part drawn
  // from a bitmap or a gradient, which text cannot be filled with yet.
  virtual int32_t DrawLabelText(LRenderer& renderer, const LRectRegion& updateRegion,
                                const PointT<double>& textOffset);

  // --- Hit testing ---
  // The packed colour (0xAARRGGBB) the look shows at point, front to back:
  // the non-client parts, the image, the client part; transparent
  // (LVisualPart::kTransparent) where nothing is drawn.
  uint32_t GetColorAtPoint(const PointT<int32_t>& point) const;

  // --- State ---
  const RCPtr<LLookDescriptor>& GetDescriptor() const { return mDescriptor; }
  int32_t GetWidth() const { return mWidth; }
  int32_t GetHeight() const { return mHeight; }
  const RectT<int32_t>& GetClientRect() const { return mClientRect; }
  const std::vector<RectT<int32_t>>& GetNonClientRects() const { return mNonClientRects; }
  const std::vector<RCPtr<LVisualPart>>& GetNonClientParts() const { return mNonClientParts; }
  const RCPtr<LVisualPart>& GetClientPart() const { return mClientPart; }
  const RCPtr<LVisualPart>& GetForegroundPart() const { return mForegroundPart; }
  const RCPtr<LVisualPart>& GetImagePart() const { return mImagePart; }
  bool DoesImageReplaceClient() const { return mImageReplacesClient; }
  // Null while the renderer's default stencil (clip to the rectangle) applies.
  const RCPtr<LStencil>& GetStencil() const { return mClientStencil; }
  bool NeedsRepaint() const { return mNeedsRepaint; }
  void ClearRepaint() { mNeedsRepaint = false; }
  // Null when the descriptor has no text properties.
  const RCPtr<LFontText>& GetTextPart() const { return mTextPart; }
  // The text box (x, y, width, height) in look coordinates.
  const RectT<float>& GetTextArea() const { return mTextArea; }
  const PointT<int32_t>& GetTextPosition() const { return mTextPosition; }
  // When not empty, drawing is limited to this region (look coordinates).
  LRectRegion& GetRegion() { return mRegion; }
  const LRectRegion& GetRegion() const { return mRegion; }

 protected:
  LLook() = default;

 private:
  void PlaceParts();
  void PlaceClientRect();
  void PlaceNonClientParts();
  void PlaceTextArea();
  void BindText(const SkinTextProperties* text, bool shouldWrapText);
  // The update region limited to the own region, both in window coordinates.
  LRectRegion GetEffectiveRegion(const LRenderer& renderer, const LRectRegion& updateRegion) const;
  template <class DrawInside>
  void ForEachVisiblePiece(LRenderer& renderer, const LRectRegion& updateRegion, const RectT<int32_t>& area,
                           DrawInside drawInside) const;
  void DrawTextLines(LRenderer& renderer, const PointT<double>& textOffset) const;

  RCPtr<LLookDescriptor> mDescriptor;
  RCPtr<LVisualPart> mForegroundPart;
  int32_t mWidth = 0;
  int32_t mHeight = 0;
  RectT<int32_t> mClientRect;
  std::vector<RectT<int32_t>> mNonClientRects;
  std::vector<RCPtr<LVisualPart>> mNonClientParts;
  RCPtr<LVisualPart> mClientPart;
  RCPtr<LVisualPart> mImagePart;
  bool mImageReplacesClient = false;
  bool mNeedsRepaint = false;
  bool mEllipsizesText = true;
  RectT<int32_t> mStencilRect;
  RCPtr<LStencil> mClientStencil;
  RCPtr<LFontText> mTextPart;
  RectT<float> mTextArea;
  PointT<int32_t> mTextPosition;
  LRectRegion mRegion;
};

}  // namespace HV
