#include "HVFramework/Renderer/OpenGL/CGLPolygon.h"
#include "HVFramework/Renderer/OpenGL/LGLDisplayList.h"
#include "HVFramework/Renderer/OpenGL/LGLTexture.h"
#include "HVFramework/Utilities/Graphics/LBitmap.h"
#include "tests/support/OSMesaTarget.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

namespace HV {
namespace {

using Testing::OSMesaTarget;

constexpr uint32_t kRed = 0xFFFF0000, kBlue = 0xFF0000FF, kNone = 0;

// An image of width x height pixels of one straight BGRA colour.
std::vector<uint8_t> Pixels(int width, int height, uint32_t argb) {
  std::vector<uint8_t> bytes(static_cast<size_t>(width) * height * 4);
  for (size_t i = 0; i < bytes.size(); i += 4) {
    bytes[i] = argb & 0xFF;
    bytes[i + 1] = (argb >> 8) & 0xFF;
    bytes[i + 2] = (argb >> 16) & 0xFF;
    bytes[i + 3] = argb >> 24;
  }
  return bytes;
}

TEST(LGLTexture, AllocatesPowerOfTwoSidesAroundTheImage) {
  OSMesaTarget target(8, 8);
  ASSERT_TRUE(target.IsReady());
  const struct {
    int width, height, textureWidth, textureHeight;
  } cases[] = {{100, 30, 128, 32}, {1, 1, 1, 1}, {64, 65, 64, 128}, {3, 512, 4, 512}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
    const auto bytes = Pixels(c.width, c.height, kRed);
    GLImage image(GL_BGRA, GL_UNSIGNED_BYTE, bytes.data(), c.width, c.height, c.width * 4, 4);
    auto texture = LGLTexture::Make();
    ASSERT_EQ(texture->Create(image, GL_RGBA8, 0, 2.0f), S_OK);
    EXPECT_TRUE(texture->IsValid());
    EXPECT_EQ(texture->GetTextureWidth(), c.textureWidth);
    EXPECT_EQ(texture->GetTextureHeight(), c.textureHeight);
    EXPECT_EQ(texture->GetImageWidth(), c.width);
    EXPECT_EQ(texture->GetLogicalWidth(), c.width / 2.0f);
    // The whole picture runs from 0 to image / texture size.
    EXPECT_FLOAT_EQ(texture->GetImageWidth() / texture->GetTextureWidth(), float(c.width) / c.textureWidth);
  }
  EXPECT_EQ(LGLTexture::TextureSideFor(100000), LGLTexture::kMaxSide);
}

TEST(LGLTexture, RepeatWrappingScalesTheImageToTheTexture) {
  OSMesaTarget target(8, 8);
  const auto bytes = Pixels(100, 30, kRed);
  GLImage image(GL_BGRA, GL_UNSIGNED_BYTE, bytes.data(), 100, 30, 400, 4);
  auto texture = LGLTexture::Make();
  ASSERT_EQ(texture->Create(image, GL_RGBA8, LGLTexture::Repeat, 1.0f), S_OK);
  EXPECT_EQ(texture->GetImageWidth(), 128);
  EXPECT_EQ(texture->GetImageHeight(), 32);
}

TEST(LGLTexture, DrawsTheSourcePixelsAtTheDestination) {
  OSMesaTarget target(16, 16);
  // Left half red, right half blue, 4 x 2 pixels.
  std::vector<uint8_t> bytes = Pixels(4, 2, kRed);
  for (int y = 0; y < 2; ++y)
    for (int x = 2; x < 4; ++x) {
      uint8_t* p = &bytes[(y * 4 + x) * 4];
      p[0] = 0xFF, p[1] = 0, p[2] = 0, p[3] = 0xFF;
    }
  GLImage image(GL_BGRA, GL_UNSIGNED_BYTE, bytes.data(), 4, 2, 16, 4);
  auto texture = LGLTexture::Make();
  ASSERT_EQ(texture->Create(image, GL_RGBA8, LGLTexture::Nearest, 1.0f), S_OK);
  glColor4f(1, 1, 1, 1);
  texture->Draw({2, 0, 4, 2}, {0, 0, 8, 8});  // the blue half, stretched
  texture->Draw({0, 0, 2, 2}, {8, 8, 16, 16});
  EXPECT_EQ(target.Pixel(1, 1), kBlue);
  EXPECT_EQ(target.Pixel(7, 7), kBlue);
  EXPECT_EQ(target.Pixel(12, 12), kRed);
  EXPECT_EQ(target.Pixel(12, 3), kNone);
}

TEST(LGLTexture, EmptyImagesAndMissingBitmapsAreRefused) {
  OSMesaTarget target(8, 8);
  auto texture = LGLTexture::Make();
  GLImage empty;
  EXPECT_EQ(texture->Create(empty, GL_RGBA8, 0, 1.0f), E_INVALIDARG);
  EXPECT_EQ(texture->CreateFromBitmap(nullptr), E_INVALIDARG);
  EXPECT_FALSE(texture->IsValid());
}

TEST(LGLTexture, BitmapsUploadTheirStraightPixels) {
  OSMesaTarget target(8, 8);
  auto bitmap = LBitmap::CreateFilledBitmap(3, 3, Color{0, 0, 1, 1});
  ASSERT_TRUE(bitmap);
  auto texture = LGLTexture::Make();
  ASSERT_EQ(texture->CreateFromBitmap(bitmap), S_OK);
  EXPECT_EQ(texture->GetTextureWidth(), 4);
  glColor4f(1, 1, 1, 1);
  texture->Draw({0, 0, 3, 3}, {0, 0, 8, 8});
  EXPECT_EQ(target.Pixel(4, 4), kBlue);
}

TEST(LGLDisplayList, RecordsOnceAndReplaysTheRecording) {
  OSMesaTarget target(8, 8);
  auto list = LGLDisplayList::Make(1);
  EXPECT_EQ(list->End(), E_FAIL);  // nothing generated yet
  EXPECT_EQ(list->Call(0, 1), E_FAIL);
  ASSERT_EQ(list->Begin(0), S_OK);
  glColor4f(1, 0, 0, 1);
  glBegin(GL_QUADS);
  glVertex2f(0, 0), glVertex2f(0, 4), glVertex2f(4, 4), glVertex2f(4, 0);
  glEnd();
  ASSERT_EQ(list->End(), S_OK);
  EXPECT_EQ(target.Pixel(1, 1), kNone);  // compiled, not drawn
  EXPECT_EQ(list->Call(0, 2), E_INVALIDARG);
  EXPECT_EQ(target.Pixel(1, 1), kNone);
  EXPECT_EQ(list->Call(0, 1), S_OK);
  EXPECT_EQ(target.Pixel(1, 1), kRed);
  glTranslatef(4, 4, 0);  // the same list again, elsewhere
  EXPECT_EQ(list->Call(0, 1), S_OK);
  glLoadIdentity();
  EXPECT_EQ(target.Pixel(6, 6), kRed);
  EXPECT_EQ(target.Pixel(6, 1), kNone);
  EXPECT_EQ(LGLDisplayList::Make(0)->Begin(0), E_FAIL);
}

TEST(CGLPolygon, FillsConcaveAndCrossingOutlines) {
  OSMesaTarget target(16, 16);
  glColor4f(0, 0, 1, 1);
  PolylineT<float> ell;  // an L: the notch at the top right stays empty
  ell.SetPoints({{0, 0}, {6, 0}, {6, 10}, {12, 10}, {12, 14}, {0, 14}});
  CGLPolygon::Fill(ell);
  EXPECT_EQ(target.Pixel(2, 2), kBlue);
  EXPECT_EQ(target.Pixel(10, 12), kBlue);
  EXPECT_EQ(target.Pixel(10, 4), kNone);
  PolylineT<float> bow;  // edges that cross need a new vertex
  bow.SetPoints({{0, 0}, {16, 16}, {16, 0}, {0, 16}});
  CGLPolygon::Fill(bow);
  PolylineT<float> line;  // fewer than three points draw nothing
  line.SetPoints({{0, 0}, {16, 16}});
  CGLPolygon::Fill(line);
}

}  // namespace
}  // namespace HV

