#pragma once

// Controls of the control library built from a small skin held in memory:
// the library's classes registered through their own Register functions,
// plain controls for the children they look for ("Test.Plain"), and
// "Test.TextLog" children that write down every text they are given.

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/Controls/LLabel.h"
#include "HVFramework/Controls/LLevelMeter.h"
#include "HVFramework/Controls/LProgressBar.h"
#include "HVFramework/Controls/LStatusBar.h"
#include "tests/HVFramework/ControlBase/Skin/ControlFactory/SkinDocumentFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace HV::Test {

// "Test.TextLog": a control that logs each text it is given. UI thread only.
class TextLogControl : public LControl {
 public:
  using LControl::LControl;

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor) {
    return CreateControlOfClass<TextLogControl>(result, parent, descriptor);
  }
  HResult SetText(const StringW& text) override {
    texts.push_back(Narrow(text));
    return LControl::SetText(text);
  }

  std::vector<std::string> texts;
};

class ControlLibraryFixture : public SkinDocumentFixture {
 public:
  // Loads a skin body (and, when given, a string-table document) and
  // registers the classes; top-level controls are laid out in 400 x 300.
  void LoadControls(const std::string& skinBody, const std::string& strings = "") {
    if (!strings.empty()) {
      resources.Add("STRINGS", strings);
      ASSERT_EQ(factory.LoadStringTables(StringW(u"::STRINGS"), StringW(u"::NONE"), 9), S_OK);
    }
    ASSERT_EQ(LoadSkinBody(skinBody), S_OK);
    ASSERT_EQ(LLabel::Register(factory), S_OK);
    ASSERT_EQ(LLevelMeter::Register(factory), S_OK);
    ASSERT_EQ(LProgressBar::Register(factory), S_OK);
    ASSERT_EQ(LStatusBar::Register(factory), S_OK);
    ASSERT_EQ(factory.RegisterControlCreateFunction(StringW(u"Test.Plain"), &CreateControlOfClass<LControl>),
              S_OK);
    ASSERT_EQ(factory.RegisterControlCreateFunction(StringW(u"Test.TextLog"), &TextLogControl::Create), S_OK);
    SetApplicationControlFactory(&factory);
    SetApplicationWorkArea({0, 0, 400, 300});
  }
  void UnloadControls() {
    for (const RCPtr<LControl>& control : mMade) control->ReleaseInternalReferences();
    mMade.clear();
    SetApplicationWorkArea({});
    SetApplicationControlFactory(nullptr);
  }

  // The top-level control of that name as class T; null when it is no T.
  template <class T>
  RCPtr<T> Make(const char16_t* name) {
    const RCPtr<LControl> control = factory.CreateControl(TopLevel(name), nullptr);
    if (control) mMade.push_back(control);
    return DynamicCast<T>(control);
  }

  // A string-table document with the given <StringTable> elements, in English.
  static std::string StringTables(const std::string& tables) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Halvern_StringTable_Definitions><Application "
           "Name=\"App\">" +
           tables + "</Application></Halvern_StringTable_Definitions>";
  }
  static std::string Text(const std::string& id, const std::string& text) {
    return "<String ID=\"" + id + "\"><Locale LCID=\"9\">" + text + "</Locale></String>";
  }

 private:
  std::vector<RCPtr<LControl>> mMade;
};

// The control's rectangle as {x, y, width, height}.
inline std::vector<double> RectOf(const LControl& control) {
  const LControl::Rect& r = control.GetRect();
  return {r.x, r.y, r.width, r.height};
}

}  // namespace HV::Test
