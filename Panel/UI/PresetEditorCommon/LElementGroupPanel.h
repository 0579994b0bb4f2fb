#pragma once

#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Views/LPanel.h"
#include "HVFramework/Controls/Button/LButton.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"
#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/Utilities/Storage/RCPtrArray.h"
#include "Panel/UI/LDeviceView.h"
#include "Panel/UI/PresetEditorCommon/BankedElements.h"

#include <cstdint>
#include <vector>

namespace HV {

// What a kind's group finds, shows and names.
struct GroupKind {
  const char16_t* editPanelName;  // the shared edit panel, a child of "viewDevice"
  const char* editPanelMissing;   // detail of the Null Pointer failure without one
  int32_t showKind;               // LDeviceView::ShowEditPanel's kind
  // Fader groups listen to the edit panel's visibility from the first click
  // on; the others from Initialize.
  bool listensFromClick;
  const char* initializeName;     // qualified name of Initialize in failures
  // Pads bind the edit panel before they show it; the others show first.
  bool bindsBeforeShowing = false;
};

// LElementGroupPanel: the group of one kind's tiles. It hands each tile its
// parameter ID (the group interface's walk), selects a tile on a click on its
// "button", shows the kind's edit panel and binds it to that element, and
// lets a value for the bound element reach both the edit panel and the tile.
//
// Lookups of a child by index: the first pass (the walk that places the
// IDs, once after Initialize) reaches the tiles; later lookups of the bound
// element reach the edit panel, which passes the value on to the tile.
template <class IGroup, class Tile, class EditPanel>
class LElementGroupPanel : public LOwnHandlerControl<LPanel, LElementGroupPanel<IGroup, Tile, EditPanel>>, public IGroup {
  using Base = LOwnHandlerControl<LPanel, LElementGroupPanel<IGroup, Tile, EditPanel>>;

 public:
  using IElement = typename IGroup::Element;

  LElementGroupPanel(LControl* parent, const StringW& name, const GroupKind& kind)
      : Base(parent, name), mKind(kind) {}

  HResult Initialize() override {
    const HResult result = LPanel::Initialize();
    if (Failed(result)) return result;
    if (const RCPtr<LDeviceView> view = FindDeviceView()) {
      mEditPanel = DynamicCast<EditPanel>(view->FindChildControl(StringW(mKind.editPanelName)));
      if (!mKind.listensFromClick) ListenToEditPanel();
    }
    if (!mEditPanel) ThrowNullPointer(mKind.editPanelMissing, HV_HERE(mKind.initializeName));
    CollectTiles();
    mLookups = 0;
    HResult pending = result;
    for (uint32_t i = 0; i < mTiles.GetCount(); ++i) {
      const RCPtr<Tile>& tile = mTiles.GetAt(i);
      if (!tile) {
        pending = E_FAIL;
        continue;
      }
      CheckResult(this->GetOwnHandler().SetNotification(&LElementGroupPanel::OnTileClicked, ButtonSource(*tile), kNidLeftClick),
                  HV_HERE(mKind.initializeName));
    }
    if (mTiles.GetCount() != static_cast<uint32_t>(IGroup::kCount)) pending = E_FAIL;
    if (Failed(pending)) ThrowFailedResult(pending, HV_HERE(mKind.initializeName));
    return pending;
  }

  // The child accessor of the group interface.
  RCPtr<IElement> GetElement(int32_t index) override {
    if (index < 0 || static_cast<uint32_t>(index) >= mTiles.GetCount()) return nullptr;
    const RCPtr<Tile> tile = mTiles.GetAt(static_cast<uint32_t>(index));
    if (mLookups < mTiles.GetCount()) {
      ++mLookups;
      return RCPtr<IElement>(tile.Get());
    }
    if (tile && ShowsInEditPanel(*tile)) return RCPtr<IElement>(mEditPanel.Get());
    return RCPtr<IElement>(tile.Get());
  }

  // The edit panel's value, to the tile of the same element. 0.
  HResult SetParamValue(const ParamDescriptor& descriptor, const Variant& value) override {
    for (uint32_t i = 0; i < mTiles.GetCount(); ++i) {
      const RCPtr<Tile>& tile = mTiles.GetAt(i);
      if (tile && ShowsInEditPanel(*tile)) tile->SetParamValueLocal(descriptor, value, false);
    }
    return 0;
  }