namespace HV {
namespace {

// 32-bit pixels uploaded into an alpha format: transparent black stays clear,
// dark ink becomes opaque (the inverted luminance).
TEST(LGLTexture, AlphaFormatsTakeTheInvertedLuminance) {
  Testing::OSMesaTarget target(8, 8);
  const uint32_t pixels[4] = {0x00000000, 0xFF000000, 0xFFFFFFFF, 0xFF808080};
  GLImage image(GL_BGRA, GL_UNSIGNED_BYTE, reinterpret_cast<const uint8_t*>(pixels), 4, 1, 16, 4);
  auto texture = LGLTexture::Make();
  ASSERT_EQ(texture->Create(image, GL_ALPHA8, LGLTexture::Nearest, 1.0f), S_OK);
  glColor4f(1, 0, 0, 1);
  texture->Draw({0, 0, 4, 1}, {0, 0, 8, 2});
  EXPECT_EQ(target.Pixel(0, 0), 0u);           // transparent black: nothing
  EXPECT_EQ(target.Pixel(2, 0), 0xFFFF0000u);  // black: opaque
  EXPECT_EQ(target.Pixel(4, 0), 0u);           // white: clear
  // grey: half covered, so half the red is blended in
  EXPECT_NEAR(double((target.Pixel(6, 0) >> 16) & 0xFF), 127.5, 1.0) << std::hex << target.Pixel(6, 0);
}

}  // namespace
}  // namespace HV
