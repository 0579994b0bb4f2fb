#include "tools/gallery/GalleryApp.h"

#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Views/LDialog.h"
#include "HVFramework/Controls/Button/LButton.h"
#include "HVFramework/Controls/CheckedListBox/LIndexedDataParam.h"
#include "HVFramework/Controls/ComboBox/LComboBox.h"
#include "HVFramework/Controls/ControlsNotificationNames.h"
#include "HVFramework/Controls/LLevelMeter.h"
#include "HVFramework/Controls/LStatusBar.h"
#include "HVFramework/Controls/MultiColumnListBox/LMultiColumnListBox.h"
#include "HVFramework/Controls/TabControl/LTabControl.h"
#include "HVFramework/Controls/TextBox/LTextBox.h"
#include "HVFramework/Controls/TextBox/LTextValidationParams.h"
#include "HVFramework/Controls/TreeView/LTreeView.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LanguageIds.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "tools/gallery/GalleryNotificationNames.h"
#include "HVFramework/Utilities/Storage/Utf8Text.h"

#include <cmath>
#include <utility>

namespace HV::Gallery {
namespace {

constexpr const char16_t* kTable = u"tabs/pageHolder/pageFirst/table";

constexpr const char16_t* kSecondPage = u"tabs/pageHolder/pageSecond/";
constexpr const char16_t* kThirdPage = u"tabs/pageHolder/pageThird/";

std::u16string Concat(const char16_t* a, const char16_t* b) { return std::u16string(a) + b; }

std::u16string Number(int32_t value) {
  const std::string text = std::to_string(value);
  return std::u16string(text.begin(), text.end());
}


}  // namespace

ApplicationIdentity GalleryApp::GetGalleryIdentity() {
  return {.companyName = StringW(u"HV"),
          .productName = StringW(u"HV Gallery"),
          .productVersion = StringW(u"1.0"),
          .versionString = StringW(u"1.0.0"),
          .copyright = StringW(u"The framework's demo program"),
          .applicationName = StringW(u"HVGallery"),
          .mainControlName = StringW(kMainControlName)};
}

ApplicationRunner::Program GalleryApp::GetGalleryProgram(const RectT<int32_t>& rect, std::FILE* report) {
  ApplicationRunner::Program program;
  program.identity = GetGalleryIdentity();
  program.applicationStrings = StringW(u"::GalleryStrings.xml");
  program.frameworkStrings = StringW(u"::NONE");
  program.skins = StringW(u"::GallerySkin.xml");
  program.makeApplication = [rect, report](std::unique_ptr<LControlFactory> factory,
                                           const RCPtr<LStringTable>& frameworkStrings, const ApplicationIdentity&,
                                           OSWindowDispatcher& dispatcher) -> RCPtr<LApplicationBase> {
    return Create(std::move(factory), frameworkStrings, dispatcher, rect, report);
  };
  return program;
}

RCPtr<GalleryApp> GalleryApp::Create(std::unique_ptr<LControlFactory> factory,
                                     const RCPtr<LStringTable>& frameworkStrings, OSWindowDispatcher& dispatcher,
                                     const RectT<int32_t>& rect, std::FILE* report) {
  return RCPtr<GalleryApp>(new GalleryApp(std::move(factory), frameworkStrings, dispatcher, rect, report));
}

RCPtr<GalleryApp> GalleryApp::Open(OSWindowDispatcher& dispatcher, const RectT<int32_t>& rect, std::FILE* report,
                                   std::string& error) {
  const ApplicationRunner::Program program = GetGalleryProgram(rect, report);
  std::unique_ptr<LControlFactory> factory =
      ApplicationRunner::LoadControlFactory(program, kLanguageEnglishUS, nullptr);
  if (!factory) {
    error = "the gallery skin could not be loaded";
    return nullptr;
  }
  const RCPtr<LStringTable> frameworkStrings = factory->GetFrameworkStringTable();
  RCPtr<GalleryApp> app = Create(std::move(factory), frameworkStrings, dispatcher, rect, report);
  if (app->RunApplicationStartup() != S_OK) {
    error = "the gallery application could not start";
  } else if (app->CreateMainWindow() != S_OK || !app->ShowMainWindow()) {
    error = "no window to show the gallery skin in";
  } else {
    return app;
  }
  app->Close();
  return nullptr;
}

GalleryApp::GalleryApp(std::unique_ptr<LControlFactory> factory, const RCPtr<LStringTable>& frameworkStrings,
                       OSWindowDispatcher& dispatcher, const RectT<int32_t>& rect, std::FILE* report)
    : LApplicationBase(std::move(factory), frameworkStrings, GetGalleryIdentity(), dispatcher),
      mMainRect(rect),
      mReport(report) {}

GalleryApp::~GalleryApp() { Close(); }

void GalleryApp::Close() {
  mHandler = nullptr;
  LApplicationBase::Close();
}

// --- Running ---

HResult GalleryApp::RunApplicationStartup() {
  if (LApplicationBase::RunApplicationStartup() != S_OK) return E_FAIL;
  // The gallery's own classes come after the framework's.
  GetControlFactory()->RegisterControlCreateFunction(StringW(kDialogClassName), &LDialog::Create);
  return S_OK;
}

HResult GalleryApp::CreateMainWindow() {
  if (LApplicationBase::CreateMainWindow() != S_OK) return E_FAIL;
  StartValueControls();
  ListenToControls();
  return S_OK;
}

RectT<int32_t> GalleryApp::GetMainWindowRect(const LControlDescriptor&) const { return mMainRect; }

bool GalleryApp::ProcessIdle(bool firstPass) {
  ReportActivation();
  return LApplicationBase::ProcessIdle(firstPass);
}

// Keys reach the main window only while it is active, which the desktop may
// make it some time after it shows: whoever drives the gallery from outside
// waits for this line before typing.
void GalleryApp::ReportActivation() {
  const OSWindow* main = LApplicationBase::GetMainWindow();
  const bool isActive = main && main->IsActive();
  if (isActive == mWasActive) return;
  mWasActive = isActive;
  if (!mReport) return;
  std::fprintf(mReport, "hv-gallery: the window is %s\n", isActive ? "active" : "inactive");
  std::fflush(mReport);
}

HResult GalleryApp::OnOtherInstanceCommandLine(const StringW& commandLine) {
  if (mReport) {
    std::fprintf(mReport, "hv-gallery: another instance was started with: %s\n", ToUtf8(commandLine).c_str());
    std::fflush(mReport);
  }
  return S_OK;
}

void GalleryApp::ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                                     const RCPtr<LNotification>& notification) {
  if (const RCPtr<LNotificationHandler<GalleryApp>> handler = mHandler)
    if (handler->Dispatch(source, notification) != S_OK) return;
  LApplicationBase::ReceiveNotification(source, notification);
}

