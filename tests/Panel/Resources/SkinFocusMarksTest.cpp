// The keyboard focus shows on a button in every state: in the looks of the
// editor's generated skin and of the gallery's skin, each focused look of a
// button's look list (focused; hovered; pressed; each off and on) draws a
// picture other than the look of the same state without the focus. And a
// page button keeps its frame when it is off, on or disabled: it never
// reads as a label.

#include "tests/Panel/Resources/EditorDocuments.h"
#include "tests/support/MemoryXmlResourceSource.h"

#include "HVFramework/ControlBase/Looks/LLook.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace HV::Test {
namespace {

constexpr int32_t kWidth = 64;
constexpr int32_t kHeight = 48;

// The colour of every pixel of the look drawn at the test size.
std::vector<uint32_t> Picture(const RCPtr<LLookDescriptor>& descriptor) {
  const RCPtr<LLook> look = LLook::Create(descriptor, false);
  look->SetSize(kWidth, kHeight);
  look->UpdateClientStencil();
  std::vector<uint32_t> pixels;
  for (int32_t y = 0; y < kHeight; ++y)
    for (int32_t x = 0; x < kWidth; ++x) pixels.push_back(look->GetColorAtPoint({x, y}));
  return pixels;
}

// The gallery's skin, read from its file as the gallery reads it from its resources.
LControlFactory& GalleryFactory() {
  static MemoryXmlResourceSource source;
  static LControlFactory factory{StringW(u"HVGallery")};
  static const bool loaded = [] {
    source.AddFile("GALLERYSKIN_XML", HV_GALLERY_SKIN_FILE);
    factory.SetResourceSource(&source);
    factory.SetBaseLocation(StringW(u"::"));
    return factory.LoadSkins(StringW(u"::GallerySkin.xml")) == S_OK;
  }();
  EXPECT_TRUE(loaded) << "the gallery's skin cannot be read";
  return factory;
}

enum class Skin { kEditor, kGallery };

struct FocusCase {
  Skin skin;
  const char* lookList;
};

// Look indices of a button: normal, hovered and pressed, then the same three
// focused; seven later, the same while on.
struct StatePair {
  const char* state;
  int32_t without;
  int32_t with;
};
constexpr StatePair kStates[] = {
    {"off", 0, 3}, {"off hovered", 1, 4}, {"off pressed", 2, 5},
    {"on", 7, 10}, {"on hovered", 8, 11}, {"on pressed", 9, 12},
};

class SkinFocusMarks : public ::testing::TestWithParam<FocusCase> {};

TEST_P(SkinFocusMarks, EveryStateOfAButtonShowsTheFocus) {
  const FocusCase& param = GetParam();
  if (param.skin == Skin::kEditor) ASSERT_TRUE(EditorDocuments::IsLoaded()) << EditorDocuments::GetError();
  LControlFactory& factory = param.skin == Skin::kEditor ? EditorDocuments::Get() : GalleryFactory();
  const RCPtr<LLookList> list = factory.FindLookList(Wide(param.lookList));
  ASSERT_TRUE(list) << param.lookList;
  ASSERT_EQ(list->GetCount(), 14u) << param.lookList;
  for (const StatePair& pair : kStates) {
    const RCPtr<LLookDescriptor>& without = *list->GetItemPtr(static_cast<uint32_t>(pair.without));
    const RCPtr<LLookDescriptor>& with = *list->GetItemPtr(static_cast<uint32_t>(pair.with));
    ASSERT_TRUE(without && with) << param.lookList << ", " << pair.state;
    EXPECT_NE(Picture(without), Picture(with))
        << param.lookList << ": the focus does not show " << pair.state << " (" << Narrow(with->GetName()) << ")";
  }
}

constexpr FocusCase kCases[] = {
    {Skin::kEditor, "Button.14"},
    {Skin::kEditor, "Button.Transparent.14"},
    {Skin::kEditor, "Check.14"},
    {Skin::kEditor, "Tile.Knob.14"},
    {Skin::kEditor, "Tile.Fader.14"},
    {Skin::kEditor, "Tile.PushButton.14"},
    {Skin::kEditor, "Tile.Pad.14"},
    {Skin::kEditor, "Tile.Wheel.14"},
    {Skin::kEditor, "Tile.AxisX.14"},
    {Skin::kEditor, "Tile.AxisY.14"},
    {Skin::kEditor, "Tile.Zone.14"},
    {Skin::kEditor, "TSPE.Button.SustainPedalButton"},
    {Skin::kEditor, "TSPE.Button.PedalButton"},
    {Skin::kGallery, "Gallery.Button.14"},
    {Skin::kGallery, "Gallery.Check.14"},
};

INSTANTIATE_TEST_SUITE_P(Looks, SkinFocusMarks, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<FocusCase>& info) {
                           std::string name = (info.param.skin == Skin::kEditor ? "Editor_" : "Gallery_") +
                                              std::string(info.param.lookList);
                           for (char& c : name)
                             if (c == '.') c = '_';
                           return name;
                         });

// The look lists of the editor's page buttons (which button uses which is
// the skin rules' test): off, disabled and on-disabled each draw a frame,
// an opaque edge of another colour than the face inside it.
TEST(PageButtonLooks, KeepTheirFrameOffAndDisabled) {
  ASSERT_TRUE(EditorDocuments::IsLoaded()) << EditorDocuments::GetError();
  for (const char* name : {"Button.14", "Button.Transparent.14"}) {
    const RCPtr<LLookList> list = EditorDocuments::Get().FindLookList(Wide(name));
    ASSERT_TRUE(list) << name;
    for (const uint32_t index : {0u, 6u, 13u}) {
      const RCPtr<LLookDescriptor>& look = *list->GetItemPtr(index);
      ASSERT_TRUE(look) << name << " " << index;
      const std::vector<uint32_t> picture = Picture(look);
      const uint32_t edge = picture[(kHeight / 2) * kWidth];
      const uint32_t face = picture[(kHeight / 2) * kWidth + kWidth / 2];
      EXPECT_TRUE((edge >> 24) == 0xFF && edge != face)
          << name << " look " << index << " (" << Narrow(look->GetName()) << ") draws no frame";
    }
  }
}

}  // namespace
}  // namespace HV::Test
