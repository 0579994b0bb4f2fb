#include "HVFramework/Platform/Graphics/Resources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace HV::Platform {
namespace {

TEST(Resources, NamesAreNormalised) {
  EXPECT_EQ(NormaliseResourceName("CE.png"), "CE_PNG");
  EXPECT_EQ(NormaliseResourceName("app skins.xml"), "APP_SKINS_XML");
  EXPECT_EQ(NormaliseResourceName("Ab_9"), "AB_9");
}

TEST(Resources, EmbeddedFilesAreFoundByTypeAndNameInAnyCase) {
  // tests/data/Resources is embedded into this program by the build.
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(LoadResource("hvxml", "sample.XML", bytes));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "<Sample>embedded</Sample>\n");
  ASSERT_TRUE(LoadResource("GDIPLUS", "CE_PNG", bytes));
  EXPECT_EQ(bytes.size(), 82u);
  EXPECT_FALSE(LoadResource("GDIPLUS", "SAMPLE_XML", bytes)) << "the type is part of the key";
  EXPECT_TRUE(bytes.empty());
}

TEST(Resources, RunTimeResourcesStandInAndGoAgain) {
  std::vector<uint8_t> bytes;
  RegisterResource("HVXML", "Sample.xml", {'x'});
  ASSERT_TRUE(LoadResource("HVXML", "SAMPLE_XML", bytes));
  EXPECT_EQ(bytes, std::vector<uint8_t>{'x'});
  EXPECT_TRUE(UnregisterResource("hvxml", "sample.xml"));
  EXPECT_FALSE(UnregisterResource("hvxml", "sample.xml"));
  ASSERT_TRUE(LoadResource("HVXML", "SAMPLE_XML", bytes));
  EXPECT_EQ(bytes.size(), 26u) << "the embedded one again";

  RegisterResource("HVXML", "Empty", {});
  EXPECT_FALSE(LoadResource("HVXML", "EMPTY", bytes)) << "an empty resource counts as missing";
  UnregisterResource("HVXML", "Empty");
}

}  // namespace
}  // namespace HV::Platform
