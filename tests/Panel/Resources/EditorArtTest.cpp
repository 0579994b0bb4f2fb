// The editor's art as the skin uses it: every picture a look draws is
// decoded at exactly the size of the control that shows it, the tiles lie on
// the keyboard's picture without overlapping, the LED colours are told apart
// from each other and from an unlit LED, and the texts on the picture can be
// read.

#include "tests/Panel/Resources/EditorDocuments.h"

#include "HVFramework/ControlBase/Looks/LVisualPart.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LLookDescriptor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace HV {
namespace {

using Test::EditorDocuments;
using Test::Narrow;
using Test::kTileClasses;

const std::string kView = "mainControl/viewDevice/";
const std::string kBody = kView + "deviceBody";

struct Box {
  int32_t x = 0, y = 0, width = 0, height = 0;

  bool Contains(const Box& other) const {
    return other.x >= x && other.y >= y && other.x + other.width <= x + width &&
           other.y + other.height <= y + height;
  }
  bool Overlaps(const Box& other) const {
    return other.x < x + width && x < other.x + other.width && other.y < y + height && y < other.y + other.height;
  }
};

// A control of the skin with its place in its top-level control and whether it shows at start.
struct PlacedControl {
  const LControlDescriptor* control;
  std::string path;
  Box box;
  bool shown;
};

Box OwnBox(const LControlDescriptor& control) {
  const LLayoutDescriptor& layout = *control.GetLayout();
  const auto whole = [](double pixels) { return static_cast<int32_t>(std::lround(pixels)); };
  return {whole(layout.position[0].absolute), whole(layout.position[1].absolute), whole(layout.size[0].absolute),
          whole(layout.size[1].absolute)};
}

// Every control below the top-level control `top`, placed by adding up the pixel
// positions of its ancestors (the device view places everything in pixels).
std::vector<PlacedControl> PlaceBelow(const std::string& top) {
  std::vector<PlacedControl> placed;
  const std::function<void(const LControlDescriptor&, const std::string&, Box, bool)> walk =
      [&](const LControlDescriptor& parent, const std::string& path, Box origin, bool shown) {
        const RCPtrArray<LControlDescriptor>& children = parent.GetChildren();
        for (uint32_t i = 0; i < children.GetCount(); ++i) {
          const LControlDescriptor& child = **children.GetItemPtr(i);
          Box box = OwnBox(child);
          box.x += origin.x;
          box.y += origin.y;
          const std::string childPath = path + "/" + Narrow(child.GetName());
          const bool childShown = shown && child.GetLayout()->visible;
          placed.push_back({&child, childPath, box, childShown});
          walk(child, childPath, box, childShown);
        }
      };
  const RCPtr<LControlDescriptor> root = EditorDocuments::Find(top);
  if (root) walk(*root, top, Box{}, true);
  return placed;
}

const PlacedControl* FindPlaced(const std::vector<PlacedControl>& placed, const std::string& path) {
  for (const PlacedControl& control : placed)
    if (control.path == path) return &control;
  return nullptr;
}

// The looks of a control's look list, without the empty slots.
std::vector<RCPtr<LLookDescriptor>> LooksOf(const LControlDescriptor& control) {
  std::vector<RCPtr<LLookDescriptor>> looks;
  const RCPtr<LSkinDescriptor>& skin = control.GetSkin();
  if (!skin || !skin->lookList) return looks;
  for (uint32_t i = 0; i < skin->lookList->GetCount(); ++i)
    if (*skin->lookList->GetItemPtr(i)) looks.push_back(*skin->lookList->GetItemPtr(i));
  return looks;
}

// The picture a look fills its control with; null when its fill is no picture.
RCPtr<LBitmap> PictureOf(const LLookDescriptor& look) {
  const RCPtr<LDockedPart>& fill = look.GetClientPart();
  if (!fill || !fill->part || fill->part->image.IsEmpty()) return nullptr;
  const RCPtr<LVisualPart> part = GetVisualPart(fill);
  return part ? part->GetBitmap() : nullptr;
}

const std::vector<PlacedControl>& DeviceView() {
  static const std::vector<PlacedControl> placed = PlaceBelow("mainControl");
  return placed;
}

class EditorArt : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(EditorDocuments::IsLoaded()) << EditorDocuments::GetError(); }
};

