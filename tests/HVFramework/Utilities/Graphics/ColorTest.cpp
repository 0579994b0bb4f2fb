#include "HVFramework/Utilities/Graphics/Color.h"

#include <gtest/gtest.h>

namespace HV {
namespace {

constexpr float k = 1.0f / 255.0f;

Color Make(float r, float g, float b, float a) { return Color{r, g, b, a}; }

TEST(Color, ParseTable) {
  const Color opaqueRed = Make(1, 0, 0, 1);
  const Color halfAlpha = Make(0.25f, 0.5f, 0.75f, 0.5f);
  struct Case {
    const char* text;
    Color before;
    Color after;
  };
  const Case cases[] = {
      {"0xFF000000", halfAlpha, Make(0, 0, 0, 1)},
      {"FF000000", halfAlpha, Make(0, 0, 0, 1)},
      {"0X80FF8000", halfAlpha, Make(1, 128 * k, 0, 128 * k)},
      {"80", opaqueRed, Make(1, 0, 0, 128 * k)},
      {"00FF00", halfAlpha, Make(0, 1, 0, 0.5f)},
      {"0x00ff00", halfAlpha, Make(0, 1, 0, 0.5f)},
      {"abc", halfAlpha, halfAlpha},                     // three digits
      {"", halfAlpha, halfAlpha},                        // empty
      {"0x", halfAlpha, halfAlpha},                      // prefix alone
      {"0XGG", halfAlpha, Make(0.25f, 0.5f, 0.75f, 0)},  // two characters, no digit: 0
      {"12G456", halfAlpha, Make(0, 0, 18 * k, 0.5f)},   // reading stops at G: 0x12
      {"123456789", halfAlpha, halfAlpha},               // nine characters
      {nullptr, halfAlpha, halfAlpha},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text ? c.text : "(null)");
    Color color = c.before;
    color.Parse(c.text);
    EXPECT_EQ(color, c.after) << color.r << " " << color.g << " " << color.b << " " << color.a;
  }
}

TEST(Color, PackTable) {
  struct Case {
    Color color;
    uint32_t argb;
  };
  const Case cases[] = {
      {Make(1, 0, 0, 1), 0xFFFF0000u},        {Make(1.2f, 0, 0, 1), 0xFFFF0000u},  // clamped high
      {Make(-0.1f, 0.5f, 0, 1), 0xFF008000u},  // clamped low; 127.5 rounds away from zero
      {Make(0, 0, 1, 0), 0x000000FFu},        {Make(0, 0, 0, 2.0f), 0xFF000000u},
  };
  for (const Case& c : cases) EXPECT_EQ(c.color.ToARGB(), c.argb) << std::hex << c.argb;
}

TEST(Color, ArgbRoundTripsEveryByte) {
  for (uint32_t v : {0x80FF8000u, 0x00000000u, 0xFFFFFFFFu, 0x01020304u, 0x7F7F7F7Fu}) {
    Color color;
    EXPECT_EQ(color.SetARGB(v).ToARGB(), v) << std::hex << v;
  }
  for (uint32_t byte = 0; byte < 256; ++byte) {
    Color color;
    EXPECT_EQ(color.SetARGB(byte * 0x01010101u).ToARGB(), byte * 0x01010101u);
  }
}

}  // namespace
}  // namespace HV