// --- The gallery's answers ---

RCPtr<LControl> GalleryApp::FindControl(const char16_t* path) const {
  const OSWindow* main = LApplicationBase::GetMainWindow();
  if (!main) return nullptr;
  RCPtr<LControl> control = main->GetRootWindow()->GetRootControl();
  std::u16string_view rest(path);
  while (control && !rest.empty()) {
    const size_t slash = rest.find(u'/');
    control = control->FindChildControl(StringW(std::u16string(rest.substr(0, slash)).c_str()));
    rest = slash == std::u16string_view::npos ? std::u16string_view() : rest.substr(slash + 1);
  }
  return control;
}

void GalleryApp::ListenToControls() {
  mHandler = RCPtr<LNotificationHandler<GalleryApp>>(new LNotificationHandler<GalleryApp>(this));
  struct Listened {
    const char16_t* path;
    const NotificationName& name;
    HResult (GalleryApp::*handler)(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&);
  };
  static constexpr Listened kListened[] = {
      {u"sectionButtons/buttonClick", kNidLeftClick, &GalleryApp::OnClick},
      {u"sectionText/textBox", kNidTextboxValidated, &GalleryApp::OnTextEntered},
      {u"buttonDialog", kNidLeftClick, &GalleryApp::OnOpenDialog},
      {u"sectionSliders/slider", kNidValueChange, &GalleryApp::OnValueChange},
      {u"sectionSliders/knob", kNidValueChange, &GalleryApp::OnValueChange},
      {u"sectionCombo/comboBox", kNidSelectionChange, &GalleryApp::OnComboSelection},
      {kTable, kNidSelectionChange, &GalleryApp::OnTableSelection},
      {u"tabs", kNidTabSelected, &GalleryApp::OnTabSelected},
  };
  for (const Listened& listened : kListened)
    if (const RCPtr<LControl> control = FindControl(listened.path))
      mHandler->SetNotification(listened.handler, RCPtr<LNotificationDistributor>(control), listened.name);
  // The tab pages' controls.
  struct Paged {
    std::u16string path;
    const NotificationName& name;
  };
  const Paged kPaged[] = {
      {Concat(kSecondPage, u"centeredSlider"), kNidValueChange}, {Concat(kSecondPage, u"comboSlider"), kNidValueChange},
      {Concat(kSecondPage, u"checkedCombo"), kNidItemCheckChange},   {Concat(kThirdPage, u"checkedList"), kNidItemCheckChange},
      {Concat(kThirdPage, u"treeView"), kNidItemCheckChange},
  };
  for (const auto& [path, name] : kPaged) {
    const RCPtr<LControl> control = FindControl(path.c_str());
    if (!control) continue;
    const auto handler = &name == &kNidValueChange ? &GalleryApp::OnValueChange : &GalleryApp::OnItemCheck;
    mHandler->SetNotification(handler, RCPtr<LNotificationDistributor>(control), name);
  }
  // The menu bar posts its commands into the root window's queue.
  const RCPtr<LNotificationDistributor> root(GetMainWindow().GetRootWindow().Get());
  mHandler->SetNotification(&GalleryApp::OnMenuExit, root, kNidMenuFileExitReq);
  mHandler->SetNotification(&GalleryApp::OnMenuAbout, root, kNidMenuHelpAboutReq);
  SetStatusBar(DynamicCast<LStatusBar>(FindControl(u"statusBar")));
}

