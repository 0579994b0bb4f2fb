#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/DeviceInterface.h"
#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "HVFramework/ControlBase/SystemUI/LFileDialog.h"
#include "HVFramework/ControlBase/Views/LPanel.h"
#include "HVFramework/Controls/Button/LButton.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"
#include "HVFramework/Notification/NotificationName.h"
#include "HVFramework/Utilities/Storage/RCPtrArray.h"
#include "Panel/UI/DriverCommon/LPresetManager.h"
#include "Panel/UI/LStatusView.h"

#include <array>
#include <cstdint>

namespace HV {

// LDeviceView: the skinned picture of the keyboard ("viewDevice" of the main
// control). In the screen's module tree it is the device: it hands the
// block of 131 parameter IDs to its group panels in the device's layout and
// answers the group lookups with them. It switches the fader, push-button
// and encoder banks, shows one edit panel at a time, and is the command
// handler of the main window: the main menu, the four global file and
// device hot keys, the preset file dialogs and the user guide
// (LDeviceViewCommands.cpp).
//
// User-interface thread only.
class LDeviceView : public LOwnHandlerControl<LControl, LDeviceView>, public IDevice {
 public:
  // The edit panels ShowEditPanel chooses between.
  enum EditPanelKind : int32_t {
    kFaderPanel = 0,
    kEncoderPanel = 1,
    kPadPanel = 2,
    kXYPadPanel = 3,
    kWheelPanel = 4,
    kKeybedZonePanel = 5,
    kPushButtonPanel = 6,
    kPedalPanel = 7,  // sub 0 the volume pedal, 1 the sustain pedal
  };
  static constexpr int32_t kBankCount = 4;

  LDeviceView(LControl* parent, const StringW& name);
  ~LDeviceView() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

  // Finds the element panels and the bank buttons (a missing one throws),
  // selects bank 1, hides the edit panels, serves the main menu's item
  // states, and makes the preset manager; then lets the MIDI manager poll
  // the keyboard's presence.
  HResult Initialize() override;

  // --- Commands (LDeviceViewCommands.cpp) ---
  // Registers the command handlers at the root window (the menu) and the
  // application centre (the hot keys), once each, then the base's requests.
  void RefreshIdleNotifications() override;
  // The device items (send, retrieve, global settings) are enabled while
  // the keyboard's MIDI ports are open; other items stay as they are. 0.
  HResult UpdateMenuItem(const RCPtr<LMenuDescriptor>& menu, int32_t index, const StringW& commandId,
                         LMenuItemState& state) override;
  StringW GetPresetFileExtension() const;
  StringW GetPresetFilePattern() const;
  StringW GetPresetFileFilter() const;
  // What Save proposes: the preset's name made a file name, with the preset
  // extension ("Untitled" for a preset without a name).
  StringW GetProposedPresetFileName() const;
  // The file dialogs: 0 with the chosen path in path, negative when the user
  // cancelled or no dialog could be shown.
  HResult ShowLoadPresetDialog(StringW& path);
  HResult ShowSavePresetDialog(StringW& path);
  // A dialog's negative result, or the preset manager's.
  int32_t LoadPresetFromFile();
  HResult SavePresetToFile();

