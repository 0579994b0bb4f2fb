#pragma once

// MemoryXmlResourceSource: serves "HVXML" resources from memory, the way the
// program's resource table does, for tests of the control factory.

#include "HVFramework/ControlBase/Skin/ControlFactory/IXmlResourceSource.h"

#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace HV::Test {

class MemoryXmlResourceSource : public IXmlResourceSource {
 public:
  void Add(const std::string& name, std::string bytes) {
    mResources[name].assign(bytes.begin(), bytes.end());
  }
  void AddFile(const std::string& name, const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    Add(name, std::string(std::istreambuf_iterator<char>(in), {}));
  }

  std::span<const uint8_t> FindXmlResource(const StringW& name, std::vector<uint8_t>&) const override {
    auto at = mResources.find(name.ToCharString().GetText());
    if (at == mResources.end()) return {};
    return at->second;
  }

 private:
  std::map<std::string, std::vector<uint8_t>> mResources;
};

}  // namespace HV::Test
