#pragma once

// IniFile: one open settings file. Every change is written through to disk at
// once, atomically (a temporary file in the same folder, then rename), and is
// kept in memory only when that write succeeded: the program never asks for
// an explicit write, and a failed write must leave file and memory as they were.

#include "Libraries/IniFileManager/IniDocument.h"

#include <functional>
#include <memory>
#include <string>

namespace IniFileManagerImpl {

class IniFile {
 public:
  // Null when the path names no readable settings file and no file can be
  // created there (its folder is missing), or the file is unreasonably large.
  static std::unique_ptr<IniFile> Open(const std::string& path, const std::string& version,
                                       const std::string& product);

  const IniDocument& GetDocument() const { return mDocument; }

  // Applies `change` to a copy, writes the copy, and keeps it when written.
  bool Change(const std::function<bool(IniDocument&)>& change);
  bool Write() const;

 private:
  IniFile(std::string path, std::string header, IniDocument document);

  std::string mPath;
  std::string mHeader;
  IniDocument mDocument;
};

}  // namespace IniFileManagerImpl
