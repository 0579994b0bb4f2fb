#pragma once

// The root-window fixture with the container classes registered under test
// names: "Test.ScrollView", "Test.Panel", "Test.Dialog", and "Test.ScrollBar"
// (a bar reduced to its value and steps, tests/support/StepScrollBar.h).

#include "HVFramework/ControlBase/Views/LDialog.h"
#include "HVFramework/ControlBase/Views/LPanel.h"
#include "HVFramework/ControlBase/Views/LScrollView.h"
#include "tests/support/RootWindowFixture.h"
#include "tests/support/StepScrollBar.h"

namespace HV::Test {

class ViewsFixture : public RootWindowFixture {
 protected:
  ViewsFixture() {
    factory.RegisterControlCreateFunction(StringW(u"Test.ScrollView"), &LScrollView::Create);
    factory.RegisterControlCreateFunction(StringW(u"Test.Panel"), &LPanel::Create);
    factory.RegisterControlCreateFunction(StringW(u"Test.Dialog"), &LDialog::Create);
    factory.RegisterControlCreateFunction(StringW(u"Test.ScrollBar"), &StepScrollBar::Create);
  }

  // Opens the skin and lays every control out with the layout solver (the
  // base fixture places children from their absolute values only).
  RCPtr<LControl> OpenLaidOut(const std::string& skinBody, const char16_t* name) {
    const RCPtr<LControl> root = Open(skinBody, name);
    if (root) LayOutTree(*root);
    return root;
  }
  static void LayOutTree(LControl& parent) {
    for (const RCPtr<LControl>& child : parent.GetChildren().Snapshot()) {
      child->UpdateLayout();
      LayOutTree(*child);
    }
  }

  template <class T>
  T& As(const char16_t* name) const {
    T* control = dynamic_cast<T*>(Find(name).Get());
    if (!control) throw std::runtime_error("no control " + Narrow(StringW(name)) + " of that class");
    return *control;
  }
  LScrollView& View(const char16_t* name) const { return As<LScrollView>(name); }
  StepScrollBar& Bar(const char16_t* name) const { return As<StepScrollBar>(name); }
};

// A scroll view's bars as skins lay them out: the corner sits in the
// bottom-right of the client area, the vertical bar above it as wide as the
// corner, the horizontal bar beside it as high as the corner; all docked.
#define HV_TEST_SCROLL_BARS(barClass)                                                                   \
  "<SubControl Class=\"Test.Input\" Name=\"corner\" XPlacementAnchor=\"1\" XPositionRel=\"1\""          \
  " YPlacementAnchor=\"1\" YPositionRel=\"1\" XSizeAbs=\"16\" YSizeAbs=\"16\" XIsDocked=\"True\""       \
  " YIsDocked=\"True\" TabStop=\"-1\"/>"                                                                \
  "<SubControl Class=\"" barClass "\" Name=\"vBar\" XPositionToControl=\"corner\" YPositionAbs=\"0\""   \
  " XSizeToControl=\"Client\" XSizeRel=\"1\" XSizeAbs=\"0\" YSizeToControl=\"corner\" YSizeAbs=\"0\""   \
  " XIsDocked=\"True\""                                                                                \
  " YIsDocked=\"True\" TabStop=\"-1\"/>"                                                                \
  "<SubControl Class=\"" barClass "\" Name=\"hBar\" XPositionAbs=\"0\" YPositionToControl=\"corner\""   \
  " XSizeToControl=\"corner\" XSizeAbs=\"0\" YSizeToControl=\"Client\" YSizeRel=\"1\" YSizeAbs=\"0\""   \
  " XIsDocked=\"True\""                                                                                \
  " YIsDocked=\"True\" TabStop=\"-1\"/>"

}  // namespace HV::Test
