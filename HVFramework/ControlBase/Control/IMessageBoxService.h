#pragma once

#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>

namespace HV {

// IMessageBoxService: the application's message box, for the parts of the
// framework below the application (the file dialogs) that speak to the user.
// UI thread only.
class IMessageBoxService {
 public:
  // Style flags: the buttons in bits 0-3, the icon in bits 4-7.
  static constexpr uint32_t kMessageBoxOk = 0x00, kMessageBoxOkCancel = 0x01, kMessageBoxYesNoCancel = 0x03,
                            kMessageBoxYesNo = 0x04, kMessageBoxIconError = 0x10, kMessageBoxIconQuestion = 0x20,
                            kMessageBoxIconWarning = 0x30;

  virtual ~IMessageBoxService() = default;
  // A modal box with the message-box style flags; the button it was ended with.
  virtual int32_t ShowMessageBox(const StringW& text, const StringW& caption, uint32_t style) = 0;
};

}  // namespace HV
