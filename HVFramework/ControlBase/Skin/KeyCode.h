#pragma once

#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>

namespace HV {

// KeyCode: one key press with its modifiers, as key events carry it and as
// hot-key texts ("Alt+VKEY_F4", "Ctrl+S", "Alt+[97]") describe it. A plain
// value; the key tables behind it are built once and never change.
//
// code: bits 0-15 a character, bits 16-23 a virtual key, bits 24-28 the
// modifiers Ctrl, Shift, Alt, Command and a fifth one, bit 29 the
// virtual-key flag, bit 31 "no key" (never bound).
struct KeyCode {
  static constexpr uint32_t kCharacterMask = 0x0000FFFF;
  static constexpr uint32_t kVirtualKeyMask = 0x00FF0000;
  static constexpr uint32_t kCtrl = 0x01000000;
  static constexpr uint32_t kShift = 0x02000000;
  static constexpr uint32_t kAlt = 0x04000000;
  static constexpr uint32_t kCommand = 0x08000000;
  static constexpr uint32_t kFifthModifier = 0x10000000;
  static constexpr uint32_t kVirtualKeyFlag = 0x20000000;
  static constexpr uint32_t kNoKey = 0x80000000;

  // Modifier flags: the input word from which modifier bits and the side
  // mask are made.
  static constexpr uint32_t kFlagCtrl = 0x1;
  static constexpr uint32_t kFlagShift = 0x8;
  static constexpr uint32_t kFlagAlt = 0x40;
  static constexpr uint32_t kFlagCommand = 0x200;
  static constexpr uint32_t kFlagFifth = 0x1000;

  uint32_t code = kNoKey;
  uint32_t sideMask = 0;
  uint8_t flag = 0;

  bool IsNoKey() const { return (code & kNoKey) != 0; }
  uint32_t GetVirtualKey() const { return (code & kVirtualKeyMask) >> 16; }
  uint32_t GetCharacter() const { return code & kCharacterMask; }

  static KeyCode FromCharacter(uint32_t value, uint32_t modifierFlags);
  static uint32_t SideMaskFromFlags(uint32_t modifierFlags);

  // Never fails: a text that names nothing gives code 0x20000000.
  static KeyCode Parse(const StringW& text);
  // The storable form ("Alt+VKEY_F4", "Ctrl+[115]").
  static StringW ToText(const KeyCode& key);
  // The form shown in menus ("Alt+F4", "Ctrl+Page Down").
  static StringW ToDisplayText(const KeyCode& key);
  // The virtual key of a "VKEY_" name (exact match), 0 when unknown.
  static uint32_t LookupKeyName(const StringW& name);

  // Identical codes are equal; two characters (no virtual key, no "no key"
  // bit) are also equal when they differ only in Ctrl and Shift. Side mask
  // and flag take no part. Not an ordering.
  bool operator==(const KeyCode& other) const;
};

}  // namespace HV
