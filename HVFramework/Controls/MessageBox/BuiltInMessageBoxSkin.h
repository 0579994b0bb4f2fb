#pragma once

#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"

#include <memory>

namespace HV {

class LControlFactory;

// BuiltInMessageBoxSkin: the message box of a skin that describes none, read
// once from a small skin document of the framework's own: a light box with
// its text, an icon place and the standard buttons, in solid colours and the
// desktop's sans-serif font. User-interface thread only.
class BuiltInMessageBoxSkin {
 public:
  BuiltInMessageBoxSkin();
  ~BuiltInMessageBoxSkin();
  BuiltInMessageBoxSkin(const BuiltInMessageBoxSkin&) = delete;
  BuiltInMessageBoxSkin& operator=(const BuiltInMessageBoxSkin&) = delete;

  // The box's control description; null only when the document did not read.
  RCPtr<LControlDescriptor> GetDescriptor();

 private:
  std::unique_ptr<LControlFactory> mFactory;
  bool mIsRead = false;
};

}  // namespace HV
