#pragma once

#include "HVFramework/ControlBase/Views/LScrollView.h"
#include "HVFramework/Notification/LNotificationHandler.h"

namespace HV {

class LControlFactory;

// LPanel: the plain container control, a scroll view that routes the
// keyboard through the tree. Tab and Shift+Tab move the focus through its
// children in tab order and, past the last (or first), on in the parent,
// unless the panel cycles the focus inside itself; a key no child handled
// goes to the panel's own key handling, then up to the parent, and from a
// top-level panel to the window's hot keys and then the application's. The
// local hot keys of its children hear the keys of the panel's siblings too.
// Skin classes "Framework.Panel" and its kin. User-interface thread only.
class LPanel : public LScrollView {
 public:
  LPanel(LControl* parent, const StringW& name);
  ~LPanel() override;

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  // Registers the panel's skin class names: "Framework.Panel" and the
  // panels of other controls ("Framework.ScrollChannel" ...).
  static HResult Register(LControlFactory& factory);

  // Tab wraps round inside the panel instead of leaving it.
  void SetFocusCycles(bool shouldCycle) { mFocusCycles = shouldCycle; }
  bool DoesFocusCycle() const { return mFocusCycles; }

  // The base's answer, except that a walk that wrapped round the end (or,
  // backward, the start) of the tab order answers null in a panel that has
  // a parent and does not cycle, so that the search goes on in the parent.
  RCPtr<LControl> GetFocusableChild(LControl* child, bool backward) override;
  HResult OnChildKey(const RCPtr<LKeyParam>& key) override;
  void MoveFocus(const RCPtr<LKeyParam>& key) override;
  // A panel with a parent listens for the keys the parent offers its children.
  HResult Initialize() override;
  HResult Detach() override;
  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override;

 private:
  HResult OnParentSiblingKey(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  // The position of a child in the tab order; -1 for none.
  int64_t TabIndexOf(const LControl* child);
  // Whether a step from one child to the next went round the end (or,
  // backward, the start) of the tab order.
  bool WrapsRound(const LControl* from, const LControl* to, bool backward);

  RCPtr<LNotificationHandler<LPanel>> mPanelHandler;
  bool mFocusCycles = false;
};

}  // namespace HV
