#pragma once

// DynamicLibrary: a shared library loaded at run time, unloaded on destruction
// or by Unload. Names in the Windows form "Name.dll" mean "libName.so"; a bare
// name is taken from the program's own folder when it is there, else found by
// the system's search. Not thread-safe; one owner.

#include <memory>
#include <string>
#include <string_view>

namespace HV::Platform {

class DynamicLibrary {
 public:
  // Null when the library cannot be loaded. `path` is UTF-8.
  static std::unique_ptr<DynamicLibrary> Load(const std::string& path);

  // "Name.dll" -> "libName.so", also at the end of a path; other names unchanged.
  static std::string ToSharedObjectName(std::string_view path);

  ~DynamicLibrary();
  DynamicLibrary(const DynamicLibrary&) = delete;
  DynamicLibrary& operator=(const DynamicLibrary&) = delete;

  // The address of an exported symbol, or null when it is not exported.
  void* FindSymbol(const char* name) const;

  template <class Function>
  Function FindFunction(const char* name) const {
    return reinterpret_cast<Function>(FindSymbol(name));
  }

  // Points function at the exported entry point name; null when it is missing.
  template <class Function>
  void Bind(Function& function, const char* name) const {
    function = FindFunction<Function>(name);
  }

  // False when the system refused to unload; the library is forgotten either way.
  bool Unload();

 private:
  explicit DynamicLibrary(void* handle) : mHandle(handle) {}

  void* mHandle = nullptr;
};

}  // namespace HV::Platform
