#pragma once

#include "HVFramework/Controls/ComboBox/LComboBox.h"
#include "HVFramework/Controls/ControlsNotificationNames.h"
#include "HVFramework/Controls/LLabel.h"
#include "HVFramework/Controls/TabControl/LTabControl.h"
#include "Panel/UI/OrvaneSeriesCommon/ButtonMessageRecord.h"
#include "Panel/UI/OrvaneSeriesCommon/LButtonControlEditPanel.h"
#include "Panel/UI/OrvaneSeriesCommon/ShownBytes.h"
#include "Panel/UI/PresetEditorCommon/ColoredSwitchRecord.h"
#include "Panel/UI/PresetEditorCommon/LElementEditPanel.h"

#include <cstdint>
#include <iterator>
#include <span>
#include <vector>

namespace HV {

// One byte of a lit switch's record that a list of the edit panel's own
// pages shows: the selector's "comboBox" on a page of "viewTabControl".
struct SwitchChoice {
  const char16_t* page;
  const char16_t* selector;
  uint32_t byte;
  bool isHidKey;        // the key list: "Off" first, stored as 87
  const char* missing;  // detail of the Null Pointer failure without it
};

// What a lit switch kind's edit panel adds to the element edit panel's kind.
struct SwitchEditKind {
  EditPanelKind panel;
  const char16_t* titleName;  // its title label
  const char* titleMissing;   // detail of the Null Pointer failure without it
  // The lists after the four colours of "colorPage" ("color1" to "color4").
  std::span<const SwitchChoice> moreChoices;
};

// LColoredSwitchEditPanel: the edit panel of a lit switch kind (push
// buttons, pads). Its "viewTabControl" holds the button-control editor as
// page "midiPage" and the lists of colours (and HID settings) on pages of
// their own. Every change on any page sends the whole record: the editor's
// message in bytes 0 and 5-13, each list's byte in its place.
//
// A byte that its list cannot show (a colour past the list, the key byte 86)
// leaves the list without a selection and is written back as it was shown
// until the user chooses an entry. Showing a record sends nothing.
template <class IElement>
class LColoredSwitchEditPanel : public LElementEditPanel<IElement, LButtonControlEditPanel> {
  using Base = LElementEditPanel<IElement, LButtonControlEditPanel>;

 public:
  LColoredSwitchEditPanel(LControl* parent, const StringW& name, const SwitchEditKind& kind)
      : Base(parent, name, kind.panel), mKind(kind.panel), mTitleName(kind.titleName),
        mTitleMissing(kind.titleMissing) {
    mChoices.assign(std::begin(kColorChoices), std::end(kColorChoices));
    mChoices.insert(mChoices.end(), kind.moreChoices.begin(), kind.moreChoices.end());
  }

  // The editor, the title, each list (throws without one) and the colour captions.
  HResult Initialize() override {
    const HResult result = Base::Initialize();
    if (Failed(result)) return result;
    if (!DynamicCast<LLabel>(this->FindChildControl(StringW(mTitleName))))
      ThrowNullPointer(mTitleMissing, HV_HERE(mKind.initializeName));
    for (const SwitchChoice& choice : mChoices) {
      const RCPtr<LControl> page = mTabs->GetPage(StringW(choice.page));
      const RCPtr<LControl> selector = page ? page->FindChildControl(StringW(choice.selector)) : nullptr;
      const RCPtr<LComboBox> box =
          selector ? DynamicCast<LComboBox>(selector->FindChildControl(StringW(u"comboBox"))) : nullptr;
      if (!box) ThrowNullPointer(choice.missing, HV_HERE(mKind.initializeName));
      CheckResult(this->GetOwnHandler().SetNotification(&Base::OnParametersChanged,
                                                        RCPtr<LNotificationDistributor>(box.Get()), kNidSelectionChange),
                  HV_HERE(mKind.initializeName));
      mBoxes.push_back(box);
    }
    WriteColorCaptions();
    return result;
  }

  // The list showing the byte at position n of the choices: the four
  // colours first, then the kind's own.
  RCPtr<LComboBox> GetChoiceBox(uint32_t n) const { return n < mBoxes.size() ? mBoxes[n] : nullptr; }

