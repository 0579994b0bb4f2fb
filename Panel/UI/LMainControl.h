#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/RootModuleInterface.h"
#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "HVFramework/ControlBase/Views/LPanel.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"
#include "HVFramework/Utilities/Storage/ParamDescriptor.h"
#include "HVFramework/Utilities/Storage/Variant.h"

#include <cstdint>

class LRootModuleEngine;

namespace HV {

class LDeviceView;

// LMainControl: the content of the main window ("mainControl") and the root
// of the screen's module tree. It places the tree's 131 parameter IDs (the
// device view hands them on to its groups), takes every edit a panel makes
// to the engine, and sets every value the engine announces into the panel
// that owns its ID. While it sets a value, the edits that the panel's own
// controls report back for that parameter are its echo and are dropped.
//
// User-interface thread only: the engine's announcements arrive through the
// application centre's queue, which this thread drains.
class LMainControl : public LOwnHandlerControl<LControl, LMainControl>, public IRootModule {
 public:
  LMainControl(LControl* parent, const StringW& name);
  ~LMainControl() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

  // Leaves the rectangle alone (0) and switches the engine's device work on.
  HResult AdjustWindowRect(Rect& rect) override;
  // Finds the device view, listens for the engine's values, places the
  // tree's IDs and switches the engine's device work on. A missing device
  // view leaves a tree without modules; a failed registration throws.
  HResult Initialize() override;

  // The edit road: a panel's new record for its parameter, to the engine.
  void OnParamValueChanged(const ParamDescriptor& descriptor, const Variant& value) override;
  // The edit road from a panel: the main control at the top of its tree
  // takes the value; nothing for a panel without one.
  static void SendEdit(LControl& panel, int32_t paramID, const Variant& value);
  // Asks the engine to announce one parameter's value again (a panel just
  // bound to it shows it when the announcement comes).
  static void RequestValue(int32_t paramID);
  // The screen's tree has no device link.
  RCPtr<IDeviceLink> GetDeviceCommunicationInterface() override;
  RCPtr<IDevice> GetDevice() override;
  using IRootModule::GetDevice;
  RCPtr<LDeviceView> GetDeviceView() const;

  // "NID_PARAM_MODULE_STATE_CHANGE": one value or the engine's batch. 1.
  HResult OnModuleStateChange(const RCPtr<LNotificationDistributor>& source,
                              const RCPtr<LNotification>& notification);
  // Sets one engine value into the tree. 0.
  HResult ShowParamValue(const ParamDescriptor& descriptor, const Variant& value);


  // The records of a packed list's data, each opening with its u32 length
  // (itself included): counted until fewer than 5 bytes are left, or at a
  // length of 0 or one that passes the end.
  static uint32_t CountPackedRecords(const uint8_t* data, uint32_t size);

 private:
  HResult BindTree();
  void StartDeviceWork();
  void ShowBatch(const Variant& list);
  // ID -2 without a value: the engine is asked for its device list.
  void CheckDeviceList();

  RCPtr<LDeviceView> mDeviceView;
  RCPtr<LPanel> mStatusView;      // the skin has none
  RCPtr<LPanel> mDeviceSelector;  // the skin has none
  // The value being set into the tree; ID -1 while none is.
  ParamDescriptor mShownValue{-1};
};

}  // namespace HV
