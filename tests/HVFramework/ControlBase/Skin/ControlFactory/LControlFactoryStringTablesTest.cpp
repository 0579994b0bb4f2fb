#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LanguageIds.h"

#include "tests/HVFramework/ControlBase/Skin/ControlFactory/SkinDocumentFixture.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>

namespace HV {
namespace {

using Test::Narrow;

// A string-table document whose texts are given as {table, id, lcid, text}.
struct TextRow {
  const char* table;
  const char* id;
  const char* lcid;
  const char* text;
};

std::string StringTableDocument(std::initializer_list<TextRow> rows) {
  std::string body;
  for (const TextRow& row : rows)
    body += std::string("<StringTable ID=\"") + row.table + "\"><String ID=\"" + row.id +
            "\"><Locale LCID=\"" + row.lcid + "\">" + row.text + "</Locale></String></StringTable>";
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Halvern_StringTable_Definitions><Application "
         "Name=\"App\">" +
         body + "</Application></Halvern_StringTable_Definitions>";
}

class LControlFactoryStringTables : public ::testing::Test, public Test::SkinDocumentFixture {
 protected:
  std::string Text(const char* table, const char* id) {
    RCPtr<LStringTable> strings = factory.GetStringTable(StringW(table));
    StringW text;
    if (!strings || !strings->GetString(StringW(id), text)) return "<absent>";
    return Narrow(text);
  }
};

TEST_F(LControlFactoryStringTables, ChoosesTheLanguageOfEachDocument) {
  struct Case {
    int32_t requested;
    int32_t settled;        // the language last used
    const char* appText;    // of "|App" "T"
    const char* frameText;  // of "Framework" "F"
  } const kCases[] = {
      {0x0409, 0x0009, "English", "Framework English"},   // pass 3, then English for the framework
      {0x0009, 0x0009, "English", "Framework English"},   // pass 1
      {0x0407, 0x0009, "English", "Framework English"},   // German is not read from the framework either
      {0x0425, 0x0009, "<absent>", "Framework English"},  // pass 2 matches one text; the framework falls back
      {0x0C04, 0x0009, "English", "Framework English"},
  };
  for (const Case& c : kCases) {
    LControlFactory fresh{StringW(u"App")};
    fresh.SetResourceSource(&resources);
    resources.Add(
        "APP", StringTableDocument({{"|App", "T", "0x0009", "English"}, {"|App", "E", "0x0025", "Eesti"}}));
    resources.Add("FRAMEWORK", StringTableDocument({{"Framework", "F", "0x0009", "Framework English"},
                                                    {"Framework", "F", "0x0007", "Framework Deutsch"}}));
    ASSERT_EQ(fresh.LoadStringTables(StringW(u"::APP"), StringW(u"::FRAMEWORK"), c.requested), S_OK);
    EXPECT_EQ(fresh.GetLanguageId(), c.settled) << c.requested;
    StringW text;
    const RCPtr<LStringTable> app = fresh.GetApplicationStringTable();
    EXPECT_EQ(app && app->GetString(StringW(u"T"), text) ? Narrow(text) : "<absent>", c.appText)
        << c.requested;
    ASSERT_TRUE(fresh.GetFrameworkStringTable()->GetString(StringW(u"F"), text));
    EXPECT_EQ(Narrow(text), c.frameText) << c.requested;
  }
}

TEST_F(LControlFactoryStringTables, TraditionalChineseLocalesShareOneLanguage) {
  resources.Add("APP",
                StringTableDocument({{"T", "A", "0x7C04", "traditional"}, {"T", "A", "0x0009", "english"}}));
  ASSERT_EQ(factory.LoadStringTables(StringW(u"::APP"), StringW(u"::NONE"), 0x0C04), S_OK);
  EXPECT_EQ(Text("T", "A"), "traditional");
  EXPECT_EQ(factory.GetLanguageId(), 0x7C04);
}

TEST_F(LControlFactoryStringTables, PrimaryLanguageIsTriedBeforeEnglish) {
  resources.Add("APP",
                StringTableDocument({{"T", "A", "0x0007", "deutsch"}, {"T", "A", "0x0009", "english"}}));
  ASSERT_EQ(factory.LoadStringTables(StringW(u"::APP"), StringW(u"::NONE"), 0x0407), S_OK);
  EXPECT_EQ(Text("T", "A"), "deutsch");
}

TEST_F(LControlFactoryStringTables, TablesMergeAndMatchingTextsJoin) {
  resources.Add(
      "APP",
      "<?xml version=\"1.0\"?><R><StringTable ID=\"T\"><String ID=\"A\"><Locale LCID=\"9\">one</Locale>"
      "<Locale LCID=\"0x0009\"> two</Locale><Locale LCID=\"7\">drei</Locale></String>"
      "<String ID=\"Empty\"><Locale LCID=\"9\"/></String><String ID=\"\"><Locale LCID=\"9\">x</Locale>"
      "</String></StringTable><StringTable ID=\"T\"><String ID=\"B\"><Locale LCID=\"9\">"
      "line &amp;\nnext</Locale></String></StringTable></R>");
  resources.Add("FRAMEWORK", StringTableDocument({{"T", "C", "9", "from the framework"}}));
  ASSERT_EQ(factory.LoadStringTables(StringW(u"::APP"), StringW(u"::FRAMEWORK"), 9), S_OK);
  EXPECT_EQ(Text("T", "A"), "one two");
  EXPECT_EQ(Text("T", "B"), "line &\nnext");
  EXPECT_EQ(Text("T", "C"), "from the framework");
  EXPECT_EQ(Text("T", "Empty"), "");
  EXPECT_EQ(factory.GetStringTable(StringW(u"T"))->GetCount(), 4u);
  EXPECT_FALSE(factory.GetStringTable(StringW(u"t")));
}

TEST_F(LControlFactoryStringTables, HandedOutTablesAreCopies) {
  resources.Add("APP", StringTableDocument({{"T", "A", "9", "old"}}));
  ASSERT_EQ(factory.LoadStringTables(StringW(u"::APP"), StringW(u"::NONE"), 9), S_OK);
  const RCPtr<LStringTable> before = factory.GetStringTable(StringW(u"T"));
  resources.Add("MORE", StringTableDocument({{"T", "A", "9", " and new"}, {"T", "B", "9", "b"}}));
  ASSERT_EQ(factory.LoadStringTables(StringW(u"::MORE"), StringW(u"::NONE"), 9), S_OK);
  StringW text;
  ASSERT_TRUE(before->GetString(StringW(u"A"), text));
  EXPECT_EQ(Narrow(text), "old");
  EXPECT_EQ(before->GetCount(), 1u);
  EXPECT_EQ(Text("T", "A"), "old and new");
}

// A change to one handed-out table, of a text it has or a new one, shows in
// no other table of the same key, handed out before or after.
TEST_F(LControlFactoryStringTables, AChangedTableLeavesTheOthersOfItsKeyAlone) {
  resources.Add("APP", StringTableDocument({{"T", "A", "9", "old"}}));
  ASSERT_EQ(factory.LoadStringTables(StringW(u"::APP"), StringW(u"::NONE"), 9), S_OK);
  const RCPtr<LStringTable> before = factory.GetStringTable(StringW(u"T"));
  const RCPtr<LStringTable> changed = factory.GetStringTable(StringW(u"T"));
  EXPECT_EQ(changed->SetString(StringW(u"A"), StringW(u"new")), S_FALSE);
  EXPECT_EQ(changed->SetString(StringW(u"B"), StringW(u"added")), S_OK);
  for (const RCPtr<LStringTable>& other : {before, factory.GetStringTable(StringW(u"T"))}) {
    StringW text;
    ASSERT_TRUE(other->GetString(StringW(u"A"), text));
    EXPECT_EQ(Narrow(text), "old");
    EXPECT_EQ(other->GetCount(), 1u);
  }
  EXPECT_EQ(changed->GetCount(), 2u);
}

TEST_F(LControlFactoryStringTables, MalformedDocumentsKeepWhatWasReadAndFilesMustExist) {
  resources.Add("APP",
                "<?xml version=\"1.0\"?><R><StringTable ID=\"T\"><String ID=\"A\"><Locale LCID=\"9\">kept"
                "</Locale></String><broken></R>");
  EXPECT_EQ(factory.LoadStringTables(StringW(u"::APP"), StringW(u"::NONE"), 9), S_OK);
  EXPECT_EQ(Text("T", "A"), "kept");
  EXPECT_EQ(factory.GetLastParseError().line, 1);
  EXPECT_THROW(factory.LoadStringTables(StringW(u"/no/such/folder/Strings.xml"), StringW(u"::NONE"), 9),
               std::runtime_error);
}

TEST_F(LControlFactoryStringTables, ControlTablesAreKeyedByParentClassAndName) {
  resources.Add("APP", StringTableDocument(
                           {{"App|dialog", "A", "9", "top"}, {"Framework.Panel|label", "A", "9", "child"}}));
  ASSERT_EQ(factory.LoadStringTables(StringW(u"::APP"), StringW(u"::NONE"), 9), S_OK);
  StringW text;
  ASSERT_TRUE(factory.GetControlStringTable(nullptr, StringW(u"dialog"))->GetString(StringW(u"A"), text));
  EXPECT_EQ(Narrow(text), "top");
  const RCPtr<LControlDescriptor> panel =
      LControlDescriptor::Create(StringW(u"Framework.Panel"), StringW(u"p"), nullptr);
  ASSERT_TRUE(factory.GetControlStringTable(panel.Get(), StringW(u"label"))->GetString(StringW(u"A"), text));
  EXPECT_EQ(Narrow(text), "child");
  EXPECT_FALSE(factory.GetControlStringTable(panel.Get(), StringW(u"other")));
}

// The owner and the name are matched as one key "owner|name", exactly: keys
// one unit off on either side of the bar, or split at another bar, are other
// tables; a table read from a later document is found like the first ones.
TEST_F(LControlFactoryStringTables, ControlTablesMatchTheWholeKeyAcrossDocuments) {
  resources.Add("APP", StringTableDocument({{"Owner|nam", "A", "9", "short name"},
                                            {"Owne|name", "A", "9", "short owner"},
                                            {"Owner|namex", "A", "9", "long name"},
                                            {"Owner|a|b", "A", "9", "bar in the name"},
                                            {"Ownername", "A", "9", "no bar"}}));
  resources.Add("LATER", StringTableDocument({{"Owner|name", "A", "9", "later"}}));
  ASSERT_EQ(factory.LoadStringTables(StringW(u"::APP"), StringW(u"::NONE"), 9), S_OK);
  const RCPtr<LControlDescriptor> owner = LControlDescriptor::Create(StringW(u"Owner"), StringW(u"o"), nullptr);
  const RCPtr<LControlDescriptor> ownerA = LControlDescriptor::Create(StringW(u"Owner|a"), StringW(u"o"), nullptr);
  const auto text = [&](const LControlDescriptor* parent, const char16_t* name) -> std::string {
    const RCPtr<LStringTable> strings = factory.GetControlStringTable(parent, StringW(name));
    StringW found;
    if (!strings || !strings->GetString(StringW(u"A"), found)) return "<absent>";
    return Narrow(found);
  };
  EXPECT_EQ(text(owner.Get(), u"name"), "<absent>");
  ASSERT_EQ(factory.LoadStringTables(StringW(u"::LATER"), StringW(u"::NONE"), 9), S_OK);
  const struct {
    const LControlDescriptor* parent;
    const char16_t* name;
    const char* expected;
  } cases[] = {
      {owner.Get(), u"name", "later"},         {owner.Get(), u"nam", "short name"},
      {owner.Get(), u"namex", "long name"},    {owner.Get(), u"a|b", "bar in the name"},
      {ownerA.Get(), u"b", "bar in the name"}, {owner.Get(), u"na", "<absent>"},
      {owner.Get(), u"", "<absent>"},          {owner.Get(), u"b", "<absent>"},
      {nullptr, u"name", "<absent>"},
  };
  for (const auto& row : cases)
    EXPECT_EQ(text(row.parent, row.name), row.expected) << Narrow(StringW(row.name));
}

TEST(LStringTable, SetsTextsAndReadsIndexedItemsWithinBounds) {
  const RCPtr<LStringTable> table = LStringTable::Create();
  EXPECT_EQ(table->SetString(StringW(), StringW(u"x")), E_INVALIDARG);
  EXPECT_EQ(table->SetString(StringW(u"ITEM.00"), StringW(u"A")), S_OK);
  EXPECT_EQ(table->SetString(StringW(u"ITEM.02"), StringW(u"C")), S_OK);
  EXPECT_EQ(table->SetString(StringW(u"ITEM.02"), StringW(u"C2")), S_FALSE);
  table->SetString(StringW(u"ITEM.-1"), StringW(u"negative"));
  table->SetString(StringW(u"ITEM.4294967297"), StringW(u"huge"));
  table->SetString(StringW(u"ITEM.99999"), StringW(u"too far"));
  table->SetString(StringW(u"ITEM.x"), StringW(u"not a number"));
  table->SetString(StringW(u"MY.ITEM.01"), StringW(u"elsewhere"));
  const std::vector<StringW> items = table->GetIndexedTexts(StringW(u"ITEM."));
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(Narrow(items[0]), "not a number");  // "ITEM.x" reads as index 0 and comes after "ITEM.00"
  EXPECT_EQ(Narrow(items[1]), "");
  EXPECT_EQ(Narrow(items[2]), "C2");
}

TEST(LanguageIds, MapsLocaleNamesThroughOneTable) {
  struct Case {
    const char* name;
    int32_t id;
  } const kCases[] = {
      {"de_DE.UTF-8", 0x0407}, {"de_AT", 0x0C07},      {"de", 0x0007},    {"de_XX", 0x0007},
      {"en_US.UTF-8", 0x0409}, {"en_GB@euro", 0x0809}, {"zh_TW", 0x0404}, {"zh_HK.UTF-8", 0x0C04},
      {"et_EE", 0x0425},       {"C", 0x0409},          {"POSIX", 0x0409}, {"", 0x0409},
      {"xx_YY", 0x0409},       {"C.UTF-8", 0x0409},
  };
  for (const Case& c : kCases) EXPECT_EQ(LanguageIdFromLocaleName(c.name), c.id) << c.name;

  std::map<std::string, std::string> environment;
  auto lookup = [&](const char* name) -> const char* {
    auto at = environment.find(name);
    return at == environment.end() ? nullptr : at->second.c_str();
  };
  EXPECT_EQ(GetUserDefaultLanguageId(lookup), 0x0409);
  environment["LANG"] = "fr_CA.UTF-8";
  EXPECT_EQ(GetUserDefaultLanguageId(lookup), 0x0C0C);
  environment["LC_MESSAGES"] = "ja_JP.UTF-8";
  EXPECT_EQ(GetUserDefaultLanguageId(lookup), 0x0411);
  environment["LC_ALL"] = "";
  EXPECT_EQ(GetUserDefaultLanguageId(lookup), 0x0411);  // empty counts as not set
  environment["LC_ALL"] = "it_IT";
  EXPECT_EQ(GetUserDefaultLanguageId(lookup), 0x0410);
}

}  // namespace
}  // namespace HV
