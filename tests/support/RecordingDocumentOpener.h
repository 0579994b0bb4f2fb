#pragma once

// RecordingDocumentOpener: a document opener that opens nothing; it records
// the paths it was asked to open and answers as the test says; a started
// "opener" ends at once, with success.

#include <string>
#include <vector>

#include "HVFramework/Platform/UI/IDocumentOpener.h"

namespace HV::Test {

class RecordingDocumentOpener : public Platform::IDocumentOpener {
 public:
  bool Open(const std::string& path, EndHandler onEnded) override {
    opened.push_back(path);
    if (answer && onEnded) onEnded(true);
    return answer;
  }

  std::vector<std::string> opened;
  bool answer = true;  // what every Open answers
};

}  // namespace HV::Test
