#pragma once

// LGlobalSettingsDlg: the keyboard's 14 settings that belong to no preset
// (global channel, Mackie Control / HUI, octave, transpose and curve of keys
// and pads, encoder and X/Y pad curves, program with bank MSB and LSB, MIDI
// DIN output), one row of the skin each: a container holding a "comboBox" or
// a "numericUpDown". "Get Settings" asks the keyboard for each, "Send
// Settings" sends each; the dialog keeps no copy besides its controls.
//
// Opening the dialog with the keyboard connected fetches the settings. Until
// a fetch has brought every setting (or a Send has written every one), the
// controls are not the keyboard's settings: a Send then asks the user first,
// so start values never silently overwrite settings nobody has seen. Both
// transfers run on the application's busy runner (the windows paint on, the
// dialog cannot be closed meanwhile). Send checks every value against what
// the keyboard accepts before anything goes out and names the first that is
// out of range; with the keyboard unplugged the connection error comes first.
// The three X/Y pad parameters the dialog has no control for are neither
// sent nor requested. A value the keyboard reports that a control cannot
// show (a channel without a list entry, a transpose beyond the control's
// range) but the keyboard accepts is kept and sent back unchanged until the
// user changes that control; a combo box without an entry for it shows the
// value as a number.
//
// The manager reports each value on the thread that asked for it (the busy
// runner's worker): such reports are queued and applied on the
// user-interface thread. Everything else: user-interface thread only.

#include "HVFramework/ControlBase/Views/LDialog.h"
#include "HVFramework/Controls/ComboBox/LComboBox.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"
#include "Panel/Engine/PresetEditorCommon/LMidiParameterNotification.h"

#include <array>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

namespace HV {

class LMidiManager;
class LNotificationCenter;

class LGlobalSettingsDlg : public LOwnHandlerControl<LDialog, LGlobalSettingsDlg> {
 public:
  static constexpr size_t kSettingCount = 14;

  // A value the dialog would send, or the first one it refuses to send.
  struct Outgoing {
    std::u16string_view key;
    int32_t value;
  };
  struct Refusal {
    std::u16string_view key;
    StringW caption;  // the row's label as shown
  };

  LGlobalSettingsDlg(LControl* parent, const StringW& name);
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

  // LDialog's, then finds the 14 rows and the two buttons (throws without
  // one), sets ranges and start values and listens to the manager.
  HResult Initialize() override;
  // Once the dialog has a window: the fetch of its opening is posted there.
  void RefreshIdleNotifications() override;

  // A dialog closed before its opening fetch ran fetches nothing.
  void OnClosed() override { mIsClosed = true; }

  // The transfers, as the buttons start them: 0 done, a negative result
  // when the user was told of a failure, none when another transfer ran;
  // for Send, 1 when the user declined to send settings that were not read.
  std::optional<HResult> SendSettings();
  std::optional<HResult> FetchSettings();

  // The values Send would send, in wire order; or the first value the
  // keyboard would refuse (a combo box without selection included).
  std::vector<Outgoing> ComputeOutgoing(std::optional<Refusal>& refusal);

  HResult OnParameterReceived(const RCPtr<LNotificationDistributor>& sender,
                              const RCPtr<LNotification>& notification);
  HResult OnSendSettingsClicked(const RCPtr<LNotificationDistributor>& sender,
                                const RCPtr<LNotification>& notification);
  HResult OnGetSettingsClicked(const RCPtr<LNotificationDistributor>& sender,
                               const RCPtr<LNotification>& notification);
  HResult OnKeyOctaveChanged(const RCPtr<LNotificationDistributor>& sender,
                             const RCPtr<LNotification>& notification);
  // Any other row's control changed.
  HResult OnFieldChanged(const RCPtr<LNotificationDistributor>& sender, const RCPtr<LNotification>& notification);

 private:
  using Handler = LNotificationHandler<LGlobalSettingsDlg>::Handler;

  // A row's value control: a combo box or a numeric up-down.
  struct Field {
    RCPtr<LControl> container;
    RCPtr<LComboBox> comboBox;
    RCPtr<LControl> upDown;
    std::optional<int32_t> kept;  // a reported value the control cannot show
    LControl& GetControl() const { return comboBox ? *comboBox : *upDown; }
  };

  HResult OnRepliesPosted(const RCPtr<LNotificationDistributor>& sender, const RCPtr<LNotification>& notification);
  HResult OnOpened(const RCPtr<LNotificationDistributor>& sender, const RCPtr<LNotification>& notification);
  void FindFields();
  void Listen(Handler handler, const RCPtr<LNotificationDistributor>& source, const NotificationName& name);
  // The row's value in the keyboard's units; none for a combo box without selection.
  std::optional<int32_t> ReadField(size_t row) const;
  // Sets the row's control from a value in the keyboard's units.
  void ShowValue(std::u16string_view key, int32_t value);
  // The user changed the row of that control: its kept value goes.
  void ForgetKeptValue(const LNotificationDistributor* control);
  // Applies the values the manager reported on other threads.
  void ApplyQueuedReplies();
  // Shows the box of a failed transfer; the result passes through.
  HResult ReportFailure(HResult result, bool isFirmwareUsable);
  std::optional<HResult> RunTransfer(bool isSend, const std::vector<Outgoing>& outgoing);
  // Asks whether to send over settings that were not read; true for Yes.
  bool ConfirmSendingUnread();

  std::array<Field, kSettingCount> mFields;
  RCPtr<LMidiManager> mMidiManager;
  RCPtr<LNotificationCenter> mReplyCentre;  // wakes the user-interface thread
  bool mIsOpenFetchPosted = false;
  bool mIsClosed = false;
  bool mIsShowingReply = false;
  bool mShowsKeyboardSettings = false;  // the last fetch, or a send, was whole

  std::mutex mRepliesLock;  // guards mQueuedReplies only
  std::vector<RCPtr<LMidiParameterNotification>> mQueuedReplies;
};

}  // namespace HV
