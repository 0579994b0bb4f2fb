#pragma once

#include "HVFramework/Utilities/Storage/StringT.h"

#include <atomic>

namespace HV {

// NotificationName: a notification's name as a constant of the program, so a
// misspelt name fails to compile instead of never firing. Each library
// declares the names it sends in one header (RuntimeNotificationNames.h,
// ControlNotificationNames.h, ...) as inline constexpr constants. The constant interns its text on first use (NotificationNames.h) and keeps
// the identifier, so creating, sending, registering and comparing by constant
// never look the text up again; any thread may use it, and after the first use
// it takes no lock. The identifier is the one the text interns to, so a skin
// naming the notification by text ("NID_IDLE") meets the constant's.
//
// A constant is an identity, not a value: not copied, passed by reference.
class NotificationName {
 public:
  // text: a string literal (kept by address, never copied or freed), not empty.
  constexpr explicit NotificationName(const WChar* text) : mText(text) {}
  NotificationName(const NotificationName&) = delete;
  NotificationName& operator=(const NotificationName&) = delete;

  const WChar* GetText() const { return mText; }

  // The interned identifier (LNotification::GetName of a notification of
  // this name); interns the text on the first call.
  const WChar* GetId() const {
    if (const WChar* id = mId.load(std::memory_order_acquire)) [[likely]]
      return id;
    return InternText();
  }

  // Whether id, an interned identifier, is this name's.
  bool IsId(const WChar* id) const { return id != nullptr && id == GetId(); }

 private:
  const WChar* InternText() const;

  const WChar* const mText;
  // Written once, by whichever thread interns first; every thread interns the
  // text to the same identifier, so racing writers store the same value.
  mutable std::atomic<const WChar*> mId{nullptr};
};

}  // namespace HV
