#pragma once

#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>

namespace HV {

// IMessageBoxService: the application's message box, for the parts of the
// framework below the application (the file dialogs) that speak to the user.
// UI thread only.
class IMessageBoxService {
 public:
  virtual ~IMessageBoxService() = default;
  // A modal box with the message-box style flags; the button it was ended with.
  virtual int32_t ShowMessageBox(const StringW& text, const StringW& caption, uint32_t style) = 0;
};

}  // namespace HV