// The value controls show a value from the start; the gallery has no task to follow.
void GalleryApp::StartValueControls() {
  if (const RCPtr<LControl> progress = FindControl(u"sectionValues/progressBar")) progress->SetNormalizedValue(0.62);
  if (const RCPtr<LLevelMeter> meter = DynamicCast<LLevelMeter>(FindControl(u"sectionValues/levelMeter")))
    meter->SetLevel(0.7, 0.85);
  // The text box keeps its caret in view as the text outgrows it.
  if (const RCPtr<LTextBox> box = DynamicCast<LTextBox>(FindControl(u"sectionText/textBox")))
    box->SetAutoScroll(false, true);
  if (const RCPtr<LControl> upDown = FindControl(u"sectionText/upDown")) {
    upDown->SetRange(0, 127, 0);
    upDown->SetValue(64);
  }
  for (const char16_t* path : {u"sectionSliders/slider", u"sectionSliders/knob"})
    if (const RCPtr<LControl> control = FindControl(path)) control->SetValue(64);
  if (const RCPtr<LControl> label = FindControl(u"sectionSliders/labelSlider")) label->SetText(StringW(u"64"));
  if (const RCPtr<LComboBox> combo = DynamicCast<LComboBox>(FindControl(u"sectionCombo/comboBox")))
    combo->SetSelectedIndex(0);
  if (const RCPtr<LControl> centred = FindControl(Concat(kSecondPage, u"centeredSlider").c_str())) {
    centred->SetRange(-64, 63, 0);
    centred->SetValue(24);
  }
  if (const RCPtr<LControl> comboSlider = FindControl(Concat(kSecondPage, u"comboSlider").c_str()))
    comboSlider->SetValue(100);
  if (const RCPtr<LComboBox> combo = DynamicCast<LComboBox>(FindControl(Concat(kSecondPage, u"checkedCombo").c_str())))
    combo->SetSelectedIndex(0);
  StartTree();
  MarkSelectedTab();
}

// The tree's items come flat from the string table; the branches are the gallery's.
void GalleryApp::StartTree() {
  const RCPtr<LTreeView> tree = DynamicCast<LTreeView>(FindControl(Concat(kThirdPage, u"treeView").c_str()));
  if (!tree || tree->GetItemCount() < 7) return;
  // Keyboard > Zones > Upper, Lower; Keyboard > Controls > Knobs, Faders.
  static constexpr int32_t kParents[][2] = {{1, 0}, {2, 1}, {3, 1}, {4, 0}, {5, 4}, {6, 4}};
  for (const auto& [item, parent] : kParents) tree->SetItemParent(item, parent);
  for (int32_t item : {0, 1, 4}) tree->SetItemChecked(item, true);
  tree->UpdateChildVisibility(0);
}

void GalleryApp::Announce(const char16_t* labelPath, const std::u16string& text) {
  const StringW shown(text.c_str());
  if (const RCPtr<LControl> label = labelPath ? FindControl(labelPath) : nullptr) label->SetText(shown);
  SetStatusText(shown, false);
  if (!mReport) return;
  std::fprintf(mReport, "hv-gallery: %s\n", ToUtf8(shown).c_str());
  std::fflush(mReport);
}

HResult GalleryApp::OnClick(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
  ++mClicks;
  const std::string count = std::to_string(mClicks);
  Announce(u"sectionButtons/labelClicks",
           u"Clicked " + std::u16string(count.begin(), count.end()) + (mClicks == 1 ? u" time" : u" times"));
  return 1;
}

HResult GalleryApp::OnTextEntered(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>& notification) {
  const RCPtr<LTextValidationParams> params = DynamicCast<LTextValidationParams>(notification->GetPayload());
  if (params) Announce(u"sectionText/labelEcho", u"Entered: " + std::u16string(params->text.GetView()));
  return 1;
}

