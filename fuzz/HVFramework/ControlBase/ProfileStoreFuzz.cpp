// The profile is a folder of files under the user's settings folder that any
// program of the user can write. The first byte gives the length of the
// section name (UTF-16, any code units) that follows, and whether the value
// file is stretched round the size cap; the rest is the value file's content.
// The store's path stays inside its folder; the value reads back exactly
// while within the cap and not at all past it; what the window layer makes
// of it is a placement or nothing; and a value written is read back unchanged.
#include "HVFramework/ControlBase/Window/ProfileFolderStore.h"
#include "HVFramework/ControlBase/Window/WindowPlacement.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

std::string gBase;

// Each run removes its value file; the folders go when the process ends.
void RemoveFolders() {
  for (const std::string& level : {gBase + "/Company/Product", gBase + "/Company", gBase}) ::rmdir(level.c_str());
}

// A folder of this process's own, two levels below the temporary folder so
// that the store makes the levels it needs on its first write.
const std::string& ProfileFolder() {
  static const std::string folder = [] {
    const char* tmp = std::getenv("TMPDIR");
    gBase = std::string(tmp != nullptr && tmp[0] == '/' ? tmp : "/tmp") + "/hv-profile-fuzz-XXXXXX";
    if (::mkdtemp(gBase.data()) == nullptr) std::abort();
    std::atexit(RemoveFolders);
    return gBase + "/Company/Product";
  }();
  return folder;
}

bool WriteRaw(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool isWritten = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && isWritten;
}

// content repeated (or a zero byte, for none) to a size round the cap: one
// under, at, or one over.
std::vector<uint8_t> StretchRoundTheCap(const std::vector<uint8_t>& content) {
  const size_t size = HV::ProfileFolderStore::kMaxValueSize - 1 + content.size() % 3;
  std::vector<uint8_t> stretched(size);
  for (size_t i = 0; i < size; ++i) stretched[i] = content.empty() ? 0 : content[i % content.size()];
  return stretched;
}

void CheckPathStaysInFolder(const std::string& path) {
  const std::string& folder = ProfileFolder();
  if (path.compare(0, folder.size() + 1, folder + "/") != 0) std::abort();
  const std::string file = path.substr(folder.size() + 1);
  if (file.empty() || file == "." || file == ".." || file.find('/') != std::string::npos ||
      file.find('\0') != std::string::npos)
    std::abort();
}

void CheckPlacement(const std::vector<uint8_t>& record) {
  const std::optional<HV::RectT<int32_t>> rect = HV::DecodePlacement(record);
  if (!rect) return;
  const HV::RectT<int32_t> workArea{0, 0, 1280, 1000};
  const HV::RectT<int32_t> fitted = HV::FitPlacementToWorkArea(*rect, workArea);
  if (fitted.width <= 0 || fitted.height <= 0 || fitted.width > workArea.width || fitted.height > workArea.height)
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const size_t sectionUnits = std::min<size_t>(data[0] & 0x1F, (size - 1) / 2);
  const bool isStretched = (data[0] & 0x80) != 0;
  std::u16string sectionText;
  for (size_t i = 0; i < sectionUnits; ++i)
    sectionText += static_cast<char16_t>(data[1 + 2 * i] | (data[2 + 2 * i] << 8));
  const std::vector<uint8_t> content(data + 1 + 2 * sectionUnits, data + size);
  const std::vector<uint8_t> file = isStretched ? StretchRoundTheCap(content) : content;

  HV::ProfileFolderStore store(ProfileFolder());
  const HV::StringW section(sectionText.c_str(), static_cast<int32_t>(sectionText.size()));
  const HV::StringW name(HV::kPlacementValueName);
  const std::string path = store.GetPath(section, name);
  CheckPathStaysInFolder(path);

  // Written by another program: read exactly, or refused when over the cap.
  store.SetBinary(section, name, {});  // makes the folders
  if (!WriteRaw(path, file)) std::abort();
  std::vector<uint8_t> read{1, 2, 3};
  const bool isRead = store.GetBinary(section, name, read);
  if (isRead != (file.size() <= HV::ProfileFolderStore::kMaxValueSize)) std::abort();
  if (read != (isRead ? file : std::vector<uint8_t>())) std::abort();
  if (isRead) CheckPlacement(read);

  // Written by the store: read back unchanged.
  store.SetBinary(section, name, content);
  if (!store.GetBinary(section, name, read) || read != content) std::abort();
  std::remove(path.c_str());
  return 0;
}