  HResult OnExitRequest(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  HResult OnGlobalSettingsRequest(const RCPtr<LNotificationDistributor>& source,
                                  const RCPtr<LNotification>& notification);
  HResult OnRetrievePresetRequest(const RCPtr<LNotificationDistributor>& source,
                                  const RCPtr<LNotification>& notification);
  HResult OnSendPresetRequest(const RCPtr<LNotificationDistributor>& source,
                              const RCPtr<LNotification>& notification);
  HResult OnAboutRequest(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  HResult OnOpenUserGuideRequest(const RCPtr<LNotificationDistributor>& source,
                                 const RCPtr<LNotification>& notification);
  // "NID_DOCUMENT_OPEN_FAILED": the desktop's program could not open the
  // user guide; its box, as when no program could be started. 1.
  HResult OnUserGuideOpenFailed(const RCPtr<LNotificationDistributor>& source,
                                const RCPtr<LNotification>& notification);
  HResult OnLoadPresetFromFileRequest(const RCPtr<LNotificationDistributor>& source,
                                      const RCPtr<LNotification>& notification);
  HResult OnSavePresetToFileRequest(const RCPtr<LNotificationDistributor>& source,
                                    const RCPtr<LNotification>& notification);

  // Runs the skin's dialog of that name in a window of its own until it is
  // closed; false, with nothing shown, for a name the skin does not define
  // as a dialog.
  bool RunDialog(const WChar* name);

  // --- Panels ---
  RCPtr<LStatusView> GetStatusView() const { return mStatusView; }
  // Shows the edit panel of kind (and sub, for the pedals), hides the others. 0.
  HResult ShowEditPanel(int32_t kind, int32_t sub);
  // "NID_LEFT_CLICK" of a bank button: that bank's faders, push buttons and
  // encoders show, the others hide. 1.
  HResult OnBankClicked(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  RCPtr<LPresetManager> GetPresetManager() const { return mPresetManager; }

  // IDevice: the group panels, null when absent or not of the group's kind.
  RCPtr<IPresetName> GetPresetName() override;
  RCPtr<IKeybedZones> GetKeybedZones() override;
  RCPtr<IWheels> GetWheels() override;
  RCPtr<IPedals> GetPedals() override;
  RCPtr<IPads> GetPads() override;
  RCPtr<IPushButtons> GetPushButtons() override;
  RCPtr<IFaders> GetFaders() override;
  RCPtr<IEncoders> GetEncoders() override;
  RCPtr<ITouchPadAxises> GetTouchPadAxises() override;
  using IDevice::GetEncoders;
  using IDevice::GetFaders;
  using IDevice::GetKeybedZones;
  using IDevice::GetPads;
  using IDevice::GetPedals;
  using IDevice::GetPresetName;
  using IDevice::GetPushButtons;
  using IDevice::GetTouchPadAxises;
  using IDevice::GetWheels;


 private:
  using Handler = HResult (LDeviceView::*)(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&);

  void FindElementPanels();
  void FindBankButtons();
  void ServeMainMenu();
  void SelectBank(int32_t bank);
  // Listens once for name from source.
  void Listen(const RCPtr<LNotificationDistributor>& source, const NotificationName& name, Handler handler);
  // A device dialog, refused with a message while another device operation runs.
  void RunDeviceDialog(const WChar* name, const WChar* busyCaptionId);
  LFileDialog* GetFileDialog();
  void ShowUserGuideFailure();
  // The folder of a chosen file is where the choosers start next time, in
  // this run and the next.
  void KeepChosenFolder(const LFileDialog& dialog);

  RCPtr<LStatusView> mStatusView;
  RCPtr<LPanel> mPadEditPanel;
  RCPtr<LPanel> mEncoderEditPanel;
  RCPtr<LPanel> mFaderEditPanel;
  RCPtr<LPanel> mVolumePedalEditPanel;
  RCPtr<LPanel> mWheelEditPanel;
  RCPtr<LPanel> mXYPadEditPanel;
  RCPtr<LPanel> mSustainPedalEditPanel;
  RCPtr<LPanel> mKeybedZoneEditPanel;
  RCPtr<LPanel> mPushButtonEditPanel;
  RCPtrArray<LControl> mEditPanels;  // the first eight above; Initialize hides them
  RCPtr<LPanel> mPadGroup;
  RCPtr<LPanel> mFaderGroup;
  RCPtr<LPanel> mEncoderGroup;
  RCPtr<LPanel> mWheelGroup;
  RCPtr<LPanel> mPedalGroup;
  RCPtr<LPanel> mKeybedZoneGroup;
  RCPtr<LPanel> mPushButtonGroup;
  RCPtr<LPanel> mXYPadGroup;
  std::array<RCPtr<LButton>, kBankCount> mBankButtons;
  RCPtr<LPanel> mPresetNamePanel;
  RCPtr<LPresetManager> mPresetManager;
  RCPtr<LFileDialog> mFileDialog;
  // A device dialog runs (its transfer waits inside it); a second device
  // command meanwhile is refused.
  bool mDeviceOperationRunning = false;
};

}  // namespace HV
