#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/PedalsInterface.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "HVFramework/ControlBase/Views/LPanel.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"
#include "Panel/UI/PresetEditorCommon/LSustainPedalEditPanel.h"
#include "Panel/UI/PresetEditorCommon/LSustainPedalPanel.h"
#include "Panel/UI/PresetEditorCommon/LVolumePedalEditPanel.h"
#include "Panel/UI/PresetEditorCommon/LVolumePedalPanel.h"

namespace HV {

class LButton;
class LDeviceView;

// LPedalGroupPanel: "pedals", the volume pedal's and the sustain pedal's
// tiles. Unlike the banked groups each pedal has an edit panel of its own,
// and a pedal's values go to its edit panel exactly while that panel is
// shown (and bound), else to its tile. A tile click shows the pedal's edit
// panel and binds it; the tile buttons follow their edit panels' visibility.
class LPedalGroupPanel : public LOwnHandlerControl<LPanel, LPedalGroupPanel>, public IPedals {
 public:
  LPedalGroupPanel(LControl* parent, const StringW& name);
  ~LPedalGroupPanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

  // Finds both edit panels in "viewDevice" and both tiles, and listens to
  // them; throws (Null Pointer) when any is missing, "viewDevice" included.
  HResult Initialize() override;

  // The pedal's edit panel while it is shown and bound, else its tile.
  RCPtr<IVolumePedal> GetVolumePedal() override;
  RCPtr<ISustainPedal> GetSustainPedal() override;
  using IPedals::GetSustainPedal;
  using IPedals::GetVolumePedal;

  // An edit panel's value, to the tile of the same pedal; E_FAIL for an ID
  // that neither edit panel holds, else 0.
  HResult SetParamValue(const ParamDescriptor& descriptor, const Variant& value) override;

  // "NID_LEFT_CLICK" of a tile's "button": that pedal selected, shown and bound. 1.
  HResult OnPedalClicked(const RCPtr<LNotificationDistributor>& source,
                         const RCPtr<LNotification>& notification);
  // "NID_VISIBLITY_CONDITION_CHANGE" of an edit panel: each tile button
  // follows its edit panel. 1.
  HResult OnEditPanelVisibilityChanged(const RCPtr<LNotificationDistributor>& source,
                                       const RCPtr<LNotification>& notification);

  RCPtr<LVolumePedalPanel> GetVolumeTile() const { return mVolumeTile; }
  RCPtr<LSustainPedalPanel> GetSustainTile() const { return mSustainTile; }
  RCPtr<LVolumePedalEditPanel> GetVolumeEditPanel() const { return mVolumeEditPanel; }
  RCPtr<LSustainPedalEditPanel> GetSustainEditPanel() const { return mSustainEditPanel; }

 private:
  RCPtr<LDeviceView> FindDeviceView();
  static RCPtr<LButton> TileButton(const LControl* tile);

  RCPtr<LVolumePedalPanel> mVolumeTile;
  RCPtr<LSustainPedalPanel> mSustainTile;
  RCPtr<LVolumePedalEditPanel> mVolumeEditPanel;
  RCPtr<LSustainPedalEditPanel> mSustainEditPanel;
};

}  // namespace HV
