#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"

#include "tests/HVFramework/ControlBase/Skin/ControlFactory/SkinDocumentFixture.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace HV {
namespace {

using Test::Narrow;

// One case: the documents, as resources, and the language asked for.
struct DocumentsCase {
  const char* label;
  std::string appStrings;
  std::string frameworkStrings;
  std::string skin;
  int32_t language = 0x0409;
};

std::string Strings(const std::string& application, const std::string& tables) {
  return "<?xml version=\"1.0\"?><R>" + application + tables + "</R>";
}

std::string Table(const char* table, const char* id, const char* lcid, const char* text) {
  return std::string("<StringTable ID=\"") + table + "\"><String ID=\"" + id + "\"><Locale LCID=\"" + lcid +
         "\">" + text + "</Locale></String></StringTable>";
}

// A skin whose top-level control "c" uses the font "Sans", translated for
// Japanese and German; with an Application element of that name, if any.
std::string Skin(const char* application, const std::string& extra = "") {
  const std::string body =
      "<Skins><Skin Name=\"S\" FontName=\"Sans\"><FontLocale LCID=\"0x0011\"><FontXLat Name=\"Sans\" "
      "XLat=\"Gothic\"/></FontLocale><FontLocale LCID=\"0x0007\"><FontXLat Name=\"Sans\" XLat=\"Fraktur\"/>"
      "</FontLocale><SubControl Class=\"K\" Name=\"c\" FontName=\"Sans\"><Skin Name=\"Style\"/></SubControl>" +
      extra + "</Skin></Skins>";
  const std::string named = application ? std::string("<Application Name=\"") + application + "\">" : "<Application>";
  return "<?xml version=\"1.0\"?><Halvern_Skin_Definitions>" + named + body + "</Application></Halvern_Skin_Definitions>";
}

// Everything a load leaves in the factory that its users read.
std::string StateOf(LControlFactory& factory, HResult result) {
  std::string state = "result " + std::to_string(result) + ", language " + std::to_string(factory.GetLanguageId()) +
                      ", application " + Narrow(factory.GetApplicationName()) + ", error '" +
                      Narrow(factory.GetLastParseError().text) + "' line " +
                      std::to_string(factory.GetLastParseError().line);
  for (const char* key : {"|App", "|Other", "Framework", "T"}) {
    const RCPtr<LStringTable> table = factory.GetStringTable(StringW(key));
    state += std::string(", ") + key + ":";
    StringW text;
    for (const char* id : {"A", "B", "F"})
      if (table && table->GetString(StringW(id), text)) state += std::string(" ") + id + "=" + Narrow(text);
  }
  state += ", skins " + std::to_string(factory.GetSkins().GetCount());
  if (factory.GetSkins().GetCount() != 0) {
    state += " font " + Narrow((*factory.GetSkins().GetItemPtr(0))->GetSkin()->font.name);
    if (const RCPtr<LControlDescriptor> c = factory.FindControlDescriptor(StringW(u"c")))
      state += " c " + Narrow(c->GetSkin()->font.name);
  }
  return state;
}

class LControlFactoryDocumentsThreads : public ::testing::TestWithParam<DocumentsCase> {};

// Reading the string documents beside the skin leaves the factory as reading
// them first would.
TEST_P(LControlFactoryDocumentsThreads, LeaveTheFactoryAsReadingThemInTurnWould) {
  const DocumentsCase& c = GetParam();
  HV::Test::MemoryXmlResourceSource resources;
  if (!c.appStrings.empty()) resources.Add("APP", c.appStrings);
  if (!c.frameworkStrings.empty()) resources.Add("FRAMEWORK", c.frameworkStrings);
  resources.Add("SKIN", c.skin);
  const StringW app(u"::APP"), framework(u"::FRAMEWORK"), skin(u"::SKIN");

  LControlFactory inTurn{StringW(u"App")};
  inTurn.SetResourceSource(&resources);
  inTurn.SetBaseLocation(StringW(u"::"));
  HResult result = inTurn.LoadStringTables(app, framework, c.language);
  if (!Failed(result)) result = inTurn.LoadSkins(skin);
  const std::string expected = StateOf(inTurn, result);

  for (int run = 0; run < 20; ++run) {  // the two threads meet at different points each time
    LControlFactory together{StringW(u"App")};
    together.SetResourceSource(&resources);
    together.SetBaseLocation(StringW(u"::"));
    const HResult both = together.LoadDocuments(app, framework, c.language, skin);
    ASSERT_EQ(StateOf(together, both), expected) << c.label << ", run " << run;
  }
}

const std::string kEnglishAndGerman =
    Strings("<Application Name=\"App\">", Table("|App", "A", "0x0009", "english") +
                                              Table("|App", "A", "0x0007", "deutsch") +
                                              Table("T", "B", "0x0011", "nihongo") + "</Application>");
const std::string kFramework =
    Strings("", Table("Framework", "F", "0x0009", "frame") + Table("Framework", "F", "0x0007", "rahmen") +
                    Table("Framework", "F", "0x0011", "waku") + Table("|App", "A", "0x0009", " more"));

INSTANTIATE_TEST_SUITE_P(
    Cases, LControlFactoryDocumentsThreads,
    ::testing::Values(
        DocumentsCase{"english", kEnglishAndGerman, kFramework, Skin("App")},
        DocumentsCase{"german, the skin translating its font", kEnglishAndGerman, kFramework, Skin("App"), 0x0407},
        DocumentsCase{"japanese", kEnglishAndGerman, kFramework, Skin("App"), 0x0411},
        DocumentsCase{"the strings rename the application, the skin names it back",
                      Strings("<Application Name=\"Other\">", Table("|Other", "A", "0x0009", "o") + "</Application>"),
                      kFramework, Skin("App")},
        DocumentsCase{"only the strings name the application",
                      Strings("<Application Name=\"Other\">", Table("|Other", "A", "0x0009", "o") + "</Application>"),
                      kFramework, Skin(nullptr)},
        DocumentsCase{"no string documents", "", "", Skin("App")},
        DocumentsCase{"a malformed skin", kEnglishAndGerman, kFramework, Skin("App", "<broken>")},
        DocumentsCase{"malformed strings", Strings("", "<StringTable ID=\"T\">"), kFramework, Skin("App")},
        DocumentsCase{"both malformed", Strings("", "<StringTable ID=\"T\">"), kFramework,
                      Skin("App", "<broken>")}),
    [](const ::testing::TestParamInfo<DocumentsCase>& param) { return "case" + std::to_string(param.index); });

// A string document that cannot be read throws its error, as it would read first.
TEST(LControlFactoryDocuments, AnUnreadableStringFileThrowsAfterTheSkin) {
  HV::Test::MemoryXmlResourceSource resources;
  resources.Add("SKIN", Skin("App"));
  LControlFactory factory{StringW(u"App")};
  factory.SetResourceSource(&resources);
  factory.SetBaseLocation(StringW(u"::"));
  EXPECT_THROW(factory.LoadDocuments(StringW(u"/no/such/folder/strings.xml"), StringW(u"::NONE"), 0x0409,
                                     StringW(u"::SKIN")),
               std::runtime_error);
}

}  // namespace
}  // namespace HV
