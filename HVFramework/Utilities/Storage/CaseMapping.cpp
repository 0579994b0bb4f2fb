#include "HVFramework/Utilities/Storage/CaseMapping.h"

#include <cstdint>

namespace HV {
namespace {

// One block of letters whose upper and lower forms lie at a fixed distance
// (delta = lower - upper), or alternate (upper at even or odd units, the
// lower form right after it) when delta is 1.
struct CaseRange {
  char16_t firstUpper;
  char16_t lastUpper;
  int16_t delta;
};

constexpr CaseRange kRanges[] = {
    {0x0041, 0x005A, 32},   // A-Z
    {0x00C0, 0x00D6, 32},   // Latin-1 letters before the multiplication sign
    {0x00D8, 0x00DE, 32},   // ... and after it
    {0x0100, 0x012E, 1},    // Latin Extended-A pairs
    {0x0132, 0x0136, 1},
    {0x0139, 0x0147, 1},
    {0x014A, 0x0176, 1},
    {0x0179, 0x017D, 1},
    {0x0391, 0x03A1, 32},   // Greek capitals (no final-sigma capital)
    {0x03A3, 0x03AB, 32},
    {0x0400, 0x040F, 80},   // Cyrillic capitals with marks
    {0x0410, 0x042F, 32},   // basic Cyrillic
};

// The pairs that follow no block rule.
struct CasePair {
  char16_t upper;
  char16_t lower;
};
constexpr CasePair kPairs[] = {{0x0178, 0x00FF}, {0x0386, 0x03AC}, {0x0388, 0x03AD}, {0x0389, 0x03AE},
                               {0x038A, 0x03AF}, {0x038C, 0x03CC}, {0x038E, 0x03CD}, {0x038F, 0x03CE}};

bool InRange(const CaseRange& range, char16_t upper) {
  if (upper < range.firstUpper || upper > range.lastUpper) return false;
  return range.delta != 1 || ((upper - range.firstUpper) & 1) == 0;
}

}  // namespace

char16_t ToLowerUnit(char16_t unit) {
  if (unit < 0x80) return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + 32) : unit;
  for (const CaseRange& range : kRanges)
    if (InRange(range, unit)) return static_cast<char16_t>(unit + range.delta);
  for (const CasePair& pair : kPairs)
    if (pair.upper == unit) return pair.lower;
  return unit;
}

char16_t ToUpperUnit(char16_t unit) {
  if (unit < 0x80) return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - 32) : unit;
  for (const CaseRange& range : kRanges) {
    const auto upper = static_cast<char16_t>(unit - range.delta);
    if (unit >= range.delta && InRange(range, upper)) return upper;
  }
  for (const CasePair& pair : kPairs)
    if (pair.lower == unit) return pair.upper;
  return unit;
}

char ToUpperUnit(char unit) { return unit >= 'a' && unit <= 'z' ? static_cast<char>(unit - 32) : unit; }
char ToLowerUnit(char unit) { return unit >= 'A' && unit <= 'Z' ? static_cast<char>(unit + 32) : unit; }

}  // namespace HV
