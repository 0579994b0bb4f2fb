#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/ObjectBase/ResultCodes.h"
#include "HVFramework/Renderer/OpenGL/GLImage.h"
#include "HVFramework/Utilities/Graphics/Edges.h"
#include "HVFramework/Utilities/Graphics/LBitmap.h"

#include <cstdint>

namespace HV {

// A quad's edges as the texture code takes them.
using GLEdges = Edges;

// LGLTexture: one 2-D texture and the rules for uploading an image into it:
// a power-of-two texture (at most 16384 a side) holding the image at its
// top-left corner. Needs the renderer's GL context current for every call,
// including its destruction. Never throws.
class LGLTexture : public virtual LRefCountedObject {
 public:
  // Creation flags.
  enum Flags : uint32_t { Nearest = 1, Repeat = 2, Mipmaps = 4 };
  static constexpr int32_t kMaxSide = 0x4000;

  static RCPtr<LGLTexture> Make() { return RCPtr<LGLTexture>(new LGLTexture); }
  ~LGLTexture() override;

  // Uploads the bitmap's whole image (the root's, for a sub-bitmap) as
  // straight BGRA into an RGBA8 texture and keeps the bitmap.
  HResult CreateFromBitmap(const RCPtr<LBitmap>& bitmap);
  // (Re)creates the texture from image. scale divides the image size into
  // the logical size. E_FAIL when GL gives no texture name or the image is empty.
  HResult Create(GLImage& image, uint32_t internalFormat, uint32_t flags, float scale);
  // (Re)creates the texture from a rectangle of the current read buffer (GL
  // window coordinates, rows counted from the bottom, so the texture's first
  // row is the rectangle's bottom one). E_FAIL when GL refuses.
  HResult CopyFromFramebuffer(int32_t x, int32_t y, int32_t width, int32_t height);
  // One textured quad: source edges in image pixels, destination edges in
  // the current GL coordinates.
  void Draw(const GLEdges& source, const GLEdges& destination) const;

  // True when the texture name exists and GL knows it as a texture.
  bool IsValid() const;
  int64_t GetName() const { return mName; }
  int32_t GetTextureWidth() const { return mTextureWidth; }
  int32_t GetTextureHeight() const { return mTextureHeight; }
  float GetImageWidth() const { return mImageWidth; }
  float GetImageHeight() const { return mImageHeight; }
  float GetLogicalWidth() const { return mLogicalWidth; }
  float GetLogicalHeight() const { return mLogicalHeight; }
  const RCPtr<LBitmap>& GetBitmap() const { return mBitmap; }

  // The smallest power of two not below size, at most 16384 (1 for sizes below 1).
  static int32_t TextureSideFor(int32_t size);

 protected:
  LGLTexture() = default;

 private:
  // Binds the texture name, generating one when there is none GL knows
  // (isNew, when given, tells which). False when GL gives no name.
  bool BindOrMakeName(bool* isNew = nullptr);
  // The reduction factor at which the driver can hold the texture (1: full size).
  int32_t ProbeSize(uint32_t internalFormat, uint32_t format, uint32_t type) const;

  uint32_t mTarget = 0x0DE1;  // GL_TEXTURE_2D
  int64_t mName = -1;
  int32_t mTextureWidth = 0;
  int32_t mTextureHeight = 0;
  float mImageWidth = 0;
  float mImageHeight = 0;
  float mLogicalWidth = 0;
  float mLogicalHeight = 0;
  RCPtr<LBitmap> mBitmap;
};

}  // namespace HV
