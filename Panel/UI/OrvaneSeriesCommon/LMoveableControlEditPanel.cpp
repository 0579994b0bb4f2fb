#include "Panel/UI/OrvaneSeriesCommon/LMoveableControlEditPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/Controls/ControlsNotificationNames.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"
#include "HVFramework/Controls/TextBox/LTextBox.h"
#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/ObjectBase/Exception.h"
#include "Panel/UI/EditorNotificationNames.h"
#include "Panel/UI/OrvaneSeriesCommon/ControlUtilities.h"
#include "Panel/UI/OrvaneSeriesCommon/MoveableControlRecord.h"

#include <cmath>
#include <initializer_list>

namespace HV {
namespace {

constexpr int32_t kLinear = 0;  // the linear scale of SetRange
constexpr int32_t kTypeNumberMaxLength = 3;
constexpr int kFirstNrpnRpnType = 4;
constexpr int kFirstTypeAfterNrpnRpn = 8;

// The other page's type entry of a message type: 0-3 as they are, 8 and up
// after the four RPN/NRPN types.
int32_t OtherEntryOf(int type) { return type >= kFirstNrpnRpnType ? type - kFirstNrpnRpnType : type; }
int OtherTypeOf(int32_t entry) { return entry < kFirstNrpnRpnType ? entry : entry + kFirstNrpnRpnType; }

class ShowingScope {
 public:
  explicit ShowingScope(bool& showing) : mShowing(showing) { mShowing = true; }
  ~ShowingScope() { mShowing = false; }
  ShowingScope(const ShowingScope&) = delete;
  ShowingScope& operator=(const ShowingScope&) = delete;

 private:
  bool& mShowing;
};

}  // namespace

LMoveableControlEditPanel::LMoveableControlEditPanel(LControl* parent, const StringW& name)
    : LOwnHandlerControl(parent, name) {}

LMoveableControlEditPanel::~LMoveableControlEditPanel() = default;

RCPtr<LControl>& LMoveableControlEditPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                                   const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LMoveableControlEditPanel>(result, parent, descriptor);
}

// --- Start ---

HResult LMoveableControlEditPanel::Initialize() {
  const HResult result = LPanel::Initialize();
  if (Failed(result)) return result;
  mTabControl = DynamicCast<LTabControl>(FindChildControl(StringW(u"tabControl")));
  if (!mTabControl)
    ThrowNullPointer("Couldn't find child typeTabControl", HV_HERE("LMoveableControlEditPanel::Initialize"));
  CollectPageControls();
  for (RCPtrArray<LNumericUpDown>* upDowns : {&mCcSelectors, &mMinSelectors, &mMaxSelectors}) {
    for (uint32_t i = 0; i < upDowns->GetCount(); ++i) {
      if (LNumericUpDown* upDown = upDowns->GetAt(i).Get()) {
        upDown->SetRange(0.0, 127.0, kLinear);
        if (LTextBox* text = upDown->GetTextBox()) text->SetMaxLength(kTypeNumberMaxLength);
      }
    }
  }
  for (LNumericUpDown* upDown : {mLsbSelector.Get(), mMsbSelector.Get()})
    if (upDown) upDown->SetRange(0.0, 127.0, kLinear);
  return result;
}

