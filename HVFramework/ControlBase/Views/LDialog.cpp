#include "HVFramework/ControlBase/Views/LDialog.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Views/LCancelArgs.h"
#include "HVFramework/ControlBase/Control/RootWindow/IControlWindowRunner.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/ControlBase/Views/ViewsNotificationNames.h"
#include "HVFramework/Notification/LNotification.h"

#include <iterator>

namespace HV {
namespace {

// The standard buttons. OK and Close close only once the button has taken
// the focus: a control that refuses to let go of it keeps the dialog open.
struct StandardButton {
  const char16_t* name;
  int32_t result;
  bool takesFocus;
};
constexpr StandardButton kStandardButtons[] = {
    {u"buttonOK", LDialog::kOK, true},        {u"buttonClose", LDialog::kOK, true},
    {u"buttonCancel", LDialog::kCancel, false}, {u"buttonAbort", LDialog::kAbort, false},
    {u"buttonRetry", LDialog::kRetry, false},   {u"buttonIgnore", LDialog::kIgnore, false},
    {u"buttonYes", LDialog::kYes, false},       {u"buttonNo", LDialog::kNo, false},
};

}  // namespace

LDialog::LDialog(LControl* parent, const StringW& name) : LScrollView(parent, name) {}

LDialog::~LDialog() = default;

RCPtr<LControl>& LDialog::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LDialog>(result, parent, descriptor);
}

HResult LDialog::Initialize() {
  const HResult initialized = LScrollView::Initialize();
  mDialogHandler = RCPtr<LNotificationHandler<LDialog>>(new LNotificationHandler<LDialog>(this));
  for (auto button = std::rbegin(kStandardButtons); button != std::rend(kStandardButtons); ++button) {
    const RCPtr<LControl> child = FindChildControl(StringW(button->name));
    if (!child) continue;
    mDialogHandler->SetNotification(&LDialog::OnButtonClick, button - std::rbegin(kStandardButtons),
                                    RCPtr<LNotificationDistributor>(child), kNidLeftClick);
  }
  return initialized;
}

void LDialog::ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                                  const RCPtr<LNotification>& notification) {
  if (IsCreated() && mDialogHandler) {
    const RCPtr<LNotificationHandler<LDialog>> handler = mDialogHandler;
    if (handler->Dispatch(source, notification) != 0) return;
  }
  LScrollView::ReceiveNotification(source, notification);
}

HResult LDialog::OnButtonClick(const RCPtr<LNotificationDistributor>& source,
                               const RCPtr<LNotification>& /*notification*/) {
  const RCPtr<LControl> self(this);
  LControl* sender = dynamic_cast<LControl*>(source.Get());
  if (!sender) return 1;
  for (const StandardButton& button : kStandardButtons) {
    if (sender->GetName() != StringW(button.name)) continue;
    if (button.takesFocus && sender->SetFocus(true) < 0) return 1;
    Close(button.result);
    return 1;
  }
  return 1;
}

HResult LDialog::Close(int32_t result) {
  const RCPtr<LControl> self(this);
  mResult = result;
  const RCPtr<LCancelArgs> args = LCancelArgs::Create();
  SendNotification(LNotification::Create(kNidDialogClosing, args));
  if (args->cancel) return S_FALSE;
  // The root window of the tree the dialog belongs to.
  if (LRootWindow* root = GetRootWindow()) root->EndModalLoop(result);
  SendNotification(LNotification::Create(kNidDialogClosed));
  OnClosed();
  return S_OK;
}

HResult LDialog::DoModal() {
  IControlWindowRunner* runner = GetApplicationWindowRunner();
  if (!runner) return E_FAIL;
  const RCPtr<LControl> self(this);
  return runner->RunControlInRootWindow(self, true);
}

}  // namespace HV
