#include "HVFramework/Controls/LStatusBar.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/Controls/ControlsNotificationNames.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"
#include "HVFramework/ObjectBase/WrapperStringable.h"

namespace HV {
namespace {

}  // namespace

LStatusBar::LStatusBar(LControl* parent, const StringW& name)
    : LControl(parent, name), mQueue(new LNotificationQueue()) {}

// A bar that was never initialised still owns a queue whose posting receiver
// holds it.
LStatusBar::~LStatusBar() { mQueue->Shutdown(); }

RCPtr<LControl>& LStatusBar::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                    const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LStatusBar>(result, parent, descriptor);
}

HResult LStatusBar::Register(LControlFactory& factory) {
  return factory.RegisterControlCreateFunction(StringW(kClassName), &LStatusBar::Create);
}

// --- Texts ---

HResult LStatusBar::SetStatusText(const StringW& text) {
  mQueue->ProcessNotifications(false);
  if (mLabel) mLabel->SetText(text);
  // Shown now: a text set before a long operation on this thread would
  // otherwise wait for the message loop's paint, after the operation.
  if (LRootWindow* root = GetRootWindow()) root->RedrawNow();
  return S_OK;
}

HResult LStatusBar::PostStatusText(const StringW& text) {
  return mQueue->CreateAndPostNotification(kNidSetStatusText, LStringTag::Create(text));
}

HResult LStatusBar::OnSetStatusText(const RCPtr<LNotificationDistributor>& /*source*/,
                                    const RCPtr<LNotification>& notification) {
  const RCPtr<LStringTag> text = DynamicCast<LStringTag>(notification->GetPayload());
  if (text && mLabel) mLabel->SetText(text->GetValue());
  return 1;
}

void LStatusBar::OnIdleTick() { mQueue->ProcessNotifications(false); }

// --- Creation ---

HResult LStatusBar::Initialize() {
  const HResult result = LControl::Initialize();
  mHandler = RCPtr<LNotificationHandler<LStatusBar>>(new LNotificationHandler<LStatusBar>(this));
  const RCPtr<LNotificationDistributor> self(this);
  mHandler->SetNotification(&LStatusBar::OnSetStatusText, self, kNidSetStatusText);
  if (!mQueueHoldsBar && mQueue->SetDistributor(self) == S_OK) {
    AddInternalReferences(1);
    mQueueHoldsBar = true;
  }
  StartIdleNotifications();
  mLabel = FindChildControl(StringW(u"label1"));
  mDefaultText = GetString(StringW(u"LABEL"));
  return result;
}

HResult LStatusBar::ApplyCreateParams() {
  const HResult result = LControl::ApplyCreateParams();
  SetNotFocusable(true);
  return result;
}

HResult LStatusBar::OnCreated() {
  mHeight = GetRect().height;
  return S_OK;
}

HResult LStatusBar::ReleaseInternalReferences() {
  if (GetParent()) return LControl::ReleaseInternalReferences();  // held by the tree: keeps its links
  if (mQueueHoldsBar) {
    // The count stops before the queue drops the reference it stands for.
    mQueueHoldsBar = false;
    AddInternalReferences(-1);
  }
  mQueue->Shutdown();
  mHandler = nullptr;
  return LControl::ReleaseInternalReferences();
}

// --- Notifications ---

void LStatusBar::ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                                     const RCPtr<LNotification>& notification) {
  if (!DispatchToOwnHandler(*this, mHandler, source, notification))
    LControl::ReceiveNotification(source, notification);
}

HResult LStatusBar::UnregisterNotification(const RCPtr<LNotificationDistributor>& source, const WChar* name) {
  if (mHandler) mHandler->RemoveHandler(source, name);
  return LControl::UnregisterNotification(source, name);
}

}  // namespace HV
