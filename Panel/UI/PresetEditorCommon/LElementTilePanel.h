#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ParameterizedModule.h"
#include "HVFramework/ControlBase/Views/LPanel.h"
#include "HVFramework/Utilities/Storage/ParamDescriptor.h"
#include "HVFramework/ObjectBase/Exception.h"
#include "Panel/UI/PresetEditorCommon/ElementRecord.h"

#include <cstdint>
#include <string>

namespace HV {

// What a kind's tile checks and names.
struct TileKind {
  uint32_t recordLength;      // the only value length its view is given
  const char* viewMissing;    // detail of the Null Pointer failure of a missing "viewPanel"
  const char* initializeName; // qualified name of Initialize in failures
};

// LElementTilePanel: the tile of one element in its group's bank. It shows
// a summary of the element's record through its "viewPanel" child (View,
// with SetParamRecord) and carries the "button" the group listens to. It
// sends nothing: a tile only shows.
template <class IElement, class View>
class LElementTilePanel : public LPanel, public IElement {
 public:
  LElementTilePanel(LControl* parent, const StringW& name, const TileKind& kind)
      : LPanel(parent, name), mKind(kind) {}

  HResult Initialize() override {
    const HResult result = LPanel::Initialize();
    if (Failed(result)) return result;
    mView = DynamicCast<View>(FindChildControl(StringW(u"viewPanel")));
    if (!mView) ThrowNullPointer(mKind.viewMissing, HV_HERE(mKind.initializeName));
    return result;
  }

  // Stores the place, then writes the tile's number for its index.
  void SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) override {
    LParameterizedModule::SetFirstParamID(parent, firstParamID, index);
    WriteNumber(index);
  }

  // E_FAIL for another element's ID or a value of another length.
  HResult SetParamValueLocal(const ParamDescriptor& descriptor, const Variant& value, bool) override {
    if (descriptor.paramID != this->GetFirstParamID()) return E_FAIL;
    if (ValueLength(value) != mKind.recordLength) return E_FAIL;
    if (mView) mView->SetParamRecord(ToViewRecord(RecordFromValue(value)));
    return 0;
  }

  RCPtr<View> GetView() const { return mView; }

 protected:
  // The kind's number label; none by default.
  virtual void WriteNumber(int32_t /*index*/) {}
  // Kinds whose view works on another layout than the element's value convert here.
  virtual ElementRecord ToViewRecord(const ElementRecord& record) const { return record; }

 private:
  const TileKind mKind;
  RCPtr<View> mView;
};

}  // namespace HV
