#include "HVFramework/Platform/Core/DynamicLibrary.h"

#include "HVFramework/Platform/Core/Folders.h"

#include <dlfcn.h>
#include <unistd.h>

namespace HV::Platform {
namespace {

// A bare name is looked for beside the program first. The executable's RUNPATH
// ($ORIGIN) says the same, but the loader applies it only when it sees the
// program as the caller of dlopen, which is not so when a sanitizer or another
// library wraps dlopen.
std::string BesideTheProgram(const std::string& name) {
  if (name.find('/') != std::string::npos) return name;
  std::string beside = GetProgramFolder() + "/" + name;
  return access(beside.c_str(), F_OK) == 0 ? beside : name;
}

}  // namespace

std::unique_ptr<DynamicLibrary> DynamicLibrary::Load(const std::string& path) {
  void* handle = dlopen(BesideTheProgram(ToSharedObjectName(path)).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) return nullptr;
  return std::unique_ptr<DynamicLibrary>(new DynamicLibrary(handle));
}

std::string DynamicLibrary::ToSharedObjectName(std::string_view path) {
  constexpr std::string_view kSuffix = ".dll";
  size_t nameStart = path.find_last_of("/\\");
  nameStart = nameStart == std::string_view::npos ? 0 : nameStart + 1;
  std::string_view name = path.substr(nameStart);
  if (name.size() <= kSuffix.size()) return std::string(path);
  std::string_view suffix = name.substr(name.size() - kSuffix.size());
  for (size_t i = 0; i < kSuffix.size(); ++i) {
    if ((suffix[i] | 0x20) != kSuffix[i]) return std::string(path);
  }
  name.remove_suffix(kSuffix.size());
  return std::string(path.substr(0, nameStart)) + "lib" + std::string(name) + ".so";
}

DynamicLibrary::~DynamicLibrary() { Unload(); }

void* DynamicLibrary::FindSymbol(const char* name) const {
  return mHandle == nullptr ? nullptr : dlsym(mHandle, name);
}

bool DynamicLibrary::Unload() {
  if (mHandle == nullptr) return true;
  void* handle = mHandle;
  mHandle = nullptr;
  return dlclose(handle) == 0;
}

}  // namespace HV::Platform