 protected:
  RCPtr<LButtonControlEditPanel> FindEditor() override {
    mTabs = DynamicCast<LTabControl>(this->FindChildControl(StringW(u"viewTabControl")));
    if (!mTabs) ThrowNullPointer("Cannot find child viewTabControl", HV_HERE(mKind.initializeName));
    return DynamicCast<LButtonControlEditPanel>(mTabs->GetPage(StringW(u"midiPage")));
  }

  ElementRecord ToEditorRecord(const ElementRecord& record) const override {
    return ColoredSwitchRecord::MessageOf(record);
  }

  // Empty when the editor's message has not ten bytes: nothing is sent.
  ElementRecord FromEditorRecord(const ElementRecord& message) const override {
    ElementRecord record;
    if (message.GetCount() != ButtonMessageRecord::kLength) return record;
    record.SetCount(mKind.recordLength);
    ColoredSwitchRecord::PutMessage(record, message);
    for (uint32_t n = 0; n < mBoxes.size() && n < mChoices.size(); ++n)
      if (mChoices[n].byte < record.GetCount()) *record.GetItemPtr(mChoices[n].byte) = ReadChoice(n);
    return record;
  }

  void ShowOwnControls(const ElementRecord& record) override {
    mShown.Release();
    for (uint32_t n = 0; n < mBoxes.size() && n < mChoices.size(); ++n) {
      if (mChoices[n].byte >= record.GetCount()) continue;
      const signed char byte = *record.GetItemPtr(mChoices[n].byte);
      const int unsignedByte = static_cast<uint8_t>(byte);
      const int32_t entry =
          mChoices[n].isHidKey ? ColoredSwitchRecord::HidKeyEntryOf(unsignedByte) : unsignedByte;
      mShown.ShowChoice(mBoxes[n].Get(), entry, byte);
    }
  }

 private:
  static constexpr SwitchChoice kColorChoices[] = {
      {u"colorPage", u"color1", ColoredSwitchRecord::kColor1, false, "Couldn't find child color1"},
      {u"colorPage", u"color2", ColoredSwitchRecord::kColor1 + 1, false, "Couldn't find child color2"},
      {u"colorPage", u"color3", ColoredSwitchRecord::kColor1 + 2, false, "Couldn't find child color3"},
      {u"colorPage", u"color4", ColoredSwitchRecord::kColor1 + 3, false, "Couldn't find child color4"},
  };

  // The list's entry as its byte, or the byte shown while it has none.
  signed char ReadChoice(uint32_t n) const {
    const int32_t entry = mBoxes[n]->GetSelectedIndex();
    if (entry < 0) {
      signed char kept = 0;
      mShown.FindKept(mBoxes[n].Get(), kept);
      return kept;
    }
    return static_cast<signed char>(mChoices[n].isHidKey ? ColoredSwitchRecord::HidKeyByteOf(entry) : entry);
  }

  // Each "colorNameLabel" in layout order: "COLOR n" from 1, the fifth the HID colour's.
  void WriteColorCaptions() {
    RCPtrArray<LControl> labels;
    this->FindDescendantControls(StringW(u"colorNameLabel"), labels);
    for (uint32_t p = 0; p < labels.GetCount(); ++p) {
      const RCPtr<LLabel> label = DynamicCast<LLabel>(labels.GetAt(p));
      if (!label) continue;
      if (p == ColoredSwitchRecord::kColorCount)
        label->SetText(label->GetString(StringW(u"ASCII_COLOR_LABEL")));
      else
        label->SetText(
            StringW::FromFormat(label->GetString(StringW(u"NUMBERED_COLOR_LABEL")).GetText(), static_cast<int>(p + 1)));
    }
  }

  const EditPanelKind mKind;
  const char16_t* const mTitleName;
  const char* const mTitleMissing;
  std::vector<SwitchChoice> mChoices;
  RCPtr<LTabControl> mTabs;
  std::vector<RCPtr<LComboBox>> mBoxes;  // in the order of the choices
  ShownBytes mShown;                     // the bytes of the record shown that a list has no entry for
};

}  // namespace HV
