#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/Utilities/Graphics/LBitmap.h"

#include "tests/HVFramework/ControlBase/Skin/ControlFactory/SkinDocumentFixture.h"
#include "tests/support/UnansweredFifo.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace HV {
namespace {

using Test::Narrow;

class LControlFactorySkin : public ::testing::Test, public Test::SkinDocumentFixture {
 protected:
  // One top-level control "c" with the given attributes (and children).
  RCPtr<LControlDescriptor> LoadControl(const std::string& attributes, const std::string& children = "") {
    EXPECT_EQ(LoadSkinBody("<Skins><Skin Name=\"S\"><SubControl Class=\"K\" Name=\"c\" " + attributes + ">" +
                           children + "</SubControl></Skin></Skins>"),
              S_OK);
    factory.SetCurrentSkinIndex(static_cast<int32_t>(factory.GetSkins().GetCount()) -
                                1);  // the skin just read
    return TopLevel(u"c");
  }
  const LLayoutDescriptor& ChildLayout(const std::string& attributes) {
    RCPtr<LControlDescriptor> parent =
        LoadControl("", "<SubControl Class=\"K\" Name=\"d\" " + attributes + "/>");
    mKeep = *parent->GetChildren().GetItemPtr(0);
    return *mKeep->GetLayout();
  }
  RCPtr<LControlDescriptor> mKeep;
};

TEST_F(LControlFactorySkin, ReadsLayoutAttributesByTheirKinds) {
  struct Case {
    const char* attributes;
    bool (*check)(const LLayoutDescriptor&);
  } const kCases[] = {
      {"",
       [](const LLayoutDescriptor& l) {
         return l.clipToParent && l.visible && l.size[0].absolute == 16 && l.size[1].absolute == 40 &&
                l.position[0].referenceMode == 1 && l.size[0].referenceMode == 2;
       }},
      {"ClipToParent=\"true\"", [](const LLayoutDescriptor& l) { return !l.clipToParent; }},
      {"ClipToParent=\"True\"", [](const LLayoutDescriptor& l) { return l.clipToParent; }},
      {"IsVisible=\"TRUE\"", [](const LLayoutDescriptor& l) { return !l.visible; }},
      {"LayoutOrder=\"0x10\" Z_Order=\"0x10\"",
       [](const LLayoutDescriptor& l) { return l.layoutOrder == 16 && l.zOrder == 0; }},
      {"LayoutOrder=\"0x12345\"", [](const LLayoutDescriptor& l) { return l.layoutOrder == 0x1234; }},
      {"LayoutOrder=\"0xg\"", [](const LLayoutDescriptor& l) { return l.layoutOrder == 0; }},
      {"LayoutOrder=\"0X10\"",
       [](const LLayoutDescriptor& l) { return l.layoutOrder == 0; }},  // upper-case X is decimal
      {"TabStop=\"  -7x\"", [](const LLayoutDescriptor& l) { return l.tabStop == -7; }},
      {"TabStop=\"99999999999\"", [](const LLayoutDescriptor& l) { return l.tabStop == 2147483647; }},
      {"XPositionToControl=\"Screen\" YPositionToControl=\"Active Window\"",
       [](const LLayoutDescriptor& l) {
         return l.position[0].referenceMode == 0 && l.position[1].referenceMode == 1;
       }},
      {"XPositionToControl=\"buddy\"",
       [](const LLayoutDescriptor& l) {
         return l.position[0].referenceMode == 2 && Narrow(l.position[0].referenceName) == "buddy";
       }},
      {"XSizeToControl=\"Self\" YSizeToControl=\"buddy\"",
       [](const LLayoutDescriptor& l) {
         return l.size[0].referenceMode == 2 && l.size[1].referenceMode == 3 &&
                Narrow(l.size[1].referenceName) == "buddy";
       }},
      {"XMinSizeToControl=\"Children\" XMaxSizeToControl=\"Self\"",
       [](const LLayoutDescriptor& l) {
         return l.minimum[0].hasNamedReference && Narrow(l.minimum[0].referenceName) == "Children" &&
                !l.maximum[0].hasNamedReference;
       }},
      {"XPositionRel=\"0.5\" YPositionAbs=\"-8\" XSizeRel=\"8.25\" YMaxSizeAbs=\"300\"",
       [](const LLayoutDescriptor& l) {
         return l.position[0].relative == 0.5f && l.position[1].absolute == -8 &&
                l.size[0].relative == 8.25f && l.maximum[1].absolute == 300;
       }},
      {"XPlacementAnchor=\"1\" YIsDocked=\"True\"",
       [](const LLayoutDescriptor& l) {
         return l.position[0].placementAnchor == 1 && !l.docked[0] && l.docked[1];
       }},
      {"TextOverflowXType=\"Wrap\" TextOverflowYType=\"Wrap\"",
       [](const LLayoutDescriptor& l) { return l.textOverflowX == 2 && l.textOverflowY == 0; }},
      {"TextOverflowYType=\"Expand\" TextDecoration=\"underline\"",
       [](const LLayoutDescriptor& l) {
         return l.textOverflowY == 1 && Narrow(l.textDecoration) == "underline";
       }},
      {"TabStop=\"4\" IsVisible=\"False\"",
       [](const LLayoutDescriptor& l) { return l.tabStop == 4 && !l.visible; }},
  };
  for (const Case& c : kCases) EXPECT_TRUE(c.check(ChildLayout(c.attributes))) << c.attributes;
}

TEST_F(LControlFactorySkin, TopLevelControlsIgnoreTabStopAndVisibility) {
  const RCPtr<LControlDescriptor> control = LoadControl("TabStop=\"4\" IsVisible=\"False\" Z_Order=\"3\"");
  EXPECT_EQ(control->GetLayout()->tabStop, 0);
  EXPECT_TRUE(control->GetLayout()->visible);
  EXPECT_EQ(control->GetLayout()->zOrder, 3);
}

TEST_F(LControlFactorySkin, SkinRootsCarryTheApplicationAndTheSkinFont) {
  ASSERT_EQ(LoadSkinBody(
                "<Skins><Skin Name=\"One\" FontName=\"Sans\" FontSize=\"12\"/><Skin Name=\"Two\"/></Skins>"),
            S_OK);
  ASSERT_EQ(factory.GetSkins().GetCount(), 2u);
  EXPECT_EQ(factory.GetCurrentSkinIndex(), 0);
  const LControlDescriptor& root = **factory.GetSkins().GetItemPtr(0);
  EXPECT_EQ(Narrow(root.GetClassName()), "Application");
  EXPECT_EQ(Narrow(root.GetName()), "App");
  EXPECT_EQ(root.GetParent(), nullptr);
  EXPECT_FALSE(root.GetLayout());
  EXPECT_EQ(Narrow(root.GetSkin()->name), "One");

  StringW name;
  float size = 0;
  int32_t style = 7;
  EXPECT_FALSE(factory.GetSkinFont(name, size, style));
  EXPECT_EQ(Narrow(name), "Sans");
  EXPECT_EQ(size, 12.0f);
  EXPECT_EQ(style, 7);  // not given: left alone
  factory.SetCurrentSkinIndex(1);
  EXPECT_TRUE(factory.GetSkinFont(name, size, style));
}

TEST_F(LControlFactorySkin, SubControlWithoutClassOrNameFailsAndKeepsWhatCameBefore) {
  for (const char* bad : {"<SubControl Name=\"x\"/>", "<SubControl Class=\"K\"/>"}) {
    LControlFactory fresh{StringW(u"App")};
    fresh.SetResourceSource(&resources);
    resources.Add(
        "BAD", SkinDocument("<Colorizers><Colorizer Name=\"C\" ColorType=\"SolidFill\" Color=\"0xFF000000\"/>"
                            "</Colorizers><Skins><Skin Name=\"S\"><SubControl Class=\"K\" Name=\"first\"/>" +
                            std::string(bad) + "<SubControl Class=\"K\" Name=\"never\"/></Skin></Skins>"));
    EXPECT_EQ(fresh.LoadSkins(StringW(u"::BAD")), E_FAIL) << bad;
    EXPECT_TRUE(fresh.FindColorizer(StringW(u"C")));
    EXPECT_TRUE(fresh.FindControlDescriptor(StringW(u"first")));
    EXPECT_FALSE(fresh.FindControlDescriptor(StringW(u"never")));
    // Not an XML error, but said as one: why, and on which line.
    EXPECT_NE(Narrow(fresh.GetLastParseError().text).find("Bad Subcontrol Element"), std::string::npos) << bad;
    EXPECT_EQ(fresh.GetLastParseError().line, 2) << bad;
  }
}

TEST_F(LControlFactorySkin, SubControlWithoutClassThrowsTheBadSubcontrolError) {
  const char* const pairs[] = {"Name", "x", nullptr};
  try {
    factory.XMLStartElement(StringW(u"SubControl"), XmlAttributes(pairs));
    FAIL() << "no exception";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(),
                 "Runtime Error : Bad Subcontrol Element : HV::LControlFactory::XMLStartElement : "
                 "ControlBase\\ControlFactory : Line 1089");
  }
}