  // "NID_LEFT_CLICK" of a tile's button: that tile is selected, the others
  // not; the edit panel shows and is bound to its element. 1.
  HResult OnTileClicked(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>&) {
    for (uint32_t i = 0; i < mTiles.GetCount(); ++i) {
      const RCPtr<Tile>& tile = mTiles.GetAt(i);
      const RCPtr<LButton> button = tile ? DynamicCast<LButton>(tile->FindChildControl(StringW(u"button"))) : nullptr;
      if (!button) continue;
      if (static_cast<LNotificationDistributor*>(button.Get()) != source.Get()) {
        button->SetNormalizedValue(0.0);
        continue;
      }
      button->SetNormalizedValue(1.0);
      const RCPtr<LDeviceView> view = FindDeviceView();
      if (!view) continue;
      if (mKind.bindsBeforeShowing) mEditPanel->SetFirstParamID(this, tile->GetFirstParamID(), static_cast<int32_t>(i));
      view->ShowEditPanel(mKind.showKind, static_cast<int32_t>(i));
      if (!mKind.bindsBeforeShowing) mEditPanel->SetFirstParamID(this, tile->GetFirstParamID(), static_cast<int32_t>(i));
      if (mKind.listensFromClick) ListenToEditPanel();
    }
    return 1;
  }

  // "NID_VISIBLITY_CONDITION_CHANGE" of the edit panel: once another kind's
  // panel shows, no tile of this group stays selected. 1.
  HResult OnEditPanelVisibilityChanged(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
    if (mEditPanel && mEditPanel->IsVisible()) return 1;
    for (uint32_t i = 0; i < mTiles.GetCount(); ++i) {
      const RCPtr<Tile>& tile = mTiles.GetAt(i);
      if (const RCPtr<LButton> button =
              tile ? DynamicCast<LButton>(tile->FindChildControl(StringW(u"button"))) : nullptr)
        button->SetNormalizedValue(0.0);
    }
    return 1;
  }

  RCPtr<Tile> GetTile(uint32_t index) const {
    return index < mTiles.GetCount() ? mTiles.GetAt(index) : nullptr;
  }
  uint32_t GetTileCount() const { return mTiles.GetCount(); }
  RCPtr<EditPanel> GetEditPanel() const { return mEditPanel; }

 protected:
  // Appends the kind's tiles in element order (an empty entry for a missing
  // one); throws for a missing container.
  virtual void CollectTiles() = 0;

  void AppendTile(const RCPtr<LControl>& container, const StringW& name) {
    mTiles.AddItem(container ? DynamicCast<Tile>(container->FindChildControl(name)) : RCPtr<Tile>());
  }
  // The tiles of all banks, bank by bank; a missing bank throws.
  void CollectBankedTiles(const BankLayout& layout, const char* method) {
    std::vector<RCPtr<LControl>> banks(layout.banks);
    FindBanks(*this, layout, banks.data(), method);
    for (const RCPtr<LControl>& bank : banks)
      for (uint32_t n = 1; n <= layout.perBank; ++n) AppendTile(bank, NumberedName(layout.tileStem, n));
  }

 private:
  RCPtr<LDeviceView> FindDeviceView() {
    LControl* top = this->GetTopLevelControl();
    return top ? DynamicCast<LDeviceView>(top->FindChildControl(StringW(u"viewDevice"))) : nullptr;
  }

  static RCPtr<LNotificationDistributor> ButtonSource(Tile& tile) {
    const RCPtr<LControl> button = tile.FindChildControl(StringW(u"button"));
    return RCPtr<LNotificationDistributor>(button.Get());
  }

  // A missing edit panel is a null source: E_INVALIDARG, a Failed Result.
  void ListenToEditPanel() {
    CheckResult(this->GetOwnHandler().SetNotification(&LElementGroupPanel::OnEditPanelVisibilityChanged,
                                          RCPtr<LNotificationDistributor>(mEditPanel.Get()),
                                          kNidVisibilityConditionChange),
                HV_HERE(mKind.initializeName));
  }

  bool ShowsInEditPanel(const Tile& tile) const {
    return mEditPanel && mEditPanel->IsBound() && tile.GetFirstParamID() == mEditPanel->GetFirstParamID();
  }

  const GroupKind mKind;
  RCPtrArray<Tile> mTiles;
  RCPtr<EditPanel> mEditPanel;
  uint32_t mLookups = 0;
};

}  // namespace HV