void LMoveableControlEditPanel::CollectPageControls() {
  const RCPtr<LControl> ccAbsolute = mTabControl->GetPage(StringW(u"ccAbsolutePage"));
  mMinSelectors.AddItem(
      FindChildPath<LNumericUpDown>(ccAbsolute, {u"minMaxSelectors", u"min", u"numericUpDown"}));
  mMaxSelectors.AddItem(
      FindChildPath<LNumericUpDown>(ccAbsolute, {u"minMaxSelectors", u"max", u"numericUpDown"}));
  mChannelSelectors.AddItem(FindChildPath<LComboBox>(ccAbsolute, {u"midiChannel", u"comboBox"}));
  mCcSelectors.AddItem(FindChildPath<LNumericUpDown>(ccAbsolute, {u"cc", u"ccSelector", u"numericUpDown"}));

  const RCPtr<LControl> ccRelative = mTabControl->GetPage(StringW(u"ccRelativePage"));
  mCcSelectors.AddItem(FindChildPath<LNumericUpDown>(ccRelative, {u"cc", u"ccSelector", u"numericUpDown"}));
  mChannelSelectors.AddItem(FindChildPath<LComboBox>(ccRelative, {u"midiChannel", u"comboBox"}));
  mRelativeType = FindChildPath<LComboBox>(ccRelative, {u"relativeType", u"comboBox"});

  const RCPtr<LControl> nrpnRpn = mTabControl->GetPage(StringW(u"nrpnRpnPage"));
  mChannelSelectors.AddItem(FindChildPath<LComboBox>(nrpnRpn, {u"midiChannel", u"comboBox"}));
  mNrpnRpnType = FindChildPath<LComboBox>(nrpnRpn, {u"NrpnRpnSelector", u"comboBox"});
  mLsbSelector = FindChildPath<LNumericUpDown>(nrpnRpn, {u"msbLSBSelectors", u"lsb", u"numericUpDown"});
  mMsbSelector = FindChildPath<LNumericUpDown>(nrpnRpn, {u"msbLSBSelectors", u"msb", u"numericUpDown"});

  const RCPtr<LControl> other = mTabControl->GetPage(StringW(u"otherPage"));
  mOtherType = FindChildPath<LComboBox>(other, {u"otherType", u"comboBox"});
  if (!mOtherType)
    ThrowNullPointer("Can not find ComboBox Control: otherType",
                     HV_HERE("LMoveableControlEditPanel::Initialize"));
  mOtherType->SetItemCount(kOtherTypesOffered);
  mMinSelectors.AddItem(FindChildPath<LNumericUpDown>(other, {u"minMaxSelectors", u"min", u"numericUpDown"}));
  mMaxSelectors.AddItem(FindChildPath<LNumericUpDown>(other, {u"minMaxSelectors", u"max", u"numericUpDown"}));
  mChannelSelectors.AddItem(FindChildPath<LComboBox>(other, {u"midiChannel", u"comboBox"}));
}

void LMoveableControlEditPanel::RegisterForAllParameterNotifications() {
  if (mListening) return;  // a second registration would deliver every change twice
  const auto listen = [this](LControl* source, const NotificationName& name) {
    CheckResult(GetOwnHandler().SetNotification(&LMoveableControlEditPanel::OnSelectorChanged,
                                          RCPtr<LNotificationDistributor>(source), name),
                HV_HERE("LMoveableControlEditPanel::RegisterForAllParameterNotifications"));
  };
  listen(mTabControl.Get(), kNidTabSelected);
  listen(mRelativeType.Get(), kNidSelectionChange);
  listen(mNrpnRpnType.Get(), kNidSelectionChange);
  listen(mLsbSelector.Get(), kNidValueChange);
  listen(mMsbSelector.Get(), kNidValueChange);
  listen(mOtherType.Get(), kNidSelectionChange);
  SetNotificationForAllArrayItems(mCcSelectors, GetOwnHandler(), &LMoveableControlEditPanel::OnSelectorChanged,
                                  kNidValueChange);
  SetNotificationForAllArrayItems(mMinSelectors, GetOwnHandler(), &LMoveableControlEditPanel::OnSelectorChanged,
                                  kNidValueChange);
  SetNotificationForAllArrayItems(mMaxSelectors, GetOwnHandler(), &LMoveableControlEditPanel::OnSelectorChanged,
                                  kNidValueChange);
  SetNotificationForAllArrayItems(mChannelSelectors, GetOwnHandler(), &LMoveableControlEditPanel::OnSelectorChanged,
                                  kNidSelectionChange);
  mListening = true;
}

// --- Showing ---

