#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/Renderer/FontCatalogue/LFontCatalogue.h"
#include "tests/support/FontFileBuilder.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/support/UnansweredFifo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace HV {
namespace {

using namespace Test;

constexpr const char* kLiberation = "/usr/share/fonts/truetype/liberation2";
constexpr const char* kDejaVu = "/usr/share/fonts/truetype/dejavu";

class FontFolder {
 public:
  void Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string path = mFolder / name;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }
  std::string operator/(const std::string& name) const { return mFolder / name; }
  const std::string& GetPath() const { return mFolder.GetPath(); }

 private:
  TemporaryFolder mFolder;
};

std::string PathOf(const FontFileRef& ref) { return StringA(ref.path.GetText()).GetText(); }

TEST(LFontCatalogue, ListsFontFilesRecursivelySortedAnyCase) {
  FontFolder folder;
  for (const char* name : {"b.ttf", "sub/deeper/a.TTF", "c.Ttc", "notes.txt", "d.otf", "sub/e.ttc"})
    folder.Write(name, {0});
  const auto files = LFontCatalogue::ListFontFiles({folder.GetPath(), folder.GetPath() + "/missing"});
  const std::vector<std::string> expected = {folder / "b.ttf", folder / "c.Ttc", folder / "sub/deeper/a.TTF",
                                             folder / "sub/e.ttc"};
  EXPECT_EQ(files, expected);
}

TEST(LFontCatalogue, FillsStyleSlotsWithoutLettingGuessesOverwrite) {
  FontFolder folder;
  // Sorted: a guess ("ExtraLight") comes before the real regular ("Book").
  folder.Write("Fam-A-ExtraLight.ttf", Face(WindowsNames("Fam", "ExtraLight")));
  folder.Write("Fam-B-Oblique.ttf", Face(WindowsNames("Fam", "Oblique")));
  folder.Write("Fam-C-BoldOblique.ttf", Face(WindowsNames("Fam", "Bold Oblique")));
  folder.Write("Fam-D.ttf", Face(WindowsNames("Fam", "Book")));
  folder.Write("Fam-E-Condensed.ttf", Face(WindowsNames("Fam", "Condensed")));
  folder.Write("Other.ttc", Collection({WindowsNames("Light Only", "Thin"), WindowsNames("Boldy", "Bold")}));
  folder.Write("broken.ttf", {0, 1, 0, 0, 0, 9});
  LFontCatalogue catalogue;
  ASSERT_EQ(catalogue.Build({folder.GetPath()}, u"Fam"), S_OK);
  ASSERT_EQ(catalogue.GetFamilies().size(), 3u);
  LFontFileInfo* fam = catalogue.FindFamily(u"Fam");
  ASSERT_TRUE(fam);
  EXPECT_EQ(PathOf(fam->GetFile(0)), folder / "Fam-D.ttf");
  EXPECT_EQ(PathOf(fam->GetFile(2)), folder / "Fam-B-Oblique.ttf");
  EXPECT_EQ(PathOf(fam->GetFile(3)), folder / "Fam-C-BoldOblique.ttf");
  EXPECT_TRUE(fam->GetFile(1).IsEmpty());
  LFontFileInfo* light = catalogue.FindFamily(u"Light Only");
  ASSERT_TRUE(light);
  EXPECT_EQ(PathOf(light->GetFile(0)), folder / "Other.ttc");  // a guess fills an empty slot
  EXPECT_EQ(catalogue.FindFamily(u"Boldy")->GetFile(1).faceIndex, 1);
}

TEST(LFontCatalogue, FaceIdsFallBackAcrossStylesAndFamilies) {
  FontFolder folder;
  folder.Write("a.ttf", Face(WindowsNames("Alpha", "Regular")));
  folder.Write("b.ttf", Face(WindowsNames("Bolder", "Bold")));
  LFontCatalogue catalogue;
  ASSERT_EQ(catalogue.Build({folder.GetPath()}, u"No Such Family"), S_OK);
  EXPECT_TRUE(catalogue.GetSystemFontName() == u"Alpha");  // the system font is one the catalogue has
  const int32_t bolder = catalogue.FindFamily(u"Bolder")->GetIndex();

  const int32_t regular = catalogue.GetFileID(FontKey::Make(u"Bolder", 10, 0));
  EXPECT_EQ(regular, bolder * 4);
  EXPECT_EQ(PathOf(catalogue.GetFilePath(regular)), folder / "b.ttf");  // the slot took the bold file
  // Style bits above 3 never reach another family's id.
  EXPECT_EQ(catalogue.GetFileID(FontKey::Make(u"Bolder", 10, 5)), bolder * 4 + 1);
  EXPECT_EQ(catalogue.GetFileID(FontKey::Make(u"Missing", 10, 0)) / 4,
            catalogue.FindFamily(u"Alpha")->GetIndex());
  EXPECT_TRUE(catalogue.GetFilePath(-1).IsEmpty());
  EXPECT_TRUE(catalogue.GetFilePath(4 * 2).IsEmpty());

  LFontCatalogue empty;
  EXPECT_EQ(empty.Build({folder / "none"}, u"Alpha"), E_FAIL);
  EXPECT_THROW(empty.GetFileID(FontKey::Make(u"Alpha", 10, 0)), Exception<std::runtime_error>);
}

// A path named like a font that is a FIFO, a folder or a device adds nothing
// and returns at once; a real font file added after it still counts.
TEST(LFontCatalogue, OnlyRegularFilesAreRead) {
  UnansweredFifo fifo("pipe.ttf");
  LFontCatalogue catalogue;
  for (const std::string& path : {fifo.GetPath(), fifo.GetFolder().GetPath(), std::string("/dev/zero")})
    fifo.Run([&] { catalogue.AddFontFile(path); });
  EXPECT_FALSE(fifo.WasUnblocked());
  EXPECT_TRUE(catalogue.GetFamilies().empty());
  catalogue.AddFontFile(std::string(kLiberation) + "/LiberationSans-Regular.ttf");
  EXPECT_TRUE(catalogue.FindFamily(u"Liberation Sans"));
}

TEST(LFontCatalogue, ReadsTheInstalledFamiliesWhole) {
  LFontCatalogue catalogue;
  ASSERT_EQ(catalogue.Build({kLiberation, kDejaVu}, u"DejaVu Sans"), S_OK);
  LFontFileInfo* sans = catalogue.FindFamily(u"Liberation Sans");
  ASSERT_TRUE(sans);
  for (int32_t style = 0; style < 4; ++style) EXPECT_FALSE(sans->GetFile(style).IsEmpty()) << style;
  LFontFileInfo* dejavu = catalogue.FindFamily(u"DejaVu Sans");
  ASSERT_TRUE(dejavu);
  EXPECT_EQ(PathOf(dejavu->GetFile(0)), std::string(kDejaVu) + "/DejaVuSans.ttf");
  EXPECT_EQ(PathOf(dejavu->GetFile(2)), std::string(kDejaVu) + "/DejaVuSans-Oblique.ttf");
  EXPECT_TRUE(catalogue.GetSystemFontName() == u"DejaVu Sans");
}

}  // namespace
}  // namespace HV
