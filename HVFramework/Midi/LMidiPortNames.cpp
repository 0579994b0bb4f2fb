#include "HVFramework/Midi/LMidiPortNames.h"

namespace HV {

namespace {

bool IsDigit(WChar c) { return c >= u'0' && c <= u'9'; }

// The digits of a " (d)" or " (dd)" suffix of digitCount digits, or -1.
int32_t ReadSuffix(const StringW& name, int32_t digitCount) {
  const int32_t length = name.GetLength();
  const int32_t start = length - digitCount - 3;
  if (start < 0 || name[start] != u' ' || name[start + 1] != u'(' || name[length - 1] != u')') return -1;
  int32_t number = 0;
  for (int32_t i = start + 2; i < length - 1; ++i) {
    if (!IsDigit(name[i])) return -1;
    number = number * 10 + (name[i] - u'0');
  }
  return number;
}

}  // namespace

StringArrayW LMidiPortNames::MakeUniquePortNames(const StringArrayW& deviceNames) {
  StringArrayW remaining = deviceNames;
  StringArrayW portNames;
  while (remaining.GetCount() != 0) {
    const StringW name = *remaining.GetItemPtr(0);
    int32_t copies = 0;
    for (uint32_t i = remaining.GetCount(); i-- > 0;) {
      if (*remaining.GetItemPtr(i) == name) {
        remaining.RemoveSpace(i, 1);
        ++copies;
      }
    }
    if (copies == 1) {
      portNames.AddItem(name);
      continue;
    }
    for (int32_t k = 1; k <= copies; ++k) portNames.AddItem(name + StringW::FromFormat(u" (%d)", k));
  }
  return portNames;
}

LMidiPortNames::SplitName LMidiPortNames::SplitPortName(const StringW& portName) {
  for (const int32_t digitCount : {1, 2}) {
    const int32_t number = ReadSuffix(portName, digitCount);
    if (number >= 0) return {portName.Left(portName.GetLength() - digitCount - 3), number};
  }
  return {portName, 0};
}

LMidiPortNames::ListMatch LMidiPortNames::MatchListedName(const StringArrayW& portNames, const StringW& requested) {
  if (portNames.Find(requested, false) >= 0) return ListMatch::One;
  int32_t candidates = 0;
  for (uint32_t i = 0; i < portNames.GetCount(); ++i)
    if (Contains(*portNames.GetItemPtr(i), requested)) ++candidates;
  if (candidates == 0) return ListMatch::None;
  return candidates == 1 ? ListMatch::One : ListMatch::Ambiguous;
}

int32_t LMidiPortNames::SelectDevice(const StringArrayW& deviceNames, const StringW& portName) {
  const SplitName split = SplitPortName(portName);
  if (split.number >= 1) {
    const int32_t device = FindEqual(deviceNames, split.base, split.number);
    return device >= 0 ? device : FindEqual(deviceNames, portName, 1);
  }
  const int32_t device = FindEqual(deviceNames, split.base, 1);
  if (device >= 0) return device;
  for (uint32_t i = 0; i < deviceNames.GetCount(); ++i)
    if (Contains(*deviceNames.GetItemPtr(i), split.base)) return static_cast<int32_t>(i);
  return -1;
}

bool LMidiPortNames::Contains(const StringW& name, const StringW& part) {
  return name.ToLower().Find(part.ToLower()) >= 0;
}

int32_t LMidiPortNames::FindEqual(const StringArrayW& names, const StringW& name, int32_t occurrence) {
  for (uint32_t i = 0; i < names.GetCount(); ++i)
    if (names.GetItemPtr(i)->CompareNoCase(name) == 0 && --occurrence == 0) return static_cast<int32_t>(i);
  return -1;
}

}  // namespace HV