void LMoveableControlEditPanel::SetParamRecord(const ElementRecord& record) {
  using namespace MoveableControlRecord;
  if (record.GetCount() < kLength || !mTabControl) return;
  const auto byte = [&record](uint32_t index) { return *record.GetItemPtr(index); };
  {
    ShowingScope showing(mShowing);
    mShown.Release();
    for (uint32_t i = 0; i < mChannelSelectors.GetCount(); ++i)
      mShown.ShowChoice(mChannelSelectors.GetAt(i).Get(), byte(kMidiChannel), byte(kMidiChannel));
    const int type = byte(kNumber);
    if (byte(kMessageGroup) == 0) {
      for (uint32_t i = 0; i < mCcSelectors.GetCount(); ++i)
        mShown.ShowValue(mCcSelectors.GetAt(i).Get(), byte(kNumber));
      if (byte(kCcMode) != 0) {
        ShowPage(u"ccRelativePage");
        mShown.ShowChoice(mRelativeType.Get(), byte(kParam1), byte(kParam1));
      } else {
        ShowPage(u"ccAbsolutePage");
        mShown.ShowValue(mMinSelectors.GetAt(0).Get(), byte(kParam1));
        mShown.ShowValue(mMaxSelectors.GetAt(0).Get(), byte(kParam2));
      }
    } else if (type >= kRpnCoarse && type <= kNrpnFine) {
      ShowPage(u"nrpnRpnPage");
      mShown.ShowChoice(mNrpnRpnType.Get(), type - kFirstNrpnRpnType, byte(kNumber));
      mShown.ShowValue(mLsbSelector.Get(), byte(kParam1));
      mShown.ShowValue(mMsbSelector.Get(), byte(kParam2));
    } else {
      ShowPage(u"otherPage");
      mShown.ShowChoice(mOtherType.Get(), OtherEntryOf(type), byte(kNumber));
      mShown.ShowValue(mMinSelectors.GetAt(1).Get(), byte(kParam1));
      mShown.ShowValue(mMaxSelectors.GetAt(1).Get(), byte(kParam2));
    }
  }
  RegisterForAllParameterNotifications();
}

void LMoveableControlEditPanel::ShowPage(const WChar* name) {
  if (const RCPtr<LControl> button = mTabControl->GetPageButton(StringW(name)))
    button->SetNormalizedValue(1.0);
  mTabControl->SelectPage(StringW(name));
}

// --- Reading ---

signed char LMoveableControlEditPanel::ReadOtherType() const {
  signed char kept = 0;
  if (mShown.FindKept(mOtherType.Get(), kept)) return kept;
  return static_cast<signed char>(mOtherType ? OtherTypeOf(mOtherType->GetSelectedIndex()) : 0);
}

ElementRecord LMoveableControlEditPanel::GetParamRecord() {
  using namespace MoveableControlRecord;
  ElementRecord record;
  record.SetCount(kLength);
  const auto set = [&record](uint32_t index, signed char value) { *record.GetItemPtr(index) = value; };
  const int32_t page = mTabControl ? mTabControl->GetSelectedPageIndex() : -1;
  if (page < kCcAbsolute || page > kOther) return record;
  const auto at = [](const auto& array, uint32_t index) {
    return index < array.GetCount() ? array.GetAt(index).Get() : nullptr;
  };
  set(kMidiChannel, mShown.ReadChoice(at(mChannelSelectors, static_cast<uint32_t>(page)), 0));
  switch (page) {
    case kCcAbsolute:
      set(kNumber, mShown.ReadValue(at(mCcSelectors, 0)));
      set(kParam1, mShown.ReadValue(at(mMinSelectors, 0)));
      set(kParam2, mShown.ReadValue(at(mMaxSelectors, 0)));
      break;
    case kCcRelative:
      set(kNumber, mShown.ReadValue(at(mCcSelectors, 1)));
      set(kCcMode, 1);
      set(kParam1, mShown.ReadChoice(mRelativeType.Get(), 0));
      break;
    case kNrpnRpn:
      set(kMessageGroup, 1);
      set(kNumber, mShown.ReadChoice(mNrpnRpnType.Get(), kFirstNrpnRpnType));
      set(kParam1, mShown.ReadValue(mLsbSelector.Get()));
      set(kParam2, mShown.ReadValue(mMsbSelector.Get()));
      break;
    default:
      set(kMessageGroup, 1);
      set(kNumber, ReadOtherType());
      set(kParam1, mShown.ReadValue(at(mMinSelectors, 1)));
      set(kParam2, mShown.ReadValue(at(mMaxSelectors, 1)));
      break;
  }
  return record;
}

// --- Changes ---

HResult LMoveableControlEditPanel::OnSelectorChanged(const RCPtr<LNotificationDistributor>& source,
                                                     const RCPtr<LNotification>& /*notification*/) {
  if (mShowing) return 1;
  // The user changed this control: from now on it gives its own reading.
  if (const auto* control = dynamic_cast<const LControl*>(source.Get())) mShown.Forget(control);
  SendNotification(LNotification::Create(kNidParametersChanged));
  return 1;
}

}  // namespace HV