TEST_F(LControlFactorySkin, MalformedXmlFailsWithItsLineAndKeepsEarlierObjects) {
  const std::string document = SkinDocument(
      "<Colorizers>\n<Colorizer Name=\"C\" ColorType=\"SolidFill\" Color=\"0xFF000000\"/>\n</Colorizers>\n"
      "<Skins><Skin Name=\"S\"><SubControl Class=\"K\" Name=\"a\">\n</Skin>");
  EXPECT_EQ(LoadSkinDocument(document), E_FAIL);
  EXPECT_TRUE(factory.FindColorizer(StringW(u"C")));
  EXPECT_EQ(factory.GetLastParseError().line, 6);
  EXPECT_FALSE(factory.GetLastParseError().text.IsEmpty());
  EXPECT_EQ(factory.GetCurrentSkinIndex(), 0);
  EXPECT_EQ(factory.GetSkins().GetCount(), 1u);
}

TEST_F(LControlFactorySkin, LookListsFillSlotsAndRejectIndicesOutOfRange) {
  const std::string parts =
      "<Colorizers><Colorizer Name=\"C\" ColorType=\"SolidFill\" Color=\"0xFF000000\"/></Colorizers>"
      "<Parts><Part Name=\"P\" Width=\"4\" Height=\"4\" ResizeType=\"Tile\" ColorizerName=\"C\"/></Parts>"
      "<Looks><Look Name=\"L\"><ClientPart Name=\"P\" OffsetLeft=\"1\" OffsetTop=\"2\" OffsetRight=\"-3\" "
      "OffsetBottom=\"-4\"/></Look></Looks>";
  ASSERT_EQ(
      LoadSkinBody(parts + "<LookLists><LookList Name=\"LL\" NumLooks=\"3\"><Look Name=\"L\" Index=\"2\"/>"
                           "<Look Name=\"Unknown\" Index=\"0\"/></LookList>"
                           "<LookList Name=\"LL\" NumLooks=\"1\"><Look Name=\"L\" Index=\"0\"/></LookList>"
                           "<LookList Name=\"Huge\" NumLooks=\"2000000000\"/></LookLists>"),
      S_OK);
  const RCPtr<LLookList> list = factory.FindLookList(StringW(u"LL"));
  ASSERT_TRUE(list);
  ASSERT_EQ(list->GetCount(), 3u);  // the first definition stays
  EXPECT_FALSE(*list->GetItemPtr(0));
  EXPECT_FALSE(*list->GetItemPtr(1));
  EXPECT_EQ(list->GetItemPtr(2)->Get(), factory.FindLook(StringW(u"L")).Get());
  EXPECT_FALSE(factory.FindLookList(StringW(u"Huge")));
  const RCPtr<LDockedPart>& client = factory.FindLook(StringW(u"L"))->GetClientPart();
  EXPECT_EQ(client->placement.offsetFlags, 15);
  EXPECT_EQ(client->placement.bottom, -4);

  LControlFactory fresh{StringW(u"App")};
  fresh.SetResourceSource(&resources);
  for (const char* index : {"3", "-1"}) {
    resources.Add("OUT", SkinDocument(parts + "<LookLists><LookList Name=\"X" + index +
                                      "\" NumLooks=\"3\"><Look Name=\"L\" Index=\"" + index +
                                      "\"/></LookList></LookLists>"));
    EXPECT_EQ(fresh.LoadSkins(StringW(u"::OUT")), E_FAIL) << index;
    EXPECT_TRUE(fresh.FindLook(StringW(u"L")));
  }
}

