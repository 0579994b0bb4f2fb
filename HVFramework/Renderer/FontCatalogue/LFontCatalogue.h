#pragma once

#include "HVFramework/Renderer/FontCatalogue/FontKey.h"
#include "HVFramework/Renderer/FontCatalogue/LFontFileInfo.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace HV {

// LFontCatalogue: the TrueType fonts of a set of folders, by family. Built
// once; then a font's family and style give a face id (family index * 4 +
// style) and a face id gives the face's file. User-interface thread only.
class LFontCatalogue {
 public:
  // Every ".ttf" and ".ttc" file (any case) under the folders, searched
  // recursively, sorted by path. Unreadable folders are skipped.
  static std::vector<std::string> ListFontFiles(const std::vector<std::string>& folders);

  // Empties the catalogue and reads the fonts of the folders. The system
  // font becomes preferredSystemFont when the catalogue has that family,
  // else the first family in name order. E_FAIL when no family was found.
  HResult Build(const std::vector<std::string>& folders, const StringW& preferredSystemFont);
  // Adds the faces of one file (the catalogue's building step).
  void AddFontFile(const std::string& path);

  // The face id for the font: its family (exact name), else the system font;
  // nothing when neither is in the catalogue (no font file was usable).
  std::optional<int32_t> FindFileID(const FontKey& font);
  // As FindFileID, with a Runtime Error when there is no face.
  int32_t GetFileID(const FontKey& font);
  // The face of a face id; empty for ids outside the catalogue.
  FontFileRef GetFilePath(int32_t faceId) const;

  const std::vector<RCPtr<LFontFileInfo>>& GetFamilies() const { return mFamilies; }
  // The family of this name (exact), or null.
  LFontFileInfo* FindFamily(const StringW& family) const;
  const StringW& GetSystemFontName() const { return mSystemFont; }
  void Clear();

 private:
  std::vector<RCPtr<LFontFileInfo>> mFamilies;
  std::map<int32_t, int32_t> mFamilyOfFont;  // font unique id -> family index
  StringW mSystemFont;
};

}  // namespace HV
