// The preset-name panel in the editor started headless from the real skin:
// what is typed or pasted passes one character filter, goes to the engine as
// the keyboard's six bytes and comes back upper-cased without being sent
// again; records of any length show up to their first 0 byte.
#include "tests/Panel/UI/EditorRun.h"
#include "tests/Panel/UI/PresetEditorCommon/ElementPanelFixtures.h"

#include "HVFramework/ControlBase/Control/LKeyParam.h"
#include "HVFramework/ControlBase/Skin/KeyCode.h"
#include "Panel/UI/OrvaneSeriesCommon/LPresetNamePanel.h"

#include <string>

namespace HV {
namespace {

using Test::Bytes;
using Test::EditorRun;
using Test::Utf8;
using Test::Value;

class PresetNamePanel : public EditorRun {
 protected:
  struct Parts {
    RCPtr<LPresetNamePanel> panel;
    RCPtr<LTextBox> box;
    HV::Test::AnnouncementsListened announcements;

    explicit Parts(Live& editor) {
      panel = DynamicCast<LPresetNamePanel>(editor.deviceView->FindChildControl(StringW(u"presetNameEditPanel")));
      if (panel) box = panel->GetTextBox();
    }
    int32_t Id() const { return panel->GetFirstParamID(); }
    // An empty name shown, as a loaded preset would show it.
    void Clear(Live& editor) const {
      panel->SetParamValueLocal(ParamDescriptor(Id()), Value({0, 0, 0, 0, 0, 0}), true);
      editor.Drain();
      announcements->seen.clear();
    }
    // Each character as its key sends it, the engine answering after each.
    void Type(Live& editor, const std::u16string& text) const {
      for (char16_t c : text) {
        box->ProcessKey(LKeyParam::Create(KeyCode::FromCharacter(c, 0)));
        editor.Drain();
      }
    }
    std::string Shown() const { return Utf8(box->GetText()); }
  };
};

TEST_F(PresetNamePanel, TypedAndPastedTextIsFilteredUpperCasedAndSavedInTheKeyboardsCoding) {
  struct Case {
    const char* what;
    std::u16string typed;
    std::string pasted;  // after the typing, at the caret
    const char* shown;
    Bytes saved;
  };
  const Case cases[] = {
      {"a blank", u"ab c", "", "AB C", {0x41, 0x42, 0x22, 0x43, 0, 0}},
      {"the apostrophe keeps its code", u"it's", "", "IT'S", {0x49, 0x54, 0x27, 0x53, 0, 0}},
      {"refused characters", u"a!b\u00e9?", "", "AB", {0x41, 0x42, 0, 0, 0, 0}},
      {"cut at six", u"abcdefgh", "", "ABCDEF", {0x41, 0x42, 0x43, 0x44, 0x45, 0x46}},
      {"every sign", u"-./=[\\", "", "-./=[\\", {0x2D, 0x2E, 0x2F, 0x3D, 0x5B, 0x5C}},
      {"paste through the filter", u"x", "a!b\tc\xc3\xa9'", "XABC'", {0x58, 0x41, 0x42, 0x43, 0x27, 0}},
      {"paste of blanks and digits", u"", "] 9 0", "] 9 0", {0x5D, 0x22, 0x39, 0x22, 0x30, 0}},
  };
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.panel && parts.box);
    for (const Case& test : cases) {
      parts.Clear(editor);
      parts.Type(editor, test.typed);
      if (!test.pasted.empty()) {
        mSystem.SetClipboardText(test.pasted);
        EXPECT_EQ(parts.box->PerformEdit(LControl::kEditPaste), S_OK) << test.what;
        editor.Drain();
      }
      EXPECT_EQ(parts.Shown(), test.shown) << test.what;
      EXPECT_EQ(HV::Test::EngineValue(parts.Id()), test.saved) << test.what;
      // Each accepted character sent one record; the answers sent none back.
      ASSERT_FALSE(parts.announcements->seen.empty()) << test.what;
      EXPECT_EQ(parts.announcements->seen.back().second, test.saved) << test.what;
    }
  });
}

TEST_F(PresetNamePanel, TypingGoesOnAtTheCaretAfterTheUpperCasedNameComesBack) {
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.panel && parts.box);
    parts.Clear(editor);
    parts.Type(editor, u"ab");
    EXPECT_EQ(parts.box->GetCaret(), 2);
    parts.box->SetCaret(1, true);
    parts.Type(editor, u"x");
    EXPECT_EQ(parts.Shown(), "AXB");
    EXPECT_EQ(parts.announcements->seen.size(), 3u);
  });
}

TEST_F(PresetNamePanel, ARecordShowsUpToItsFirstZeroByteAndSendsNothing) {
  struct Case {
    Bytes record;
    const char* shown;
  };
  const Case cases[] = {
      {{0x41, 0x22, 0x42, 0x00, 0x43, 0x44}, "A B"},
      {{0x54, 0x41, 0x52, 0x53, 0x45, 0x4C}, "TARSEL"},
      {{0x27, 0x60, 0, 0, 0, 0}, "'`"},
      {{0, 0x41, 0x42, 0, 0, 0}, ""},
      {{0x41, 0x42}, "AB"},
      {{0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47}, "ABCDEF"},  // the box holds six
  };
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.panel && parts.box);
    // The default preset's name.
    EXPECT_EQ(parts.Shown(), "TARSEL");
    for (const Case& test : cases) {
      EXPECT_EQ(parts.panel->SetParamValueLocal(ParamDescriptor(parts.Id()), Value(test.record), true), 0);
      EXPECT_EQ(parts.Shown(), test.shown);
    }
    EXPECT_EQ(parts.panel->SetParamValueLocal(ParamDescriptor(parts.Id() + 1), Value({0x5A, 0, 0, 0, 0, 0}), true),
              E_FAIL);
    EXPECT_EQ(parts.Shown(), "ABCDEF");
    editor.Drain();
    EXPECT_TRUE(parts.announcements->seen.empty());
  });
}

}  // namespace
}  // namespace HV