TEST_F(LControlFactorySkin, DuplicateNamesKeepTheFirstDefinition) {
  ASSERT_EQ(LoadSkinBody(
                "<Colorizers><Colorizer Name=\"C\" ColorType=\"SolidFill\" Color=\"0xFF112233\"/>"
                "<Colorizer Name=\"C\" ColorType=\"SolidFill\" Color=\"0xFF445566\"/></Colorizers>"
                "<Parts><Part Name=\"P\" Width=\"4\" Height=\"4\" ResizeType=\"Tile\" ColorizerName=\"C\"/>"
                "<Part Name=\"P\" Width=\"8\" Height=\"8\" ResizeType=\"Tile\" ColorizerName=\"C\"/></Parts>"
                "<Looks><Look Name=\"L\"><ClientPart Name=\"P\" OffsetLeft=\"0\" OffsetTop=\"0\" "
                "OffsetRight=\"0\" OffsetBottom=\"0\"/></Look><Look Name=\"L\"/></Looks>"),
            S_OK);
  EXPECT_EQ(factory.FindColorizer(StringW(u"C"))->color.ToARGB(), 0xFF112233u);
  EXPECT_EQ(factory.FindPart(StringW(u"P"))->width, 4);
  EXPECT_TRUE(factory.FindLook(StringW(u"L"))->GetClientPart());
}

