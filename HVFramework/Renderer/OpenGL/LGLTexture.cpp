#include "HVFramework/Renderer/OpenGL/LGLTexture.h"

#include "HVFramework/Renderer/OpenGL/GLErrors.h"
#include "HVFramework/Utilities/Graphics/BitmapImage.h"
#include "HVFramework/Utilities/Graphics/LBitmap.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace HV {

namespace {

bool IsAlphaFormat(uint32_t internalFormat) {
  return internalFormat == GL_ALPHA4 || internalFormat == GL_ALPHA8;
}

int32_t RoundUpTo4(int32_t bytes) { return (bytes + 3) & ~3; }

// 32-bit pixels turned into 8-bit alpha: transparent black stays 0, any other
// pixel gives the inverted luminance, so dark ink becomes opaque.
void ConvertToAlpha(GLImage& image) {
  const int32_t width = image.GetWidth(), height = image.GetHeight();
  const int32_t stride = RoundUpTo4(width);
  auto* out = new uint8_t[static_cast<size_t>(stride) * height]();
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* row = image.GetData() + static_cast<size_t>(y) * image.GetStride();
    for (int32_t x = 0; x < width; ++x) {
      uint32_t pixel;
      std::memcpy(&pixel, row + x * 4, 4);
      if (pixel == 0) continue;
      const double r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
      const auto luminance = static_cast<uint32_t>(g * 0.59 + r * 0.3 + b * 0.11);
      out[static_cast<size_t>(y) * stride + x] = static_cast<uint8_t>(~luminance & 0xFF);
    }
  }
  image.Adopt(out, GL_ALPHA, GL_UNSIGNED_BYTE, width, height, stride, 1);
}

// The image scaled to width x height with GLU (rows padded to 4 bytes).
void ScaleImage(GLImage& image, int32_t width, int32_t height) {
  const int32_t bpp = image.GetBytesPerPixel();
  const int32_t stride = RoundUpTo4(width * bpp);
  auto* out = new uint8_t[static_cast<size_t>(stride) * height]();
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, image.GetStride() / std::max(bpp, 1));
  gluScaleImage(image.GetFormat(), image.GetWidth(), image.GetHeight(), image.GetType(), image.GetData(),
                width, height, image.GetType(), out);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  DrainGLErrors();
  image.Adopt(out, image.GetFormat(), image.GetType(), width, height, stride, bpp);
}

// The smallest power of two above the remainder (1 for none).
int32_t UnpackAlignment(int32_t stride, int32_t bytesPerPixel) {
  const int32_t rest = bytesPerPixel > 0 ? stride % bytesPerPixel : 0;
  int32_t alignment = 1;
  while (alignment <= rest) alignment *= 2;
  return std::min(alignment, 8);
}

}  // namespace

LGLTexture::~LGLTexture() {
  if (mName >= 0) {
    const auto name = static_cast<GLuint>(mName);
    if (glIsTexture(name)) glDeleteTextures(1, &name);
    DrainGLErrors();
  }
  mTextureWidth = mTextureHeight = 0;
  mImageWidth = mImageHeight = 0;
}

bool LGLTexture::BindOrMakeName(bool* isNew) {
  mTarget = GL_TEXTURE_2D;
  GLuint name = mName >= 0 ? static_cast<GLuint>(mName) : 0;
  const bool needsName = mName < 0 || !glIsTexture(name);
  if (needsName) {
    glGenTextures(1, &name);
    if (glGetError() != GL_NO_ERROR || name == 0) {
      DrainGLErrors();
      return false;
    }
    mName = name;
  }
  if (isNew) *isNew = needsName;
  glBindTexture(GL_TEXTURE_2D, name);
  return true;
}

int32_t LGLTexture::TextureSideFor(int32_t size) {
  int32_t side = 1;
  while (side < size && side < kMaxSide) side *= 2;
  return side;
}

bool LGLTexture::IsValid() const {
  if (mName < 0) return false;
  const bool isTexture = glIsTexture(static_cast<GLuint>(mName)) == GL_TRUE;
  DrainGLErrors();
  return isTexture;
}

HResult LGLTexture::CreateFromBitmap(const RCPtr<LBitmap>& bitmap) {
  BitmapImage* image = bitmap ? bitmap->GetGdiplusBitmap() : nullptr;
  if (!image) return E_INVALIDARG;
  mBitmap = bitmap;
  BitmapImage::LockRecord lock;
  if (!image->LockBits({0, 0, image->GetWidth(), image->GetHeight()}, lock)) return E_FAIL;
  GLImage pixels(GL_BGRA, GL_UNSIGNED_BYTE, lock.scan0, lock.width, lock.height, lock.stride, 4);
  const HResult result = Create(pixels, GL_RGBA8, 0, 1.0f);
  image->UnlockBits();
  return result;
}

int32_t LGLTexture::ProbeSize(uint32_t internalFormat, uint32_t format, uint32_t type) const {
  int32_t width = mTextureWidth, height = mTextureHeight, factor = 1;
  DrainGLErrors();
  for (;;) {
    glTexImage2D(GL_PROXY_TEXTURE_2D, 0, static_cast<GLint>(internalFormat), width, height, 0, format, type,
                 nullptr);
    GLint proxyWidth = 0, proxyHeight = 0;
    glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &proxyWidth);
    glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &proxyHeight);
    const bool failed = glGetError() != GL_NO_ERROR || proxyWidth != width || proxyHeight != height;
    DrainGLErrors();
    if (!failed || width / 2 <= 1) return factor;
    width /= 2;
    height = std::max(height / 2, 1);
    factor *= 2;
  }
}

