#include "HVFramework/Application/FrameworkControlClasses.h"

#include "HVFramework/ControlBase/Control/LFileDropper.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/ControlBase/Views/LPanel.h"
#include "HVFramework/Controls/Button/LButton.h"
#include "HVFramework/Controls/CenteredSlider/LCenteredSlider.h"
#include "HVFramework/Controls/CheckedComboBox/LCheckedComboBox.h"
#include "HVFramework/Controls/CheckedListBox/LCheckedListBox.h"
#include "HVFramework/Controls/CheckedListBox/LCheckedListBoxItem.h"
#include "HVFramework/Controls/ComboBox/LComboBox.h"
#include "HVFramework/Controls/ComboMenu/LComboMenu.h"
#include "HVFramework/Controls/ComboSlider/LComboSlider.h"
#include "HVFramework/Controls/Knob/LKnob.h"
#include "HVFramework/Controls/LLabel.h"
#include "HVFramework/Controls/LLevelMeter.h"
#include "HVFramework/Controls/LProgressBar.h"
#include "HVFramework/Controls/LStatusBar.h"
#include "HVFramework/Controls/LToolTip.h"
#include "HVFramework/Controls/ListBox/LListBox.h"
#include "HVFramework/Controls/ListBox/LListBoxItem.h"
#include "HVFramework/Controls/MainMenu/LMainMenu.h"
#include "HVFramework/Controls/MultiColumnListBox/LMultiColumnListBox.h"
#include "HVFramework/Controls/NumericUpDown/LNumericUpDown.h"
#include "HVFramework/Controls/PopupMenu/LPopupMenu.h"
#include "HVFramework/Controls/ScrollBar/LScrollbar.h"
#include "HVFramework/Controls/Slider/LSlider.h"
#include "HVFramework/Controls/Splitter/LSplitterH.h"
#include "HVFramework/Controls/Splitter/LSplitterV.h"
#include "HVFramework/Controls/TabControl/LTabControl.h"
#include "HVFramework/Controls/TextBox/LTextBox.h"
#include "HVFramework/Controls/TreeView/LTreeView.h"
#include "HVFramework/Controls/TreeView/LTreeViewItem.h"
#include "HVFramework/ObjectBase/Exception.h"

namespace HV {
namespace {


// The order is the registration order; two names may share a class.
constexpr FrameworkControlClass kClasses[] = {
    {u"Framework.Button", &LButton::Create},
    {u"Framework.OverlayButton", &LListBoxItem::Create},  // a list box item, not a button
    {u"Framework.ListBox", &LListBox::Create},
    {u"Framework.listboxNoScroll", &LListBox::Create},
    {u"Framework.ListBoxItem", &LListBoxItem::Create},
    {u"Framework.CheckedListBox", &LCheckedListBox::Create},
    {u"Framework.CheckedListBoxItem", &LCheckedListBoxItem::Create},
    {u"Framework.ListBoxWithIcons", &LCheckedListBox::Create},
    {u"Framework.listbox2ColumnSortable", &LMultiColumnListBox::Create},
    {u"Framework.ScrollBar", &LScrollbar::Create},
    {u"Framework.ScrollChannel", &LPanel::Create},
    {u"Framework.ComboBox", &LComboBox::Create},
    {u"Framework.ComboTextBox", &LComboBox::Create},
    {u"Framework.CheckedComboBox", &LCheckedComboBox::Create},
    {u"Framework.ComboBoxWithIcons", &LCheckedComboBox::Create},
    {u"Framework.ComboSlider", &LComboSlider::Create},
    {u"Framework.ComboSlider.DropDownPanel", &LPanel::Create},
    {u"Framework.Slider", &LSlider::Create},
    {u"Framework.Knob", &LKnob::Create},
    {u"Framework.TabControl", &LTabControl::Create},
    {u"Framework.Label", &LLabel::Create},
    {u"Framework.TextBox", &LTextBox::Create},
    {u"Framework.NumericUpDown", &LNumericUpDown::Create},
    {u"Framework.Panel", &LPanel::Create},
    {u"Framework.ToolTip", &LToolTip::Create},
    {u"Framework.PopupMenu", &LPopupMenu::Create},
    {u"Framework.MenuItem", &LMenuListBoxItem::Create},
    {u"Framework.ComboMenu", &LComboMenu::Create},
    {u"Framework.MainMenu", &LMainMenu::Create},
    {u"Framework.FileDropper", &LFileDropper::Create},
    {u"Framework.StatusBar", &LStatusBar::Create},
    {u"Framework.SplitterH", &LSplitterH::Create},
    {u"Framework.SplitterV", &LSplitterV::Create},
    {u"Framework.LevelMeter", &LLevelMeter::Create},
    {u"Framework.ProgressBar", &LProgressBar::Create},
    {u"Framework.TreeView", &LTreeView::Create},
    {u"Framework.TreeViewItem", &LTreeViewItem::Create},
    {u"Framework.CenteredSlider", &LCenteredSlider::Create},
    {u"Framework.CenteredSliderBounds", &LPanel::Create},
};
static_assert(std::size(kClasses) == 39);

}  // namespace

std::span<const FrameworkControlClass> GetFrameworkControlClasses() { return kClasses; }

int32_t RegisterFrameworkControlClasses(const ControlClassRegistrar& registrar) {
  int32_t registered = 0;
  for (const FrameworkControlClass& row : kClasses) {
    if (!row.create) continue;
    CheckResult(registrar(StringW(row.name), row.create),
                HV_HERE("HV::LFrameworkApp::RunApplicationStartup"));
    ++registered;
  }
  return registered;
}

int32_t RegisterFrameworkControlClasses(LControlFactory& factory) {
  return RegisterFrameworkControlClasses(
      [&factory](const StringW& name, LControlDescriptor::CreateFunction create) {
        return factory.RegisterControlCreateFunction(name, create);
      });
}

}  // namespace HV
