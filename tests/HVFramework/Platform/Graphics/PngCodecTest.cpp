#include "HVFramework/Platform/Graphics/PngCodec.h"
#include "tests/support/UnansweredFifo.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

namespace HV::Platform {
namespace {

TEST(PngCodec, StraightPixelsSurviveARoundTrip) {
  // Blue, green, red, alpha: a low alpha must not darken the colour.
  const BgraImage image{3, 1, {0, 0, 255, 255, 30, 200, 10, 3, 255, 255, 255, 0}};
  std::vector<uint8_t> png;
  ASSERT_TRUE(EncodePng(image, png));
  BgraImage decoded;
  ASSERT_TRUE(DecodePng(png.data(), png.size(), decoded));
  EXPECT_EQ(decoded.width, 3);
  EXPECT_EQ(decoded.height, 1);
  EXPECT_EQ(decoded.pixels, image.pixels);
}

TEST(PngCodec, RefusedInputsFailWithoutTouchingTheResult) {
  const BgraImage image{4, 4, std::vector<uint8_t>(64, 0x55)};
  std::vector<uint8_t> png;
  ASSERT_TRUE(EncodePng(image, png));
  std::vector<uint8_t> badCrc = png;
  badCrc[30] ^= 0x01;
  std::vector<uint8_t> badData = png;
  badData[png.size() - 20] ^= 0xFF;  // inside the compressed pixels (or their checksum)
  const std::vector<uint8_t> inputs[] = {
      {},
      {0x89, 'P', 'N', 'G'},
      std::vector<uint8_t>(png.begin(), png.begin() + 40),
      std::vector<uint8_t>(png.begin(), png.end() - 13),
      badCrc,
      badData,
  };
  for (const std::vector<uint8_t>& input : inputs) {
    BgraImage out{7, 7, {1}};
    EXPECT_FALSE(DecodePng(input.data(), input.size(), out)) << input.size();
    EXPECT_EQ(out.width, 7);
  }
  BgraImage out;
  EXPECT_FALSE(DecodePng(nullptr, 10, out));
  EXPECT_FALSE(DecodePngFile("/no/such/file.png", out));
  EXPECT_FALSE(EncodePng(BgraImage{2, 2, {1, 2, 3}}, png)) << "pixels do not match the size";
}

// A skin image path may name anything: a file decodes, a FIFO (no writer will
// come), a folder or a device fails at once.
TEST(PngCodec, FilesDecodeAndOtherPathsFailAtOnce) {
  const BgraImage image{2, 2, std::vector<uint8_t>(16, 0x40)};
  std::vector<uint8_t> png;
  ASSERT_TRUE(EncodePng(image, png));
  HV::Test::UnansweredFifo fifo("image.png");
  const std::string file = fifo.GetFolder() / "file.png";
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(png.data()),
                                              static_cast<std::streamsize>(png.size()));
  BgraImage decoded;
  ASSERT_TRUE(DecodePngFile(file, decoded));
  EXPECT_EQ(decoded.pixels, image.pixels);
  for (const std::string& path : {fifo.GetPath(), fifo.GetFolder().GetPath(), std::string("/dev/zero")}) {
    BgraImage out{7, 7, {1}};
    EXPECT_FALSE(fifo.Run([&] { return DecodePngFile(path, out); })) << path;
    EXPECT_EQ(out.width, 7) << path;
  }
  EXPECT_FALSE(fifo.WasUnblocked());
}

}  // namespace
}  // namespace HV::Platform
