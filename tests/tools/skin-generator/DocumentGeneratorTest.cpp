// The generator turns a compact description into the skin and string
// documents: templates, slots and repeats expand into controls laid out in
// the order written, images are parts of their pictures, lists are numbered
// from their first ID, and texts keep every character; and it writes the
// art layout the art composer draws from.

#include "tools/skin-generator/ArtLayoutWriter.h"
#include "tools/skin-generator/DescriptionReader.h"
#include "tools/skin-generator/DocumentGenerator.h"

#include <gtest/gtest.h>

#include <string>

namespace HV::SkinGenerator {
namespace {

std::map<std::string, std::vector<uint8_t>> Generate(const std::string& text) {
  return DocumentGenerator::Generate(DescriptionReader().ReadText("Main.skin", text, "."));
}

std::string AsText(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

// A UTF-16 document (with its byte-order mark) as UTF-8, for documents of ASCII and a few known characters.
std::string FromUtf16(const std::vector<uint8_t>& bytes) {
  std::string text;
  for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
    const unsigned unit = bytes[i] | (bytes[i + 1] << 8);
    if (unit < 0x80) text += static_cast<char>(unit);
    else text += "<U+" + std::to_string(unit) + ">";
  }
  return text;
}

const std::string kLooks =
    "application Test\n"
    "colour Ink 0xFF102030\n"
    "look Plain\n"
    "  fill Ink inset=1\n"
    "  border Ink width=2\n"
    "  text Ink left=6 align=0.5\n"
    "looklist Plain.1\n"
    "  Plain\n";

TEST(DocumentGenerator, ExpandsTemplatesSlotsAndRepeatsInTheOrderWritten) {
  const auto documents = Generate(kLooks +
                                  "set tileW = 40\n"
                                  "template Tile n x\n"
                                  "  control Framework.Panel tile{n} x={x} w={tileW} h=20 skin=Plain.1\n"
                                  "    control Framework.Button button w=10 h=10\n"
                                  "    slot\n"
                                  "skin Main document=SKIN\n"
                                  "  control Framework.Panel mainControl w=200 h=100\n"
                                  "    repeat n 1..2\n"
                                  "      use Tile n={n} x={(n - 1) * (tileW + 4)}\n"
                                  "        control Framework.Label label w=5 h=5\n"
                                  "          param LABEL \"Tile {n}\"\n");
  const std::string skin = AsText(documents.at("SKIN"));
  const char* expected[] = {
      "<SubControl Class=\"Framework.Panel\" Name=\"tile1\" LayoutOrder=\"0\" XPositionAbs=\"0\" XSizeAbs=\"40\" "
      "YSizeAbs=\"20\">",
      "<SubControl Class=\"Framework.Button\" Name=\"button\" LayoutOrder=\"0\" XSizeAbs=\"10\" YSizeAbs=\"10\">",
      "<SubControl Class=\"Framework.Label\" Name=\"label\" LayoutOrder=\"1\" XSizeAbs=\"5\" YSizeAbs=\"5\">",
      "<CreateParam ID=\"LABEL\" Type=\"String\">Tile 1</CreateParam>",
      "<SubControl Class=\"Framework.Panel\" Name=\"tile2\" LayoutOrder=\"1\" XPositionAbs=\"44\"",
      "<CreateParam ID=\"LABEL\" Type=\"String\">Tile 2</CreateParam>",
  };
  size_t at = 0;
  for (const char* piece : expected) {
    at = skin.find(piece, at);
    ASSERT_NE(at, std::string::npos) << piece << "\n" << skin;
  }
}

TEST(DocumentGenerator, WritesColoursAsPartsAndLooksWithInwardOffsets) {
  const std::string skin =
      AsText(Generate(kLooks + "skin Main document=SKIN\n  control Framework.Panel p skin=Plain.1\n").at("SKIN"));
  for (const char* piece :
       {"<Colorizer Name=\"Ink\" ColorType=\"SolidFill\" Color=\"0xFF102030\" />",
        "<Part Name=\"Ink\" Width=\"4\" Height=\"4\" ResizeType=\"Stretch\" ColorizerName=\"Ink\" />",
        "<ClientPart Name=\"Ink\" OffsetLeft=\"1\" OffsetTop=\"1\" OffsetRight=\"-1\" OffsetBottom=\"-1\" />",
        "<NonClientPart Name=\"Ink\" OffsetLeft=\"0\" OffsetTop=\"0\" OffsetRight=\"0\" Height=\"2\" />",
        "<NonClientPart Name=\"Ink\" OffsetTop=\"0\" OffsetRight=\"0\" OffsetBottom=\"0\" Width=\"2\" />",
        "TextLeftAbs=\"6\" TextRightRel=\"1\" TextRightAbs=\"0\" TextHAlign=\"0.5\"",
        "<LookList Name=\"Plain.1\" NumLooks=\"1\">", "<Skin Name=\"Plain.1\" LookList=\"Plain.1\" />"})
    EXPECT_NE(skin.find(piece), std::string::npos) << piece;
}

// An image is a part cut from a picture file, which a look fills with like a colour.
TEST(DocumentGenerator, WritesImagesAsPartsOfTheirPicture) {
  const std::string skin = AsText(Generate(kLooks +
                                           "image Art.Knob Tiles.png x=44 y=0 w=44 h=40\n"
                                           "look Knob\n"
                                           "  fill Art.Knob\n"
                                           "  border Ink\n"
                                           "looklist Knob.1\n"
                                           "  Knob\n"
                                           "skin Main document=SKIN\n  control Framework.Button b skin=Knob.1\n")
                                      .at("SKIN"));
  for (const char* piece :
       {"<Part Name=\"Art.Knob\" Width=\"44\" Height=\"40\" ResizeType=\"Stretch\" ImageFile=\"Tiles.png\" "
        "ImageLocX=\"44\" ImageLocY=\"0\" />",
        "<ClientPart Name=\"Art.Knob\" OffsetLeft=\"0\" OffsetTop=\"0\" OffsetRight=\"0\" OffsetBottom=\"0\" />"})
    EXPECT_NE(skin.find(piece), std::string::npos) << piece;
}

// The art layout places every control the skin fixes in pixels within its
// top-level control, and leaves out what is placed relative to others.
TEST(ArtLayoutWriter, ListsColoursImagesAndThePixelPlacesOfControls) {
  const SkinDescription description = DocumentGenerator::Describe(DescriptionReader().ReadText(
      "Main.skin",
      kLooks + "image Art.Body Body.png w=200 h=100\n"
               "skin Main document=SKIN\n"
               "  control Framework.Panel top x=16 y=40 w=300 h=200\n"
               "    control Framework.Panel group x=10 y=20 w=100 h=50 visible=False\n"
               "      control Framework.Button button x=5 y=6 w=30 h=20\n"
               "    control Framework.Panel docked XPositionRel=1 w=10 h=10\n"
               "      control Framework.Button inside x=1 y=1 w=2 h=2\n",
      "."));
  const std::string layout = ArtLayoutWriter::Write(description);
  for (const char* line : {"\ncolour Ink 0xFF102030\n", "\nimage Art.Body Body.png 0 0 200 100\n",
                           "\ncontrol top Framework.Panel 0 0 300 200 True\n",
                           "\ncontrol top/group Framework.Panel 10 20 100 50 False\n",
                           "\ncontrol top/group/button Framework.Button 15 26 30 20 False\n"})
    EXPECT_NE(layout.find(line), std::string::npos) << line;
  EXPECT_EQ(layout.find("docked"), std::string::npos);
  EXPECT_EQ(layout.find("inside"), std::string::npos);
}

TEST(DocumentGenerator, NumbersListItemsFromTheFirstIdAndKeepEveryCharacter) {
  const auto documents = Generate(kLooks +
                                  "skin Main document=SKIN\n"
                                  "  control Framework.Panel top\n"
                                  "    control Framework.ComboBox combo\n"
                                  "strings TEXTS\n"
                                  "  items Framework.Panel|combo TEXT.008\n"
                                  "    \"Shift  + Cmd\" \"a \\\"b\\\" & <c>\"\n"
                                  "    repeat n 1..2\n"
                                  "      \"Line\\n{n}\"\n"
                                  "  table |Test\n"
                                  "    TITLE \"\xE2\x8F\x8E \\\\\"\n");
  const std::string strings = FromUtf16(documents.at("TEXTS"));
  EXPECT_EQ(documents.at("TEXTS")[0], 0xFF);
  EXPECT_EQ(documents.at("TEXTS")[1], 0xFE);
  for (const char* piece :
       {"<?xml version=\"1.0\" encoding=\"UTF-16\"?>", "<Application Name=\"Test\">",
        "<StringTable ID=\"Framework.Panel|combo\">",
        "<String ID=\"TEXT.008\"><Locale LCID=\"0x0009\">Shift  + Cmd</Locale></String>",
        "<String ID=\"TEXT.009\"><Locale LCID=\"0x0009\">a &quot;b&quot; &amp; &lt;c&gt;</Locale></String>",
        "<String ID=\"TEXT.010\"><Locale LCID=\"0x0009\">Line&#10;1</Locale></String>",
        "<String ID=\"TEXT.011\"><Locale LCID=\"0x0009\">Line&#10;2</Locale></String>",
        "<String ID=\"TITLE\"><Locale LCID=\"0x0009\"><U+9166> \\</Locale></String>"})
    EXPECT_NE(strings.find(piece), std::string::npos) << piece << "\n" << strings;
}

}  // namespace
}  // namespace HV::SkinGenerator
