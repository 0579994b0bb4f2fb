#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ParameterizedModule.h"
#include "HVFramework/ControlBase/Views/LPanel.h"
#include "HVFramework/Utilities/Storage/ParamDescriptor.h"
#include "HVFramework/Controls/LLabel.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"
#include "HVFramework/ObjectBase/Exception.h"
#include "Panel/UI/EditorNotificationNames.h"
#include "Panel/UI/LMainControl.h"
#include "Panel/UI/PresetEditorCommon/ElementRecord.h"

#include <cstdint>
#include <initializer_list>

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
    mEditor = FindEditor();
    if (!mEditor) ThrowNullPointer(mKind.editorMissing, HV_HERE(mKind.initializeName));
    ListenToEditor(RCPtr<LNotificationDistributor>(mEditor.Get()), mKind.initializeName);
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
      if (mEditor) ShowRecord(record);
      ShowOwnControls(record);
    }
    this->SetParamValue(descriptor, value);
    return 0;
  }

  // "NID_PARAMETERS_CHANGED" from the editor: the whole record to the main control. 1.
  HResult OnParametersChanged(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
    if (mShowing || !IsBound() || !mEditor) return 1;
    const ElementRecord record = ReadRecord();
    if (record.GetCount() != mKind.recordLength) return 1;
    LMainControl::SendEdit(*this, this->GetFirstParamID(), ValueFromRecord(record));
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
  // The child editor; by default the direct child the kind names.
  virtual RCPtr<Editor> FindEditor() { return DynamicCast<Editor>(this->FindChildControl(StringW(mKind.editorName))); }
  // Shows the element's record; kinds with more than one editor split it here.
  virtual void ShowRecord(const ElementRecord& record) { mEditor->SetParamRecord(ToEditorRecord(record)); }
  // The record the editors show, as it is sent.
  virtual ElementRecord ReadRecord() { return FromEditorRecord(mEditor->GetParamRecord()); }
  // Sets label labelName to its string stringIds[index]; without the label,
  // or for an index past the list, the title stays as it is.
  void WriteTitleFrom(const char16_t* labelName, std::initializer_list<const char16_t*> stringIds, int32_t index) {
    const RCPtr<LLabel> title = DynamicCast<LLabel>(this->FindChildControl(StringW(labelName)));
    if (!title || index < 0 || static_cast<size_t>(index) >= stringIds.size()) return;
    title->SetText(title->GetString(StringW(stringIds.begin()[index])));
  }
  // Takes "NID_PARAMETERS_CHANGED" of source as a user edit; a failed
  // registration is a Failed Result of method.
  void ListenToEditor(const RCPtr<LNotificationDistributor>& source, const char* method) {
    CheckResult(this->GetOwnHandler().SetNotification(&LElementEditPanel::OnParametersChanged, source,
                                                      kNidParametersChanged),
                HV_HERE(method));
  }
  // Kinds with controls of their own beside the editor show their bytes here;
  // what they change while showing sends nothing.
  virtual void ShowOwnControls(const ElementRecord& /*record*/) {}

  void RequestValue() { LMainControl::RequestValue(this->GetFirstParamID()); }

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
