#pragma once

// LPresetTransferDlg: what the send-preset and get-preset dialogs share. The
// skin gives each a button and a slot list ("presetSlot" / "comboBox": "RAM",
// "Preset 1" .. "Preset 12"). A press of the button runs the dialog's
// transfer for the selected slot on the application's busy runner (the
// windows paint on, the dialog takes no input and cannot be closed until it
// is over) and tells the outcome in a message box: success only for a result
// of 0 or more; -2 the firmware box; any other negative result the dialog's
// error box. Without a slot chosen (or one outside 0 to 12) nothing is
// tried and the user is asked to choose one.
// A press while another device operation runs is refused with the busy box.
// User-interface thread only.

#include "HVFramework/ControlBase/Views/LDialog.h"
#include "HVFramework/Controls/Button/LButton.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"

#include <cstdint>
#include <optional>

namespace HV {

class LMidiManager;

class LPresetTransferDlg : public LOwnHandlerControl<LDialog, LPresetTransferDlg> {
 public:
  // The texts and names that tell one transfer dialog from the other.
  struct Texts {
    const char* function;            // "LSendPresetToMidiDeviceDlg::Initialize", for the exceptions
    const WChar* button;             // the child that starts the transfer
    const char* missingButton;       // the detail of the exception without it
    const WChar* errorCaption;       // string ids of the application's table
    const WChar* connectionErrorText;
    const WChar* firmwareErrorText;
    const WChar* successCaption;
    const WChar* successText;
  };

  // The highest slot of the keyboard: 0 is RAM, 1 to 12 its presets.
  static constexpr int32_t kLastSlot = 12;

  LPresetTransferDlg(LControl* parent, const StringW& name, const Texts& texts);

  // LDialog's, then listens for the clicks of the transfer button; throws
  // when the skin has no such button.
  HResult Initialize() override;

  // The transfer button's clicks, then LDialog's notifications.

  // The selected slot; -1 without the slot list.
  int32_t GetSelectedSlot();
  // Runs the transfer for slot on the busy runner and shows its box; the
  // transfer's result, E_INVALIDARG for no slot or one the keyboard lacks, none when
  // another operation was running.
  std::optional<HResult> TransferSlot(int32_t slot);

 protected:
  // The manager's transfer; runs on the busy runner's worker.
  virtual HResult Transfer(LMidiManager& manager, int32_t slot) = 0;

 private:
  HResult OnButtonClicked(const RCPtr<LNotificationDistributor>& sender, const RCPtr<LNotification>& notification);
  void ShowOutcome(HResult result);

  const Texts& mTexts;
  RCPtr<LButton> mButton;
};

}  // namespace HV
