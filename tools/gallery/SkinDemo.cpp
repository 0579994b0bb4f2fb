#include "tools/gallery/SkinDemo.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/Control/LFileDropper.h"
#include "HVFramework/ControlBase/Views/LPanel.h"
#include "HVFramework/ControlBase/Window/ActiveWindow.h"
#include "HVFramework/Controls/Button/LButton.h"
#include "HVFramework/Controls/LLabel.h"
#include "HVFramework/Controls/LLevelMeter.h"
#include "HVFramework/Controls/LProgressBar.h"
#include "HVFramework/Controls/LStatusBar.h"
#include "HVFramework/Controls/LToolTip.h"
#include "HVFramework/Controls/ScrollBar/LScrollbar.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/Renderer/ApplicationRenderer.h"

#include <functional>
#include <utility>

namespace HV::Gallery {
namespace {

constexpr const char16_t* kExitRequest = u"NID_APP_EXIT_REQ";

// Ends the loop when the application is asked to exit.
class ExitRequestListener : public LNotificationClient {
 public:
  static RCPtr<ExitRequestListener> Create(std::function<void()> onExit) {
    return RCPtr<ExitRequestListener>(new ExitRequestListener(std::move(onExit)));
  }
  void ReceiveNotification(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) override {
    if (mOnExit) mOnExit();
  }

 protected:
  explicit ExitRequestListener(std::function<void()> onExit) : mOnExit(std::move(onExit)) {}

 private:
  std::function<void()> mOnExit;
};

// The framework's control classes a skin may name.
constexpr const char16_t* kFrameworkClasses[] = {
    u"Framework.Button",         u"Framework.OverlayButton",      u"Framework.ListBox",
    u"Framework.listboxNoScroll", u"Framework.ListBoxItem",       u"Framework.CheckedListBox",
    u"Framework.CheckedListBoxItem", u"Framework.ListBoxWithIcons", u"Framework.listbox2ColumnSortable",
    u"Framework.ScrollBar",      u"Framework.ScrollChannel",      u"Framework.ComboBox",
    u"Framework.ComboTextBox",   u"Framework.CheckedComboBox",    u"Framework.ComboBoxWithIcons",
    u"Framework.ComboSlider",    u"Framework.ComboSlider.DropDownPanel", u"Framework.Slider",
    u"Framework.Knob",           u"Framework.TabControl",         u"Framework.Label",
    u"Framework.TextBox",        u"Framework.NumericUpDown",      u"Framework.Panel",
    u"Framework.ToolTip",        u"Framework.PopupMenu",          u"Framework.MenuItem",
    u"Framework.ComboMenu",      u"Framework.MainMenu",           u"Framework.StatusBar",
    u"Framework.SplitterH",      u"Framework.SplitterV",          u"Framework.LevelMeter",
    u"Framework.ProgressBar",    u"Framework.TreeView",           u"Framework.TreeViewItem",
    u"Framework.CenteredSlider", u"Framework.CenteredSliderBounds",
};

RCPtr<LControl>& CreatePlainControl(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                    const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LControl>(result, parent, descriptor);
}

// A class registered first keeps its creator: the plain one fills the gaps.
void RegisterControlClasses(LControlFactory& factory) {
  using Register = HResult (*)(LControlFactory&);
  for (Register registerClass : {&LPanel::Register, &LButton::Register, &LLabel::Register, &LLevelMeter::Register,
                                 &LProgressBar::Register, &LStatusBar::Register, &LToolTip::Register,
                                 &LScrollbar::Register, &LFileDropper::Register})
    registerClass(factory);
  for (const char16_t* name : kFrameworkClasses)
    factory.RegisterControlCreateFunction(StringW(name), &CreatePlainControl);
}

}  // namespace

std::unique_ptr<SkinDemo> SkinDemo::Open(OSWindowDispatcher& dispatcher, const RectT<int32_t>& rect,
                                         std::string& error) {
  std::unique_ptr<SkinDemo> demo(new SkinDemo(dispatcher));
  if (!demo->Load(rect, error)) return nullptr;
  return demo;
}

SkinDemo::SkinDemo(OSWindowDispatcher& dispatcher) : mDispatcher(dispatcher) {
  mFactory.SetResourceSource(&mResources);
  mFactory.SetBaseLocation(StringW(u"::"));
}

SkinDemo::~SkinDemo() {
  if (mExitListener) mExitListener->UnregisterAllNotifications();
  if (GetApplicationHotKeys() == mHotKeys.Get()) SetApplicationHotKeys(nullptr);
  if (mWindow) mWindow->Destroy();
  if (mClipboard) mClipboard->SetFocusSource(nullptr);
  if (GetApplicationControlFactory() == &mFactory) SetApplicationControlFactory(nullptr);
  if (GetApplicationWindowRunner() == &mDispatcher) SetApplicationWindowRunner(nullptr);
  SetApplicationRenderer(nullptr);
  SetApplicationDefaultFont(nullptr);
}

bool SkinDemo::Load(const RectT<int32_t>& rect, std::string& error) {
  if (mFactory.LoadStringTables(StringW(u"::DemoStrings.xml"), StringW(u"::NONE"), 0x0409) != S_OK ||
      mFactory.LoadSkins(StringW(u"::demoskin.xml")) != S_OK) {
    error = "the demo skin could not be loaded";
    return false;
  }
  RegisterControlClasses(mFactory);
  SetApplicationControlFactory(&mFactory);
  // The skin's font, where it gives one, is the base of every control's font.
  StringW fontName(u"DejaVu Sans");
  float fontSize = 12;
  int32_t fontStyle = 0;
  mFactory.GetSkinFont(fontName, fontSize, fontStyle);
  SetApplicationDefaultFont(LFont::FindOrCreate(fontName, fontSize, fontStyle));
  SetApplicationWindowRunner(&mDispatcher);

  mWindow = OSWindow::Create(mDispatcher, {StringW(u"HV Gallery"), rect, false, StringW(u"HVGalleryMain")});
  if (!mWindow || mWindow->CreateRenderer(LRenderer::GdiPlus) != S_OK) {
    error = "no window to show the demo skin in";
    return false;
  }
  // Text is measured with what draws it.
  SetApplicationRenderer(mWindow->GetRenderer());
  if (mWindow->GetRootWindow()->SetRootControlByName(StringW(kRootControlName)) != S_OK) {
    error = "the demo skin has no control \"mainControl\"";
    return false;
  }

  OSWindowDispatcher& dispatcher = mDispatcher;
  const RCPtr<LNotificationCenter> center =
      GetNotificationCenterManager()->GetCenter(StringW(kApplicationNotificationCenterName));
  mExitListener = ExitRequestListener::Create([&dispatcher] { dispatcher.Quit(0); });
  mExitListener->RegisterNotification(center, kExitRequest);
  mHotKeys = LGlobalHotKeyManager::Create(center->GetPostingReceiver());
  mHotKeys->Bind(KeyCode::Parse(StringW(u"Alt+VKEY_F4")), StringW(kExitRequest));
  SetApplicationHotKeys(mHotKeys.Get());
  mClipboard = LClipboard::Create(mDispatcher.GetWindowSystem());
  mClipboard->SetFocusSource(&GetActiveFocusControl);
  mClipboard->Initialize();
  mWindow->Show(true);
  return true;
}

}  // namespace HV::Gallery
