#include "HVFramework/Renderer/FontCatalogue/LFontCatalogue.h"

#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/Platform/Core/PosixFile.h"
#include "HVFramework/Renderer/FontCatalogue/FontFileTables.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace HV {

namespace {

// A font file read piece by piece: only the tables asked for are read.
// Only a regular file is opened, so a FIFO named like a font cannot hold us.
class FileFontBytes : public FontByteSource {
 public:
  explicit FileFontBytes(const std::string& path)
      : mFile(Platform::OpenFile(path, Platform::FileAccess::ReadOnly, Platform::FileCreation::OpenExisting)) {
    const int64_t size = mFile >= 0 ? Platform::GetFileSize(mFile) : -1;
    mSize = size > 0 ? static_cast<uint64_t>(size) : 0;
  }
  ~FileFontBytes() override {
    if (mFile >= 0) Platform::CloseFile(mFile);
  }
  FileFontBytes(const FileFontBytes&) = delete;
  FileFontBytes& operator=(const FileFontBytes&) = delete;

  bool IsOpen() const { return mFile >= 0; }
  uint64_t GetSize() const override { return mSize; }
  bool Read(uint64_t offset, uint32_t length, uint8_t* out) const override {
    if (offset > mSize || length > mSize - offset) return false;
    const auto at = static_cast<int64_t>(offset);
    return Platform::SeekFile(mFile, at, Platform::SeekOrigin::Start) == at &&
           Platform::ReadFile(mFile, out, length) == static_cast<int64_t>(length);
  }

 private:
  int mFile;
  uint64_t mSize = 0;
};

bool HasFontExtension(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
  return extension == ".ttf" || extension == ".ttc";
}

// The style slot of a subfamily name, and whether the name was recognised.
int32_t StyleOf(const StringW& subfamily, bool& isGuess) {
  const StringW name = subfamily.ToLower();
  isGuess = false;
  if (name == u"bold") return 1;
  if (name == u"italic" || name == u"oblique") return 2;
  if (name == u"bold italic" || name == u"bold oblique") return 3;
  if (name == u"regular" || name == u"normal" || name == u"book" || name == u"roman" || name.IsEmpty())
    return 0;
  isGuess = true;  // "Light", "Condensed"...: a regular face only when there is no other
  return 0;
}

}  // namespace

std::vector<std::string> LFontCatalogue::ListFontFiles(const std::vector<std::string>& folders) {
  namespace fs = std::filesystem;
  std::vector<std::string> files;
  for (const std::string& folder : folders) {
    std::error_code error;
    fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, error), end;
    for (; !error && it != end; it.increment(error)) {
      std::error_code typeError;
      if (it->is_regular_file(typeError) && HasFontExtension(it->path()))
        files.push_back(it->path().string());
    }
  }
  std::sort(files.begin(), files.end());
  files.erase(std::unique(files.begin(), files.end()), files.end());
  return files;
}

void LFontCatalogue::Clear() {
  mFamilies.clear();
  mFamilyOfFont.clear();
  mSystemFont = StringW();
}

HResult LFontCatalogue::Build(const std::vector<std::string>& folders, const StringW& preferredSystemFont) {
  Clear();
  for (const std::string& path : ListFontFiles(folders)) AddFontFile(path);
  if (mFamilies.empty()) return E_FAIL;
  if (FindFamily(preferredSystemFont)) {
    mSystemFont = preferredSystemFont;
  } else {
    mSystemFont = (*std::min_element(mFamilies.begin(), mFamilies.end(), [](const auto& a, const auto& b) {
                    return a->GetFamily().GetView() < b->GetFamily().GetView();
                  }))->GetFamily();
  }
  return S_OK;
}

void LFontCatalogue::AddFontFile(const std::string& path) {
  FileFontBytes bytes(path);
  if (!bytes.IsOpen()) return;
  const StringW widePath(path.c_str());
  for (const FontFaceNames& face : ReadFontFaceNames(bytes)) {
    LFontFileInfo* family = FindFamily(face.family);
    if (!family) {
      mFamilies.push_back(
          RCPtr<LFontFileInfo>(new LFontFileInfo(face.family, static_cast<int32_t>(mFamilies.size()))));
      family = mFamilies.back().Get();
    }
    bool isGuess = false;
    const int32_t style = StyleOf(face.subfamily, isGuess);
    family->SetFile(style, {widePath, face.faceIndex}, isGuess);
  }
}

LFontFileInfo* LFontCatalogue::FindFamily(const StringW& family) const {
  for (auto it = mFamilies.rbegin(); it != mFamilies.rend(); ++it)
    if ((*it)->GetFamily() == family) return it->Get();
  return nullptr;
}

std::optional<int32_t> LFontCatalogue::FindFileID(const FontKey& font) {
  LFontFileInfo* family = nullptr;
  if (const auto known = mFamilyOfFont.find(font.uniqueId); known != mFamilyOfFont.end()) {
    family = mFamilies[known->second].Get();
  } else {
    family = FindFamily(font.family);
    if (!family) family = FindFamily(mSystemFont);
    if (!family) return std::nullopt;
    mFamilyOfFont[font.uniqueId] = family->GetIndex();
  }
  family->ChooseFile(font.style);
  return family->GetIndex() * 4 + (font.style & 3);
}

int32_t LFontCatalogue::GetFileID(const FontKey& font) {
  const std::optional<int32_t> faceId = FindFileID(font);
  if (!faceId) Throw<std::runtime_error>("Font family not found", HV_HERE("HV::LFontFileInfo::GetFileID"));
  return *faceId;
}

FontFileRef LFontCatalogue::GetFilePath(int32_t faceId) const {
  if (faceId < 0 || faceId / 4 >= static_cast<int32_t>(mFamilies.size())) return {};
  return mFamilies[faceId / 4]->GetFile(faceId & 3);
}

}  // namespace HV