HResult LGLTexture::Create(GLImage& image, uint32_t internalFormat, uint32_t flags, float scale) {
  if (image.GetWidth() <= 0 || image.GetHeight() <= 0 || !image.GetData()) return E_INVALIDARG;
  if (!BindOrMakeName()) return E_FAIL;
  uint32_t format = image.GetFormat(), type = image.GetType();
  if (IsAlphaFormat(internalFormat)) {
    format = GL_ALPHA;
    type = GL_UNSIGNED_BYTE;
  }
  if (scale <= 0) scale = 1;
  mImageWidth = static_cast<float>(image.GetWidth());
  mImageHeight = static_cast<float>(image.GetHeight());
  mLogicalWidth = mImageWidth / scale;
  mLogicalHeight = mImageHeight / scale;
  mTextureWidth = TextureSideFor(image.GetWidth());
  mTextureHeight = TextureSideFor(image.GetHeight());

  const bool nearest = flags & Nearest, mipmaps = flags & Mipmaps, repeat = flags & Repeat;
  GLint minFilter = nearest ? (mipmaps ? GL_NEAREST_MIPMAP_NEAREST : GL_NEAREST)
                            : (mipmaps ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, nearest ? GL_NEAREST : GL_LINEAR);
  // Clamping stops at the edge texels: GL_CLAMP would blend the transparent
  // border into the edges of every stretched bitmap.
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, repeat ? GL_REPEAT : GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, repeat ? GL_REPEAT : GL_CLAMP_TO_EDGE);
  DrainGLErrors();

  const int32_t factor = ProbeSize(internalFormat, format, type);
  mTextureWidth = std::max(mTextureWidth / factor, 1);
  mTextureHeight = std::max(mTextureHeight / factor, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(internalFormat), mTextureWidth, mTextureHeight, 0, format,
               type, nullptr);
  DrainGLErrors();

  const bool sizeDiffers = mTextureWidth != image.GetWidth() || mTextureHeight != image.GetHeight();
  // An image larger than the texture is always scaled down to fit.
  const bool tooLarge = image.GetWidth() > mTextureWidth || image.GetHeight() > mTextureHeight;
  if (((factor > 1 || repeat) && sizeDiffers) || tooLarge) {
    ScaleImage(image, mTextureWidth, mTextureHeight);
    mImageWidth = static_cast<float>(mTextureWidth);
    mImageHeight = static_cast<float>(mTextureHeight);
  }
  if (IsAlphaFormat(internalFormat) && image.GetBytesPerPixel() == 4) ConvertToAlpha(image);

  const int32_t bpp = std::max(image.GetBytesPerPixel(), 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, image.GetStride() / bpp);
  glPixelStorei(GL_UNPACK_ALIGNMENT, UnpackAlignment(image.GetStride(), bpp));
  const auto uploadWidth = static_cast<GLsizei>(mImageWidth),
             uploadHeight = static_cast<GLsizei>(mImageHeight);
  if (mipmaps)
    gluBuild2DMipmaps(GL_TEXTURE_2D, static_cast<GLint>(internalFormat), uploadWidth, uploadHeight,
                      image.GetFormat(), image.GetType(), image.GetData());
  else
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, uploadWidth, uploadHeight, image.GetFormat(), image.GetType(),
                    image.GetData());
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  DrainGLErrors();
  return S_OK;
}

HResult LGLTexture::CopyFromFramebuffer(int32_t x, int32_t y, int32_t width, int32_t height) {
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return E_INVALIDARG;
  bool isNew = false;
  if (!BindOrMakeName(&isNew)) return E_FAIL;
  const int32_t textureWidth = TextureSideFor(width), textureHeight = TextureSideFor(height);
  if (isNew || textureWidth != mTextureWidth || textureHeight != mTextureHeight) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, textureWidth, textureHeight, 0, GL_BGRA, GL_UNSIGNED_BYTE,
                 nullptr);
    mTextureWidth = textureWidth;
    mTextureHeight = textureHeight;
  }
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, x, y, width, height);
  const bool failed = glGetError() != GL_NO_ERROR;
  DrainGLErrors();
  mImageWidth = mLogicalWidth = static_cast<float>(width);
  mImageHeight = mLogicalHeight = static_cast<float>(height);
  return failed ? E_FAIL : S_OK;
}

void LGLTexture::Draw(const GLEdges& source, const GLEdges& destination) const {
  if (mName < 0 || mTextureWidth <= 0 || mTextureHeight <= 0) return;
  const float w = static_cast<float>(mTextureWidth), h = static_cast<float>(mTextureHeight);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(mName));
  glBegin(GL_QUADS);
  glTexCoord2f(source.left / w, source.top / h);
  glVertex2f(destination.left, destination.top);
  glTexCoord2f(source.left / w, source.bottom / h);
  glVertex2f(destination.left, destination.bottom);
  glTexCoord2f(source.right / w, source.bottom / h);
  glVertex2f(destination.right, destination.bottom);
  glTexCoord2f(source.right / w, source.top / h);
  glVertex2f(destination.right, destination.top);
  glEnd();
  glDisable(GL_TEXTURE_2D);
  DrainGLErrors();
}

}  // namespace HV
