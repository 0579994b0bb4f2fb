// The demo skin and string table of Panel/Resources, read as files and as
// resources, the way the gallery reads them: from memory, and from the
// program's resource table, into which the build embeds them.

#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LEmbeddedXmlResources.h"
#include "HVFramework/ControlBase/Skin/HotKeyMap.h"
#include "HVFramework/ControlBase/Skin/Menu/MenuBuilder.h"

#include "tests/HVFramework/ControlBase/Skin/ControlFactory/SkinDocumentFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace HV {
namespace {

using Test::Narrow;

const std::string kFolder = HV_DEMO_RESOURCES_DIR;

enum class Source { kMemory, kEmbeddedTable };

class DemoResources : public ::testing::TestWithParam<Source> {
 protected:
  DemoResources() {
    memory.AddFile("DEMOSKIN_XML", kFolder + "/DemoSkin.xml");
    memory.AddFile("DEMOSTRINGS_XML", kFolder + "/DemoStrings.xml");
    if (GetParam() == Source::kMemory)
      factory.SetResourceSource(&memory);
    else
      factory.SetResourceSource(&embedded);
    factory.SetBaseLocation(StringW(u"::"));
  }

  HV::Test::MemoryXmlResourceSource memory;
  LEmbeddedXmlResources embedded;
  LControlFactory factory{StringW(u"Gallery")};
};

INSTANTIATE_TEST_SUITE_P(Sources, DemoResources, ::testing::Values(Source::kMemory, Source::kEmbeddedTable),
                         [](const ::testing::TestParamInfo<Source>& param) {
                           return param.param == Source::kMemory ? "Memory" : "EmbeddedTable";
                         });

TEST_P(DemoResources, SkinBuildsItsControlTreeFromResources) {
  ASSERT_EQ(factory.LoadStringTables(StringW(u"::DemoStrings.xml"), StringW(u"::NONE"), 0x0409), S_OK);
  ASSERT_EQ(factory.LoadSkins(StringW(u"::demoskin.xml")), S_OK);
  EXPECT_EQ(Narrow(factory.GetApplicationName()), "HVGallery");
  ASSERT_EQ(factory.GetSkins().GetCount(), 2u);

  const RCPtr<LControlDescriptor> main = factory.FindControlDescriptor(StringW(u"mainControl"));
  ASSERT_TRUE(main);
  EXPECT_EQ(Narrow(main->GetClassName()), "Framework.Panel");
  EXPECT_TRUE(main->GetLayout()->visible);  // IsVisible is ignored on a top-level control
  const RCPtrArray<LControlDescriptor>& children = main->GetChildren();
  ASSERT_EQ(children.GetCount(), 3u);
  EXPECT_EQ(Narrow((*children.GetItemPtr(0))->GetName()), "buttonOk");   // layout order 1
  EXPECT_EQ(Narrow((*children.GetItemPtr(1))->GetName()), "knobValue");  // layout order 1, after buttonOk
  EXPECT_EQ(Narrow((*children.GetItemPtr(2))->GetName()), "labelTitle");

  const LControlDescriptor& button = **children.GetItemPtr(0);
  StringW text;
  ASSERT_TRUE(button.GetCreateParams()->GetString(StringW(u"NOT_FOCUSABLE"), text));
  EXPECT_EQ(Narrow(text), "True");
  const RCPtr<LLookList>& looks = button.GetSkin()->lookList;
  ASSERT_TRUE(looks);
  ASSERT_EQ(looks->GetCount(), 4u);
  EXPECT_FALSE(*looks->GetItemPtr(2));
  const LLookDescriptor& normal = **looks->GetItemPtr(0);
  EXPECT_EQ(normal.GetNonClientParts().GetCount(), 2u);
  EXPECT_TRUE(normal.HasTextProperties());
  EXPECT_EQ(Narrow(normal.GetClientPart()->part->image.path), "::demo.png");
  EXPECT_EQ(Narrow(factory.FindPart(StringW(u"Demo.Knob.Glow"))->mask.path), "::DemoMask.png");
  EXPECT_EQ(factory.FindColorizer(StringW(u"Demo.Glow"))->colorType,
            LColorizer::SolidFill);  // no GradientEndY

  StringW fontName;
  float size = 0;
  int32_t style = 5;
  EXPECT_FALSE(factory.GetSkinFont(fontName, size, style));
  EXPECT_EQ(Narrow(fontName), "DejaVu Sans");  // the Japanese translation is not loaded
  EXPECT_EQ(style, 0);
}

TEST_P(DemoResources, StringTableIsUtf16AndGivesMenusAndHotKeys) {
  ASSERT_EQ(factory.LoadStringTables(StringW(u"::DEMOSTRINGS_XML"), StringW(u"::NONE"), 0x0407), S_OK);
  StringW text;
  ASSERT_TRUE(factory.GetStringTable(StringW(u"|HVGallery"))->GetString(StringW(u"ABOUT_TEXT"), text));
  EXPECT_EQ(Narrow(text), "Zeile eins & zwei,\nzweite Zeile.");
  ASSERT_TRUE(factory.GetFrameworkStringTable()->GetString(StringW(u"EDIT_PASTE"), text));
  EXPECT_EQ(Narrow(text), "Einf\xC3\xBCgen");

  HotKeyMap map;
  ASSERT_EQ(LoadHotKeysFromStringTable(map, factory.GetFrameworkStringTable(), StringW(u"GHK")), S_OK);
  EXPECT_EQ(Narrow(map.FindName(KeyCode::Parse(StringW(u"Alt+VKEY_F4")))), "NID_APP_EXIT_REQ");

  MenuEntries entries;
  const std::u16string_view prefix = u"CONTEXT_MENU.";
  const RCPtr<LStringTable> table = factory.GetStringTable(StringW(u"HVGallery|mainControl"));
  for (const auto& [id, value] : table->GetEntries())
    if (id.GetView().starts_with(prefix))
      entries.emplace_back(id.Mid(static_cast<int32_t>(prefix.size())), value);
  const RCPtr<LMenuDescriptor> menu = BuildMenuFromEntries(entries);
  ASSERT_EQ(menu->GetItemCount(), 3u);
  EXPECT_EQ(Narrow(menu->GetItem(0)->label), "Preset laden");
  EXPECT_TRUE(menu->GetItem(1)->separator);
  ASSERT_EQ(menu->GetItem(2)->GetItemCount(), 1u);
  EXPECT_EQ(Narrow(menu->GetItem(2)->GetItem(0)->commandId), "NID_MENU_HELP_ABOUT_REQ");
}

TEST(DemoResourceFiles, SkinReadsFromItsFileWithTheFolderAsBase) {
  LControlFactory fromFiles{StringW(u"Gallery")};
  fromFiles.SetBaseLocation(StringW((kFolder + "/").c_str()));
  ASSERT_EQ(fromFiles.LoadSkins(StringW((kFolder + "/DemoSkin.xml").c_str())), S_OK);
  EXPECT_EQ(Narrow(fromFiles.FindPart(StringW(u"Demo.Button.Face"))->image.path), kFolder + "/demo.png");
  EXPECT_EQ(fromFiles.LoadSkins(StringW((kFolder + "/NoSuchSkin.xml").c_str())), E_FAIL);
}

}  // namespace
}  // namespace HV
