#include "Panel/UI/PresetEditorCommon/LPedalGroupPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/Controls/Button/LButton.h"
#include "HVFramework/ObjectBase/Exception.h"
#include "Panel/UI/LDeviceView.h"

namespace HV {
namespace {

constexpr const char* kInitialize = "LPedalGroupPanel::Initialize";
constexpr int32_t kVolumeSub = 0;
constexpr int32_t kSustainSub = 1;

// The edit panel takes the pedal's values only while it is shown and bound to it.
template <class EditPanel>
bool ShowsInEditPanel(const RCPtr<EditPanel>& editPanel) {
  return editPanel && editPanel->IsVisible() && editPanel->IsBound();
}

}  // namespace

LPedalGroupPanel::LPedalGroupPanel(LControl* parent, const StringW& name)
    : LOwnHandlerControl(parent, name) {}

LPedalGroupPanel::~LPedalGroupPanel() = default;

RCPtr<LControl>& LPedalGroupPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                          const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LPedalGroupPanel>(result, parent, descriptor);
}

// Without "viewDevice" there are no edit panels to route to: the Null
// Pointer failure, rather than null edit panels at the first value.
HResult LPedalGroupPanel::Initialize() {
  const HResult result = LPanel::Initialize();
  if (Failed(result)) return result;
  const RCPtr<LDeviceView> view = FindDeviceView();
  if (view) {
    mVolumeEditPanel =
        DynamicCast<LVolumePedalEditPanel>(view->FindChildControl(StringW(u"volumePedalEditPanel")));
    mSustainEditPanel =
        DynamicCast<LSustainPedalEditPanel>(view->FindChildControl(StringW(u"sustainEditPage")));
  }
  if (!mVolumeEditPanel) ThrowNullPointer("volumeEditPanel not found", HV_HERE(kInitialize));
  if (!mSustainEditPanel) ThrowNullPointer("sustainEditPanel not found", HV_HERE(kInitialize));
  for (LControl* editPanel :
       {static_cast<LControl*>(mVolumeEditPanel.Get()), static_cast<LControl*>(mSustainEditPanel.Get())})
    CheckResult(GetOwnHandler().SetNotification(&LPedalGroupPanel::OnEditPanelVisibilityChanged,
                                                RCPtr<LNotificationDistributor>(editPanel),
                                                kNidVisibilityConditionChange),
                HV_HERE(kInitialize));
  mSustainTile = DynamicCast<LSustainPedalPanel>(FindChildControl(StringW(u"sustainPedal")));
  mVolumeTile = DynamicCast<LVolumePedalPanel>(FindChildControl(StringW(u"volumePedal")));
  if (!mVolumeTile) ThrowNullPointer("volumePedal not found", HV_HERE(kInitialize));
  if (!mSustainTile) ThrowNullPointer("sustainPedal not found", HV_HERE(kInitialize));
  // A missing button is a null source: E_INVALIDARG, a Failed Result.
  for (LControl* tile :
       {static_cast<LControl*>(mVolumeTile.Get()), static_cast<LControl*>(mSustainTile.Get())})
    CheckResult(GetOwnHandler().SetNotification(&LPedalGroupPanel::OnPedalClicked,
                                                RCPtr<LNotificationDistributor>(TileButton(tile).Get()),
                                                kNidLeftClick),
                HV_HERE(kInitialize));
  return result;
}

RCPtr<IVolumePedal> LPedalGroupPanel::GetVolumePedal() {
  if (ShowsInEditPanel(mVolumeEditPanel)) return RCPtr<IVolumePedal>(mVolumeEditPanel.Get());
  return RCPtr<IVolumePedal>(mVolumeTile.Get());
}

RCPtr<ISustainPedal> LPedalGroupPanel::GetSustainPedal() {
  if (ShowsInEditPanel(mSustainEditPanel)) return RCPtr<ISustainPedal>(mSustainEditPanel.Get());
  return RCPtr<ISustainPedal>(mSustainTile.Get());
}

HResult LPedalGroupPanel::SetParamValue(const ParamDescriptor& descriptor, const Variant& value) {
  if (mSustainEditPanel && mSustainTile && descriptor.paramID == mSustainEditPanel->GetFirstParamID()) {
    mSustainTile->SetParamValueLocal(descriptor, value, false);
    return 0;
  }
  if (mVolumeEditPanel && mVolumeTile && descriptor.paramID == mVolumeEditPanel->GetFirstParamID()) {
    mVolumeTile->SetParamValueLocal(descriptor, value, false);
    return 0;
  }
  return E_FAIL;
}

HResult LPedalGroupPanel::OnPedalClicked(const RCPtr<LNotificationDistributor>& source,
                                         const RCPtr<LNotification>& /*notification*/) {
  const RCPtr<LButton> sustain = TileButton(mSustainTile.Get());
  const RCPtr<LButton> volume = TileButton(mVolumeTile.Get());
  const bool sustainClicked =
      sustain && source.Get() == static_cast<LNotificationDistributor*>(sustain.Get());
  const bool volumeClicked = volume && source.Get() == static_cast<LNotificationDistributor*>(volume.Get());
  if (!sustainClicked && !volumeClicked) return 1;
  if (sustain) sustain->SetNormalizedValue(sustainClicked ? 1.0 : 0.0);
  if (volume) volume->SetNormalizedValue(volumeClicked ? 1.0 : 0.0);
  const RCPtr<LDeviceView> view = FindDeviceView();
  if (!view) return 1;
  if (sustainClicked) {
    view->ShowEditPanel(LDeviceView::kPedalPanel, kSustainSub);
    mSustainEditPanel->SetFirstParamID(this, mSustainTile->GetFirstParamID(), mSustainTile->GetIndex());
  } else {
    view->ShowEditPanel(LDeviceView::kPedalPanel, kVolumeSub);
    mVolumeEditPanel->SetFirstParamID(this, mVolumeTile->GetFirstParamID(), mVolumeTile->GetIndex());
  }
  return 1;
}

HResult LPedalGroupPanel::OnEditPanelVisibilityChanged(const RCPtr<LNotificationDistributor>& /*source*/,
                                                       const RCPtr<LNotification>& /*notification*/) {
  if (const RCPtr<LButton> volume = TileButton(mVolumeTile.Get()))
    volume->SetNormalizedValue(mVolumeEditPanel && mVolumeEditPanel->IsVisible() ? 1.0 : 0.0);
  if (const RCPtr<LButton> sustain = TileButton(mSustainTile.Get()))
    sustain->SetNormalizedValue(mSustainEditPanel && mSustainEditPanel->IsVisible() ? 1.0 : 0.0);
  return 1;
}

RCPtr<LDeviceView> LPedalGroupPanel::FindDeviceView() {
  LControl* top = GetTopLevelControl();
  return top ? DynamicCast<LDeviceView>(top->FindChildControl(StringW(u"viewDevice"))) : nullptr;
}

RCPtr<LButton> LPedalGroupPanel::TileButton(const LControl* tile) {
  return tile ? DynamicCast<LButton>(tile->FindChildControl(StringW(u"button"))) : nullptr;
}

}  // namespace HV
