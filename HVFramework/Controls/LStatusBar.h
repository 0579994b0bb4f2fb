#pragma once

#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/Notification/LNotificationHandler.h"
#include "HVFramework/Notification/LNotificationQueue.h"

namespace HV {

class LControlFactory;

// LStatusBar: the application's status line, one text shown in its child
// label "label1". The text is set at once on the user-interface thread
// (SetStatusText) or posted from any thread (PostStatusText) and shown at the
// bar's next idle pass or next SetStatusText, in the order posted. The bar
// delivers posted texts through its own queue, which holds the bar as its
// distributor until the bar lets go of its internal references.
class LStatusBar : public LControl {
 public:
  static constexpr const WChar* kClassName = u"Framework.StatusBar";

  LStatusBar(LControl* parent, const StringW& name);
  ~LStatusBar() override;

  // The create function registered for "Framework.StatusBar".
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  static HResult Register(LControlFactory& factory);

  // UI thread: shows text now, after the texts posted before it, so that an
  // older posted text cannot replace it later; 0.
  HResult SetStatusText(const StringW& text);
  // Any thread: queues a copy of text for the next idle pass; the queue's
  // answer (E_FAIL before the bar is initialised or after it shut down).
  HResult PostStatusText(const StringW& text);
  // The bar's "LABEL" text from its string table, for putting back after a
  // busy period.
  StringW GetDefaultText() const { return mDefaultText; }
  // The bar's height when it was created.
  double GetCreatedHeight() const { return mHeight; }

  // Shows what was posted since the last pass.
  void OnIdleTick() override;
  // A post wakes the loop for its idle passes: the bar needs no tick.
  bool NeedsIdleTicks() const override { return false; }
  HResult Initialize() override;
  HResult ApplyCreateParams() override;
  HResult OnCreated() override;
  // Shuts the queue down and drops the queue's link to the bar first.
  HResult ReleaseInternalReferences() override;

  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override;
  HResult UnregisterNotification(const RCPtr<LNotificationDistributor>& source, const WChar* name) override;

 private:
  HResult OnSetStatusText(const RCPtr<LNotificationDistributor>& source,
                          const RCPtr<LNotification>& notification);

  // Created with the bar and never replaced: posting threads read it.
  const RCPtr<LNotificationQueue> mQueue;
  RCPtr<LNotificationHandler<LStatusBar>> mHandler;
  RCPtr<LControl> mLabel;
  double mHeight = 0;
  StringW mDefaultText;
  bool mQueueHoldsBar = false;  // the queue's distributor link, counted as internal
};

}  // namespace HV
