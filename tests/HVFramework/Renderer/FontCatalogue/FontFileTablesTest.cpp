#include "HVFramework/Renderer/FontCatalogue/FontFileTables.h"
#include "tests/support/FontFileBuilder.h"

#include <gtest/gtest.h>

namespace HV {
namespace {

using namespace Test;

std::vector<FontFaceNames> Read(const std::vector<uint8_t>& bytes) {
  return ReadFontFaceNames(MemoryFontBytes(bytes.data(), bytes.size()));
}

TEST(FontFileTables, TakesTheFirstEnglishFamilyAndSubfamily) {
  const struct {
    const char* name;
    std::vector<NameRecord> records;
    const char16_t* family;
    const char16_t* subfamily;
  } cases[] = {
      {"windows", WindowsNames("Sans", "Bold"), u"Sans", u"Bold"},
      {"macintosh", {{1, 0, 1, "Mac Sans"}, {1, 0, 2, "Italic"}}, u"Mac Sans", u"Italic"},
      {"other languages skipped", {{3, 0x0407, 1, "Deutsch"}, {3, 0x0409, 1, "English"}}, u"English", u""},
      {"first wins", {{1, 0, 1, "First"}, {3, 0x0409, 1, "Second"}}, u"First", u""},
      {"other ids skipped", {{3, 0x0409, 4, "Full"}, {3, 0x0409, 1, "Fam"}}, u"Fam", u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto faces = Read(Face(c.records));
    ASSERT_EQ(faces.size(), 1u);
    EXPECT_EQ(faces[0].faceIndex, 0);
    EXPECT_TRUE(faces[0].family == c.family);
    EXPECT_TRUE(faces[0].subfamily == c.subfamily);
  }
  EXPECT_TRUE(Read(Face({{3, 0x0409, 2, "Bold"}})).empty());  // no family: no face
}

TEST(FontFileTables, CollectionsKeepEachFacesIndex) {
  const auto faces = Read(Collection({WindowsNames("Alpha", "Regular"), WindowsNames("Beta", "Bold")}));
  ASSERT_EQ(faces.size(), 2u);
  EXPECT_EQ(faces[1].faceIndex, 1);
  EXPECT_TRUE(faces[1].family == u"Beta");
  EXPECT_TRUE(faces[1].subfamily == u"Bold");
}

// Every cut of a valid file reads without going outside it, and only the
// whole file yields the face.
TEST(FontFileTables, TruncatedFilesNeverReadPastTheirEnd) {
  for (const auto& whole : {Face(WindowsNames("Sans", "Bold")),
                            Collection({WindowsNames("A", "Bold"), WindowsNames("B", "Italic")})}) {
    for (size_t size = 0; size < whole.size(); ++size) {
      std::vector<uint8_t> cut(whole.begin(), whole.begin() + size);  // exactly sized: asan sees overreads
      for (const FontFaceNames& face : Read(cut)) EXPECT_FALSE(face.family.IsEmpty());
    }
    EXPECT_FALSE(Read(whole).empty());
  }
}

TEST(FontFileTables, DamagedCountsAndOffsetsAreRefused) {
  auto face = Face(WindowsNames("Sans", "Bold"));
  const struct {
    const char* name;
    size_t at;
    std::vector<uint8_t> bytes;
  } damages[] = {
      {"table count", 4, {0xFF, 0xFF}},
      {"name offset", 12 + 16 + 8, {0xFF, 0xFF, 0xFF, 0xF0}},
      {"name length", 12 + 16 + 12, {0x7F, 0xFF, 0xFF, 0xFF}},
      {"record count", 44 + 2, {0xFF, 0xFF}},
      {"string offset", 44 + 4, {0xFF, 0xF0}},
      {"string length", 44 + 6 + 8, {0xFF, 0xFF}},
  };
  for (const auto& d : damages) {
    SCOPED_TRACE(d.name);
    auto damaged = face;
    std::copy(d.bytes.begin(), d.bytes.end(), damaged.begin() + d.at);
    const auto faces = Read(damaged);
    for (const FontFaceNames& f : faces) EXPECT_TRUE(f.family == u"Sans");
  }
  auto collection = Collection({WindowsNames("A", "Bold")});
  collection[8] = 0x7F;  // two billion faces
  EXPECT_TRUE(Read(collection).empty());
  collection = Collection({WindowsNames("A", "Bold")});
  collection[12] = 0xFF;  // the face lies past the end
  EXPECT_TRUE(Read(collection).empty());
}

}  // namespace
}  // namespace HV
