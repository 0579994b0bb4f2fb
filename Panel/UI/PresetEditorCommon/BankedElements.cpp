#include "Panel/UI/PresetEditorCommon/BankedElements.h"

#include "HVFramework/Controls/LLabel.h"
#include "HVFramework/ObjectBase/Exception.h"

#include <string>

namespace HV {
namespace {

std::string Narrow(const char16_t* text) {
  std::string out;
  for (; *text; ++text) out += static_cast<char>(*text);
  return out;
}

RCPtr<LLabel> FindLabel(const LControl& panel, const char16_t* name, const char* method) {
  const RCPtr<LLabel> label = DynamicCast<LLabel>(panel.FindChildControl(StringW(name)));
  if (!label) ThrowNullPointer("Couldn't find child " + Narrow(name), HV_HERE(method));
  return label;
}

}  // namespace

StringW NumberedName(const char16_t* stem, uint32_t number) {
  std::u16string text(stem);
  for (char c : std::to_string(number)) text += static_cast<char16_t>(c);
  return StringW(text.c_str());
}

void FindBanks(const LControl& group, const BankLayout& layout, RCPtr<LControl>* banks, const char* method) {
  for (uint32_t bank = 0; bank < layout.banks; ++bank) {
    banks[bank] = group.FindChildControl(NumberedName(layout.bankStem, bank + 1));
    if (!banks[bank])
      ThrowNullPointer("can not find child " + Narrow(layout.bankStem) + std::to_string(bank + 1), HV_HERE(method));
  }
}

void WriteBankTitles(const LControl& panel, const char16_t* titleName, const BankLayout& layout, uint32_t index,
                     const char* method) {
  if (index >= layout.banks * layout.perBank) return;
  const RCPtr<LLabel> title = FindLabel(panel, titleName, method);
  const RCPtr<LLabel> bank = FindLabel(panel, u"bankName", method);
  title->SetText(StringW::FromFormat(title->GetString(StringW(u"LABEL")).GetText(), index % layout.perBank + 1));
  bank->SetText(StringW::FromFormat(bank->GetString(StringW(u"LABEL")).GetText(), index / layout.perBank + 1));
}

void WriteTileNumber(const LControl& tile, const char16_t* labelName, const BankLayout& layout, int32_t index,
                     const char* missing, const char* method) {
  const RCPtr<LLabel> label = DynamicCast<LLabel>(tile.FindChildControl(StringW(labelName)));
  if (!label) ThrowNullPointer(missing, HV_HERE(method));
  const int32_t number = index % static_cast<int32_t>(layout.perBank) + 1;
  label->SetText(StringW::FromFormat(label->GetText().GetText(), number));
}

}  // namespace HV
