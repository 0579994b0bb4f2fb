// The check notifications' payload texts, with and without data.
#include "HVFramework/Controls/CheckedListBox/LIndexedDataParam.h"
#include "tests/HVFramework/ControlBase/Skin/ControlFactory/SkinDocumentFixture.h"

#include <gtest/gtest.h>

namespace HV::Test {
namespace {

class NamedObject : public LRefCountedObject {
 public:
  StringW ToString() const override { return StringW("item"); }
};

TEST(LIndexedDataParam, TextNamesIndexDataAndValue) {
  EXPECT_EQ(Narrow(LIndexedDataParam::Create(nullptr, 4)->ToString()), "LIndexedDataParam: Index = 4, Data = ");
  EXPECT_EQ(Narrow(LIndexedDataParam::Create(RCPtr<LRefCountedObject>(new NamedObject()), -1)->ToString()),
            "LIndexedDataParam: Index = -1, Data = item");
  const RCPtr<LIndexedDataWithValueParam> checked = LIndexedDataWithValueParam::Create(nullptr, 4, 1.0);
  EXPECT_EQ(Narrow(checked->ToString()), "LIndexedDataParam: Index = 4, Data =  Value = 1.000000");
  EXPECT_EQ(checked->Index, 4);
  EXPECT_EQ(checked->Value, 1.0);
  EXPECT_FALSE(checked->Data);
}

}  // namespace
}  // namespace HV::Test
