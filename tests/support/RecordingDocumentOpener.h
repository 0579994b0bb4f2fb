#pragma once

// RecordingDocumentOpener: a document opener that opens nothing; it records
// the paths it was asked to open and answers as the test says.

#include <string>
#include <vector>

#include "HVFramework/Platform/UI/IDocumentOpener.h"

namespace HV::Test {

class RecordingDocumentOpener : public Platform::IDocumentOpener {
 public:
  bool Open(const std::string& path) override {
    opened.push_back(path);
    return answer;
  }

  std::vector<std::string> opened;
  bool answer = true;  // what every Open answers
};

}  // namespace HV::Test
