#pragma once

#include "HVFramework/Utilities/Storage/StringArrayT.h"

#include <cstdint>

namespace HV {

// LMidiPortNames: how MIDI device names become the port names the editor
// shows and stores, and how a port name finds its device again. Devices of
// one name are told apart by a number ("Name (1)", "Name (2)") in device
// order. Names are matched without regard to letter case. Pure functions.
class LMidiPortNames {
 public:
  // A port name taken apart: "Name (2)" is ("Name", 2); a name without a
  // numbered suffix is (whole name, 0).
  struct SplitName {
    StringW base;
    int32_t number = 0;
  };

  // What a requested name finds among the listed port names.
  enum class ListMatch { None, One, Ambiguous };

  // Every name once, grouped in the order of first occurrence; a name that
  // occurs k >= 2 times becomes "Name (1)" .. "Name (k)" instead.
  static StringArrayW MakeUniquePortNames(const StringArrayW& deviceNames);

  // A suffix of a blank and one or two digits in parentheses is the number.
  static SplitName SplitPortName(const StringW& portName);

  // A listed name equal to the request is the one match; otherwise the
  // listed names that contain it are the candidates.
  static ListMatch MatchListedName(const StringArrayW& portNames, const StringW& requested);

  // The device (index into deviceNames) that a port name opens, or -1.
  // With a number n, the n-th device named exactly like the base; without
  // one, the first device named exactly like the base, else the first whose
  // name contains it. A device whose own name has a numbered suffix is still
  // found by its whole name.
  static int32_t SelectDevice(const StringArrayW& deviceNames, const StringW& portName);

 private:
  static bool Contains(const StringW& name, const StringW& part);
  static int32_t FindEqual(const StringArrayW& names, const StringW& name, int32_t occurrence);
};

}  // namespace HV
