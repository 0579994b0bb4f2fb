#include "HVFramework/Notification/NotificationNames.h"

#include <gtest/gtest.h>

#include <string>

namespace HV {
namespace {

TEST(NotificationNames, TheSameTextInternsToTheSameAddress) {
  const std::u16string copy = u"NID_VALUE_CHANGE";
  const WChar* id = InternNotificationName(u"NID_VALUE_CHANGE");
  ASSERT_NE(id, nullptr);
  EXPECT_NE(id, copy.c_str());
  EXPECT_EQ(InternNotificationName(copy.c_str()), id);
  EXPECT_EQ(InternNotificationName(id), id);
  EXPECT_EQ(std::u16string(id), copy);
}

TEST(NotificationNames, NamesAreCaseSensitive) {
  EXPECT_NE(InternNotificationName(u"NID_Idle"), InternNotificationName(u"NID_IDLE"));
}

TEST(NotificationNames, NullAndEmptyNamesInternToNullAndAddNothing) {
  InternNotificationName(u"NID_IDLE");
  const uint32_t count = GetNotificationNameTable().GetCount();
  EXPECT_EQ(InternNotificationName(nullptr), nullptr);
  EXPECT_EQ(InternNotificationName(u""), nullptr);
  EXPECT_EQ(GetNotificationNameTable().GetCount(), count);
}

// Identifiers are compared by address for the life of the process, so the
// table growing must not move a text (AddressSanitizer sees a moved one).
TEST(NotificationNames, IdentifiersStayValidWhileTheTableGrows) {
  const WChar* first = InternNotificationName(u"NID_STABLE_FIRST");
  for (int i = 0; i < 2000; ++i) {
    const std::u16string name = u"NID_GROWTH_" + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) +
                                std::u16string(static_cast<size_t>(i / 26 + 1), u'X');
    InternNotificationName(name.c_str());
  }
  EXPECT_EQ(std::u16string(first), u"NID_STABLE_FIRST");
  EXPECT_EQ(InternNotificationName(u"NID_STABLE_FIRST"), first);
}

TEST(NotificationNames, AnIdentifierReadsBackAsItsText) {
  const WChar* id = InternNotificationName(u"NID_APP_EXIT_REQ");
  const StringW text = GetNotificationNameString(id);
  EXPECT_TRUE(text == u"NID_APP_EXIT_REQ");
  EXPECT_EQ(text.GetText(), id);  // the entry itself, not a copy

  const std::u16string notInTable = u"NID_APP_EXIT_REQ";
  EXPECT_TRUE(GetNotificationNameString(notInTable.c_str()).IsEmpty());
  EXPECT_TRUE(GetNotificationNameString(nullptr).IsEmpty());
}

}  // namespace
}  // namespace HV
