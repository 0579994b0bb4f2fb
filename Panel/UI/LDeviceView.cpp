#include "Panel/UI/LDeviceView.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/Controls/MainMenu/LMainMenu.h"
#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/ObjectBase/Exception.h"
#include "Panel/UI/LApplication.h"
#include "Panel/UI/LMainControl.h"
#include "HVFramework/Utilities/Storage/Utf8Text.h"

#include <string>

namespace HV {
namespace {

using PanelMember = RCPtr<LPanel> LDeviceView::*;

// "bank1" ... "bank4" in the bank panel; "faderBank1" ... in the groups.
StringW Numbered(const char16_t* stem, int32_t number) {
  std::u16string text(stem);
  text += static_cast<char16_t>(u'0' + number);
  return StringW(text.c_str());
}

// The groups whose banks the bank buttons switch, with the stem of their bank panels.
struct BankedGroup {
  const char16_t* group;
  const char16_t* bankStem;
};
constexpr BankedGroup kBankedGroups[] = {
    {u"faders", u"faderBank"}, {u"buttons", u"buttonBank"}, {u"encoders", u"encoderBank"}};

template <class Group>
RCPtr<Group> AsGroup(const RCPtr<LPanel>& panel) {
  return DynamicCast<Group>(panel);
}

}  // namespace

LDeviceView::LDeviceView(LControl* parent, const StringW& name)
    : LOwnHandlerControl(parent, name) {}

LDeviceView::~LDeviceView() = default;

RCPtr<LControl>& LDeviceView::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                     const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LDeviceView>(result, parent, descriptor);
}

// --- Start ---

HResult LDeviceView::Initialize() {
  const HResult result = LControl::Initialize();
  if (Failed(result)) return result;
  FindElementPanels();
  FindBankButtons();
  if (mBankButtons[0]) mBankButtons[0]->SetNormalizedValue(1.0);
  for (uint32_t i = 0; i < mEditPanels.GetCount(); ++i) mEditPanels.GetAt(i)->SetVisible(false);
  ServeMainMenu();
  mStatusView = LStatusView::Create();
  mPresetManager = LPresetManager::Create();
  if (const RCPtr<LMidiManager> midi = LApplication::GetMidiManager()) midi->ResumeDeviceStatusPolling();
  return result;
}

void LDeviceView::FindElementPanels() {
  struct Element {
    const char16_t* name;
    PanelMember member;
  };
  static constexpr Element kElements[] = {
      {u"padEditPanel", &LDeviceView::mPadEditPanel},
      {u"knobEditPanel", &LDeviceView::mEncoderEditPanel},
      {u"faderEditPanel", &LDeviceView::mFaderEditPanel},
      {u"volumePedalEditPanel", &LDeviceView::mVolumePedalEditPanel},
      {u"wheelEditPanel", &LDeviceView::mWheelEditPanel},
      {u"xyPadEditPanel", &LDeviceView::mXYPadEditPanel},
      {u"sustainEditPage", &LDeviceView::mSustainPedalEditPanel},
      {u"zoneEditPanel", &LDeviceView::mKeybedZoneEditPanel},
      {u"buttonEditPanel", &LDeviceView::mPushButtonEditPanel},
      {u"pads", &LDeviceView::mPadGroup},
      {u"encoders", &LDeviceView::mEncoderGroup},
      {u"faders", &LDeviceView::mFaderGroup},
      {u"wheels", &LDeviceView::mWheelGroup},
      {u"pedals", &LDeviceView::mPedalGroup},
      {u"keybedZones", &LDeviceView::mKeybedZoneGroup},
      {u"buttons", &LDeviceView::mPushButtonGroup},
      {u"xyPad", &LDeviceView::mXYPadGroup},
      {u"presetNameEditPanel", &LDeviceView::mPresetNamePanel},
  };
  for (const Element& element : kElements) {
    RCPtr<LPanel>& panel = this->*element.member;
    panel = DynamicCast<LPanel>(FindChildControl(StringW(element.name)));
    if (!panel) {
      const std::string what = "Cannot find child: " + ToUtf8(StringW(element.name));
      ThrowNullPointer(what, HV_HERE("LDeviceView::Initialize"));
    }
  }
  // The push-button edit panel is not in the list: the skin keeps it hidden.
  for (const RCPtr<LPanel>& panel : {mPadEditPanel, mEncoderEditPanel, mFaderEditPanel, mVolumePedalEditPanel,
                                     mWheelEditPanel, mXYPadEditPanel, mSustainPedalEditPanel, mKeybedZoneEditPanel})
    mEditPanels.AddItem(RCPtr<LControl>(panel));
}

