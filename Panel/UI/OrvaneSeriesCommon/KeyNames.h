#pragma once

#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>
#include <vector>

namespace HV {

// KeyNames: how a note selector names a key, taken once from its two
// labels' texts: the note name at key mod 12 ("C", "Db", ...) and the octave
// at key div 12 ("(1)" ...). A key with no text (negative, or past the
// texts) gets an empty one, never an index out of the lists.
class KeyNames {
 public:
  KeyNames() = default;
  // The texts of noteSelector's "noteNameLabel" and "octaveNameLabel" in
  // identifier order; empty lists for a missing label.
  static KeyNames FromNoteSelector(const LControl& noteSelector);

  StringW NoteName(int32_t key) const;
  StringW OctaveName(int32_t key) const;
  bool IsEmpty() const { return mNotes.empty() || mOctaves.empty(); }

 private:
  std::vector<StringW> mNotes;
  std::vector<StringW> mOctaves;
};

}  // namespace HV
