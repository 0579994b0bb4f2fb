// The text box in a root window: its key table, typing through the
// character set and the maximum length, the clipboard's edit commands,
// the validation protocol, word moves and selection by mouse, the
// placeholder label, the caret's blink and colour.
#include "HVFramework/Controls/TextBox/LTextBox.h"
#include "tests/HVFramework/Controls/TextBox/TextBoxFixture.h"
#include "tests/support/RecordingRenderer.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace HV::Test {
namespace {

constexpr uint32_t kLeft = 0x25, kRight = 0x27, kUp = 0x26, kDown = 0x28, kHome = 0x24, kEnd = 0x23;
constexpr uint32_t kBack = 0x08, kEnterKey = 0x0D, kKeyA = 0x41, kF5 = 0x74;

class TextBox : public TextBoxFixture {
 protected:
  TextBox() {
    Open(LightLooks() + Skin(Box("box", 1) + Box("labelled", 2, "<CreateParam ID=\"LABEL\">Preset name</CreateParam>") +
                             Box("light", 3, "", "LightLook")),
         u"main");
  }
  // Looks of a pale grey (0xFFF0F0xx) instead of the dark blues.
  static std::string LightLooks() {
    std::string looks = SolidLooks("LightLook", 12);
    for (size_t at = looks.find("0xFF0000"); at != std::string::npos; at = looks.find("0xFF0000", at))
      looks.replace(at, 8, "0xFFF0F0");
    return looks;
  }
  LTextBox& Named(const char16_t* name) { return Get<LTextBox>(name); }
  LTextBox& TheBox() { return Named(u"box"); }
  // The box focused, holding text with the caret at caret.
  LTextBox& Holding(const char* text, int32_t caret) {
    LTextBox& box = TheBox();
    box.SetFocus(true);
    box.SetText(StringW(text));
    box.SetCaret(caret, true);
    return box;
  }
  static HResult PressKey(LTextBox& box, uint32_t virtualKey, uint32_t modifiers = 0) {
    return box.ProcessKey(LKeyParam::Create(KeyDownCode(virtualKey, modifiers)));
  }
  void Type(const std::u16string& text) {
    for (char16_t c : text) Char(c);
  }
};

// --- Key table ---

struct KeyStroke {
  uint32_t key;
  uint32_t modifiers;
};
struct KeyCase {
  const char* name;
  const char* text;
  int32_t caret;
  std::vector<KeyStroke> keys;
  const char* expectedText;
  int32_t expectedCaret;
  int32_t selStart;
  int32_t selLength;
  HResult lastResult;
};
void PrintTo(const KeyCase& c, std::ostream* out) { *out << c.name; }

class TextBoxKeys : public TextBox, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(TextBoxKeys, MoveTheCaretAndEditAsTheTableSays) {
  const KeyCase& c = GetParam();
  LTextBox& box = Holding(c.text, c.caret);
  HResult result = S_OK;
  for (const KeyStroke& stroke : c.keys) result = PressKey(box, stroke.key, stroke.modifiers);
  EXPECT_EQ(TextOf(box), c.expectedText);
  EXPECT_EQ(box.GetCaret(), c.expectedCaret);
  EXPECT_EQ(box.GetSelectionLength(), c.selLength);
  if (c.selLength > 0) {
    EXPECT_EQ(box.GetSelectionStart(), c.selStart);
  }
  EXPECT_EQ(result, c.lastResult);
}

constexpr uint32_t kC = RootWindowFixture::kCtrl, kS = RootWindowFixture::kShift;
constexpr uint32_t kDel = RootWindowFixture::kDelete;

const KeyCase kKeyCases[] = {
    // name                 text        caret keys                             text     caret sel  len result
    {"LeftMovesOne", "abcd", 2, {{kLeft, 0}}, "abcd", 1, 0, 0, S_OK},
    {"LeftStopsAtTheStart", "abcd", 0, {{kLeft, 0}}, "abcd", 0, 0, 0, S_OK},
    {"RightStopsAtTheEnd", "abcd", 4, {{kRight, 0}}, "abcd", 4, 0, 0, S_OK},
    {"LeftDropsTheSelection", "abcd", 3, {{kLeft, kS}, {kLeft, 0}}, "abcd", 1, 0, 0, S_OK},
    {"ShiftLeftTwiceSelectsTwo", "abcd", 3, {{kLeft, kS}, {kLeft, kS}}, "abcd", 1, 1, 2, S_OK},
    {"ShiftRightShrinksFromTheLeft", "abcd", 3, {{kLeft, kS}, {kLeft, kS}, {kRight, kS}}, "abcd", 2, 2, 1, S_OK},
    {"ShiftRightTwiceSelectsTwo", "abcd", 1, {{kRight, kS}, {kRight, kS}}, "abcd", 3, 1, 2, S_OK},
    {"ShiftLeftShrinksFromTheRight", "abcd", 1, {{kRight, kS}, {kRight, kS}, {kLeft, kS}}, "abcd", 2, 1, 1, S_OK},
    {"CtrlRightFromInsideAWord", "ab cd ef", 1, {{kRight, kC}}, "ab cd ef", 3, 0, 0, S_OK},
    {"CtrlRightFromASpace", "ab cd ef", 2, {{kRight, kC}}, "ab cd ef", 6, 0, 0, S_OK},
    {"CtrlRightFromTheLastWord", "ab cd ef", 7, {{kRight, kC}}, "ab cd ef", 8, 0, 0, S_OK},
    {"CtrlLeftFromInsideAWord", "ab cd ef", 7, {{kLeft, kC}}, "ab cd ef", 6, 0, 0, S_OK},
    {"CtrlLeftFromAWordStart", "ab cd ef", 6, {{kLeft, kC}}, "ab cd ef", 3, 0, 0, S_OK},
    {"CtrlShiftRightSelectsToTheNextWord", "ab cd ef", 1, {{kRight, kC | kS}}, "ab cd ef", 3, 1, 2, S_OK},
    {"CtrlShiftLeftSelectsBackToTheWordStart", "ab cd ef", 5, {{kLeft, kC | kS}}, "ab cd ef", 3, 3, 2, S_OK},
    {"Home", "abcd", 3, {{kHome, 0}}, "abcd", 0, 0, 0, S_OK},
    {"End", "abcd", 1, {{kEnd, 0}}, "abcd", 4, 0, 0, S_OK},
    {"ShiftHomeSelectsToTheStart", "abcd", 3, {{kHome, kS}}, "abcd", 0, 0, 3, S_OK},
    {"ShiftEndSelectsToTheEnd", "abcd", 1, {{kEnd, kS}}, "abcd", 4, 1, 3, S_OK},
    {"BackspaceDeletesBefore", "abcd", 2, {{kBack, 0}}, "acd", 1, 0, 0, S_OK},
    {"BackspaceAtTheStart", "abcd", 0, {{kBack, 0}}, "abcd", 0, 0, 0, S_OK},
    {"ShiftDeleteIsBackspace", "abcd", 2, {{kDel, kS}}, "acd", 1, 0, 0, S_OK},
    {"BackspaceDeletesTheSelection", "abcd", 3, {{kLeft, kS}, {kLeft, kS}, {kBack, 0}}, "ad", 1, 0, 0, S_OK},
    {"DeleteDeletesAfter", "abcd", 1, {{kDel, 0}}, "acd", 1, 0, 0, S_OK},
    {"DeleteAtTheEnd", "abcd", 4, {{kDel, 0}}, "abcd", 4, 0, 0, S_OK},
    {"CtrlDeleteDeletesToTheEnd", "abcd", 1, {{kDel, kC}}, "a", 1, 0, 0, S_OK},
    {"CtrlDeleteDeletesOnlyTheSelection", "abcd", 0, {{kRight, kS}, {kDel, kC}}, "bcd", 0, 0, 0, S_OK},
    {"UpIsLeftToTheParent", "abcd", 1, {{kUp, 0}}, "abcd", 1, 0, 0, S_FALSE},
    {"CtrlShiftDownIsLeftToTheParent", "abcd", 1, {{kDown, kC | kS}}, "abcd", 1, 0, 0, S_FALSE},
    {"ALetterKeyWaitsForItsCharacter", "abcd", 1, {{kKeyA, 0}}, "abcd", 1, 0, 0, S_OK},
    {"CtrlLetterIsAShortcut", "abcd", 1, {{kKeyA, kC}}, "abcd", 1, 0, 0, S_FALSE},
    {"AltLetterIsAShortcut", "abcd", 1, {{kKeyA, RootWindowFixture::kAlt}}, "abcd", 1, 0, 0, S_FALSE},
    {"AFunctionKeyPassesOn", "abcd", 1, {{kF5, 0}}, "abcd", 1, 0, 0, S_FALSE},
};

INSTANTIATE_TEST_SUITE_P(Table, TextBoxKeys, ::testing::ValuesIn(kKeyCases),
                         [](const ::testing::TestParamInfo<KeyCase>& test) { return test.param.name; });

TEST_F(TextBox, KeyUpsAreTakenWithoutEffect) {
  LTextBox& box = Holding("abcd", 2);
  KeyCode up = KeyDownCode(kLeft);
  up.code &= ~KeyCode::kVirtualKeyFlag;
  EXPECT_EQ(box.ProcessKey(LKeyParam::Create(up)), S_OK);
  EXPECT_EQ(box.GetCaret(), 2);
}

TEST_F(TextBox, UpAndDownReachTheParent) {
  TheBox().SetFocus(true);
  Key(kUp);
  Key(kDown);
  Key(kLeft);
  EXPECT_EQ(Get<KeyParentControl>(u"main").childKeys, (std::vector<uint32_t>{kUp, kDown}));
}

// --- Typing ---

TEST_F(TextBox, TypedCharactersGoInAtTheCaretAndControlCharactersDoNot) {
  LTextBox& box = Holding("", 0);
  Type(u"ab\u00e9\u6f22");  // Latin and CJK letters alike, whatever the locale
  Key(kLeft);
  Key(kLeft);
  Type(u"-");
  Char(8);     // Backspace's character: taken, nothing typed
  Char(9);     // Tab's: not taken
  Char(0x1B);  // Escape's
  Char(0x7F);
  EXPECT_EQ(box.GetText(), StringW(u"ab-\u00e9\u6f22"));
  EXPECT_EQ(box.GetCaret(), 3);
}

TEST_F(TextBox, TypingReplacesTheSelection) {
  LTextBox& box = Holding("abcd", 3);
  Key(kLeft, kShift);
  Key(kLeft, kShift);
  Type(u"X");
  EXPECT_EQ(TextOf(box), "aXd");
  EXPECT_EQ(box.GetCaret(), 2);
  EXPECT_FALSE(box.HasSelection());
}

struct CharSetCase {
  const char* name;
  bool allows;
  const char16_t* typed;
  const char* kept;
};
void PrintTo(const CharSetCase& c, std::ostream* out) { *out << c.name; }
class TextBoxCharSet : public TextBox, public ::testing::WithParamInterface<CharSetCase> {};

TEST_P(TextBoxCharSet, FiltersTypedCharacters) {
  LTextBox& box = Holding("", 0);
  box.SetCharSet(StringW(u"0123456789"), GetParam().allows);
  Type(GetParam().typed);
  EXPECT_EQ(TextOf(box), GetParam().kept);
}

const CharSetCase kCharSetCases[] = {
    {"OnlyDigits", true, u"a1b2 3", "123"},
    {"NoDigits", false, u"a1b2 3", "ab "},
};
INSTANTIATE_TEST_SUITE_P(Sets, TextBoxCharSet, ::testing::ValuesIn(kCharSetCases),
                         [](const ::testing::TestParamInfo<CharSetCase>& test) { return test.param.name; });

TEST_F(TextBox, MaxLengthStopsTypingAndCutsALongerText) {
  LTextBox& box = Holding("", 0);
  box.SetMaxLength(5);
  Type(u"abcdef");
  EXPECT_EQ(TextOf(box), "abcde");
  box.SetText(StringW(u"abcdefgh"));  // the limit holds typing and pasting, not the program
  box.SetMaxLength(3);
  EXPECT_EQ(TextOf(box), "abc");
  EXPECT_EQ(box.GetCaret(), 3);
}

// --- Clipboard ---

TEST_F(TextBox, CopyCutPasteAndDeleteGoThroughTheApplicationClipboard) {
  LTextBox& box = Holding("abcd", 1);
  Key(kRight, kShift);
  Key(kRight, kShift);
  const auto request = [](const WChar* name) { RequestEdit(name); };
  request(u"NID_EDIT_COPY_REQ");
  EXPECT_EQ(system.GetClipboardText(), "bc");
  EXPECT_EQ(TextOf(box), "abcd");
  request(u"NID_EDIT_CUT_REQ");
  EXPECT_EQ(TextOf(box), "ad");
  EXPECT_EQ(box.GetCaret(), 1);
  Key(kEnd);
  request(u"NID_EDIT_PASTE_REQ");
  EXPECT_EQ(TextOf(box), "adbc");
  EXPECT_EQ(box.GetCaret(), 4);
  Key(kHome, kShift);
  request(u"NID_EDIT_DELETE_REQ");
  EXPECT_EQ(TextOf(box), "");
  // Without a selection there is nothing to copy, cut or delete.
  for (int32_t kind : {LControl::kEditDelete, LControl::kEditCut, LControl::kEditCopy}) {
    EXPECT_FALSE(box.CanPerformEdit(kind));
    EXPECT_EQ(box.PerformEdit(kind), E_FAIL);
  }
}

TEST_F(TextBox, PasteTakesTextThatAnotherProgramPutOnTheClipboard) {
  LTextBox& box = Holding("ac", 1);
  system.SetClipboardText("b\xc3\xa9");
  EXPECT_TRUE(box.CanPerformEdit(LControl::kEditPaste));
  EXPECT_EQ(box.PerformEdit(LControl::kEditPaste), S_OK);
  EXPECT_EQ(box.GetText(), StringW(u"ab\u00e9c"));
}

struct PasteCase {
  const char* name;
  int32_t maxLength;
  const char* charSet;
  int32_t selected;  // characters selected backwards from the caret at the end
  const char* clipboard;
  const char* expected;
};
void PrintTo(const PasteCase& c, std::ostream* out) { *out << c.name; }
class TextBoxPaste : public TextBox, public ::testing::WithParamInterface<PasteCase> {};

TEST_P(TextBoxPaste, KeepsTheLimitsOfTyping) {
  const PasteCase& c = GetParam();
  LTextBox& box = Holding("abcd", 4);
  box.SetMaxLength(c.maxLength);
  box.SetCharSet(StringW(c.charSet), true);
  for (int32_t i = 0; i < c.selected; ++i) Key(kLeft, kShift);
  system.SetClipboardText(c.clipboard);
  const bool accepted = std::string(c.expected) != "abcd";
  EXPECT_EQ(box.CanPerformEdit(LControl::kEditPaste), accepted);
  EXPECT_EQ(box.PerformEdit(LControl::kEditPaste), accepted ? S_OK : E_FAIL);
  EXPECT_EQ(TextOf(box), c.expected);
}

const PasteCase kPasteCases[] = {
    {"FitsTheLimit", 5, "", 0, "x", "abcdx"},
    {"PastTheLimit", 5, "", 0, "xy", "abcd"},
    {"OverASelectionThatMakesRoom", 5, "", 2, "xyz", "abxyz"},
    {"OverASelectionTooSmall", 5, "", 1, "xyz", "abcd"},
    {"LineBreaksAndTabsAreDropped", 6, "", 0, "x\r\n\ty", "abcdxy"},
    {"TheCharacterSetFilters", 0, "abcd0123456789", 0, "1x2", "abcd12"},
    {"NothingLeftAfterFiltering", 0, "abcd0123456789", 0, "xyz", "abcd"},
};
INSTANTIATE_TEST_SUITE_P(Limits, TextBoxPaste, ::testing::ValuesIn(kPasteCases),
                         [](const ::testing::TestParamInfo<PasteCase>& test) { return test.param.name; });

// --- Validation ---

TEST_F(TextBox, EnterWithARejectingObserverIsSwallowedAndKeepsTheText) {
  LTextBox& box = Holding("12x", 3);
  Observe(box, "box", {u"NID_TEXTBOX_VALIDATING", u"NID_TEXTBOX_VALIDATED", u"NID_TEXTBOX_TEXT_CHANGE"},
          [](NotificationRecorder&, const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>& n) {
            if (const RCPtr<LTextValidationParams> params = ParamsOf(n)) {
              params->text = StringW(u"ignored");
              params->isValid = false;
            }
          });
  EXPECT_EQ(PressKey(box, kEnterKey), S_OK);
  EXPECT_EQ(TextOf(box), "12x");
  EXPECT_EQ(log.Deliveries(), (std::vector<std::string>{"box:NID_TEXTBOX_VALIDATING"}));
  // Invalid text keeps the focus.
  EXPECT_EQ(Named(u"labelled").SetFocus(true), E_FAIL);
  EXPECT_TRUE(box.HasFocus());
}

TEST_F(TextBox, EnterWithARewritingObserverShowsTheNewTextThenValidated) {
  LTextBox& box = Holding("7", 1);
  std::vector<std::string> seen;
  Observe(box, "box", {u"NID_TEXTBOX_VALIDATING", u"NID_TEXTBOX_VALIDATED", u"NID_TEXTBOX_TEXT_CHANGE"},
          [&](NotificationRecorder&, const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>& n) {
            const RCPtr<LTextValidationParams> params = ParamsOf(n);
            if (!params) return;
            seen.push_back(Narrow(params->initialText) + ">" + Narrow(params->text));
            params->text = StringW(u"007");
          });
  EXPECT_EQ(PressKey(box, kEnterKey), S_FALSE);  // valid: Enter goes on
  EXPECT_EQ(TextOf(box), "007");
  EXPECT_EQ(box.GetCaret(), 1);  // kept: the rewrite does not reset the caret
  EXPECT_EQ(log.Deliveries(), (std::vector<std::string>{"box:NID_TEXTBOX_VALIDATING", "box:NID_TEXTBOX_TEXT_CHANGE",
                                                        "box:NID_TEXTBOX_VALIDATED"}));
  EXPECT_EQ(seen, (std::vector<std::string>{"7>7", "7>007"}));
}

TEST_F(TextBox, LeavingTheBoxValidatesIt) {
  LTextBox& box = Holding("a", 1);
  Observe(box, "box", {u"NID_TEXTBOX_VALIDATED"});
  EXPECT_EQ(Named(u"labelled").SetFocus(true), S_OK);
  EXPECT_EQ(log.Deliveries(), (std::vector<std::string>{"box:NID_TEXTBOX_VALIDATED"}));
  EXPECT_FALSE(box.HasFocus());
}

// --- Mouse ---

TEST_F(TextBox, ClickPlacesTheCaretShiftClickAndDragSelect) {
  LTextBox& box = TheBox();
  box.SetText(StringW(u"abcdef"));
  const LRootWindow::Point second = AtCharacter(box, 2);
  Click(second.x, second.y);
  EXPECT_TRUE(box.HasFocus());
  EXPECT_EQ(box.GetCaret(), 2);
  const LRootWindow::Point fifth = AtCharacter(box, 5);
  Press(fifth.x, fifth.y, 1, kShift);
  Release(fifth.x, fifth.y, 1, kShift);
  EXPECT_EQ(box.GetSelectionStart(), 2);
  EXPECT_EQ(box.GetSelectionLength(), 3);
  const LRootWindow::Point first = AtCharacter(box, 1);
  Press(first.x, first.y);
  Move(first.x + 15, first.y);
  Move(first.x + 25, first.y);
  Release(first.x + 25, first.y);
  EXPECT_EQ(box.GetSelectionStart(), 1);
  EXPECT_EQ(box.GetSelectionLength(), 3);
  EXPECT_EQ(box.GetCaret(), 4);
}

TEST_F(TextBox, DoubleClickSelectsTheWordUnderThePointer) {
  LTextBox& box = TheBox();
  box.SetText(StringW(u"ab cd  ef"));
  for (int32_t at : {3, 4}) {  // the word's first letter and a later one
    const LRootWindow::Point point = AtCharacter(box, at);
    DoubleClick(point.x, point.y);
    EXPECT_EQ(box.GetSelectionStart(), 3) << at;
    EXPECT_EQ(box.GetSelectionLength(), 2) << at;
  }
}

// --- Placeholder ---

TEST_F(TextBox, PlaceholderShowsWhileEmptyAndUnfocused) {
  LTextBox& box = Named(u"labelled");
  EXPECT_EQ(TextOf(box), "");
  EXPECT_EQ(Narrow(box.GetLabelText()), "Preset name");
  EXPECT_EQ(Narrow(box.GetLook(LTextBox::kLookLabel)->GetTextPart()->GetText()), "Preset name");
  EXPECT_EQ(box.GetCurrentLookIndex(), LTextBox::kLookLabelBase);
  EXPECT_EQ(box.GetLookWeight(LTextBox::kLookLabel), 1.0f);
  box.SetFocus(true);
  EXPECT_EQ(box.GetCurrentLookIndex(), LTextBox::kLookFocused);
  EXPECT_EQ(box.GetLookWeight(LTextBox::kLookLabel), 0.0f);
  Type(u"x");
  TheBox().SetFocus(true);
  EXPECT_EQ(box.GetCurrentLookIndex(), LTextBox::kLookNormal);
  EXPECT_EQ(box.GetLookWeight(LTextBox::kLookLabel), 0.0f);
  EXPECT_EQ(Narrow(box.GetLook(LTextBox::kLookLabel)->GetTextPart()->GetText()), "Preset name");
}

TEST_F(TextBox, SelectionShowsItsHighlightLookOnlyWhileFocused) {
  LTextBox& box = Holding("abcd", 0);
  Key(kRight, kShift);
  EXPECT_EQ(box.GetLookWeight(LTextBox::kLookSelection), 1.0f);
  EXPECT_EQ(box.GetCurrentLookIndex(), LTextBox::kLookFocused);
  Named(u"labelled").SetFocus(true);
  EXPECT_EQ(box.GetLookWeight(LTextBox::kLookSelection), 0.0f);
  EXPECT_EQ(box.GetCurrentLookIndex(), LTextBox::kLookNormal);
}

// A renderer that adds room to every measured width (the 2-D renderer adds
// 3 pixels) must not move the caret or the highlight off the characters.
TEST_F(TextBox, CaretAndHighlightStandAtTheCharactersWhateverRoomTheRendererAddsToWidths) {
  for (const float margin : {0.0f, 3.0f}) {
    SCOPED_TRACE(margin);
    measurer->margin = margin;
    LTextBox& box = Holding("abcd", 1);
    Key(kRight, kShift);
    Key(kRight, kShift);  // "bc"
    EXPECT_EQ(box.GetCaretRect().x, kTextLeft + 3 * kCharWidth - 1);
    // The highlight look is the hovered one once the pointer has been over the box.
    const int32_t look = box.GetLookWeight(LTextBox::kLookSelection) > 0 ? LTextBox::kLookSelection
                                                                         : LTextBox::kLookSelectionHover;
    const std::vector<RegionRect> highlight = box.GetLook(look)->GetRegion().GetRects();
    ASSERT_EQ(highlight.size(), 1u);
    EXPECT_EQ(highlight[0].left, kTextLeft + 1 * kCharWidth);
    EXPECT_EQ(highlight[0].right, kTextLeft + 3 * kCharWidth - 1);
    // A press in the second half of "c" puts the caret after it.
    Press(static_cast<int32_t>(box.GetOriginInRoot().x + kTextLeft + 2 * kCharWidth + 6),
          static_cast<int32_t>(box.GetOriginInRoot().y + 5));
    EXPECT_EQ(box.GetCaret(), 3);
    Release(static_cast<int32_t>(box.GetOriginInRoot().x + kTextLeft + 2 * kCharWidth + 6),
            static_cast<int32_t>(box.GetOriginInRoot().y + 5));
  }
}

// --- Caret ---

TEST_F(TextBox, CaretBlinksOnIdlePassesWhileFocused) {
  LTextBox& box = Holding("ab", 1);
  EXPECT_TRUE(box.IsCaretVisible());
  const struct {
    uint32_t after;
    bool visible;
  } kSteps[] = {{499, true}, {1, false}, {299, false}, {1, true}, {500, false}};
  for (const auto& step : kSteps) {
    Advance(step.after);
    Idle();
    EXPECT_EQ(box.IsCaretVisible(), step.visible) << step.after;
  }
  Type(u"c");  // typing shows the caret again
  EXPECT_TRUE(box.IsCaretVisible());
  Named(u"labelled").SetFocus(true);
  EXPECT_FALSE(box.IsCaretVisible());
  EXPECT_EQ(box.GetIdleRequestCount(), 0);
}

TEST_F(TextBox, CaretIsALineBeforeTheCharacterInAColourThatShowsOnTheLook) {
  LTextBox& box = Holding("abc", 2);
  EXPECT_EQ(box.GetCaretRect().x, kTextLeft + 2 * kCharWidth - 1);
  EXPECT_EQ(box.GetCaretRect().height, 16);
  const RCPtr<RecordingRenderer> renderer = RecordingRenderer::Create();
  box.DrawOverlay(renderer);
  // The test looks are dark blues: the caret is white.
  EXPECT_EQ(renderer->TakeCalls(), (std::vector<std::string>{"DrawLine(21,0 21,16 #FFFFFFFF w1)"}));
  box.SetCaret(3, false);
  EXPECT_EQ(box.GetCaretRect().x, kTextLeft + 3 * kCharWidth - 1);
  // On a light look the caret is black; without the focus it is not drawn.
  LTextBox& light = Named(u"light");
  light.SetFocus(true);
  light.DrawOverlay(renderer);
  EXPECT_EQ(renderer->TakeCalls(), (std::vector<std::string>{"DrawLine(1,0 1,16 #FF000000 w1)"}));
  box.DrawOverlay(renderer);
  EXPECT_TRUE(renderer->TakeCalls().empty());
}

TEST_F(TextBox, DraggingPastTheEdgeScrollsAndTheSelectionFollowsTheContent) {
  LTextBox& box = Holding("", 0);
  box.SetAutoScroll(false, true);
  box.SetText(StringW(u"0123456789012345678901234"));  // 250 pixels in a 196-pixel text area
  const LRootWindow::Point from = AtCharacter(box, 5);
  Press(from.x, from.y);
  const int32_t beyond = static_cast<int32_t>(box.GetOriginInRoot().x) + 205;
  Move(beyond, from.y);
  EXPECT_TRUE(box.IsScrollAnimationRunning(0));
  double before = box.GetScrollOffset().x;
  for (int i = 0; i < 3; ++i) {
    Advance(100);
    Idle();
    EXPECT_GT(box.GetScrollOffset().x, before);
    before = box.GetScrollOffset().x;
  }
  Advance(1000);
  Idle();
  EXPECT_EQ(box.GetScrollOffset().x, 250 - 196 + 3);  // the far end, where the motion stops
  EXPECT_FALSE(box.IsScrollAnimationRunning(0));
  EXPECT_EQ(box.GetSelectionStart(), 5);
  EXPECT_EQ(box.GetCaret(), 25);
  Release(beyond, from.y);
  EXPECT_EQ(box.GetSelectionLength(), 20);
}

TEST_F(TextBox, AutoScrollKeepsTheCaretInViewAndFocusLossScrollsBack) {
  LTextBox& box = Holding("", 0);
  box.SetAutoScroll(false, true);
  box.SetText(StringW(u"0123456789012345678901234"));  // 250 pixels in a 196-pixel text area
  box.SetCaret(25, false);
  EXPECT_EQ(box.GetScrollOffset().x, 2 + 250 - 1 + 1 + 3 - 198);
  Key(kHome);
  EXPECT_EQ(box.GetScrollOffset().x, 0);
  Key(kEnd);
  EXPECT_GT(box.GetScrollOffset().x, 0);
  Named(u"labelled").SetFocus(true);
  EXPECT_EQ(box.GetScrollOffset().x, 0);
}

TEST_F(TextBox, TextChangeIsAnnouncedWithTheBoxOnlyWhenTheTextChanges) {
  LTextBox& box = TheBox();
  Observe(box, "box", {u"NID_TEXTBOX_TEXT_CHANGE"});
  EXPECT_EQ(box.SetText(StringW(u"a")), S_OK);
  EXPECT_EQ(box.SetText(StringW(u"a")), S_FALSE);
  ASSERT_EQ(log.GetEntries().size(), 1u);
  EXPECT_EQ(log.GetEntries()[0].notification->GetPayload().Get(), static_cast<LRefCountedObject*>(&box));
  EXPECT_TRUE(box.HasTextChanged());
}

class TextBoxMenu : public TextBoxFixture {
 protected:
  TextBoxMenu() {
    LoadStrings({{"Framework", "EDIT_CUT", "Cut"},
                 {"Framework", "EDIT_COPY", "Copy"},
                 {"Framework", "EDIT_PASTE", "Paste"},
                 {"Framework", "EDIT_DELETE", "Delete"}});
    Open(Skin(Box("box", 1)), u"main");
  }
};

TEST_F(TextBoxMenu, TheContextMenuIsTheEditMenuFromTheFrameworkStrings) {
  const RCPtr<LMenuDescriptor>& menu = Get<LTextBox>(u"box").GetContextMenu();
  ASSERT_TRUE(menu);
  std::vector<std::string> items;
  for (uint32_t i = 0; i < menu->GetItemCount(); ++i)
    items.push_back(Narrow(menu->GetItem(i)->label) + "=" + Narrow(menu->GetItem(i)->commandId));
  EXPECT_EQ(items, (std::vector<std::string>{"Cut=NID_EDIT_CUT_REQ", "Copy=NID_EDIT_COPY_REQ",
                                             "Paste=NID_EDIT_PASTE_REQ", "Delete=NID_EDIT_DELETE_REQ"}));
}

TEST_F(TextBox, EditMenuItemsFollowTheClipboard) {
  LTextBox& box = Holding("abcd", 0);
  LMenuItemState state;
  EXPECT_EQ(box.UpdateMenuItem(nullptr, 0, StringW(u"NID_EDIT_COPY_REQ"), state), S_OK);
  EXPECT_FALSE(state.enabled);
  Key(kRight, kShift);
  EXPECT_EQ(box.UpdateMenuItem(nullptr, 0, StringW(u"NID_EDIT_COPY_REQ"), state), S_OK);
  EXPECT_TRUE(state.enabled);
  EXPECT_EQ(box.UpdateMenuItem(nullptr, 0, StringW(u"NID_OTHER"), state), S_FALSE);
}

}  // namespace
}  // namespace HV::Test