// Each image role of the editor, at a control that shows it, and how many
// pictures its looks draw (off and on, each also under the mouse; one for a
// picture that never changes).
TEST_F(EditorArt, EveryImageRoleIsAPictureOfTheSizeOfItsControl) {
  struct Role {
    const char* role;
    std::string path;
    size_t pictures;
  };
  const Role kRoles[] = {
      {"keyboard", kBody, 1},
      {"encoder", kView + "encoders/encoderBank1/encoder1/button", 4},
      {"fader", kView + "faders/faderBank1/fader1/button", 4},
      {"push button", kView + "buttons/buttonBank1/button1/button", 4},
      {"pad", kView + "pads/pad1/button", 4},
      {"pitch wheel", kView + "wheels/pitchWheel/button", 4},
      {"modulation wheel", kView + "wheels/modWheel/button", 4},
      {"sustain pedal", kView + "pedals/sustainPedal/button", 4},
      {"volume pedal", kView + "pedals/volumePedal/button", 4},
      {"X axis", kView + "xyPad/xAxis/button", 4},
      {"Y axis", kView + "xyPad/yAxis/button", 4},
      {"keybed zone", kView + "keybedZones/zone1/button", 4},
      {"maker's logo", "dialogAbout/HalvernLogo", 1},
      {"product's logo", "dialogAbout/productLogo", 1},
  };
  for (const Role& role : kRoles) {
    SCOPED_TRACE(role.role);
    const RCPtr<LControlDescriptor> control = EditorDocuments::Find(role.path);
    ASSERT_TRUE(control) << role.path;
    const Box box = OwnBox(*control);
    std::vector<RectT<int32_t>> distinct;
    for (const RCPtr<LLookDescriptor>& look : LooksOf(*control)) {
      const RCPtr<LBitmap> picture = PictureOf(*look);
      ASSERT_TRUE(picture && picture->HasImage()) << Narrow(look->GetName()) << " draws no decoded picture";
      EXPECT_EQ(picture->GetWidth(), box.width) << Narrow(look->GetName());
      EXPECT_EQ(picture->GetHeight(), box.height) << Narrow(look->GetName());
      if (std::find(distinct.begin(), distinct.end(), picture->GetRect()) == distinct.end())
        distinct.push_back(picture->GetRect());
    }
    EXPECT_EQ(distinct.size(), role.pictures);
  }
}

// Not only the first of each kind: every control drawn with a picture shows it unscaled.
TEST_F(EditorArt, EveryPictureIsDrawnAtItsOwnSize) {
  // Each look at each size it is drawn at, once: banks repeat their tiles' looks.
  std::map<std::pair<const LLookDescriptor*, std::pair<int32_t, int32_t>>, std::string> drawn;
  int32_t pictured = 0;
  EditorDocuments::ForEach([&](const LControlDescriptor& control, const std::string& path) {
    for (const RCPtr<LLookDescriptor>& look : LooksOf(control)) {
      const RCPtr<LDockedPart>& fill = look->GetClientPart();
      if (!fill || !fill->part || fill->part->image.IsEmpty()) continue;
      ++pictured;
      drawn.emplace(std::pair{look.Get(), std::pair{OwnBox(control).width, OwnBox(control).height}}, path);
    }
  });
  for (const auto& [key, path] : drawn) {
    const RCPtr<LBitmap> picture = PictureOf(*key.first);
    ASSERT_TRUE(picture && picture->HasImage()) << path << ": " << Narrow(key.first->GetName());
    EXPECT_EQ(picture->GetWidth(), key.second.first) << path;
    EXPECT_EQ(picture->GetHeight(), key.second.second) << path;
  }
  // The 130 tiles and the keyboard at least.
  EXPECT_GT(pictured, 131);
}

// The tiles showing at one time (the first bank of each group) lie on the
// keyboard's picture, their select buttons inside it, and no two overlap.
TEST_F(EditorArt, TilesLieOnTheKeyboardAndDoNotOverlap) {
  const PlacedControl* body = FindPlaced(DeviceView(), kBody);
  ASSERT_TRUE(body);
  std::vector<const PlacedControl*> tiles;
  for (const PlacedControl& tile : DeviceView()) {
    if (!tile.shown || !kTileClasses.count(Narrow(tile.control->GetClassName()))) continue;
    const PlacedControl* button = FindPlaced(DeviceView(), tile.path + "/button");
    ASSERT_TRUE(button) << tile.path;
    EXPECT_TRUE(body->box.Contains(tile.box)) << tile.path;
    EXPECT_TRUE(tile.box.Contains(button->box)) << button->path;
    tiles.push_back(&tile);
  }
  EXPECT_EQ(tiles.size(), 8u + 9u + 9u + 16u + 2u + 2u + 2u + 4u);
  for (size_t i = 0; i < tiles.size(); ++i)
    for (size_t j = i + 1; j < tiles.size(); ++j)
      EXPECT_FALSE(tiles[i]->box.Overlaps(tiles[j]->box)) << tiles[i]->path << " and " << tiles[j]->path;
}

// --- Colours ---

