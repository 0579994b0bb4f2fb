#include "HVFramework/ControlBase/Skin/KeyCode.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace HV {
namespace {

struct KeyNameRow {
  std::u16string_view name;
  uint32_t virtualKey;
};

// Single keys; the runs of digits, letters, numpad keys and function keys are
// added by KeyTables below.
constexpr KeyNameRow kKeyNames[] = {
    {u"VKEY_BACK", 8},
    {u"VKEY_TAB", 9},
    {u"VKEY_CLEAR", 12},
    {u"VKEY_RETURN", 13},
    {u"VKEY_SHIFT", 16},
    {u"VKEY_CONTROL", 17},
    {u"VKEY_MENU", 18},
    {u"VKEY_PAUSE", 19},
    {u"VKEY_CAPITAL", 20},
    {u"VKEY_KANA", 21},
    {u"VKEY_HANGEUL", 21},
    {u"VKEY_HANGUL", 21},
    {u"VKEY_JUNJA", 23},
    {u"VKEY_FINAL", 24},
    {u"VKEY_HANJA", 25},
    {u"VKEY_KANJI", 25},
    {u"VKEY_ESCAPE", 27},
    {u"VKEY_CONVERT", 28},
    {u"VKEY_NONCONVERT", 29},
    {u"VKEY_ACCEPT", 30},
    {u"VKEY_MODECHANGE", 31},
    {u"VKEY_SPACE", 32},
    {u"VKEY_PAGEUP", 33},
    {u"VKEY_PAGEDN", 34},
    {u"VKEY_END", 35},
    {u"VKEY_HOME", 36},
    {u"VKEY_LEFT", 37},
    {u"VKEY_UP", 38},
    {u"VKEY_RIGHT", 39},
    {u"VKEY_DOWN", 40},
    {u"VKEY_SELECT", 41},
    {u"VKEY_PRINT", 42},
    {u"VKEY_EXECUTE", 43},
    {u"VKEY_SNAPSHOT", 44},
    {u"VKEY_INSERT", 45},
    {u"VKEY_DELETE", 46},
    {u"VKEY_HELP", 47},
    {u"VKEY_LWIN", 91},
    {u"VKEY_RWIN", 92},
    {u"VKEY_APPS", 93},
    {u"VKEY_SLEEP", 95},
    {u"VKEY_MULTIPLY", 106},
    {u"VKEY_ADD", 107},
    {u"VKEY_SEPARATOR", 108},
    {u"VKEY_SUBTRACT", 109},
    {u"VKEY_DECIMAL", 110},
    {u"VKEY_DIVIDE", 111},
    {u"VKEY_NUMLOCK", 144},
    {u"VKEY_SCROLL", 145},
    {u"VKEY_OEM_NEC_EQUAL", 146},
    {u"VKEY_OEM_FJ_JISHO", 146},
    {u"VKEY_OEM_FJ_MASSHOU", 147},
    {u"VKEY_OEM_FJ_TOUROKU", 148},
    {u"VKEY_OEM_FJ_LOYA", 149},
    {u"VKEY_OEM_FJ_ROYA", 150},
    {u"VKEY_LSHIFT", 160},
    {u"VKEY_RSHIFT", 161},
    {u"VKEY_LCONTROL", 162},
    {u"VKEY_RCONTROL", 163},
    {u"VKEY_LMENU", 164},
    {u"VKEY_RMENU", 165},
    {u"VKEY_BROWSER_BACK", 166},
    {u"VKEY_BROWSER_FORWARD", 167},
    {u"VKEY_BROWSER_REFRESH", 168},
    {u"VKEY_BROWSER_STOP", 169},
    {u"VKEY_BROWSER_SEARCH", 170},
    {u"VKEY_BROWSER_FAVORITES", 171},
    {u"VKEY_BROWSER_HOME", 172},
    {u"VKEY_VOLUME_MUTE", 173},
    {u"VKEY_VOLUME_DOWN", 174},
    {u"VKEY_VOLUME_UP", 175},
    {u"VKEY_MEDIA_NEXT_TRACK", 176},
    {u"VKEY_MEDIA_PREV_TRACK", 177},
    {u"VKEY_MEDIA_STOP", 178},
    {u"VKEY_MEDIA_PLAY_PAUSE", 179},
    {u"VKEY_LAUNCH_MAIL", 180},
    {u"VKEY_LAUNCH_MEDIA_SELECT", 181},
    {u"VKEY_LAUNCH_APP1", 182},
    {u"VKEY_LAUNCH_APP2", 183},
};

struct DisplayRow {
  uint32_t virtualKey;
  std::u16string_view text;
};

// Display texts of the keys that are not digits, letters, numpad or function
// keys (those are made by KeyTables).
constexpr DisplayRow kDisplayTexts[] = {
    {12, u"Clear"},
    {13, u"Return"},
    {16, u"Shift"},
    {17, u"Control"},
    {18, u"Menu"},
    {19, u"Pause"},
    {20, u"Capital"},
    {21, u"Kana"},
    {23, u"Junja"},
    {24, u"Final"},
    {25, u"Hanja"},
    {27, u"Escape"},
    {28, u"Convert"},
    {29, u"Non-convert"},
    {30, u"Accept"},
    {31, u"Mode Change"},
    {32, u"Space"},
    {33, u"Page Up"},
    {34, u"Page Down"},
    {35, u"End"},
    {36, u"Home"},
    {37, u"Left Arrow"},
    {38, u"Up Arrow"},
    {39, u"Right Arrow"},
    {40, u"Down Arrow"},
    {41, u"Select"},
    {42, u"Print"},
    {43, u"Execute"},
    {44, u"Snapshot"},
    {45, u"Insert"},
    {46, u"Del"},
    {47, u"Help"},
    {91, u"Left Win"},
    {92, u"Right Win"},
    {93, u"Apps"},
    {95, u"Sleep"},
    {106, u"*"},
    {107, u"+"},
    {108, u"Separator"},
    {109, u"-"},
    {110, u"."},
    {111, u"/"},
    {144, u"Numlock"},
    {145, u"Scroll"},
    {146, u"NEC Equal"},
    {147, u"Masshou"},
    {148, u"Touroku"},
    {149, u"Loya"},
    {150, u"Roya"},
    {160, u"Left Shift"},
    {161, u"Right Shift"},
    {162, u"Left Control"},
    {163, u"Right Control"},
    {164, u"Left Menu"},
    {165, u"Right Menu"},
    {166, u"Browser Back"},
    {167, u"Browser Forward"},
    {168, u"Browser Refresh"},
    {169, u"Browser Stop"},
    {170, u"Browser Search"},
    {171, u"Browser Favorites"},
    {172, u"Browser Home"},
    {173, u"Volume Mute"},
    {174, u"Volume Down"},
    {175, u"Volume Up"},
    {176, u"Media Next Track"},
    {177, u"Media Prev Track"},
    {178, u"Media Stop"},
    {179, u"Media Play Pause"},
    {180, u"Launch Mail"},
    {181, u"Launch Media Select"},
    {182, u"Launch App 1"},
    {183, u"Launch App 2"},
};

// A run of keys named by a prefix and a counter: "VKEY_F" 1..24 from 112.
struct KeyRun {
  std::u16string_view namePrefix;
  std::u16string_view displayPrefix;
  uint32_t firstKey;
  uint32_t firstNumber;
  uint32_t count;
  bool isLetterRun;
};

constexpr KeyRun kKeyRuns[] = {
    {u"VKEY_", u"", 48, 0, 10, false},
    {u"VKEY_", u"", 65, 0, 26, true},
    {u"VKEY_NUMPAD", u"Numpad ", 96, 0, 10, false},
    {u"VKEY_F", u"F", 112, 1, 24, false},
};

std::u16string RunSuffix(const KeyRun& run, uint32_t i) {
  if (run.isLetterRun) return std::u16string(1, static_cast<char16_t>(u'A' + i));
  std::u16string digits;
  for (uint32_t n = run.firstNumber + i;; n /= 10) {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + n % 10));
    if (n < 10) break;
  }
  return digits;
}

