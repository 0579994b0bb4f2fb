// tarsel-skin-preview OUTPUT.ppm [--panel EDIT_PANEL | --dialog NAME | --message-box FLAGS TEXT]
// Draws the editor's main window (or one of its dialogs) from the skin and
// string documents built into it, without the program, into a binary PPM
// picture: for looking at the skin while its description is edited.
// --panel shows that edit panel of the device view instead of the X/Y pad's.
// --message-box shows the skin's message box with TEXT and the icon and
// buttons of the style FLAGS (0x10 error, 0x24 a question with Yes and No...).

#include "tools/skin-preview/EditorSkinPreview.h"

#include "HVFramework/Controls/MessageBox/LMessageBox.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

bool WritePpm(const char* path, const std::vector<uint32_t>& pixels, int32_t width, int32_t height) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << width << " " << height << "\n255\n";
  for (uint32_t pixel : pixels) {
    const char rgb[] = {static_cast<char>(pixel >> 16), static_cast<char>(pixel >> 8), static_cast<char>(pixel)};
    out.write(rgb, sizeof rgb);
  }
  return static_cast<bool>(out);
}

// Shows the named edit panel and hides the device view's others.
bool ShowEditPanel(HV::EditorSkinPreview& preview, const std::string& name) {
  const HV::RCPtr<HV::LControl> shown = preview.Find("viewDevice/" + name);
  if (!shown) return false;
  for (const char* panel : {"padEditPanel", "knobEditPanel", "faderEditPanel", "volumePedalEditPanel", "wheelEditPanel",
                            "xyPadEditPanel", "sustainEditPage", "zoneEditPanel", "buttonEditPanel"})
    if (const HV::RCPtr<HV::LControl> other = preview.Find(std::string("viewDevice/") + panel))
      other->SetVisible(other == shown);
  return true;
}

constexpr const char* kUsage =
    "usage: tarsel-skin-preview OUTPUT.ppm [--panel EDIT_PANEL | --dialog NAME | --message-box FLAGS TEXT]\n";

// The skin's message box for the style flags and text.
int RunMessageBox(const char* output, const char* flags, const char* text, HV::LControlFactory& factory) {
  char* end = nullptr;
  const unsigned long style = std::strtoul(flags, &end, 0);
  if (end == flags || *end != '\0') {
    std::fprintf(stderr, "%s", kUsage);
    return 2;
  }
  bool isSet = false;
  const auto setMessage = [&](HV::LControl& control) {
    auto* box = dynamic_cast<HV::LMessageBox*>(&control);
    isSet = box && box->SetMessage(HV::StringW(text), HV::StringW(), static_cast<uint32_t>(style),
                                   [](const char16_t*, const char16_t* builtIn) { return HV::StringW(builtIn); }) ==
                       HV::S_OK;
  };
  HV::EditorSkinPreview preview(factory, HV::StringW(u"messageBox"), setMessage);
  if (!preview.IsBuilt() || !isSet) {
    std::fprintf(stderr, "tarsel-skin-preview: the skin's message box cannot be built\n");
    return 1;
  }
  if (!WritePpm(output, preview.Paint(), preview.GetWidth(), preview.GetHeight())) {
    std::fprintf(stderr, "tarsel-skin-preview: cannot write %s\n", output);
    return 1;
  }
  return 0;
}

int Run(int argc, char** argv) {
  const bool isMessageBox = argc == 5 && !std::strcmp(argv[2], "--message-box");
  const bool hasOption = argc == 4 && (!std::strcmp(argv[2], "--panel") || !std::strcmp(argv[2], "--dialog"));
  if (argc != 2 && !hasOption && !isMessageBox) {
    std::fprintf(stderr, "%s", kUsage);
    return 2;
  }
  std::string error;
  const auto factory = HV::EditorSkinPreview::LoadEditorDocuments(error);
  if (!factory) {
    std::fprintf(stderr, "tarsel-skin-preview: %s\n", error.c_str());
    return 1;
  }
  if (isMessageBox) return RunMessageBox(argv[1], argv[3], argv[4], *factory);
  const bool dialog = hasOption && !std::strcmp(argv[2], "--dialog");
  const std::string top = dialog ? argv[3] : "mainControl";
  HV::EditorSkinPreview preview(*factory, HV::StringW(std::u16string(top.begin(), top.end()).c_str()));
  if (!preview.IsBuilt()) {
    std::fprintf(stderr, "tarsel-skin-preview: \"%s\" cannot be built from the skin\n", top.c_str());
    return 1;
  }
  if (hasOption && !dialog && !ShowEditPanel(preview, argv[3])) {
    std::fprintf(stderr, "tarsel-skin-preview: the device view has no edit panel \"%s\"\n", argv[3]);
    return 1;
  }
  if (!WritePpm(argv[1], preview.Paint(), preview.GetWidth(), preview.GetHeight())) {
    std::fprintf(stderr, "tarsel-skin-preview: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) { return Run(argc, argv); }
