#include "HVFramework/Platform/Core/DynamicLibrary.h"

#include <gtest/gtest.h>

namespace {

using HV::Platform::DynamicLibrary;

TEST(DynamicLibrary, WindowsLibraryNamesBecomeSharedObjectNames) {
  struct Case {
    const char* given;
    const char* expected;
  } const kCases[] = {
      {"IniFileManager.dll", "libIniFileManager.so"},
      {"/opt/x/IniFileManager.DLL", "/opt/x/libIniFileManager.so"},
      {"C:\\x\\Name.dll", "C:\\x\\libName.so"},
      {"libalready.so", "libalready.so"},
      {".dll", ".dll"},
      {"/a.dll/name", "/a.dll/name"},
  };
  for (const Case& c : kCases) EXPECT_EQ(DynamicLibrary::ToSharedObjectName(c.given), c.expected) << c.given;
}

TEST(DynamicLibrary, AMissingLibraryIsNotLoaded) {
  EXPECT_EQ(DynamicLibrary::Load("NoSuchLibrary.dll"), nullptr);
  EXPECT_EQ(DynamicLibrary::Load("/nonexistent/folder/libx.so"), nullptr);
}

TEST(DynamicLibrary, FindsExportedSymbolsAndUnloadsOnce) {
  auto library = DynamicLibrary::Load("IniFileManager.dll");
  ASSERT_TRUE(library);
  EXPECT_NE(library->FindSymbol("OpenIniFile"), nullptr);
  EXPECT_EQ(library->FindSymbol("NoSuchSymbol"), nullptr);
  EXPECT_TRUE(library->Unload());
  EXPECT_EQ(library->FindSymbol("OpenIniFile"), nullptr);
  EXPECT_TRUE(library->Unload());
}

}  // namespace
