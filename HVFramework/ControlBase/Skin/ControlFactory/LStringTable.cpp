#include "HVFramework/ControlBase/Skin/ControlFactory/LStringTable.h"

#include "HVFramework/ControlBase/Skin/ControlFactory/SkinValueText.h"

namespace HV {

RCPtr<LStringTable> LStringTable::Create(Entries entries) {
  return Share(std::make_shared<Entries>(std::move(entries)));
}

RCPtr<LStringTable> LStringTable::Share(const SharedEntries& entries) {
  return RCPtr<LStringTable>(new LStringTable(entries));
}

bool LStringTable::GetString(const StringW& id, StringW& text) const {
  auto at = mEntries->find(id);
  if (at == mEntries->end()) return false;
  text = at->second;
  return true;
}

HResult LStringTable::SetString(const StringW& id, const StringW& text) {
  if (id.IsEmpty()) return E_INVALIDARG;
  if (mEntries.use_count() > 1) mEntries = std::make_shared<Entries>(*mEntries);
  auto [at, inserted] = mEntries->insert_or_assign(id, text);
  return inserted ? S_OK : S_FALSE;
}

std::vector<StringW> LStringTable::GetIndexedTexts(const StringW& prefix) const {
  std::vector<StringW> texts;
  for (auto at = mEntries->lower_bound(prefix); at != mEntries->end(); ++at) {
    const std::u16string_view id = at->first.GetView();
    if (!id.starts_with(prefix.GetView())) break;
    const int64_t index = SkinValueText::ParseDecimal64(id.substr(prefix.GetLength()));
    if (index < 0 || index > kMaxIndexedTextIndex) continue;
    if (texts.size() <= static_cast<size_t>(index)) texts.resize(static_cast<size_t>(index) + 1);
    texts[static_cast<size_t>(index)] = at->second;
  }
  return texts;
}

HResult LStringTable::GetStringsWithPrefix(const StringW& prefix, EntryList& entries) const {
  entries.clear();
  // The map keeps its IDs in order, so the matches are one run from the prefix on.
  for (auto at = mEntries->lower_bound(prefix); at != mEntries->end(); ++at) {
    if (!at->first.GetView().starts_with(prefix.GetView())) break;
    entries.emplace_back(at->first, at->second);
  }
  return S_OK;
}

}  // namespace HV
