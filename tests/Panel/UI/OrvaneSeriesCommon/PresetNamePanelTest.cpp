// The preset-name panel in the editor started headless from the real skin:
// what is typed or pasted passes one character filter, goes to the engine as
// the keyboard's six bytes and comes back upper-cased without being sent
// again, in the order typed however fast the keys come; records of any length
// show up to their first 0 byte.
#include "tests/Panel/UI/EditorRun.h"
#include "tests/Panel/UI/PresetEditorCommon/ElementPanelFixtures.h"

#include "HVFramework/ControlBase/Control/LKeyParam.h"
#include "HVFramework/ControlBase/Skin/KeyCode.h"
#include "HVFramework/Platform/UI/WindowEvent.h"
#include "Panel/UI/OrvaneSeriesCommon/LPresetNamePanel.h"

#include <cctype>
#include <string>
#include <vector>

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

// "LOCAL" typed into the focused box as the desktop reports the keys: each
// key's going down (with Shift held for a capital), the text it types, its
// coming up; or each burst in one text event, as an input method hands it
// over. The keys of a burst come back to back: the loop handles them all
// before its idle pass brings the engine's answers to the first of them.
// Between bursts the loop is idle.
TEST_F(PresetNamePanel, AWordTypedFasterThanTheEngineAnswersKeepsItsOrder) {
  using Platform::WindowEvent;
  using Platform::WindowEventKind;
  constexpr uint32_t kShift = 0x08 | 0x10;  // the left Shift key's flags
  constexpr int32_t kShiftKey = 0x10;
  struct Case {
    const char* what;
    std::vector<std::string> bursts;
    bool isTextEvents;
  };
  const Case cases[] = {
      {"key by key", {"L", "O", "C", "A", "L"}, false},
      {"two keys back to back, then key by key", {"lo", "c", "a", "l"}, false},
      {"the whole word back to back", {"local"}, false},
      {"capitals with Shift among small letters", {"Lo", "CaL"}, false},
      {"text events of two and three letters", {"lo", "cal"}, true},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    RCPtr<LTextBox> box;
    EXPECT_EQ(Run([&](Live& editor) -> std::optional<int> {
                Parts parts(editor);
                if (!parts.panel || !parts.box) return 1;
                box = parts.box;
                parts.Clear(editor);
                const Platform::WindowId window = editor.application.GetMainWindow()->GetWindowId();
                const auto send = [&](WindowEventKind kind, int32_t key = 0, uint32_t modifiers = 0,
                                      const std::string& text = "") {
                  WindowEvent event;
                  event.kind = kind;
                  event.window = window;
                  event.key = key;
                  event.modifiers = modifiers;
                  event.text = text;
                  mSystem.Script(event);
                };
                send(WindowEventKind::FocusGained);
                if (box->SetFocus(true) != S_OK) return 1;
                for (const std::string& burst : test.bursts) {
                  mSystem.ScriptPause();
                  if (test.isTextEvents) send(WindowEventKind::TextInput, 0, 0, burst);
                  for (const char c : test.isTextEvents ? std::string() : burst) {
                    const bool isCapital = std::isupper(static_cast<unsigned char>(c)) != 0;
                    const uint32_t modifiers = isCapital ? kShift : 0;
                    const int32_t key = std::toupper(static_cast<unsigned char>(c));
                    if (isCapital) send(WindowEventKind::KeyDown, kShiftKey, kShift);
                    send(WindowEventKind::KeyDown, key, modifiers);
                    send(WindowEventKind::TextInput, 0, modifiers, std::string(1, c));
                    send(WindowEventKind::KeyUp, key, modifiers);
                    if (isCapital) send(WindowEventKind::KeyUp, kShiftKey);
                  }
                }
                mSystem.ScriptPause();
                send(WindowEventKind::Close);
                return std::nullopt;
              }),
              0);
    ASSERT_TRUE(box);
    EXPECT_EQ(Utf8(box->GetText()), "LOCAL");
    EXPECT_EQ(box->GetCaret(), 5);
  }
}

// A name the engine takes from elsewhere (a loaded preset) after typed
// letters whose answers are still on their way shows when it comes.
TEST_F(PresetNamePanel, ANameFromElsewhereAfterLettersOnTheirWayShows) {
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.panel && parts.box);
    parts.Clear(editor);
    for (const char16_t c : std::u16string(u"ab"))
      parts.box->ProcessKey(LKeyParam::Create(KeyCode::FromCharacter(c, 0)));
    const Bytes loaded{0x58, 0x59, 0x5A, 0, 0, 0};
    ASSERT_EQ(LApplication::GetRootModuleEngine()->SetParamValue(ParamDescriptor(parts.Id()), Value(loaded)),
              S_OK);
    editor.Drain();
    EXPECT_EQ(parts.Shown(), "XYZ");
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