TEST_F(LControlFactorySkin, ColorizersBecomeSolidWhenAGradientAttributeIsMissing) {
  ASSERT_EQ(
      LoadSkinBody("<Colorizers>"
                   "<Colorizer Name=\"Full\" ColorType=\"LinearGradient\" Color=\"0xFF000000\" "
                   "GradientEndColor=\"FFFFFF\" "
                   "GradientStartX=\"0\" GradientStartY=\"0.25\" GradientEndX=\"1\" GradientEndY=\"1\"/>"
                   "<Colorizer Name=\"NoEndY\" ColorType=\"LinearGradient\" Color=\"0xFF000000\" "
                   "GradientEndColor=\"0xFFFFFFFF\" "
                   "GradientStartX=\"0\" GradientStartY=\"0\" GradientEndX=\"1\"/>"
                   "<Colorizer Name=\"Radial\" ColorType=\"RadialGradient\" Color=\"0x80\" "
                   "GradientEndColor=\"0x00FFFFFF\" "
                   "GradientStartX=\"0.5\" GradientStartY=\"0.5\" GradientEndX=\"1\" GradientEndY=\"1\"/>"
                   "<Colorizer Name=\"Odd\" ColorType=\"Sparkle\" Color=\"0x1234\"/>"
                   "<Colorizer Name=\"Stops\" ColorType=\"SolidFill\" Color=\"0XFF00GG00\"/>"
                   "<Colorizer Name=\"NoColor\" ColorType=\"SolidFill\"/>"
                   "</Colorizers>"),
      S_OK);
  const RCPtr<LColorizer> full = factory.FindColorizer(StringW(u"Full"));
  EXPECT_EQ(full->colorType, LColorizer::LinearGradient);
  EXPECT_EQ(full->startY, 0.25f);
  EXPECT_EQ(full->gradientEndColor.ToARGB(), 0x00FFFFFFu);  // six digits leave the alpha at 0
  const RCPtr<LColorizer> solid = factory.FindColorizer(StringW(u"NoEndY"));
  EXPECT_EQ(solid->colorType, LColorizer::SolidFill);
  EXPECT_EQ(solid->gradientEndColor.ToARGB(), 0u);
  const RCPtr<LColorizer> radial = factory.FindColorizer(StringW(u"Radial"));
  EXPECT_EQ(radial->colorType, LColorizer::RadialGradient);
  EXPECT_EQ(radial->color.ToARGB(), 0x80000000u);                         // two digits set the alpha only
  EXPECT_EQ(factory.FindColorizer(StringW(u"Odd"))->color.ToARGB(), 0u);  // four digits: unchanged
  // Eight characters after the prefix, read up to the first that is no hex digit: 0x0000FF00.
  EXPECT_EQ(factory.FindColorizer(StringW(u"Stops"))->color.ToARGB(), 0x0000FF00u);
  EXPECT_FALSE(factory.FindColorizer(StringW(u"NoColor")));
}

