// tarsel-skin-preview OUTPUT.ppm [--panel EDIT_PANEL | --dialog NAME]
// Draws the editor's main window (or one of its dialogs) from the skin and
// string documents built into it, without the program, into a binary PPM
// picture: for looking at the skin while its description is edited.
// --panel shows that edit panel of the device view instead of the X/Y pad's.

#include "tools/skin-preview/EditorSkinPreview.h"

#include <cstdio>
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

int Run(int argc, char** argv) {
  const bool hasOption = argc == 4 && (!std::strcmp(argv[2], "--panel") || !std::strcmp(argv[2], "--dialog"));
  if (argc != 2 && !hasOption) {
    std::fprintf(stderr, "usage: tarsel-skin-preview OUTPUT.ppm [--panel EDIT_PANEL | --dialog NAME]\n");
    return 2;
  }
  std::string error;
  const auto factory = HV::EditorSkinPreview::LoadEditorDocuments(error);
  if (!factory) {
    std::fprintf(stderr, "tarsel-skin-preview: %s\n", error.c_str());
    return 1;
  }
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
