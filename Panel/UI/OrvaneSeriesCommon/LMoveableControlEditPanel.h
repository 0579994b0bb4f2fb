#pragma once

#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "HVFramework/ControlBase/Views/LPanel.h"
#include "HVFramework/Controls/ComboBox/LComboBox.h"
#include "HVFramework/Controls/NumericUpDown/LNumericUpDown.h"
#include "HVFramework/Controls/TabControl/LTabControl.h"
#include "HVFramework/Notification/LNotificationHandler.h"
#include "HVFramework/Utilities/Storage/RCPtrArray.h"
#include "Panel/UI/OrvaneSeriesCommon/ShownBytes.h"
#include "Panel/UI/PresetEditorCommon/ElementRecord.h"

namespace HV {

// LMoveableControlEditPanel: the shared editor of a continuous control's
// six-byte record (encoders, faders, wheels, the volume pedal, an X/Y pad
// axis). Four tab pages, one per kind of message: CC absolute, CC relative,
// RPN/NRPN and other. Its owner shows a record with SetParamRecord and reads
// it back with GetParamRecord when this panel raises "NID_PARAMETERS_CHANGED"
// (at once, inside the change of one of its controls).
//
// A byte that its control cannot show (a channel choice or type with no
// entry, a value outside 0-127) is kept as it was shown and written back
// unchanged until the user changes that control.
class LMoveableControlEditPanel : public LPanel {
 public:
  // Page indices, in the tab control's layout order.
  enum Page : int32_t { kCcAbsolute = 0, kCcRelative = 1, kNrpnRpn = 2, kOther = 3 };
  static constexpr int32_t kOtherTypesOffered = 13;

  LMoveableControlEditPanel(LControl* parent, const StringW& name);
  ~LMoveableControlEditPanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

  // Finds the pages' controls and gives the up-downs their ranges; throws
  // without the tab control or the other page's type list.
  HResult Initialize() override;
  // Shows a six-byte record; raises nothing.
  virtual void SetParamRecord(const ElementRecord& record);
  // The record of the page shown and its controls; six zeros without a page.
  virtual ElementRecord GetParamRecord();
  // Listens to every control of the pages (once).
  virtual void RegisterForAllParameterNotifications();

  // Any change of a control: "NID_PARAMETERS_CHANGED" at once. 1.
  HResult OnSelectorChanged(const RCPtr<LNotificationDistributor>& source,
                            const RCPtr<LNotification>& notification);

  RCPtr<LTabControl> GetTabControl() const { return mTabControl; }

  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override;
  HResult UnregisterNotification(const RCPtr<LNotificationDistributor>& source, const WChar* name) override;

 private:
  using Handler = LNotificationHandler<LMoveableControlEditPanel>;

  void CollectPageControls();
  void ShowPage(const WChar* name);
  signed char ReadOtherType() const;

  RCPtr<Handler> mHandler;
  RCPtr<LTabControl> mTabControl;
  RCPtrArray<LComboBox> mChannelSelectors;   // CC absolute, CC relative, RPN/NRPN, other
  RCPtrArray<LNumericUpDown> mMinSelectors;  // CC absolute, other
  RCPtrArray<LNumericUpDown> mMaxSelectors;  // CC absolute, other
  RCPtrArray<LNumericUpDown> mCcSelectors;   // CC absolute, CC relative
  RCPtr<LNumericUpDown> mLsbSelector;
  RCPtr<LNumericUpDown> mMsbSelector;
  RCPtr<LComboBox> mNrpnRpnType;
  RCPtr<LComboBox> mRelativeType;
  RCPtr<LComboBox> mOtherType;
  ShownBytes mShown;  // bytes kept for controls that could not show them
  bool mShowing = false;
  bool mListening = false;
};

}  // namespace HV
