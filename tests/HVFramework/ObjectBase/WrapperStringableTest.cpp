#include "HVFramework/ObjectBase/ToString.h"
#include "HVFramework/ObjectBase/WrapperStringable.h"

#include <gtest/gtest.h>

using namespace HV;

TEST(LWrapperStringable, TheTextFormIsTheWrappedString) {
  const StringW text(u"item");
  RCPtr<LStringTag> tag = LStringTag::Create(text);
  EXPECT_EQ(tag->ToString(), u"item");
  EXPECT_EQ(tag->ToString().GetText(), text.GetText());  // a shared copy
  EXPECT_EQ(tag->GetValue().GetLength(), 4);
}

TEST(LWrapperStringable, AStringTagIsRecoveredFromATaggableReference) {
  RCPtr<LTaggableObject> tag = MakeStringTag(StringW(u"label"));
  RCPtr<LStringTag> recovered = DynamicCast<LStringTag>(tag);
  ASSERT_TRUE(recovered);
  EXPECT_EQ(recovered->GetValue(), u"label");
  EXPECT_EQ(tag->ToString(), u"label");
  EXPECT_EQ(tag->GetRefCount(), 2);
}

TEST(ToString, UsesTheObjectsTextOrTheTypeName) {
  const ConstRCPtr<LRefCountedObject> tag(MakeStringTag(StringW(u"x")));
  EXPECT_EQ(ToString(tag), u"x");
  EXPECT_TRUE(ToString(ConstRCPtr<LRefCountedObject>()).IsEmpty());
  EXPECT_EQ(ToString(42), u"int");
  EXPECT_EQ(ToString(7), ToString(8));
}
