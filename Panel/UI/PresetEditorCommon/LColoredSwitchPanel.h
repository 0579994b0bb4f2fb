#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/RootModuleEngine.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Control/LMouseButtonParam.h"
#include "HVFramework/Controls/Button/LButton.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"
#include "HVFramework/Notification/LNotification.h"
#include "Panel/UI/LApplication.h"
#include "Panel/UI/OrvaneSeriesCommon/LButtonControlViewPanel.h"
#include "Panel/UI/PresetEditorCommon/BankedElements.h"
#include "Panel/UI/PresetEditorCommon/ColoredSwitchRecord.h"
#include "Panel/UI/PresetEditorCommon/LElementTilePanel.h"

#include <cstdint>

namespace HV {

// What a lit switch kind's tile checks, numbers and colours.
struct SwitchTileKind {
  TileKind tile;
  int32_t colorCount;            // looks of the "color" indicator's list
  const char16_t* numberLabel;   // its number label, whose text is the format
  BankLayout layout;             // the number is (index mod perBank) + 1
  const char* numberMissing;     // detail of the Null Pointer failure without the label
  const char* numberMethod;      // qualified name of SetFirstParamID in failures
  const char* colorMissing;      // detail of the Null Pointer failure without "color"
};

// LColoredSwitchPanel: the tile of a lit switch (push button, pad): the
// message summary in its view and one of its four colours in its "color"
// indicator. A Shift-click on its button steps the indicator through the
// colours 1, 2, 3, 4 and round again; until then it shows colour 1. The
// indicator follows the stored value, read from the engine, whenever the
// tile is given a value. UI thread only.
template <class IElement>
class LColoredSwitchPanel
    : public LOwnHandlerControl<LElementTilePanel<IElement, LButtonControlViewPanel>, LColoredSwitchPanel<IElement>> {
  using Tile = LElementTilePanel<IElement, LButtonControlViewPanel>;
  using Base = LOwnHandlerControl<Tile, LColoredSwitchPanel<IElement>>;

 public:
  static constexpr uint32_t kShiftModifier = 0x08;
  static constexpr int32_t kPreviewSteps = 4;

  LColoredSwitchPanel(LControl* parent, const StringW& name, const SwitchTileKind& kind)
      : Base(parent, name, kind.tile), mKind(kind) {}

  HResult Initialize() override {
    const HResult result = Tile::Initialize();
    if (Failed(result)) return result;
    mColor = this->FindChildControl(StringW(u"color"));
    if (!mColor) ThrowNullPointer(mKind.colorMissing, HV_HERE(mKind.tile.initializeName));
    const RCPtr<LButton> button = DynamicCast<LButton>(this->FindChildControl(StringW(u"button")));
    CheckResult(this->GetOwnHandler().SetNotification(&LColoredSwitchPanel::OnButtonClicked,
                                                      RCPtr<LNotificationDistributor>(button.Get()), kNidLeftClick),
                HV_HERE(mKind.tile.initializeName));
    mPreviewStep = -1;
    return result;
  }

  // The indicator first, whatever the value; then as every tile.
  HResult SetParamValueLocal(const ParamDescriptor& descriptor, const Variant& value, bool noDeviceSend) override {
    UpdateColorIndicator();
    return Tile::SetParamValueLocal(descriptor, value, noDeviceSend);
  }

  // "NID_LEFT_CLICK" of its button: with Shift held the next colour shows. 1.
  HResult OnButtonClicked(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>& notification) {
    const auto click = notification ? DynamicCast<LMouseButtonParam>(notification->GetPayload()) : nullptr;
    if (!click || (click->modifiers & kShiftModifier) == 0) return 1;
    mPreviewStep = mPreviewStep + 1 >= kPreviewSteps ? 0 : mPreviewStep + 1;
    UpdateColorIndicator();
    return 1;
  }

  // Shows the colour that the preview step picks from the stored record
  // alone; a record of another length or a colour past the looks leaves it.
  void UpdateColorIndicator() {
    const RCPtr<LRootModuleEngine> engine = LApplication::GetRootModuleEngine();
    if (!engine || !mColor) return;
    Variant value;
    if (Failed(engine->GetParamValue(ParamDescriptor(this->GetFirstParamID()), &value))) return;
    const ElementRecord record = RecordFromValue(value);
    if (record.GetCount() != mKind.tile.recordLength) return;
    const auto color = static_cast<signed char>(*record.GetItemPtr(ColoredSwitchRecord::PreviewColorByte(mPreviewStep)));
    if (color < 0 || color >= mKind.colorCount) return;
    mColor->SetLookWeight(color, 1.0f, true);
  }

  int32_t GetPreviewStep() const { return mPreviewStep; }
  RCPtr<LControl> GetColorIndicator() const { return mColor; }

 protected:
  void WriteNumber(int32_t index) override {
    WriteTileNumber(*this, mKind.numberLabel, mKind.layout, index, mKind.numberMissing, mKind.numberMethod);
  }
  ElementRecord ToViewRecord(const ElementRecord& record) const override {
    return ColoredSwitchRecord::MessageOf(record);
  }

 private:
  const SwitchTileKind mKind;
  RCPtr<LControl> mColor;
  int32_t mPreviewStep = -1;
};

}  // namespace HV
