#include "HVFramework/ControlBase/Window/ProfileFolderStore.h"

#include "tests/support/TemporaryFolder.h"
#include "tests/support/UnansweredFifo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace HV::Test {
namespace {

TEST(ProfileFolderStore, ValuesSurviveTheStoreAndReplaceEachOther) {
  TemporaryFolder temp;
  const std::string folder = temp / "Halvern/Gallery";
  const std::vector<uint8_t> first{1, 2, 3}, second{9};
  {
    ProfileFolderStore store(folder);
    std::vector<uint8_t> read;
    EXPECT_FALSE(store.GetBinary(StringW(u"Main"), StringW(u"WP"), read));
    store.SetBinary(StringW(u"Main"), StringW(u"WP"), first);
  }
  ProfileFolderStore store(folder);
  std::vector<uint8_t> read;
  ASSERT_TRUE(store.GetBinary(StringW(u"Main"), StringW(u"WP"), read));
  EXPECT_EQ(read, first);
  store.SetBinary(StringW(u"Main"), StringW(u"WP"), second);
  ASSERT_TRUE(store.GetBinary(StringW(u"Main"), StringW(u"WP"), read));
  EXPECT_EQ(read, second);
  // Nothing of the write is left beside the value.
  EXPECT_FALSE(std::filesystem::exists(store.GetPath(StringW(u"Main"), StringW(u"WP")) + ".new"));
}

TEST(ProfileFolderStore, NamesCannotLeaveTheFolder) {
  TemporaryFolder temp;
  ProfileFolderStore store(temp / "profile");
  EXPECT_EQ(store.GetPath(StringW(u"../../etc"), StringW(u"a/b")), temp / "profile/.._.._etc.a_b");
  EXPECT_EQ(store.GetPath(StringW(), StringW(u"WP")), temp / "profile/_.WP");
}

TEST(ProfileFolderStore, OversizedOrUnreadableValuesAreNotRead) {
  TemporaryFolder temp;
  ProfileFolderStore store(temp.GetPath());
  const std::string path = store.GetPath(StringW(u"Main"), StringW(u"WP"));
  std::ofstream(path) << std::string(ProfileFolderStore::kMaxValueSize + 1, 'x');
  std::vector<uint8_t> read{7};
  EXPECT_FALSE(store.GetBinary(StringW(u"Main"), StringW(u"WP"), read));
  EXPECT_TRUE(read.empty());
  // A folder where the value should be is no value.
  std::filesystem::remove(path);
  std::filesystem::create_directory(path);
  EXPECT_FALSE(store.GetBinary(StringW(u"Main"), StringW(u"WP"), read));
  // Too large to write: the store keeps nothing.
  store.SetBinary(StringW(u"Other"), StringW(u"WP"), std::vector<uint8_t>(ProfileFolderStore::kMaxValueSize + 1));
  EXPECT_FALSE(std::filesystem::exists(store.GetPath(StringW(u"Other"), StringW(u"WP"))));
}

TEST(ProfileFolderStore, AFifoWhereTheValueShouldBeIsNoValue) {
  UnansweredFifo fifo("Main.WP");
  ProfileFolderStore store(fifo.GetFolder().GetPath());
  std::vector<uint8_t> read{7};
  EXPECT_FALSE(fifo.Run([&] { return store.GetBinary(StringW(u"Main"), StringW(u"WP"), read); }));
  EXPECT_TRUE(read.empty());
  EXPECT_FALSE(fifo.WasUnblocked());
}

}  // namespace
}  // namespace HV::Test
