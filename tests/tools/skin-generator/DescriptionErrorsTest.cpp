// A fault in the skin description stops the generator with a message that
// names the file and line of the fault, and the templates it was expanded
// in, so the person editing the description finds it at once.

#include "tests/support/TemporaryFolder.h"
#include "tools/skin-generator/DescriptionError.h"
#include "tools/skin-generator/DescriptionReader.h"
#include "tools/skin-generator/DocumentGenerator.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>

namespace HV::SkinGenerator {
namespace {

// The message of the description's first fault; empty when it has none.
std::string FaultOf(const std::string& text, const std::filesystem::path& folder = ".") {
  try {
    DocumentGenerator::Generate(DescriptionReader().ReadText("Main.skin", text, folder));
  } catch (const DescriptionError& error) {
    return error.what();
  }
  return std::string();
}

// Just enough for a valid description: an application, a look and a skin.
const std::string kBase =
    "application Test\n"          // 1
    "colour Ink 0xFF000000\n"     // 2
    "look Plain\n"                // 3
    "  fill Ink\n"                // 4
    "looklist Plain.1\n"          // 5
    "  Plain\n"                   // 6
    "skin Test document=SKIN\n";  // 7; its controls follow from line 8

struct FaultCase {
  const char* name;
  std::string description;
  std::string message;
};

// The case's name stands for it in test names and messages.
void PrintTo(const FaultCase& fault, std::ostream* out) { *out << fault.name; }

class DescriptionFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(DescriptionFaults, NameTheirLine) { EXPECT_EQ(FaultOf(GetParam().description), GetParam().message); }

INSTANTIATE_TEST_SUITE_P(
    Cases, DescriptionFaults,
    ::testing::Values(
        FaultCase{"TabIndent", kBase + "\tcontrol Framework.Panel a\n",
                  "Main.skin:8: indent with blanks, not tabs"},
        FaultCase{"DedentToNoBlock", kBase + "  control Framework.Panel a\n    control Framework.Panel b\n   control Framework.Panel c\n",
                  "Main.skin:10: the indentation matches no line above"},
        FaultCase{"IndentWithoutParent", "  application Test\n",
                  "Main.skin:1: the line is indented but follows no line it could belong to"},
        FaultCase{"UnknownVariableInTemplate",
                  kBase + "  control Framework.Panel a w={width}\n",
                  "Main.skin:8: unknown variable \"width\""},
        FaultCase{"FaultInsideNestedTemplates",
                  "template Inner\n  control Framework.Panel in x={missing}\n"
                  "template Outer\n  use Inner\n" + kBase + "  use Outer\n",
                  "Main.skin:2 in template Inner used at Main.skin:4 in template Outer used at Main.skin:12: "
                  "unknown variable \"missing\""},
        FaultCase{"MissingTemplateParameter",
                  "template Box name w\n  control Framework.Panel {name} w={w}\n" + kBase + "  use Box name=a\n",
                  "Main.skin:10: the template \"Box\" needs w="},
        FaultCase{"UnknownTemplateParameter",
                  "template Box name\n  control Framework.Panel {name}\n" + kBase + "  use Box name=a wide=3\n",
                  "Main.skin:10: the template \"Box\" has no parameter \"wide\""},
        FaultCase{"LinesBelowAUseWithoutSlot",
                  "template Box\n  control Framework.Panel a\n" + kBase + "  use Box\n    control Framework.Panel b\n",
                  "Main.skin:10: the lines below \"use Box\" go nowhere: the template has no \"slot\""},
        FaultCase{"UnclosedQuote", kBase + "  control Framework.Panel a FontName=\"Deja\n",
                  "Main.skin:8: a quoted text without its closing quote"},
        FaultCase{"FractionalPixels", kBase + "  control Framework.Panel a w={7 / 2}\n",
                  "Main.skin:8: XSizeAbs=3.5 is no whole number"},
        FaultCase{"BoolInLowerCase", kBase + "  control Framework.Panel a\n    control Framework.Panel b visible=true\n",
                  "Main.skin:9: IsVisible=true is neither True nor False"},
        FaultCase{"BoolParamInLowerCase", kBase + "  control Framework.Panel a\n    param AUTO_VALUE_SET false\n",
                  "Main.skin:8: AUTO_VALUE_SET=false is neither True nor False"},
        FaultCase{"UnknownAttribute", kBase + "  control Framework.Panel a Width=3\n",
                  "Main.skin:8: unknown skin attribute \"Width\""},
        FaultCase{"LayoutOrderWritten", kBase + "  control Framework.Panel a LayoutOrder=2\n",
                  "Main.skin:8: LayoutOrder is the order of the description; leave it out"},
        FaultCase{"TabStopOnTopLevel", kBase + "  control Framework.Panel a tab=1\n",
                  "Main.skin:8: a top-level control takes no TabStop: the skin reader ignores it there"},
        FaultCase{"SiblingsOfOneName",
                  kBase + "  control Framework.Panel a\n    control Framework.Label b\n    control Framework.Label b\n",
                  "Main.skin:10: a sibling is named \"b\" already, at Main.skin:9"},
        FaultCase{"ReferenceToAMissingSibling", kBase + "  control Framework.Panel a\n    control Framework.Label b XPositionToControl=c\n",
                  "Main.skin:9: XPositionToControl names no sibling \"c\""},
        FaultCase{"UnknownLookList", kBase + "  control Framework.Panel a skin=Fancy.14\n",
                  "Main.skin:8: unknown look list \"Fancy.14\""},
        FaultCase{"UnknownColour", "application Test\nlook Plain\n  fill Paint\n",
                  "Main.skin:2: unknown colour or image \"Paint\""},
        FaultCase{"ImageWithoutSize", "image Art.Knob Tiles.png w=44\n",
                  "Main.skin:1: an image needs w= and h= of a pixel or more"},
        FaultCase{"ImageNamedAsAColour", "application Test\ncolour Ink 0xFF000000\nimage Ink Tiles.png w=4 h=4\n",
                  "Main.skin:3: \"Ink\" names a colour and an image"},
        FaultCase{"BadColour", "colour Ink 0xFF00\n", "Main.skin:1: \"0xFF00\" is no colour 0xAARRGGBB"},
        FaultCase{"LookDefinedTwice", kBase + "look Plain\n  fill Ink\n",
                  "Main.skin:8: the look \"Plain\" is defined before, at Main.skin:3"},
        FaultCase{"StringTableOfNoControl",
                  kBase + "  control Framework.Panel a\nstrings TEXTS\n  table Framework.Panel|b\n    LABEL \"B\"\n",
                  "Main.skin:10: the table \"Framework.Panel|b\" belongs to no control"},
        FaultCase{"TwoTextsForOneId",
                  kBase + "strings TEXTS\n  table |Test\n    TITLE \"One\"\n  table |Test\n    TITLE \"Two\"\n",
                  "Main.skin:12: \"|Test\" has another text for TITLE (at Main.skin:10)"},
        FaultCase{"UnquotedText", kBase + "strings TEXTS\n  table |Test\n    TITLE One\n",
                  "Main.skin:10: a table holds lines ID \"TEXT\""},
        FaultCase{"ReversedRange", kBase + "  repeat n 3..1\n    control Framework.Panel a{n}\n",
                  "Main.skin:8: the range \"3..1\" is empty or too long"},
        FaultCase{"MissingInclude", "application Test\ninclude Missing.skin\n",
                  "Main.skin:2: cannot read \"Missing.skin\""}),
    [](const ::testing::TestParamInfo<FaultCase>& param) { return std::string(param.param.name); });

TEST(DescriptionFaultsInTemplates, ATemplateUsingItselfStopsAtTheNestingLimit) {
  const std::string fault = FaultOf("template Loop\n  use Loop\n" + kBase + "  use Loop\n");
  EXPECT_TRUE(fault.starts_with("Main.skin:2 in template Loop used at Main.skin:2 in template Loop")) << fault;
  EXPECT_TRUE(fault.ends_with("used at Main.skin:10: templates nest deeper than 64 levels: does \"Loop\" use itself?"))
      << fault;
}

TEST(DescriptionFaultsInIncludes, NameTheIncludedFileAndItsLine) {
  const HV::Test::TemporaryFolder temporary;
  const std::filesystem::path folder = temporary.GetPath();
  std::ofstream(folder / "Looks.skin") << "colour Ink 0xFF000000\nlook Plain\n  fill Paper\n";
  EXPECT_EQ(FaultOf("application Test\ninclude Looks.skin\n", folder), "Looks.skin:2: unknown colour or image \"Paper\"");
  std::ofstream(folder / "Looks.skin") << "include Looks.skin\n";
  EXPECT_EQ(FaultOf("application Test\ninclude Looks.skin\n", folder),
            "Looks.skin:1: \"Looks.skin\" includes itself");
}

}  // namespace
}  // namespace HV::SkinGenerator