// The colorizer the skin reads is the one the bitmap code colours with.
TEST_F(LControlFactorySkin, SkinColorizersColourBitmaps) {
  ASSERT_EQ(LoadSkinBody("<Colorizers>"
                         "<Colorizer Name=\"Solid\" ColorType=\"SolidFill\" Color=\"0xFF2040C0\"/>"
                         "<Colorizer Name=\"Flat\" ColorType=\"LinearGradient\" Color=\"0xFF2040C0\" "
                         "GradientEndColor=\"0xFF2040C0\" "
                         "GradientStartX=\"0\" GradientStartY=\"0\" GradientEndX=\"1\" GradientEndY=\"1\"/>"
                         "<Colorizer Name=\"Ramp\" ColorType=\"RadialGradient\" Color=\"0xFF000000\" "
                         "GradientEndColor=\"0xFFFFFFFF\" "
                         "GradientStartX=\"0\" GradientStartY=\"0\" GradientEndX=\"1\" GradientEndY=\"1\"/>"
                         "</Colorizers>"),
            S_OK);
  for (const char16_t* name : {u"Solid", u"Flat"}) {  // equal gradient colours fill solid
    const RCPtr<LColorizer> colorizer = factory.FindColorizer(StringW(name));
    ASSERT_TRUE(colorizer);
    EXPECT_FALSE(colorizer->IsGradient());
    const RCPtr<LBitmap> bitmap = LBitmap::CreateColorizedBitmap(*colorizer, 0.5f, 2, 2);
    EXPECT_EQ(bitmap->GetPixel(1, 1).ToARGB(), 0x802040C0u) << Narrow(StringW(name));
  }
  const RCPtr<LColorizer> ramp = factory.FindColorizer(StringW(u"Ramp"));
  EXPECT_TRUE(ramp->IsGradient());
  EXPECT_THROW(LBitmap::CreateColorizedBitmap(*ramp, 1, 2, 2), std::domain_error);  // no gradient bitmaps
}

