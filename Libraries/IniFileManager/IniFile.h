#pragma once

// IniFile: one open settings file. Every change is written through to disk at
// once, atomically (a temporary file beside the file, then rename), and is
// kept in memory only when that write succeeded: the program never asks for
// an explicit write, and a failed write must leave file and memory as they were.
//
// Several handles, in this process or others, may share one file: a change
// locks the file (flock), reads it again, applies itself to what is there and
// writes the result, so no handle undoes another's changes. A symbolic link is
// written through to its target, and the file keeps its permissions.

#include "Libraries/IniFileManager/IniDocument.h"

#include <functional>
#include <memory>
#include <string>

namespace IniFileManagerImpl {

class IniFile {
 public:
  // Null when the path names no readable settings file and no file can be
  // created there (its folder is missing), names something other than a
  // regular file, or the file is unreasonably large.
  static std::unique_ptr<IniFile> Open(const std::string& path, const std::string& version,
                                       const std::string& product);

  // The file as this handle last read or wrote it.
  const IniDocument& GetDocument() const { return mDocument; }

  // Applies `change` to the file as it is on disk now and writes the result;
  // false (nothing changed) when `change` refuses, the file cannot be read or
  // written, or the result would be larger than a settings file may be.
  bool Change(const std::function<bool(IniDocument&)>& change);
  // Writes the file as it is on disk now, in this library's form.
  bool Write();

 private:
  IniFile(std::string path, std::string header, IniDocument document);

  std::string mPath;
  std::string mHeader;
  IniDocument mDocument;
};

}  // namespace IniFileManagerImpl