// The name table (sorted by code units) and the display texts by key.
class KeyTables {
 public:
  static const KeyTables& Get() {
    static const KeyTables tables;
    return tables;
  }

  uint32_t Lookup(std::u16string_view name) const {
    auto at = std::lower_bound(mNames.begin(), mNames.end(), name,
                               [](const auto& row, std::u16string_view key) { return row.first < key; });
    return at != mNames.end() && at->first == name ? at->second : 0;
  }
  const std::u16string& FirstNameOf(uint32_t key) const { return mFirstName[key & 0xFF]; }
  const std::u16string& DisplayTextOf(uint32_t key) const { return mDisplay[key & 0xFF]; }

 private:
  KeyTables() {
    for (const KeyNameRow& row : kKeyNames) mNames.emplace_back(std::u16string(row.name), row.virtualKey);
    for (const DisplayRow& row : kDisplayTexts)
      if (mDisplay[row.virtualKey].empty()) mDisplay[row.virtualKey] = row.text;
    for (const KeyRun& run : kKeyRuns) {
      for (uint32_t i = 0; i < run.count; ++i) {
        const std::u16string suffix = RunSuffix(run, i);
        mNames.emplace_back(std::u16string(run.namePrefix) + suffix, run.firstKey + i);
        mDisplay[run.firstKey + i] = std::u16string(run.displayPrefix) + suffix;
      }
    }
    std::sort(mNames.begin(), mNames.end());
    for (auto it = mNames.rbegin(); it != mNames.rend(); ++it) mFirstName[it->second] = it->first;
  }

  std::vector<std::pair<std::u16string, uint32_t>> mNames;
  std::array<std::u16string, 256> mFirstName;
  std::array<std::u16string, 256> mDisplay;
};

struct ModifierRow {
  uint32_t flag;
  uint32_t codeBit;
  const char16_t* prefix;  // in the order texts write them
  const char16_t* word;    // what Parse looks for
};