TEST_F(LControlFactorySkin, PartsReferToLowerCaseImagesAndMasksAsWritten) {
  ASSERT_EQ(
      LoadSkinBody(
          "<Colorizers><Colorizer Name=\"C\" ColorType=\"SolidFill\" "
          "Color=\"0xFF000000\"/></Colorizers><Parts>"
          "<Part Name=\"Img\" Width=\"5\" Height=\"4\" ResizeType=\"Tile\" ImageFile=\"CE.png\" "
          "ImageLocX=\"162\" "
          "ImageLocY=\"0x1C\" ColorizerName=\"C\" ColorizerAlphaMod=\"0.5\" ColorizerMaskFile=\"Mask.PNG\" "
          "MaskLocX=\"1\" MaskLocY=\"2\"/>"
          "<Part Name=\"NoLoc\" Width=\"5\" Height=\"4\" ResizeType=\"Center\" ImageFile=\"CE.png\" "
          "ImageLocX=\"1\"/>"
          "<Part Name=\"Col\" Width=\"64\" Height=\"32\" ResizeType=\"Center\" ColorizerName=\"C\"/>"
          "<Part Name=\"Unknown\" Width=\"64\" Height=\"32\" ResizeType=\"Tile\" ColorizerName=\"Nope\"/>"
          "<Part Name=\"NoSize\" Height=\"32\" ResizeType=\"Tile\" ColorizerName=\"C\"/>"
          "</Parts>"),
      S_OK);
  const RCPtr<LVisualPartDescriptor> image = factory.FindPart(StringW(u"Img"));
  ASSERT_TRUE(image);
  EXPECT_EQ(Narrow(image->image.path), "::ce.png");
  EXPECT_EQ(image->image.x, 162);
  EXPECT_EQ(image->image.y, 28);
  EXPECT_EQ(image->width, 5);
  EXPECT_EQ(image->resizeType, LVisualPartDescriptor::kTile);
  EXPECT_EQ(image->alphaModifier, 0.5f);
  EXPECT_EQ(Narrow(image->mask.path), "::Mask.PNG");
  EXPECT_EQ(image->mask.height, 4);
  EXPECT_FALSE(factory.FindPart(StringW(u"NoLoc")));  // neither image nor colorizer
  const RCPtr<LVisualPartDescriptor> colour = factory.FindPart(StringW(u"Col"));
  EXPECT_TRUE(colour->image.IsEmpty());
  EXPECT_EQ(colour->height, 32);
  EXPECT_EQ(colour->alphaModifier, 1.0f);
  EXPECT_FALSE(factory.FindPart(StringW(u"Unknown")));
  EXPECT_FALSE(factory.FindPart(StringW(u"NoSize")));
}

TEST_F(LControlFactorySkin, ChildrenAreSortedByLayoutOrderKeepingDocumentOrder) {
  std::string children;
  for (int i = 0; i < 40; ++i)
    children += "<SubControl Class=\"K\" Name=\"c" + std::to_string(i) + "\" LayoutOrder=\"" +
                std::to_string(i % 3 == 0 ? 1 : 0) + "\"/>";
  const RCPtr<LControlDescriptor> parent = LoadControl("", children);
  const RCPtrArray<LControlDescriptor>& list = parent->GetChildren();
  ASSERT_EQ(list.GetCount(), 40u);
  std::string expected, actual;
  for (int i = 0; i < 40; ++i)
    if (i % 3 != 0) expected += "c" + std::to_string(i) + " ";
  for (int i = 0; i < 40; ++i)
    if (i % 3 == 0) expected += "c" + std::to_string(i) + " ";
  for (uint32_t i = 0; i < list.GetCount(); ++i) {
    actual += Narrow((*list.GetItemPtr(i))->GetName()) + " ";
    EXPECT_EQ((*list.GetItemPtr(i))->GetParent(), parent.Get());
  }
  EXPECT_EQ(actual, expected);
}

TEST_F(LControlFactorySkin, FontTranslationsApplyOnlyToTheLoadedLanguage) {
  const std::string body =
      "<Skins><Skin Name=\"S\" FontName=\"Sans\"><FontLocale LCID=\"0x0011\"><FontXLat Name=\"Sans\" "
      "XLat=\"Gothic\"/>"
      "</FontLocale><FontLocale LCID=\"0x0007\"><FontXLat Name=\"Sans\" XLat=\"Fraktur\"/></FontLocale>"
      "<SubControl Class=\"K\" Name=\"c\" FontName=\"Sans\" FontSize=\"3\" FontSizeIsRelative=\"True\">"
      "<Skin Name=\"Style\"/></SubControl>"
      "<SubControl Class=\"K\" Name=\"d\" FontSizeIsRelative=\"True\"><Skin Name=\"Style\"/></SubControl>"
      "</Skin></Skins>";
  resources.Add("STRINGS",
                "<?xml version=\"1.0\"?><R><StringTable ID=\"T\"><String ID=\"A\"><Locale LCID=\"0x0011\">"
                "x</Locale></String></StringTable></R>");
  ASSERT_EQ(factory.LoadStringTables(StringW(u"::STRINGS"), StringW(u"::NONE"), 0x0411), S_OK);
  ASSERT_EQ(factory.GetLanguageId(), 0x0011);
  ASSERT_EQ(LoadSkinBody(body), S_OK);
  EXPECT_EQ(Narrow((*factory.GetSkins().GetItemPtr(0))->GetSkin()->font.name), "Gothic");
  const SkinPendingFont& font = TopLevel(u"c")->GetSkin()->font;
  EXPECT_EQ(Narrow(font.name), "Gothic");
  EXPECT_EQ(font.size, 3.0f);
  EXPECT_TRUE(font.sizeIsRelative);
  EXPECT_EQ(font.style, -1);
  EXPECT_FALSE(TopLevel(u"d")->GetSkin()->font.sizeIsRelative);  // no size: not relative
}

