// Event parameters: their texts and their reuse pools.
#include "HVFramework/ControlBase/Control/LConditionsParam.h"
#include "HVFramework/ControlBase/Control/LKeyParam.h"
#include "HVFramework/ControlBase/Control/LMouseButtonParam.h"
#include "HVFramework/ControlBase/Control/LMouseWheelParam.h"
#include "HVFramework/ControlBase/Control/LValueParam.h"

#include <gtest/gtest.h>

#include <string>

namespace HV {
namespace {

std::string Text(const LRefCountedObject& object) { return object.ToString().ToCharString().GetText(); }

TEST(EventParams, TextsNameTheirFields) {
  EXPECT_EQ(Text(*LPointParam::Create(-3, 4)), "point(-3, 4)");
  EXPECT_EQ(Text(*LPointWithModifiersParam::Create(3, 4, 5)), "point(3, 4)  modifiers: 0x00000005");
  EXPECT_EQ(Text(*LMouseButtonParam::Create(1, 3, 4, 0x48, false, 1)), "point(3, 4)  modifiers: 0x00000048");
  EXPECT_EQ(Text(*LMouseWheelParam::Create(1, 2, 0, 0)), "point(1, 2)  modifiers: 0x00000000  direction: down");
  EXPECT_EQ(Text(*LMouseWheelParam::Create(1, 2, 0, 3)), "point(1, 2)  modifiers: 0x00000000  direction: up");
  EXPECT_EQ(Text(*LValueParam::Create(2.5, 0.25)), "ValueParam = 2.500000");
  EXPECT_EQ(Text(*LKeyParam::Create(KeyCode::Parse(StringW(u"Ctrl+VKEY_DELETE")))),
            KeyCode::ToDisplayText(KeyCode::Parse(StringW(u"Ctrl+VKEY_DELETE"))).ToCharString().GetText());
}

TEST(EventParams, TabIsAVirtualNineWithTheKeyDownBitWhateverTheModifiers) {
  EXPECT_TRUE(LKeyParam::IsTab(0x20090000));
  EXPECT_TRUE(LKeyParam::IsTab(0x23090000));   // Ctrl+Shift
  EXPECT_FALSE(LKeyParam::IsTab(0x00090000));  // a key-up
  EXPECT_FALSE(LKeyParam::IsTab(0x00000009));  // a typed character 9
  EXPECT_FALSE(LKeyParam::IsTab(0xA0090000));  // no key
}

// Each parameter class has a pool of its own: a released record's block is
// the next record's, and a derived class does not take blocks of its base.
template <class T, class... Args>
void ExpectReuse(Args... args) {
  const void* first;
  {
    const RCPtr<T> record = T::Create(args...);
    first = record.Get();
  }
  const uint32_t blocks = T::GetPool().GetBlockCount();
  const RCPtr<T> again = T::Create(args...);
  EXPECT_EQ(static_cast<const void*>(again.Get()), first);
  EXPECT_EQ(T::GetPool().GetBlockCount(), blocks);
}

TEST(EventParams, PoolsReuseTheBlocksOfReleasedRecords) {
  ExpectReuse<LPointParam>(1, 2);
  ExpectReuse<LPointWithModifiersParam>(1, 2, 0u, 0);
  ExpectReuse<LMouseButtonParam>(1, 1, 2, 0u, false, 1u, 0);
  ExpectReuse<LMouseWheelParam>(1, 2, 0u, 1);
  ExpectReuse<LValueParam>(1.0, 0.5);
  ExpectReuse<LKeyParam>(KeyCode{});
  const uint32_t pointBlocks = LPointParam::GetPool().GetBlockCount();
  const RCPtr<LMouseButtonParam> button = LMouseButtonParam::Create(1, 1, 2, 0, false, 1);
  EXPECT_EQ(LPointParam::GetPool().GetBlockCount(), pointBlocks);
}

}  // namespace
}  // namespace HV