// The slider's value also shows beside it; the knob's in the status bar only.
HResult GalleryApp::OnValueChange(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>&) {
  const LControl* control = dynamic_cast<const LControl*>(source.Get());
  if (!control) return 1;
  const std::u16string shown = Number(static_cast<int32_t>(std::lround(control->GetValue())));
  const StringW& name = control->GetName();
  const bool isSlider = name == StringW(u"slider");
  if (const RCPtr<LControl> label = isSlider ? FindControl(u"sectionSliders/labelSlider") : nullptr)
    label->SetText(StringW(shown.c_str()));
  const char16_t* title = isSlider                                ? u"Slider: "
                          : name == StringW(u"centeredSlider") ? u"Centred slider: "
                          : name == StringW(u"comboSlider")    ? u"Combo slider: "
                                                               : u"Knob: ";
  Announce(nullptr, title + shown);
  return 1;
}

// The checked lists (and the tree, whose check boxes open its branches) report the item and its state.
HResult GalleryApp::OnItemCheck(const RCPtr<LNotificationDistributor>& source,
                                const RCPtr<LNotification>& notification) {
  const LControl* control = dynamic_cast<const LControl*>(source.Get());
  const RCPtr<LIndexedDataWithValueParam> params =
      DynamicCast<LIndexedDataWithValueParam>(notification->GetPayload());
  if (!control || !params) return 1;
  const LListBox* list = dynamic_cast<const LListBox*>(control);
  if (const LComboBox* combo = dynamic_cast<const LComboBox*>(control)) list = combo->GetListBox();
  const std::u16string item = list ? std::u16string(list->GetItemText(params->Index).GetView()) : Number(params->Index);
  const bool isTree = control->GetName() == StringW(u"treeView");
  const bool on = params->Value >= 0.5;
  const char16_t* state = isTree ? (on ? u" opened" : u" closed") : (on ? u" ticked" : u" cleared");
  Announce(nullptr, (isTree ? u"Tree: " : u"Checked: ") + item + state);
  return 1;
}

HResult GalleryApp::OnComboSelection(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>&) {
  if (const LControl* combo = dynamic_cast<const LControl*>(source.Get()))
    Announce(nullptr, u"Combo box: " + std::u16string(combo->GetText().GetView()));
  return 1;
}

// A row of the table is its cells, column by column.
HResult GalleryApp::OnTableSelection(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>&) {
  const LMultiColumnListBox* table = dynamic_cast<const LMultiColumnListBox*>(source.Get());
  const LListBox* first = table ? table->GetColumn(0) : nullptr;
  int32_t row = first ? first->GetItemCount() - 1 : -1;
  while (row >= 0 && !first->IsItemSelected(row)) --row;
  if (row < 0) return 1;
  std::u16string cells;
  for (int32_t column = 0; column < table->GetColumnCount(); ++column)
    cells += (column ? u", " : u"") + std::u16string(table->GetCellText(column, row).GetView());
  Announce(nullptr, u"Table: " + cells);
  return 1;
}

HResult GalleryApp::OnTabSelected(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
  MarkSelectedTab();
  return 0;
}

// The tab control leaves its buttons' looks to the application: the
// selected tab's button shows as on.
void GalleryApp::MarkSelectedTab() {
  const RCPtr<LTabControl> tabs = DynamicCast<LTabControl>(FindControl(u"tabs"));
  if (!tabs) return;
  const int32_t selected = tabs->GetSelectedPageIndex();
  for (int32_t i = 0; i < tabs->GetPageCount(); ++i)
    if (const RCPtr<LButton> button = DynamicCast<LButton>(tabs->GetPageButtonAt(i))) button->SetChecked(i == selected);
}

HResult GalleryApp::OnMenuExit(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
  GetApplicationNotificationCenter()->CreateAndPostNotification(kNidAppExitReq);
  return 1;
}

HResult GalleryApp::OnMenuAbout(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
  Announce(nullptr, u"About: HV Gallery " + std::u16string(GetProductVersion().GetView()));
  return 1;
}

HResult GalleryApp::OnOpenDialog(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
  const RCPtr<LDialog> dialog = DynamicCast<LDialog>(CreateControl(StringW(u"dialogDemo"), nullptr));
  if (!dialog) return 1;
  const HResult result = dialog->DoModal();
  const char16_t* how = result == LDialog::kOK ? u"OK" : result == LDialog::kCancel ? u"Cancel" : u"no answer";
  Announce(u"labelDialog", std::u16string(u"Dialog closed with ") + how);
  return 1;
}

}  // namespace HV::Gallery