void LDeviceView::FindBankButtons() {
  // A skin without the bank panel is treated like one without an element panel.
  const RCPtr<LControl> banks = FindChildControl(StringW(u"groupBankPanel"));
  if (!banks) ThrowNullPointer("Cannot find child: groupBankPanel", HV_HERE("LDeviceView::Initialize"));
  for (int32_t i = 0; i < kBankCount; ++i) {
    mBankButtons[i] = DynamicCast<LButton>(banks->FindChildControl(Numbered(u"bank", i + 1)));
    const HResult registered =
        mBankButtons[i] ? GetOwnHandler().SetNotification(&LDeviceView::OnBankClicked,
                                                    RCPtr<LNotificationDistributor>(mBankButtons[i]), kNidLeftClick)
                        : E_INVALIDARG;
    if (Failed(registered)) ThrowFailedResult(registered, HV_HERE("LDeviceView::Initialize"));
  }
}

void LDeviceView::ServeMainMenu() {
  LControl* parent = LControl::GetParent();
  if (!dynamic_cast<LMainControl*>(parent)) return;
  if (const RCPtr<LMainMenu> menu = DynamicCast<LMainMenu>(parent->FindChildControl(StringW(u"mainMenu"))))
    menu->SetMenuItemUpdater(GetMenuItemUpdater());
}

// --- Banks and edit panels ---

HResult LDeviceView::OnBankClicked(const RCPtr<LNotificationDistributor>& source,
                                   const RCPtr<LNotification>& /*notification*/) {
  for (int32_t i = 0; i < kBankCount; ++i) {
    if (mBankButtons[i] && source.Get() == static_cast<LNotificationDistributor*>(mBankButtons[i].Get())) {
      SelectBank(i + 1);
      break;
    }
  }
  return 1;
}

void LDeviceView::SelectBank(int32_t bank) {
  const RCPtr<LControl> self(this);
  for (const BankedGroup& banked : kBankedGroups) {
    const RCPtr<LControl> group = FindChildControl(StringW(banked.group));
    if (!group) continue;
    for (int32_t n = 1; n <= kBankCount; ++n)
      if (const RCPtr<LControl> panel = group->FindChildControl(Numbered(banked.bankStem, n)))
        panel->SetVisible(n == bank);
  }
  for (int32_t n = 1; n <= kBankCount; ++n)
    if (mBankButtons[n - 1]) mBankButtons[n - 1]->SetNormalizedValue(n == bank ? 1.0 : 0.0);
}

HResult LDeviceView::ShowEditPanel(int32_t kind, int32_t sub) {
  const auto show = [](const RCPtr<LPanel>& panel, bool visible) {
    if (panel) panel->SetVisible(visible);
  };
  show(mXYPadEditPanel, kind == kXYPadPanel);
  show(mPadEditPanel, kind == kPadPanel);
  show(mPushButtonEditPanel, kind == kPushButtonPanel);
  show(mEncoderEditPanel, kind == kEncoderPanel);
  show(mFaderEditPanel, kind == kFaderPanel);
  show(mWheelEditPanel, kind == kWheelPanel);
  show(mKeybedZoneEditPanel, kind == kKeybedZonePanel);
  // A pedal kind with another sub leaves both pedal panels as they are.
  if (kind != kPedalPanel || sub == 0 || sub == 1) {
    show(mVolumePedalEditPanel, kind == kPedalPanel && sub == 0);
    show(mSustainPedalEditPanel, kind == kPedalPanel && sub == 1);
  }
  return 0;
}

// --- IDevice ---

RCPtr<IPresetName> LDeviceView::GetPresetName() { return AsGroup<IPresetName>(mPresetNamePanel); }
RCPtr<IKeybedZones> LDeviceView::GetKeybedZones() { return AsGroup<IKeybedZones>(mKeybedZoneGroup); }
RCPtr<IWheels> LDeviceView::GetWheels() { return AsGroup<IWheels>(mWheelGroup); }
RCPtr<IPedals> LDeviceView::GetPedals() { return AsGroup<IPedals>(mPedalGroup); }
RCPtr<IPads> LDeviceView::GetPads() { return AsGroup<IPads>(mPadGroup); }
RCPtr<IPushButtons> LDeviceView::GetPushButtons() { return AsGroup<IPushButtons>(mPushButtonGroup); }
RCPtr<IFaders> LDeviceView::GetFaders() { return AsGroup<IFaders>(mFaderGroup); }
RCPtr<IEncoders> LDeviceView::GetEncoders() { return AsGroup<IEncoders>(mEncoderGroup); }
RCPtr<ITouchPadAxises> LDeviceView::GetTouchPadAxises() { return AsGroup<ITouchPadAxises>(mXYPadGroup); }

}  // namespace HV