TEST_F(LControlFactorySkin, CreateParametersKeepTheirWholeText) {
  const RCPtr<LControlDescriptor> control =
      LoadControl("",
                  "<CreateParamList><CreateParam ID=\"A\" Type=\"Boolean\">True</CreateParam>"
                  "<CreateParam ID=\"B\">one &amp; two\nthree</CreateParam><CreateParam>lost</CreateParam>"
                  "</CreateParamList><Skin Name=\"S\"/>");
  ASSERT_TRUE(control->GetCreateParams());
  StringW text;
  ASSERT_TRUE(control->GetCreateParams()->GetString(StringW(u"B"), text));
  EXPECT_EQ(Narrow(text), "one & two\nthree");
  EXPECT_EQ(control->GetCreateParams()->GetCount(), 2u);
}

TEST_F(LControlFactorySkin, UnknownElementsAndOtherCasesAreIgnoredButTheirChildrenRead) {
  ASSERT_EQ(
      LoadSkinDocument(
          "<?xml version=\"1.0\"?><Colorizer Name=\"Root\" ColorType=\"SolidFill\" Color=\"0xFF000000\">"
          "<Wrapper><Colorizer Name=\"C\" ColorType=\"SolidFill\" Color=\"0xFF000000\"/></Wrapper>"
          "<colorizer Name=\"Lower\" ColorType=\"SolidFill\" Color=\"0xFF000000\"/></Colorizer>"),
      S_OK);
  EXPECT_FALSE(factory.FindColorizer(StringW(u"Root")));  // the root element is skipped
  EXPECT_TRUE(factory.FindColorizer(StringW(u"C")));
  EXPECT_FALSE(factory.FindColorizer(StringW(u"Lower")));
}

TEST_F(LControlFactorySkin, ControlsOpenedAfterLookListsClosedTheControlBelongToNoSkin) {
  // LookLists closes the open control: what follows has no parent, yet its own children link to it.
  ASSERT_EQ(
      LoadSkinBody("<Skins><Skin Name=\"S\"><SubControl Class=\"K\" Name=\"a\"><LookLists/>"
                   "<SubControl Class=\"K\" Name=\"p\"><SubControl Class=\"K\" Name=\"x\"/></SubControl>"
                   "</SubControl><SubControl Class=\"K\" Name=\"b\"/></Skin></Skins>"),
      S_OK);
  const RCPtr<LControlDescriptor> a = TopLevel(u"a");
  ASSERT_TRUE(a);
  EXPECT_EQ(a->GetChildren().GetCount(), 0u);
  EXPECT_FALSE(TopLevel(u"p"));
  EXPECT_FALSE(TopLevel(u"b"));  // the skin was closed with the control
}

TEST_F(LControlFactorySkin, ControlsNestedTooDeeplyFailTheLoad) {
  auto nested = [](int depth) {
    std::string open, close;
    for (int i = 0; i < depth; ++i) {
      open += "<SubControl Class=\"K\" Name=\"n\">";
      close += "</SubControl>";
    }
    return "<Skins><Skin Name=\"S\">" + open + close + "</Skin></Skins>";
  };
  EXPECT_EQ(LoadSkinBody(nested(200)), S_OK);
  EXPECT_EQ(LoadSkinBody(nested(100000)), E_FAIL);
}

