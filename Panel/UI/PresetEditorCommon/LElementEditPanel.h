#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/RootModuleEngine.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/ParameterizedModule.h"
#include "HVFramework/ControlBase/Views/LPanel.h"
#include "HVFramework/Utilities/Storage/ParamDescriptor.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"
#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/Utilities/Storage/ParamDescriptors.h"
#include "Panel/UI/EditorNotificationNames.h"
#include "Panel/UI/LApplication.h"
#include "Panel/UI/LMainControl.h"
#include "Panel/UI/PresetEditorCommon/ElementRecord.h"

#include <cstdint>

namespace HV {

// What a kind's edit panel checks and names.
struct EditPanelKind {
  uint32_t recordLength;       // the value length the panel takes and sends
  const char16_t* editorName;  // its child editor
  const char* editorMissing;   // detail of the Null Pointer failure of a missing editor
  const char* initializeName;  // qualified name of Initialize in failures
  bool requestFirst;           // asks for the value before it writes its title
};

// LElementEditPanel: the one edit panel of a kind, bound by its group to the
// selected element. It shows the element's record in its child editor
// (Editor: SetParamRecord, GetParamRecord, raising "NID_PARAMETERS_CHANGED")
// and sends the user's changes to the main control, which hands them to the
// engine. The value comes back through the engine's announcement.
//
// While it shows a record it takes none of its editor's changes, so showing
// never sends; unbound (no element chosen yet) it sends nothing either.
template <class IElement, class Editor>
class LElementEditPanel : public LOwnHandlerControl<LPanel, LElementEditPanel<IElement, Editor>>, public IElement {
  using Base = LOwnHandlerControl<LPanel, LElementEditPanel<IElement, Editor>>;

 public:
  LElementEditPanel(LControl* parent, const StringW& name, const EditPanelKind& kind)
      : Base(parent, name), mKind(kind) {}

  HResult Initialize() override {
    const HResult result = LPanel::Initialize();
    if (Failed(result)) return result;
    mEditor = DynamicCast<Editor>(FindEditorControl());
    if (!mEditor) ThrowNullPointer(mKind.editorMissing, HV_HERE(mKind.initializeName));
    CheckResult(this->GetOwnHandler().SetNotification(&LElementEditPanel::OnParametersChanged,
                                          RCPtr<LNotificationDistributor>(mEditor.Get()), kNidParametersChanged),
                HV_HERE(mKind.initializeName));
    return result;
  }

  // Binds the panel to the element: stores the place, writes the title and
  // asks the engine to announce the element's value again.
  void SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) override {
    LParameterizedModule::SetFirstParamID(parent, firstParamID, index);
    if (mKind.requestFirst) RequestValue();
    WriteTitle(index);
    if (!mKind.requestFirst) RequestValue();
  }

  // Shows the element's record, then hands the value to the group for the
  // element's tile. E_FAIL for another element's ID or a value of another length.
  HResult SetParamValueLocal(const ParamDescriptor& descriptor, const Variant& value, bool) override {
    if (descriptor.paramID != this->GetFirstParamID()) return E_FAIL;
    if (!AcceptsLength(ValueLength(value))) return E_FAIL;
    {
      ShowingScope showing(mShowing);
      const ElementRecord record = RecordFromValue(value);
      if (mEditor) mEditor->SetParamRecord(ToEditorRecord(record));
      ShowOwnControls(record);
    }
    this->SetParamValue(descriptor, value);
    return 0;
  }

  // "NID_PARAMETERS_CHANGED" from the editor: the whole record to the main control. 1.
  HResult OnParametersChanged(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
    if (mShowing || !IsBound() || !mEditor) return 1;
    auto* main = dynamic_cast<LMainControl*>(this->GetTopLevelControl());
    if (!main) return 1;
    ElementRecord record = FromEditorRecord(mEditor->GetParamRecord());
    if (record.GetCount() != mKind.recordLength) return 1;
    main->OnParamValueChanged(ParamDescriptor(this->GetFirstParamID()), ValueFromRecord(record));
    return 1;
  }

  bool IsBound() const { return LParameterizedModule::GetParent() != nullptr; }
  RCPtr<Editor> GetEditor() const { return mEditor; }

 protected:
  // The kind's title labels for the element at index.
  virtual void WriteTitle(int32_t index) = 0;
  // Kinds whose editor works on another layout than the element's value convert here.
  virtual bool AcceptsLength(uint32_t length) const { return length == mKind.recordLength; }
  virtual ElementRecord ToEditorRecord(const ElementRecord& record) const { return record; }
  virtual ElementRecord FromEditorRecord(const ElementRecord& record) const { return record; }
  // The child editor; by default the direct child of the kind's editor name.
  virtual RCPtr<LControl> FindEditorControl() { return this->FindChildControl(StringW(mKind.editorName)); }
  // Kinds with controls of their own beside the editor show their bytes here;
  // what they change while showing sends nothing.
  virtual void ShowOwnControls(const ElementRecord& /*record*/) {}

  void RequestValue() {
    if (const RCPtr<LRootModuleEngine> engine = LApplication::GetRootModuleEngine())
      engine->RequestParamValues(ParamDescriptors(ParamRange{this->GetFirstParamID(), 1}));
  }

 private:
  class ShowingScope {
   public:
    explicit ShowingScope(bool& showing) : mShowing(showing), mWas(showing) { mShowing = true; }
    ~ShowingScope() { mShowing = mWas; }
    ShowingScope(const ShowingScope&) = delete;
    ShowingScope& operator=(const ShowingScope&) = delete;

   private:
    bool& mShowing;
    const bool mWas;
  };

  const EditPanelKind mKind;
  RCPtr<Editor> mEditor;
  bool mShowing = false;
};

}  // namespace HV
