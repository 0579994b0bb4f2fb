#pragma once

#include "HVFramework/ControlBase/Views/LScrollView.h"
#include "HVFramework/ControlBase/Control/RootWindow/IDialogControl.h"
#include "HVFramework/Notification/LNotificationHandler.h"

#include <cstdint>

namespace HV {

// LDialog: the base of the application's dialogs, a scroll view shown
// modally in a root window of its own. A click on one of its standard
// buttons ("buttonOK", "buttonCancel" ... "buttonNo") closes it with that
// button's result, unless a receiver of "NID_DIALOG_CLOSING" vetoes.
// User-interface thread only.
class LDialog : public LScrollView, public IDialogControl {
 public:
  // The dialog results of the standard buttons.
  enum Result : int32_t {
    kOK = 1,
    kCancel = 2,
    kAbort = 3,
    kRetry = 4,
    kIgnore = 5,
    kYes = 6,
    kNo = 7,
  };

  LDialog(LControl* parent, const StringW& name);
  ~LDialog() override;

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

  // Listens for the clicks of the standard buttons the skin gave it.
  HResult Initialize() override;
  // Shows the dialog in a new root window through the application's window
  // runner and returns the result it was closed with; E_FAIL without a
  // runner or when no root window could be made.
  virtual HResult DoModal();
  // After "NID_DIALOG_CLOSED"; for derived dialogs.
  virtual void OnClosed() {}
  // Stores the result and sends "NID_DIALOG_CLOSING" (an LCancelArgs). Not
  // vetoed: ends the modal loop of the dialog's root window with the result,
  // sends "NID_DIALOG_CLOSED" and calls OnClosed; 0. Vetoed: 1, the dialog
  // stays open and keeps the result.
  HResult Close(int32_t result);
  int32_t GetResult() const { return mResult; }
  // The window was closed from the desktop (with kCancel): as Close.
  void CloseDialog(int32_t result) override { Close(result); }
  // Its string table's "LABEL".
  StringW GetCaption() const override { return GetString(StringW(u"LABEL")); }

  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override;

 private:
  HResult OnButtonClick(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);

  RCPtr<LNotificationHandler<LDialog>> mDialogHandler;
  int32_t mResult = 0;
};

}  // namespace HV
