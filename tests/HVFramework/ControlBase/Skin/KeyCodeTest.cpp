#include "HVFramework/ControlBase/Skin/KeyCode.h"

#include "HVFramework/ControlBase/Skin/ControlFactory/LStringTable.h"
#include "HVFramework/ControlBase/Skin/HotKeyMap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace HV {
namespace {

std::string Narrow(const StringW& text) { return text.ToCharString().GetText(); }

struct ParseCase {
  const char16_t* text;
  uint32_t code;
  const char* storedText;   // ToText of the parsed code
  const char* displayText;  // ToDisplayText of the parsed code
};

TEST(KeyCode, ParsesTextsAndWritesThemBack) {
  const ParseCase kCases[] = {
      {u"Alt+VKEY_F4", 0x24730000, "Alt+VKEY_F4", "Alt+F4"},
      {u"alt+vkey_f4", 0x24730000, "Alt+VKEY_F4", "Alt+F4"},
      {u"VKEY_SHIFT", 0x22100000, "Shift+VKEY_SHIFT", "Shift+Shift"},
      {u"VKEY_F4+Ctrl", 0x21000000, "Ctrl+[0]", "Ctrl+"},  // the name runs to the end: no key
      {u"Ctrl+Shift+Q", 0x00000051, "[81]", "Q"},          // a character keeps only Alt
      {u"Alt+q", 0x04000071, "Alt+[113]", "Alt+q"},
      {u"Alt+[97]", 0x04000061, "Alt+[97]", "Alt+a"},
      {u"[97", 0x20000000, "[0]", ""},
      {u"Ctrl+VKEY_PAGEDN", 0x21220000, "Ctrl+VKEY_PAGEDN", "Ctrl+Page Down"},
      {u"VKEY_ESCAPE", 0x201B0000, "VKEY_ESCAPE", "Escape"},
      {u"VKEY_RETURN", 0x200D0000, "VKEY_RETURN", "Return"},
      {u"VKEY_DOWN", 0x20280000, "VKEY_DOWN", "Down Arrow"},
      {u"VKEY_KANA", 0x20150000, "VKEY_HANGEUL", "Kana"},  // the first name of a shared code
      {u"VKEY_OEM_NEC_EQUAL", 0x20920000, "VKEY_OEM_FJ_JISHO", "NEC Equal"},
      {u"VKEY_TAB", 0x20090000, "VKEY_TAB", ""},  // no display row
      {u"VKEY_NUMPAD7", 0x20670000, "VKEY_NUMPAD7", "Numpad 7"},
      {u"Command+VKEY_Z", 0x285A0000, "Cmd+VKEY_Z", "Cmd+Z"},
      {u"VKEY_NOSUCHKEY", 0x20000000, "[0]", ""},
      {u"", 0x80000000, "", ""},  // an empty text names no key
  };
  for (const ParseCase& c : kCases) {
    SCOPED_TRACE(Narrow(StringW(c.text)));
    const KeyCode key = KeyCode::Parse(StringW(c.text));
    EXPECT_EQ(key.code, c.code);
    EXPECT_EQ(key.flag, 0);
    EXPECT_EQ(Narrow(KeyCode::ToText(key)), c.storedText);
    EXPECT_EQ(Narrow(KeyCode::ToDisplayText(key)), c.displayText);
  }
}

TEST(KeyCode, StoredTextParsesBackToTheSameCode) {
  for (const char16_t* text :
       {u"Alt+VKEY_F4", u"Ctrl+Shift+VKEY_HOME", u"Alt+[97]", u"Ctrl+Alt+Shift+VKEY_F24"}) {
    const KeyCode key = KeyCode::Parse(StringW(text));
    EXPECT_EQ(KeyCode::Parse(KeyCode::ToText(key)).code, key.code) << Narrow(StringW(text));
  }
}

TEST(KeyCode, CharactersDisplayAsControlLettersOrThemselves) {
  struct Case {
    uint32_t character;
    const char* display;
  } const kCases[] = {{1, "Ctrl+A"}, {26, "Ctrl+Z"}, {32, ""},    {33, "!"},
                      {126, "~"},    {127, ""},      {0x263A, ""}};
  for (const Case& c : kCases)
    EXPECT_EQ(Narrow(KeyCode::ToDisplayText(KeyCode::FromCharacter(c.character, 0))), c.display)
        << c.character;
}

TEST(KeyCode, FromCharacterSetsModifiersAndSides) {
  const KeyCode key = KeyCode::FromCharacter(0x10061, 0x1 | 0x2 | 0x8 | 0x20 | 0x40 | 0x100 | 0x200 | 0x1000);
  EXPECT_EQ(key.code, 0x1F000061u);
  EXPECT_EQ(key.sideMask, 0x02u | 0x04u | 0x20u);
  EXPECT_EQ(KeyCode::FromCharacter('a', 0x10 | 0x80).sideMask, 0u);  // a side without its modifier
}

TEST(KeyCode, EqualityIgnoresCtrlAndShiftOnCharactersOnly) {
  auto code = [](uint32_t value) {
    KeyCode key;
    key.code = value;
    return key;
  };
  EXPECT_TRUE(code(0x00000061) == code(0x03000061));
  EXPECT_FALSE(code(0x00000061) == code(0x04000061));  // Alt counts
  EXPECT_FALSE(code(0x20730000) == code(0x22730000));  // virtual keys: Shift counts
  EXPECT_FALSE(code(0x80000061) == code(0x81000061));  // no-key codes are not characters
  EXPECT_TRUE(code(0x80000000) == code(0x80000000));   // identical
  KeyCode withSides = code(0x20730000);
  withSides.sideMask = 3;
  withSides.flag = 7;
  EXPECT_TRUE(withSides == code(0x20730000));
  EXPECT_TRUE(KeyCode().IsNoKey());
}

TEST(KeyCode, LooksUpNamesExactly) {
  EXPECT_EQ(KeyCode::LookupKeyName(StringW(u"VKEY_F4")), 115u);
  EXPECT_EQ(KeyCode::LookupKeyName(StringW(u"VKEY_PAGEUP")), 33u);
  EXPECT_EQ(KeyCode::LookupKeyName(StringW(u"VKEY_9")), 57u);
  EXPECT_EQ(KeyCode::LookupKeyName(StringW(u"VKEY_Z")), 90u);
  EXPECT_EQ(KeyCode::LookupKeyName(StringW(u"VKEY_LAUNCH_APP2")), 183u);
  EXPECT_EQ(KeyCode::LookupKeyName(StringW(u"vkey_f4")), 0u);
  EXPECT_EQ(KeyCode::LookupKeyName(StringW(u"VKEY_F4 ")), 0u);
}

TEST(HotKeyMap, BindsEachKeyToOneName) {
  HotKeyMap map;
  const KeyCode altF4 = KeyCode::Parse(StringW(u"Alt+VKEY_F4"));
  EXPECT_EQ(map.Bind(altF4, StringW(u"NID_APP_EXIT_REQ")), S_OK);
  EXPECT_EQ(map.Bind(altF4, StringW(u"NID_OTHER")), E_INVALIDARG);
  EXPECT_EQ(map.Bind(KeyCode::Parse(StringW(u"VKEY_F1")), StringW()), E_INVALIDARG);
  EXPECT_EQ(map.Bind(KeyCode::Parse(StringW(u"Ctrl+VKEY_Q")), StringW(u"NID_APP_EXIT_REQ")), S_OK);

  EXPECT_EQ(Narrow(map.FindName(altF4)), "NID_APP_EXIT_REQ");
  EXPECT_TRUE(map.FindName(KeyCode::Parse(StringW(u"VKEY_F4"))).IsEmpty());
  EXPECT_EQ(map.GetKeyCodes(StringW(u"NID_APP_EXIT_REQ")).GetCount(), 2u);
  EXPECT_EQ(map.GetKeyCodes(StringW(u"NID_OTHER")).GetCount(), 0u);
  EXPECT_TRUE(map.HasName(StringW(u"NID_APP_EXIT_REQ")));
  EXPECT_FALSE(map.HasName(StringW()));
}

TEST(HotKeyMap, CharacterBindingsMatchAcrossCtrlAndShift) {
  HotKeyMap map;
  ASSERT_EQ(map.Bind(KeyCode::Parse(StringW(u"s")), StringW(u"NID_SAVE")), S_OK);
  // The same character with Ctrl is the same key: it cannot be bound again, and it finds the first binding.
  EXPECT_EQ(map.Bind(KeyCode::FromCharacter('s', KeyCode::kFlagCtrl), StringW(u"NID_OTHER")), E_INVALIDARG);
  EXPECT_EQ(Narrow(map.FindName(KeyCode::FromCharacter('s', KeyCode::kFlagShift))), "NID_SAVE");
  EXPECT_TRUE(map.FindName(KeyCode::FromCharacter('s', KeyCode::kFlagAlt)).IsEmpty());
}

TEST(HotKeyMap, LoadsPrefixedEntriesOfAStringTable) {
  const RCPtr<LStringTable> table = LStringTable::Create({
      {StringW(u"GHK.Some.NID_APP_EXIT_REQ"), StringW(u"Alt+VKEY_F4")},
      {StringW(u"GHK.NID_HELP"), StringW(u"VKEY_F1")},
      {StringW(u"GHK.NID_EMPTY"), StringW()},  // no key: never bound
      {StringW(u"GHKX.NID_A"), StringW(u"VKEY_F2")},
      {StringW(u"LHK.NID_B"), StringW(u"VKEY_F3")},
      {StringW(u"GHK.NID_TAKEN"), StringW(u"VKEY_F1")},  // already bound: skipped
  });
  HotKeyMap map;
  EXPECT_EQ(LoadHotKeysFromStringTable(map, table, StringW(u"GHK")), S_OK);
  EXPECT_EQ(Narrow(map.FindName(KeyCode::Parse(StringW(u"Alt+VKEY_F4")))), "NID_APP_EXIT_REQ");
  EXPECT_EQ(Narrow(map.FindName(KeyCode::Parse(StringW(u"VKEY_F1")))), "NID_HELP");
  EXPECT_FALSE(map.HasName(StringW(u"NID_EMPTY")));
  EXPECT_FALSE(map.HasName(StringW(u"NID_A")));
  EXPECT_FALSE(map.HasName(StringW(u"NID_B")));
  EXPECT_FALSE(map.HasName(StringW(u"NID_TAKEN")));
  EXPECT_EQ(LoadHotKeysFromStringTable(map, nullptr, StringW(u"GHK")), E_INVALIDARG);
}

}  // namespace
}  // namespace HV
