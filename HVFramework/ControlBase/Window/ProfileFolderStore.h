#pragma once

#include "HVFramework/ControlBase/Window/IProfileStore.h"

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace HV {

// ProfileFolderStore: the application's profile as a folder of small files,
// one per value, named "<section>.<name>" (characters other than letters,
// digits, '.', '-' and '_' become '_'). A value is written to a new file that
// then replaces the old one, so a crash leaves the old value or the new one.
// Values larger than kMaxValueSize are neither read nor written. The folder
// and the folders above it are made when the first value is written.
// UI thread only.
class ProfileFolderStore : public IProfileStore {
 public:
  static constexpr size_t kMaxValueSize = 64 * 1024;

  // folder: an absolute UTF-8 path; empty keeps nothing.
  explicit ProfileFolderStore(std::string folder) : mFolder(std::move(folder)) {}

  bool GetBinary(const StringW& section, const StringW& name, std::vector<uint8_t>& value) const override;
  void SetBinary(const StringW& section, const StringW& name, const std::vector<uint8_t>& value) override;

  // Where a value is kept.
  std::string GetPath(const StringW& section, const StringW& name) const;

 private:
  bool MakeFolders() const;

  std::string mFolder;
};

}  // namespace HV