TEST_F(LControlFactorySkin, ControlsNestedTooDeeplyNameTheCapAndTheLine) {
  std::string open, close;
  for (int i = 0; i < 300; ++i) {
    open += "<SubControl Class=\"K\" Name=\"n\">\n";
    close += "</SubControl>";
  }
  ASSERT_EQ(LoadSkinBody("<Skins><Skin Name=\"S\">\n" + open + close + "</Skin></Skins>"), E_FAIL);
  const std::string text = Narrow(factory.GetLastParseError().text);
  EXPECT_NE(text.find("Deeper Than 256 Levels"), std::string::npos) << text;
  // The document's second line holds the skin, each line below it one control:
  // the skin's root is the first level, so the 256th control is refused.
  EXPECT_EQ(factory.GetLastParseError().line, 2 + 256);
}

TEST_F(LControlFactorySkin, ResourceNamesAreNormalisedAndOtherLocationsAreFiles) {
  resources.Add("APP_SKINS", SkinDocument("<Skins><Skin Name=\"S\"/></Skins>"));
  for (const char16_t* location : {u"::APP_SKINS", u"::app_skins", u"::App.Skins", u"::app skins"})
    EXPECT_EQ(factory.LoadSkins(StringW(location)), S_OK) << Narrow(StringW(location));
  EXPECT_EQ(factory.LoadSkins(StringW(u"::MISSING")), E_FAIL);
  EXPECT_EQ(factory.LoadSkins(StringW(u"dir::APP_SKINS")), E_FAIL);  // a file path that does not exist
  resources.Add("EMPTY", "");
  EXPECT_EQ(factory.LoadSkins(StringW(u"::EMPTY")), E_FAIL);
}

// Skin and string-table paths come from settings and the command line: a
// FIFO there fails like a missing file, at once, as does a folder.
TEST_F(LControlFactorySkin, DocumentPathsThatAreNoFilesFailAtOnce) {
  HV::Test::UnansweredFifo fifo("Skin.xml");
  for (const std::string& path : {fifo.GetPath(), fifo.GetFolder().GetPath()}) {
    const StringW location(path.c_str());
    EXPECT_EQ(fifo.Run([&] { return factory.LoadSkins(location); }), E_FAIL) << path;
    EXPECT_THROW(fifo.Run([&] { return factory.LoadStringTables(location, StringW(u"::NONE"), 9); }),
                 std::runtime_error)
        << path;
  }
  EXPECT_FALSE(fifo.WasUnblocked());
}

TEST_F(LControlFactorySkin, LookupsFindTheLastTopLevelControlAndClonesShareChildren) {
  // Top-level controls stay in document order (only a SubControl's children are sorted).
  ASSERT_EQ(LoadSkinBody("<Skins><Skin Name=\"S\"><SubControl Class=\"B\" Name=\"twin\" LayoutOrder=\"5\"/>"
                         "<SubControl Class=\"A\" Name=\"twin\"><SubControl Class=\"K\" Name=\"kid\"/>"
                         "</SubControl></Skin></Skins>"),
            S_OK);
  const RCPtr<LControlDescriptor> twin = factory.FindControlDescriptor(StringW(u"twin"));
  EXPECT_EQ(Narrow(twin->GetClassName()), "A");
  const RCPtr<LLayoutDescriptor> layout = LLayoutDescriptor::Create();
  const RCPtr<LControlDescriptor> clone = factory.CloneControlDescriptor(*twin, StringW(u"copy"), layout);
  EXPECT_EQ(Narrow(clone->GetName()), "copy");
  EXPECT_EQ(clone->GetLayout().Get(), layout.Get());
  EXPECT_EQ(clone->GetParent(), twin->GetParent());
  ASSERT_EQ(clone->GetChildren().GetCount(), 1u);
  EXPECT_EQ(clone->GetChildren().GetItemPtr(0)->Get(), twin->GetChildren().GetItemPtr(0)->Get());
  EXPECT_FALSE(factory.FindControlDescriptor(StringW(u"kid")));
}

}  // namespace
}  // namespace HV