// Text order: Ctrl, Alt, Shift, Cmd.
constexpr ModifierRow kModifiers[] = {
    {KeyCode::kFlagCtrl, KeyCode::kCtrl, u"Ctrl+", u"CTRL"},
    {KeyCode::kFlagAlt, KeyCode::kAlt, u"Alt+", u"ALT"},
    {KeyCode::kFlagShift, KeyCode::kShift, u"Shift+", u"SHIFT"},
    {KeyCode::kFlagCommand, KeyCode::kCommand, u"Cmd+", u"COMMAND"},
};

uint32_t ModifierBits(uint32_t flags) {
  uint32_t bits = 0;
  for (const ModifierRow& row : kModifiers)
    if (flags & row.flag) bits |= row.codeBit;
  if (flags & KeyCode::kFlagFifth) bits |= KeyCode::kFifthModifier;
  return bits;
}

StringW ModifierPrefixes(uint32_t code) {
  StringW text;
  for (const ModifierRow& row : kModifiers)
    if (code & row.codeBit) text += row.prefix;
  return text;
}

// Leading decimal digits as a C conversion reads them (no digits: 0).
uint32_t LeadingNumber(std::u16string_view text) {
  uint32_t value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') break;
    value = value * 10 + static_cast<uint32_t>(c - u'0');  // wraps; only the low 16 bits are kept
  }
  return value;
}

}  // namespace

uint32_t KeyCode::SideMaskFromFlags(uint32_t f) {
  struct SideRow {
    uint32_t modifier, side, bit;
  };
  static constexpr SideRow kSides[] = {
      {0x8, 0x10, 0x01},  {0x8, 0x20, 0x02},   {0x1, 0x2, 0x04},     {0x1, 0x4, 0x08},
      {0x40, 0x80, 0x10}, {0x40, 0x100, 0x20}, {0x200, 0x400, 0x40}, {0x200, 0x800, 0x80},
  };
  uint32_t mask = 0;
  for (const SideRow& row : kSides)
    if ((f & row.modifier) && (f & row.side)) mask |= row.bit;
  return mask;
}

KeyCode KeyCode::FromCharacter(uint32_t value, uint32_t modifierFlags) {
  KeyCode key;
  key.code = (value & kCharacterMask) | ModifierBits(modifierFlags);
  key.sideMask = SideMaskFromFlags(modifierFlags);
  key.flag = 0;
  return key;
}

uint32_t KeyCode::LookupKeyName(const StringW& name) { return KeyTables::Get().Lookup(name.GetView()); }

KeyCode KeyCode::Parse(const StringW& text) {
  KeyCode key;
  key.code = kVirtualKeyFlag;
  const StringW upper = text.ToUpper();

  uint32_t flags = 0;
  for (const ModifierRow& row : kModifiers)
    if (upper.Find(row.word) >= 0) flags |= row.flag;

  const int32_t name = upper.Find(u"VKEY_");
  if (name >= 0) {
    const uint32_t virtualKey = LookupKeyName(upper.Mid(name));
    key.code = kVirtualKeyFlag | (virtualKey << 16) | ModifierBits(flags);
    key.sideMask = SideMaskFromFlags(flags);
    return key;
  }

  const uint32_t altOnly = flags & kFlagAlt;
  const int32_t open = upper.Find(u'[');
  if (open < 0) {
    if (text.IsEmpty()) {
      key.code = kNoKey;  // an empty text names no key at all: it is never bound
      return key;
    }
    return FromCharacter(text[text.GetLength() - 1], altOnly);
  }
  const int32_t close = upper.Find(u']', open + 1);
  if (close < 0) return key;
  return FromCharacter(LeadingNumber(upper.GetView().substr(open + 1, close - open - 1)), altOnly);
}

StringW KeyCode::ToText(const KeyCode& key) {
  StringW text = ModifierPrefixes(key.code);
  if (key.IsNoKey()) return text;
  if (key.GetVirtualKey() != 0) {
    text += StringW(KeyTables::Get().FirstNameOf(key.GetVirtualKey()).c_str());
  } else {
    text += StringW::FromFormat(u"[%d]", static_cast<int32_t>(key.GetCharacter()));
  }
  return text;
}

StringW KeyCode::ToDisplayText(const KeyCode& key) {
  StringW text = ModifierPrefixes(key.code);
  if (key.IsNoKey()) return text;
  if (key.GetVirtualKey() != 0) {
    text += StringW(KeyTables::Get().DisplayTextOf(key.GetVirtualKey()).c_str());
    return text;
  }
  const uint32_t character = key.GetCharacter();
  if (character >= 1 && character <= 26) {
    text += u"Ctrl+";
    text += static_cast<char16_t>(character + 64);
  } else if (character >= 33 && character <= 126) {
    text += static_cast<char16_t>(character);
  }
  return text;
}

bool KeyCode::operator==(const KeyCode& other) const {
  if (code == other.code) return true;
  constexpr uint32_t kNotCharacter = kNoKey | kVirtualKeyMask;
  if ((code & kNotCharacter) || (other.code & kNotCharacter)) return false;
  return ((code ^ other.code) & ~(kCtrl | kShift)) == 0;
}

}  // namespace HV
