// The user guide's text markup and its PDF: how lines become blocks, a
// fault named by its line, a guide laid out over pages, and the editor's
// guide as the build put it beside the program.
#include "tools/user-guide/GuidePdf.h"
#include "tools/user-guide/GuideText.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace UserGuide {
namespace {

std::string Describe(const std::vector<Block>& blocks) {
  static const char* const kKinds[] = {"title", "heading", "subheading", "paragraph", "bullet", "row"};
  std::string text;
  for (const Block& block : blocks) {
    text += std::string(kKinds[static_cast<int>(block.kind)]) + "[" + block.text;
    if (block.kind == BlockKind::Row) text += "|" + block.second;
    text += "] ";
  }
  return text;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(UserGuideText, LinesBecomeBlocksAndContinueTheirParagraphItemOrRow) {
  std::string error;
  const std::vector<Block> blocks = ReadGuide(
      "% a comment\n# Guide\n\nFirst line\n  and its end.\n## Menus\n### File\n- Load: opens\n  a file.\n"
      "| Ctrl+O | Load |\n  Preset\n\nNext.\n",
      error);
  EXPECT_EQ(error, "");
  EXPECT_EQ(Describe(blocks),
            "title[Guide] paragraph[First line and its end.] heading[Menus] subheading[File] "
            "bullet[Load: opens a file.] row[Ctrl+O|Load Preset] paragraph[Next.] ");
}

TEST(UserGuideText, ARowWithoutItsSecondColumnIsNamedByItsLine) {
  std::string error;
  EXPECT_TRUE(ReadGuide("# Guide\n\n| Ctrl+O Load\n", error).empty());
  EXPECT_EQ(error, "line 3: a row needs two columns: | first | second");
}

TEST(UserGuidePdf, ALongGuideRunsOverPagesAndIsAPdf) {
  std::vector<Block> blocks = {{BlockKind::Title, "Guide", ""}};
  for (int i = 0; i < 120; ++i)
    blocks.push_back({BlockKind::Paragraph, "A paragraph long enough to wrap over more than one line of the "
                                            "page, so that the guide needs several pages in all.",
                      ""});
  blocks.push_back({BlockKind::Row, "Preset File Save", "The preset could not be saved."});
  HV::Test::TemporaryFolder folder;
  const std::string path = folder.GetPath() + "/guide.pdf";
  std::string error;
  const int pages = WriteGuidePdf(blocks, "footer", path, error);
  EXPECT_EQ(error, "");
  EXPECT_GT(pages, 2);
  EXPECT_EQ(ReadFile(path).rfind("%PDF-", 0), 0u);
}

TEST(UserGuidePdf, AnUnwritablePlaceIsReported) {
  std::string error;
  EXPECT_EQ(WriteGuidePdf({{BlockKind::Title, "Guide", ""}}, "", "/nonexistent-folder/guide.pdf", error), 0);
  EXPECT_NE(error, "");
}

// The build wrote the editor's guide beside the program, under the name its
// string table gives, and it reads as a PDF that names every message box.
TEST(UserGuidePdf, TheEditorsGuideIsBesideTheProgram) {
  const std::string pdf = ReadFile(TARSEL_USER_GUIDE_PDF);
  EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
  EXPECT_GT(pdf.size(), 10000u);
  std::string error;
  const std::vector<Block> blocks = ReadGuide(ReadFile(TARSEL_USER_GUIDE_SOURCE), error);
  EXPECT_EQ(error, "");
  std::string captions;
  for (const Block& block : blocks)
    if (block.kind == BlockKind::Row) captions += block.text + ";";
  for (const char* caption : {"Preset File Load", "Preset File Save", "Send Preset Error", "Send Sucess",
                              "Retrieve Preset Error", "Retrieve Sucessful", "Global Settings Error",
                              "Open User Guide Error", "MIDI Device Error", "Ctrl+Shift+R"})
    EXPECT_NE(captions.find(caption), std::string::npos) << caption;
}

}  // namespace
}  // namespace UserGuide
