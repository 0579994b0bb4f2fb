#pragma once

// What the banked kinds (encoders, faders) share: their tiles sit in four
// bank containers, the element at index i being number (i mod perBank) + 1
// of bank (i div perBank) + 1.

#include "HVFramework/ControlBase/Control/LControl.h"

#include <cstdint>

namespace HV {

struct BankLayout {
  uint32_t banks;
  uint32_t perBank;
  const char16_t* bankStem;  // "encoderBank" gives "encoderBank1" ...
  const char16_t* tileStem;  // "encoder" gives "encoder1" ...
};

// stem followed by number in decimal.
StringW NumberedName(const char16_t* stem, uint32_t number);

// The bank containers among the group's children, in order; a missing one
// throws the Null Pointer failure "can not find child <bank>" from method.
void FindBanks(const LControl& group, const BankLayout& layout, RCPtr<LControl>* banks, const char* method);

// An edit panel's two titles for the element at index: titleName's and
// "bankName"'s "LABEL" strings formatted with the number in the bank and the
// bank's number. Nothing for an index past the kind's elements; a missing
// label throws "Couldn't find child <name>" from method.
void WriteBankTitles(const LControl& panel, const char16_t* titleName, const BankLayout& layout, uint32_t index,
                     const char* method);

// A tile's number label: its own text used as the format for the number in the bank.
void WriteTileNumber(const LControl& tile, const char16_t* labelName, const BankLayout& layout, int32_t index,
                     const char* missing, const char* method);

}  // namespace HV
