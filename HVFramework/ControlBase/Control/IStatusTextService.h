#pragma once

#include "HVFramework/ObjectBase/ResultCodes.h"
#include "HVFramework/Utilities/Storage/StringT.h"

namespace HV {

// IStatusTextService: the application's status line as controls see it: a
// text shown for a while (a menu row's help) and the line's own text put
// back. shouldPost queues the change for the next idle pass. UI thread.
class IStatusTextService {
 public:
  virtual ~IStatusTextService() = default;
  virtual HResult SetStatusText(const StringW& text, bool shouldPost) = 0;
  virtual HResult RestoreStatusText(bool shouldPost) = 0;
};

}  // namespace HV
