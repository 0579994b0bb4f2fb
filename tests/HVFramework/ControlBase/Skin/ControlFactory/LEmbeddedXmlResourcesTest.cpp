#include "HVFramework/ControlBase/Skin/ControlFactory/LEmbeddedXmlResources.h"

#include "HVFramework/Platform/Graphics/Resources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace HV {
namespace {

std::string Text(std::span<const uint8_t> bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(LEmbeddedXmlResources, CopiesTheDocumentIntoTheCallersStorage) {
  Platform::RegisterResource("HVXML", "Run Time.xml", {'<', 'a', '/', '>'});
  const LEmbeddedXmlResources source;
  std::vector<uint8_t> storage;
  const std::span<const uint8_t> bytes = source.FindXmlResource(StringW(u"RUN_TIME_XML"), storage);
  EXPECT_EQ(bytes.data(), storage.data());
  // The answer is the caller's: it outlives the resource it came from.
  Platform::UnregisterResource("HVXML", "RUN_TIME_XML");
  EXPECT_EQ(Text(bytes), "<a/>");
}

TEST(LEmbeddedXmlResources, AnswersNothingForMissingEmptyOrOtherTypes) {
  Platform::RegisterResource("GDIPLUS", "PICTURE_XML", {'x'});
  Platform::RegisterResource("HVXML", "EMPTY_XML", {});
  const LEmbeddedXmlResources source;
  for (const char16_t* name : {u"NO_SUCH_XML", u"PICTURE_XML", u"EMPTY_XML"}) {
    std::vector<uint8_t> storage{'o', 'l', 'd'};
    EXPECT_TRUE(source.FindXmlResource(StringW(name), storage).empty())
        << StringW(name).ToCharString().GetText();
    EXPECT_TRUE(storage.empty());
  }
  Platform::UnregisterResource("GDIPLUS", "PICTURE_XML");
  Platform::UnregisterResource("HVXML", "EMPTY_XML");
}

TEST(LEmbeddedXmlResources, ServesTheDocumentsTheBuildEmbedded) {
  // Panel/Resources is embedded into this program by the build.
  const LEmbeddedXmlResources source;
  std::vector<uint8_t> storage;
  EXPECT_TRUE(Text(source.FindXmlResource(StringW(u"DEMOSKIN_XML"), storage)).starts_with("<?xml"));
  EXPECT_FALSE(source.FindXmlResource(StringW(u"DEMOSTRINGS_XML"), storage).empty());
}

TEST(LEmbeddedXmlResources, HandsOutEmbeddedDocumentsInPlaceUnlessOneRegisteredAtRunTimeTakesTheirPlace) {
  const LEmbeddedXmlResources source;
  std::vector<uint8_t> storage;
  const std::span<const uint8_t> embedded = source.FindXmlResource(StringW(u"DEMOSKIN_XML"), storage);
  EXPECT_TRUE(storage.empty()) << "nothing copied";
  EXPECT_EQ(embedded.data(), Platform::FindEmbeddedResource("HVXML", "DemoSkin.xml").data());

  Platform::RegisterResource("HVXML", "DEMOSKIN_XML", {'<', 'b', '/', '>'});
  const std::span<const uint8_t> replaced = source.FindXmlResource(StringW(u"DEMOSKIN_XML"), storage);
  EXPECT_EQ(replaced.data(), storage.data());
  EXPECT_EQ(Text(replaced), "<b/>");
  Platform::UnregisterResource("HVXML", "DEMOSKIN_XML");
  EXPECT_EQ(source.FindXmlResource(StringW(u"DEMOSKIN_XML"), storage).data(), embedded.data());
}

}  // namespace
}  // namespace HV
