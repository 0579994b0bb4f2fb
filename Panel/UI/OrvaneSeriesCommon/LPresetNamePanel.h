#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementInterface.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "HVFramework/ControlBase/Views/LPanel.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"
#include "HVFramework/Controls/TextBox/LTextBox.h"

#include <deque>

namespace HV {

// LPresetNamePanel: "presetNameEditPanel", the preset's six-character name in
// a one-line text box that takes only what the keyboard's display can show
// (typed or pasted alike). It is the name's tile and edit panel at once: an
// edit leaves as the six-byte record to the main control, and the engine's
// announcement comes back through SetParamValueLocal into the box, without
// being sent again. Announcements reach the panel at the loop's idle pass,
// in the order of the edits: keys that come faster than that send several
// names before the first comes back, and the box, already past them, does
// not show those older names again. UI thread only.
class LPresetNamePanel : public LOwnHandlerControl<LPanel, LPresetNamePanel>, public IPresetName {
 public:
  LPresetNamePanel(LControl* parent, const StringW& name);
  ~LPresetNamePanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

  // Finds "textBox" (throws without it), listens to it and sets its length
  // limit, sideways scrolling and character filter.
  HResult Initialize() override;

  // Shows a name record of any length, up to its first 0 byte; sends
  // nothing. An echo of this panel's edit that a later edit, still to come
  // back, has overtaken is not shown. E_FAIL for another parameter's ID.
  HResult SetParamValueLocal(const ParamDescriptor& descriptor, const Variant& value, bool noDeviceSend) override;

  // "NID_TEXTBOX_TEXT_CHANGE" from the box: the name's record to the main control. 1.
  virtual HResult OnNameChanged(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);

  RCPtr<LTextBox> GetTextBox() const { return mTextBox; }

 private:
  // At most this many names wait for their announcement, the oldest going
  // first: the edits the engine refuses (no keyboard connected) never come back.
  static constexpr size_t kMostUnannounced = 32;

  // Whether value echoes a name this panel sent before another one that
  // has not come back yet; forgets the names it answers. A name the panel
  // did not send (a loaded preset, the keyboard's) ends every wait.
  bool IsOvertakenEcho(const Variant& value);

  RCPtr<LTextBox> mTextBox;
  bool mShowing = false;
  std::deque<Variant> mUnannounced;  // names sent and not yet announced, oldest first
};

}  // namespace HV
