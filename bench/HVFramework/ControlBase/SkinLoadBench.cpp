// Loading a skin of 200 controls (parse and descriptors) against Expat's bare
// parse of the same bytes, without handlers, in the same run.
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"

#include <benchmark/benchmark.h>
#include <expat.h>

#include <string>
#include <vector>

namespace {

class OneDocument : public HV::IXmlResourceSource {
 public:
  explicit OneDocument(const std::string& text) : mText(text) {}
  std::span<const uint8_t> FindXmlResource(const HV::StringW&, std::vector<uint8_t>&) const override {
    return {reinterpret_cast<const uint8_t*>(mText.data()), mText.size()};
  }

 private:
  const std::string& mText;
};

// Colorizers, parts, looks and look lists as a real skin has them, then 20
// panels of 9 controls each (200 controls with the panels and the main control).
std::string SkinOf200Controls() {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Halvern_Skin_Definitions><Application Name=\"App\">";
  xml += "<Colorizers>";
  for (int i = 0; i < 10; ++i)
    xml += "<Colorizer Name=\"C" + std::to_string(i) + "\" ColorType=\"SolidFill\" Color=\"0xFF50505" +
           std::to_string(i) + "\"/>";
  xml += "</Colorizers><Parts>";
  for (int i = 0; i < 30; ++i)
    xml += "<Part Name=\"P" + std::to_string(i) +
           "\" Width=\"24\" Height=\"20\" ResizeType=\"Stretch\" ImageFile=\"Demo.png\" "
           "ImageLocX=\"" +
           std::to_string(i * 24) + "\" ImageLocY=\"0\" ColorizerName=\"C" + std::to_string(i % 10) + "\"/>";
  xml += "</Parts><Looks>";
  for (int i = 0; i < 20; ++i)
    xml += "<Look Name=\"L" + std::to_string(i) + "\"><ClientPart Name=\"P" + std::to_string(i) +
           "\" OffsetLeft=\"4\" OffsetTop=\"0\" OffsetRight=\"-4\" OffsetBottom=\"0\"/><NonClientParts "
           "Name=\"E\">"
           "<NonClientPart Name=\"P" +
           std::to_string(i + 1) +
           "\" OffsetLeft=\"0\" Width=\"4\"/></NonClientParts>"
           "<TextProperties TextLeftRel=\"0\" TextLeftAbs=\"4\" TextRightRel=\"1\" TextRightAbs=\"-4\" "
           "TextHAlign=\"0.5\" "
           "TextTopRel=\"0\" TextTopAbs=\"0\" TextBottomRel=\"1\" TextBottomAbs=\"0\" TextVAlign=\"0.5\" "
           "TextForegroundPart=\"P0\"/></Look>";
  xml += "</Looks><LookLists>";
  for (int i = 0; i < 10; ++i)
    xml += "<LookList Name=\"LL" + std::to_string(i) + "\" NumLooks=\"2\"><Look Name=\"L" +
           std::to_string(i) + "\" Index=\"0\"/><Look Name=\"L" + std::to_string(i + 10) +
           "\" Index=\"1\"/></LookList>";
  xml +=
      "</LookLists><Skins><Skin Name=\"Skin1\" FontName=\"Sans\" FontSize=\"12\">"
      "<SubControl Class=\"Framework.Panel\" Name=\"mainControl\" XSizeToControl=\"Client\" XSizeRel=\"1\">"
      "<Skin Name=\"Panel\" LookList=\"LL0\"/>";
  for (int panel = 0; panel < 20; ++panel) {
    xml += "<SubControl Class=\"Framework.Panel\" Name=\"panel" + std::to_string(panel) +
           "\" LayoutOrder=\"" + std::to_string(20 - panel) +
           "\" XPositionAbs=\"8\" YPositionToControl=\"panel" + std::to_string(panel - 1) +
           "\" YPositionRel=\"1\"><Skin Name=\"Panel\" LookList=\"LL1\"/>";
    for (int c = 0; c < 9; ++c)
      xml += "<SubControl Class=\"Framework.Button\" Name=\"button" + std::to_string(c) +
             "\" LayoutOrder=\"" + std::to_string(c % 3) + "\" TabStop=\"" + std::to_string(c) +
             "\" XPositionAbs=\"" + std::to_string(c * 30) +
             "\" YPositionAbs=\"4\" XSizeAbs=\"28\" YSizeAbs=\"20\" FontName=\"Sans\" FontSize=\"11\">"
             "<CreateParamList><CreateParam ID=\"NOT_FOCUSABLE\" "
             "Type=\"Boolean\">True</CreateParam></CreateParamList>"
             "<Skin Name=\"Button\" LookList=\"LL" +
             std::to_string(c) + "\"/></SubControl>";
    xml += "</SubControl>";
  }
  xml += "</SubControl></Skin></Skins></Application></Halvern_Skin_Definitions>";
  return xml;
}

const std::string& Document() {
  static const std::string document = SkinOf200Controls();
  return document;
}

void BM_LoadSkinOf200Controls(benchmark::State& state) {
  const OneDocument source(Document());
  for (auto _ : state) {
    HV::LControlFactory factory{HV::StringW(u"App")};
    factory.SetResourceSource(&source);
    factory.SetBaseLocation(HV::StringW(u"::"));
    if (factory.LoadSkins(HV::StringW(u"::SKIN")) != HV::S_OK) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(factory.GetSkins().GetCount());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Document().size()));
}
BENCHMARK(BM_LoadSkinOf200Controls);

void BM_ExpatBareParseOfTheSameSkin(benchmark::State& state) {
  const std::string& document = Document();
  for (auto _ : state) {
    XML_Parser parser = XML_ParserCreate(nullptr);
    const XML_Status status = XML_Parse(parser, document.data(), static_cast<int>(document.size()), XML_TRUE);
    if (status != XML_STATUS_OK) state.SkipWithError("parse failed");
    XML_ParserFree(parser);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * document.size()));
}
BENCHMARK(BM_ExpatBareParseOfTheSameSkin);

}  // namespace
