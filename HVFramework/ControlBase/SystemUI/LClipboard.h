#pragma once

// LClipboard: the framework's one clipboard service. It answers the four edit
// commands ("NID_EDIT_CUT_REQ", "NID_EDIT_COPY_REQ", "NID_EDIT_PASTE_REQ",
// "NID_EDIT_DELETE_REQ", posted at the application notification centre) by
// handing them to the focused control of the active window, and it keeps the
// clipboard content for the controls. Text goes to the desktop clipboard as
// UTF-8; any other object stays inside the program while the clipboard is
// marked as holding the program's own content, which lasts until anyone else
// changes the clipboard.
//
// The application makes the one instance, calls Initialize once at start-up
// and tells it where the focus is (SetFocusSource). UI thread only.

#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/Notification/LNotificationClient.h"
#include "HVFramework/Notification/LNotificationHandler.h"
#include "HVFramework/Platform/UI/ClipboardState.h"
#include "HVFramework/Platform/UI/IWindowSystem.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>
#include <functional>

namespace HV {

class LClipboard : public LNotificationClient {
 public:
  // Answers the control that has the focus in the active window: null when
  // no window is active or it has no focus control. The application points
  // it at its root windows; until then edit commands find no control.
  using FocusSource = std::function<RCPtr<LControl>()>;

  // The window system must outlive the clipboard.
  static RCPtr<LClipboard> Create(Platform::IWindowSystem& windowSystem);

  // Registers for the four edit commands at the application notification
  // centre; E_FAIL when a registration fails (then not initialized).
  HResult Initialize();
  bool IsInitialized() const { return mInitialized; }
  void SetFocusSource(FocusSource source) { mFocusSource = std::move(source); }

  // Hands an edit kind (LControl::EditKind) to the focus control's edit
  // target; the target's PerformEdit result, or 1 when nothing performed it.
  int32_t PerformEditCommand(int32_t command);
  // Whether the focus control's edit target would perform it now.
  bool CanPerformEditCommand(int32_t command);

  // The current content: text another program put on the clipboard (as a
  // new text object once per change), or what the program published last.
  // Null when the clipboard holds nothing the program can use.
  RCPtr<LRefCountedObject> GetText();
  // Publishes a content: text (an object that is a StringW, see MakeText)
  // goes to the desktop, any other object is kept here. Null only drops the
  // cached content. 1 when called again from inside a write.
  HResult SetContent(const RCPtr<LRefCountedObject>& value);

  // The content object for text, and the text of a content (null when it is
  // not text).
  static RCPtr<LRefCountedObject> MakeText(const StringW& text);
  static const StringW* AsText(const LRefCountedObject* content);

  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override;
  HResult ReleaseInternalReferences() override;

 protected:
  explicit LClipboard(Platform::IWindowSystem& windowSystem);

 private:
  HResult OnEditRequest(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  // The control that takes edit commands for the focus control, or null.
  RCPtr<LControl> FindEditTarget() const;
  void RecordSequenceNumber();

  RCPtr<LNotificationHandler<LClipboard>> mHandler;
  Platform::ClipboardState mState;
  uint32_t mSequenceNumber = 0;
  bool mHasSequenceNumber = false;  // nothing read or written yet: any clipboard is news
  RCPtr<LRefCountedObject> mContent;
  bool mInitialized = false;
  bool mBusy = false;
  FocusSource mFocusSource;
};

}  // namespace HV
