#include "Panel/UI/OrvaneSeriesCommon/LXYPadEditPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "Panel/UI/OrvaneSeriesCommon/TouchPadAxisRecord.h"

namespace HV {
namespace {

constexpr const char* kInitialize = "LXYPadEditPanel::Initialize";
// The request for the axis's value goes out before the title is written.
constexpr EditPanelKind kXYPadEdit{TouchPadAxisRecord::kLength, u"midiPage", "Cannot find child: viewTabControl: midiPage",
                                   kInitialize, true};

}  // namespace

LXYPadEditPanel::LXYPadEditPanel(LControl* parent, const StringW& name) : LElementEditPanel(parent, name, kXYPadEdit) {}

LXYPadEditPanel::~LXYPadEditPanel() = default;

RCPtr<LControl>& LXYPadEditPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                         const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LXYPadEditPanel>(result, parent, descriptor);
}

HResult LXYPadEditPanel::Initialize() {
  const HResult result = LElementEditPanel::Initialize();
  if (Failed(result)) return result;
  mNotePage = DynamicCast<LNoteModeEditPanel>(FindTabControl()->GetPage(StringW(u"noteModePage")));
  if (!mNotePage) ThrowNullPointer("Cannot find child: viewTabControl: noteModePage", HV_HERE(kInitialize));
  ListenToEditor(RCPtr<LNotificationDistributor>(mNotePage.Get()), kInitialize);
  return result;
}

RCPtr<LTabControl> LXYPadEditPanel::FindTabControl() {
  const RCPtr<LTabControl> tabs = DynamicCast<LTabControl>(FindChildControl(StringW(u"viewTabControl")));
  if (!tabs) ThrowNullPointer("Cannot find child: viewTabControl", HV_HERE(kInitialize));
  return tabs;
}

RCPtr<LMoveableControlEditPanel> LXYPadEditPanel::FindEditor() {
  return DynamicCast<LMoveableControlEditPanel>(FindTabControl()->GetPage(StringW(u"midiPage")));
}

// Index 0 the X axis, 1 the Y axis.
void LXYPadEditPanel::WriteTitle(int32_t index) { WriteTitleFrom(u"axisName", {u"LABEL_X_AXIS", u"LABEL_Y_AXIS"}, index); }

void LXYPadEditPanel::ShowRecord(const ElementRecord& record) {
  GetEditor()->SetParamRecord(TouchPadAxisRecord::MidiPart(record));
  if (mNotePage) mNotePage->SetParamRecord(TouchPadAxisRecord::NotesPart(record));
}

ElementRecord LXYPadEditPanel::ReadRecord() {
  const ElementRecord notes = mNotePage ? mNotePage->GetParamRecord() : ElementRecord();
  return TouchPadAxisRecord::Join(GetEditor()->GetParamRecord(), notes);
}

}  // namespace HV
