#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace HV {

// LStringTable: one table of texts by text ID (exact, case-sensitive IDs,
// kept in ID order). Also the form of a control descriptor's create
// parameters. Read-only once handed out by the factory; one thread at a time.
// Tables handed out share the factory's entries until one is changed, which
// then copies them first: most are only read.
class LStringTable : public virtual LRefCountedObject {
 public:
  using Entries = std::map<StringW, StringW>;
  using SharedEntries = std::shared_ptr<Entries>;
  using EntryList = std::vector<std::pair<StringW, StringW>>;

  // Indices of "ITEM.<n>" texts above this are ignored: a table from outside
  // must not make a list of millions of empty items.
  static constexpr int32_t kMaxIndexedTextIndex = 9999;

  static RCPtr<LStringTable> Create(Entries entries = {});
  // A table over entries shared with their owner, who changes them only
  // after copying them while they are shared.
  static RCPtr<LStringTable> Share(const SharedEntries& entries);

  bool GetString(const StringW& id, StringW& text) const;
  // E_INVALIDARG for an empty ID; 0 when inserted, 1 when replaced.
  HResult SetString(const StringW& id, const StringW& text);
  const Entries& GetEntries() const { return *mEntries; }
  uint32_t GetCount() const { return static_cast<uint32_t>(mEntries->size()); }

  // Texts of the entries whose ID begins with prefix followed by a decimal
  // index ("ITEM.00"), placed at their index; gaps are empty texts. A rest
  // that is no number reads as 0; negative indices and indices above
  // kMaxIndexedTextIndex are ignored.
  std::vector<StringW> GetIndexedTexts(const StringW& prefix) const;
  // Empties entries, then fills it with the (ID, text) pairs whose ID begins
  // with prefix (compared exactly), in ID order. 0.
  HResult GetStringsWithPrefix(const StringW& prefix, EntryList& entries) const;

 protected:
  explicit LStringTable(SharedEntries entries) : mEntries(std::move(entries)) {}

 private:
  SharedEntries mEntries;  // never null
};

}  // namespace HV
