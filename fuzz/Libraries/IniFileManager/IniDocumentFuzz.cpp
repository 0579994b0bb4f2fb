// Settings files are read from disk, where anything may be: whatever the
// bytes, reading must not fail, what is written back must read back the same,
// and a change written into a hand-edited file must keep it readable.

#include "Libraries/IniFileManager/IniDocument.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using IniFileManagerImpl::IniDocument;
  std::string_view text(reinterpret_cast<const char*>(data), size);
  IniDocument document = IniDocument::Parse(text);
  std::string written = document.Serialize("fuzz");
  IniDocument reread = IniDocument::Parse(written);
  if (reread.Serialize("fuzz") != written) std::abort();
  if (reread.GetChildNames("") != document.GetChildNames("")) std::abort();

  // The first line, taken as a key, gets a value and an array item of its own.
  std::string key = IniDocument::NormaliseKey(text.substr(0, text.find('\n')));
  document.SetValue(key, " value ");
  document.GetArray(key).push_back("item");
  IniDocument changed = IniDocument::Parse(document.Serialize("fuzz"));
  const std::string* value = changed.FindValue(key);
  const std::vector<std::string>* items = changed.FindArray(key);
  if (value == nullptr || *value != " value " || items == nullptr || items->back() != "item") std::abort();
  return 0;
}
