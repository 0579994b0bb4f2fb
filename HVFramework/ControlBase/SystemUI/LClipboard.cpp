#include "HVFramework/ControlBase/SystemUI/LClipboard.h"

#include "HVFramework/ControlBase/SystemUI/SystemUINotificationNames.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/ObjectBase/WrapperStringable.h"

#include <string>

namespace HV {
namespace {

using LClipboardText = LWrapperStringable<StringW, &StringToString>;

struct EditRequest {
  const NotificationName& name;
  int32_t command;
};

// In the order of registration.
constexpr EditRequest kEditRequests[] = {
    {kNidEditCutReq, LControl::kEditCut},
    {kNidEditCopyReq, LControl::kEditCopy},
    {kNidEditPasteReq, LControl::kEditPaste},
    {kNidEditDeleteReq, LControl::kEditDelete},
};

// Clears a flag on every way out of a scope.
class FlagGuard {
 public:
  explicit FlagGuard(bool& flag) : mFlag(flag) { mFlag = true; }
  ~FlagGuard() { mFlag = false; }
  FlagGuard(const FlagGuard&) = delete;
  FlagGuard& operator=(const FlagGuard&) = delete;

 private:
  bool& mFlag;
};

}  // namespace

RCPtr<LClipboard> LClipboard::Create(Platform::IWindowSystem& windowSystem) {
  return RCPtr<LClipboard>(new LClipboard(windowSystem));
}

LClipboard::LClipboard(Platform::IWindowSystem& windowSystem) : mState(windowSystem) {}

RCPtr<LRefCountedObject> LClipboard::MakeText(const StringW& text) {
  return StaticCast<LRefCountedObject>(LClipboardText::Create(text));
}

const StringW* LClipboard::AsText(const LRefCountedObject* content) {
  // Every wrapper of a string is one: the clipboard's own and the controls' tags.
  return dynamic_cast<const StringW*>(content);
}

HResult LClipboard::Initialize() {
  mHandler = RCPtr<LNotificationHandler<LClipboard>>(new LNotificationHandler<LClipboard>(this));
  const RCPtr<LNotificationDistributor> center =
      GetNotificationCenterManager()->GetCenter(StringW(kApplicationNotificationCenterName));
  try {
    for (const EditRequest& request : kEditRequests)
      CheckResult(mHandler->SetNotification(&LClipboard::OnEditRequest, request.command, center, request.name),
                  HV_HERE("HV::LClipboard::Initialize"));
  } catch (const Exception<FailedResultException>&) {
    return E_FAIL;
  }
  mInitialized = true;
  return S_OK;
}

void LClipboard::ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                                     const RCPtr<LNotification>& notification) {
  if (const RCPtr<LNotificationHandler<LClipboard>> handler = mHandler) handler->Dispatch(source, notification);
}

HResult LClipboard::ReleaseInternalReferences() {
  mHandler = nullptr;
  return LNotificationClient::ReleaseInternalReferences();
}

HResult LClipboard::OnEditRequest(const RCPtr<LNotificationDistributor>& source,
                                  const RCPtr<LNotification>& notification) {
  LNotificationHandler<LClipboard>::Handler handler = nullptr;
  intptr_t command = 0;
  if (mHandler && mHandler->GetNotification(source, notification->GetName(), handler, command))
    PerformEditCommand(static_cast<int32_t>(command));
  return 1;
}

RCPtr<LControl> LClipboard::FindEditTarget() const {
  const RCPtr<LControl> focus = mFocusSource ? mFocusSource() : nullptr;
  if (!focus) return nullptr;
  RCPtr<LControl> target = focus->GetEditTarget();
  if (!target) target = focus;
  return target->IsEditTarget() ? target : nullptr;
}

int32_t LClipboard::PerformEditCommand(int32_t command) {
  const RCPtr<LControl> target = FindEditTarget();
  if (!target || !target->CanPerformEdit(command)) return 1;
  return target->PerformEdit(command);
}

bool LClipboard::CanPerformEditCommand(int32_t command) {
  const RCPtr<LControl> target = FindEditTarget();
  return target && target->CanPerformEdit(command);
}

RCPtr<LRefCountedObject> LClipboard::GetText() {
  const bool unchanged = mHasSequenceNumber && mState.GetSequenceNumber() == mSequenceNumber;
  if (unchanged || mState.HoldsOwnContent()) return mContent;
  const std::string text = mState.ReadText();
  if (text.empty()) {
    // Nothing usable: the content is dropped, and looked for again next time.
    mContent = nullptr;
    return mContent;
  }
  mContent = MakeText(StringW(text.c_str()));
  RecordSequenceNumber();
  return mContent;
}

HResult LClipboard::SetContent(const RCPtr<LRefCountedObject>& value) {
  // Writing may bring the program's own clipboard messages back here.
  if (mBusy) return S_FALSE;
  const FlagGuard busy(mBusy);
  mContent = value;
  if (!value) return S_OK;
  if (const StringW* text = AsText(value.Get()))
    mState.Write(std::string(text->ToCharString().GetText()), false);
  else
    mState.Write(std::string(), true);  // the object itself stays here
  RecordSequenceNumber();
  return S_OK;
}

void LClipboard::RecordSequenceNumber() {
  mSequenceNumber = mState.GetSequenceNumber();
  mHasSequenceNumber = true;
}

}  // namespace HV
