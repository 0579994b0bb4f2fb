// Control fonts: open parts of a font description resolved against the
// parent's font or the application's default, and passed down the tree.
#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LSkinDescriptor.h"
#include "tests/support/RecorderControl.h"

#include <gtest/gtest.h>

namespace HV::Test {
namespace {

// Counts the fonts it was given.
class FontRecorder : public RecorderControl {
 public:
  using RecorderControl::RecorderControl;
  void OnFontChanged() override { ++changes; }
  int changes = 0;
};

class ControlFont : public ::testing::Test {
 protected:
  void SetUp() override { SetApplicationDefaultFont(LFont::FindOrCreate(StringW(u"Default Sans"), 9, 0)); }
  void TearDown() override { SetApplicationDefaultFont(nullptr); }

  // A child of mParent built from a descriptor with this font description.
  RCPtr<FontRecorder> Child(const char16_t* name, bool inherit, bool relative, const char16_t* fontName,
                            float size, int32_t style) {
    const RCPtr<LControlDescriptor> descriptor =
        LControlDescriptor::Create(StringW(u"Test.Recorder"), name, nullptr);
    const RCPtr<LSkinDescriptor> skin = LSkinDescriptor::Create(StringW(u"style"));
    skin->font = SkinPendingFont{inherit, relative, StringW(fontName), size, style};
    descriptor->SetSkin(skin);
    RCPtr<FontRecorder> child(new FontRecorder(mParent.Get(), StringW(name)));
    child->CreateFromDescriptor(descriptor);
    return child;
  }

  const RCPtr<FontRecorder> mParent{new FontRecorder(nullptr, StringW(u"parent"))};
};

TEST_F(ControlFont, AFullyInheritingChildSharesItsParentsFontObject) {
  ASSERT_EQ(mParent->SetFont(StringW(u"Arial"), 12, LFont::Bold, false), S_OK);
  const RCPtr<FontRecorder> child = Child(u"child", true, false, u"", 0, -1);
  EXPECT_EQ(child->GetFont(), mParent->GetFont());
  // A new parent font flows down.
  ASSERT_EQ(mParent->SetFont(StringW(u"Serif"), 14, -1, false), S_OK);
  EXPECT_EQ(mParent->GetFont()->GetStyle(), 0);  // the default's style filled in
  EXPECT_EQ(child->GetFont(), mParent->GetFont());
}

TEST_F(ControlFont, ARelativeSizeScalesTheParentsSize) {
  ASSERT_EQ(mParent->SetFont(StringW(u"Arial"), 10, 0, false), S_OK);
  const RCPtr<FontRecorder> child = Child(u"child", true, true, u"", 1.5f, -1);
  ASSERT_TRUE(child->GetFont());
  EXPECT_EQ(child->GetFont()->GetSize(), 15);
  EXPECT_EQ(child->GetRelativeFontFactor(), 1.5f);
  mParent->SetFont(StringW(u"Arial"), 12, 0, false);
  EXPECT_EQ(child->GetFont()->GetSize(), 18);
  EXPECT_TRUE(child->GetFont()->GetName() == StringW(u"Arial"));
}

TEST_F(ControlFont, WithoutInheritanceTheApplicationDefaultIsTheBase) {
  ASSERT_EQ(mParent->SetFont(StringW(u"Arial"), 12, 1, false), S_OK);
  const RCPtr<FontRecorder> child = Child(u"child", false, false, u"", 0, LFont::Italic);
  ASSERT_TRUE(child->GetFont());
  EXPECT_TRUE(child->GetFont()->GetName() == StringW(u"Default Sans"));
  EXPECT_EQ(child->GetFont()->GetSize(), 9);
  EXPECT_EQ(child->GetFont()->GetStyle(), LFont::Italic);
  const RCPtr<LFont> before = child->GetFont();
  mParent->SetFont(StringW(u"Serif"), 20, 0, false);
  EXPECT_EQ(child->GetFont(), before);  // not inheriting: unaffected
}

TEST_F(ControlFont, TheSameFontAgainChangesNothing) {
  ASSERT_EQ(mParent->SetFont(StringW(u"Arial"), 12, 0, false), S_OK);
  const RCPtr<FontRecorder> child = Child(u"child", true, false, u"", 0, -1);
  const int parentChanges = mParent->changes;
  const int childChanges = child->changes;
  EXPECT_EQ(mParent->SetFont(StringW(u"Arial"), 12, 0, false), S_FALSE);
  EXPECT_EQ(mParent->changes, parentChanges);
  EXPECT_EQ(child->changes, childChanges);
  EXPECT_EQ(mParent->ApplyFont(nullptr), E_INVALIDARG);
}

TEST_F(ControlFont, OpenPartsNeedABaseFont) {
  SetApplicationDefaultFont(nullptr);
  EXPECT_EQ(mParent->SetFont(StringW(u""), 12, 0, false), E_FAIL);
  EXPECT_FALSE(mParent->GetFont());
  EXPECT_EQ(mParent->SetFont(StringW(u"Arial"), 12, 0, false), S_OK);
}

}  // namespace
}  // namespace HV::Test