double Linear(uint32_t channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(uint32_t argb) {
  return 0.2126 * Linear(argb >> 16 & 0xFF) + 0.7152 * Linear(argb >> 8 & 0xFF) + 0.0722 * Linear(argb & 0xFF);
}

double Contrast(uint32_t a, uint32_t b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// CIE L*a*b* of an sRGB colour (D65 white).
std::array<double, 3> Lab(uint32_t argb) {
  const double r = Linear(argb >> 16 & 0xFF), g = Linear(argb >> 8 & 0xFF), b = Linear(argb & 0xFF);
  const double xyz[3] = {(0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047, 0.2126 * r + 0.7152 * g + 0.0722 * b,
                         (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883};
  double f[3];
  for (int i = 0; i < 3; ++i) f[i] = xyz[i] > 0.008856 ? std::cbrt(xyz[i]) : 7.787 * xyz[i] + 16.0 / 116;
  return {116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])};
}

double ColourDistance(uint32_t a, uint32_t b) {
  const std::array<double, 3> la = Lab(a), lb = Lab(b);
  return std::hypot(la[0] - lb[0], la[1] - lb[1], la[2] - lb[2]);
}

// The colour a look fills its control with; 0 (transparent) when it fills nothing.
uint32_t FillColour(const LLookDescriptor& look) {
  const RCPtr<LDockedPart>& fill = look.GetClientPart();
  if (!fill || !fill->part || !fill->part->colorizer) return 0;
  return fill->part->colorizer->color.ToARGB();
}

// The keyboard's picture at a point of the main control.
uint32_t KeyboardPixel(int32_t x, int32_t y) {
  static const PlacedControl* body = FindPlaced(DeviceView(), kBody);
  static const RCPtr<LBitmap> picture = [] {
    const std::vector<RCPtr<LLookDescriptor>> looks = body ? LooksOf(*body->control) : std::vector<RCPtr<LLookDescriptor>>();
    return looks.empty() ? nullptr : PictureOf(*looks[0]);
  }();
  return picture ? picture->GetPixel(x - body->box.x, y - body->box.y).ToARGB() : 0;
}

// Colour 0 ("Off") shows the keyboard's unlit LED; every other colour is lit:
// told apart from the unlit LED, and from every other colour of its list.
TEST_F(EditorArt, LedColoursAreToldApartFromEachOtherAndFromOff) {
  for (const std::string& path : {kView + "buttons/buttonBank1/button1/color", kView + "pads/pad1/color"}) {
    SCOPED_TRACE(path);
    const PlacedControl* indicator = FindPlaced(DeviceView(), path);
    ASSERT_TRUE(indicator);
    const std::vector<RCPtr<LLookDescriptor>> looks = LooksOf(*indicator->control);
    ASSERT_GE(looks.size(), 8u);
    EXPECT_EQ(FillColour(*looks[0]) >> 24, 0u) << "Off draws nothing over the unlit LED";
    const uint32_t unlit = KeyboardPixel(indicator->box.x + indicator->box.width / 2,
                                         indicator->box.y + indicator->box.height / 2);
    EXPECT_LT(Luminance(unlit), 0.05) << std::hex << unlit;
    for (size_t i = 1; i < looks.size(); ++i) {
      const uint32_t lit = FillColour(*looks[i]);
      EXPECT_EQ(lit >> 24, 0xFFu) << Narrow(looks[i]->GetName());
      EXPECT_GE(Contrast(lit, unlit), 3.0) << Narrow(looks[i]->GetName());
      for (size_t j = 1; j < i; ++j)
        EXPECT_GE(ColourDistance(lit, FillColour(*looks[j])), 20.0)
            << Narrow(looks[i]->GetName()) << " and " << Narrow(looks[j]->GetName());
    }
  }
}

// Every label on the keyboard's picture (tile numbers, channels, messages,
// zone names) has a contrast of 4.5:1 or more with the ground most of its
// rectangle shows.
TEST_F(EditorArt, TextsOnTheKeyboardCanBeRead) {
  const PlacedControl* body = FindPlaced(DeviceView(), kBody);
  ASSERT_TRUE(body);
  int32_t checked = 0;
  for (const PlacedControl& control : DeviceView()) {
    if (!control.shown || Narrow(control.control->GetClassName()) != "Framework.Label" || &control == body ||
        !body->box.Contains(control.box))
      continue;
    const std::vector<RCPtr<LLookDescriptor>> looks = LooksOf(*control.control);
    if (looks.empty() || !looks[0]->GetTextForegroundPart() || !looks[0]->GetTextForegroundPart()->colorizer)
      continue;
    const uint32_t text = looks[0]->GetTextForegroundPart()->colorizer->color.ToARGB();
    std::map<uint32_t, int32_t> grounds;
    for (int32_t y = control.box.y; y < control.box.y + control.box.height; ++y)
      for (int32_t x = control.box.x; x < control.box.x + control.box.width; ++x) ++grounds[KeyboardPixel(x, y)];
    const auto ground = std::max_element(grounds.begin(), grounds.end(),
                                         [](const auto& a, const auto& b) { return a.second < b.second; });
    EXPECT_GE(Contrast(text, ground->first), 4.5) << control.path << std::hex << " text " << text << " on "
                                                  << ground->first;
    ++checked;
  }
  EXPECT_GT(checked, 100);
}

}  // namespace
}  // namespace HV
