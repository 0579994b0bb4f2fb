#include "HVFramework/ControlBase/SystemUI/LClipboard.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/Platform/UI/HeadlessWindowSystem.h"
#include "HVFramework/Utilities/Storage/StringT.h"
#include "tests/support/ThrownMessage.h"

namespace HV {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::string Utf8(const StringW& text) { return text.ToCharString().GetText(); }

std::string TextOf(const RCPtr<LRefCountedObject>& content) {
  const StringW* text = LClipboard::AsText(content.Get());
  return text ? Utf8(*text) : "(not text)";
}

// A control that takes edit commands and logs them as "<name>:<query>:<kind>".
class EditLog {
 public:
  std::vector<std::string> entries;
};

class EditableControl : public LControl {
 public:
  EditableControl(LControl* parent, const char16_t* name, EditLog& log, bool takesEdits)
      : LControl(parent, StringW(name)), mLog(log), mTakesEdits(takesEdits) {}

  bool IsEditTarget() const override { return mTakesEdits; }
  bool CanPerformEdit(int32_t kind) override {
    mLog.entries.push_back(Utf8(GetName()) + ":can:" + std::to_string(kind));
    return kind != mRefused;
  }
  HResult PerformEdit(int32_t kind) override {
    mLog.entries.push_back(Utf8(GetName()) + ":perform:" + std::to_string(kind));
    return 0;
  }

  int32_t mRefused = -1;

 private:
  EditLog& mLog;
  const bool mTakesEdits;
};

class Clipboard : public ::testing::Test {
 protected:
  void SetUp() override { mClipboard = LClipboard::Create(mSystem); }

  void FocusOn(const RCPtr<LControl>& control) {
    mClipboard->SetFocusSource([control] { return control; });
  }

  Platform::HeadlessWindowSystem mSystem;
  RCPtr<LClipboard> mClipboard;
};

TEST_F(Clipboard, TextRoundTripsThroughTheDesktopClipboardAsUtf8) {
  const StringW text(u"Grand Pi\u00e4no \u266b");
  ASSERT_EQ(mClipboard->SetContent(LClipboard::MakeText(text)), S_OK);
  EXPECT_EQ(mSystem.GetClipboardText(), "Grand Pi\xc3\xa4no \xe2\x99\xab");

  // Another program copies text: read once per change, then the same object.
  mSystem.SetClipboardText("Str\xc3\xb8m");
  const RCPtr<LRefCountedObject> first = mClipboard->GetText();
  EXPECT_EQ(TextOf(first), "Str\xc3\xb8m");
  EXPECT_EQ(mClipboard->GetText().Get(), first.Get());
}

TEST_F(Clipboard, TextAlreadyOnTheClipboardAtStartIsRead) {
  mSystem.SetClipboardText("before start");
  const RCPtr<LClipboard> fresh = LClipboard::Create(mSystem);
  EXPECT_EQ(TextOf(fresh->GetText()), "before start");
}

TEST_F(Clipboard, OwnObjectKeepsItsIdentityUntilAnotherProgramWrites) {
  const RCPtr<LRefCountedObject> preset(new LRefCountedObject());
  ASSERT_EQ(mClipboard->SetContent(preset), S_OK);
  EXPECT_EQ(mSystem.GetClipboardText(), "");  // other programs see no text
  EXPECT_EQ(mClipboard->GetText().Get(), preset.Get());
  EXPECT_EQ(mClipboard->GetText().Get(), preset.Get());

  // Another program empties the clipboard: the claim and the object are gone,
  mSystem.SetClipboardText("");
  EXPECT_EQ(mClipboard->GetText(), nullptr);
  // and later copies in the program work as before.
  ASSERT_EQ(mClipboard->SetContent(LClipboard::MakeText(StringW(u"again"))), S_OK);
  EXPECT_EQ(TextOf(mClipboard->GetText()), "again");

  ASSERT_EQ(mClipboard->SetContent(preset), S_OK);
  mSystem.SetClipboardText("foreign");
  EXPECT_EQ(TextOf(mClipboard->GetText()), "foreign");
}

TEST_F(Clipboard, NullContentOnlyDropsTheCache) {
  ASSERT_EQ(mClipboard->SetContent(LClipboard::MakeText(StringW(u"kept"))), S_OK);
  EXPECT_EQ(mClipboard->SetContent(nullptr), S_OK);
  EXPECT_EQ(mSystem.GetClipboardText(), "kept");
}

TEST_F(Clipboard, TheFourEditCommandsReachTheFocusedControlsEditTarget) {
  const RCPtr<LNotificationCenter> center =
      GetNotificationCenterManager()->GetCenter(StringW(kApplicationNotificationCenterName));
  const int32_t registrationsBefore = center->GetRegistrationCount();
  ASSERT_EQ(mClipboard->Initialize(), S_OK);
  EXPECT_TRUE(mClipboard->IsInitialized());
  EditLog log;
  const RCPtr<LControl> box(new EditableControl(nullptr, u"box", log, true));
  // The focus sits on a part of the box (a scroll bar, say) that takes no edits itself.
  const RCPtr<LControl> part(new EditableControl(box.Get(), u"part", log, false));
  FocusOn(part);

  for (const WChar* name : {u"NID_EDIT_CUT_REQ", u"NID_EDIT_COPY_REQ", u"NID_EDIT_PASTE_REQ", u"NID_EDIT_DELETE_REQ"})
    EXPECT_EQ(center->SendNotification(LNotification::Create(name)), S_OK);
  EXPECT_THAT(log.entries, ElementsAre("box:can:1", "box:perform:1", "box:can:2", "box:perform:2", "box:can:3",
                                       "box:perform:3", "box:can:0", "box:perform:0"));

  // The registrations do not keep the service alive.
  mClipboard = nullptr;
  EXPECT_EQ(center->GetRegistrationCount(), registrationsBefore);
}

TEST_F(Clipboard, EditCommandsWithoutATakerAnswerOne) {
  EditLog log;
  EXPECT_EQ(mClipboard->PerformEditCommand(LControl::kEditPaste), 1);  // no focus source at all
  FocusOn(nullptr);
  EXPECT_EQ(mClipboard->PerformEditCommand(LControl::kEditPaste), 1);
  EXPECT_FALSE(mClipboard->CanPerformEditCommand(LControl::kEditPaste));

  const RCPtr<LControl> label(new EditableControl(nullptr, u"label", log, false));
  FocusOn(label);
  EXPECT_EQ(mClipboard->PerformEditCommand(LControl::kEditCopy), 1);

  auto* box = new EditableControl(nullptr, u"box", log, true);
  const RCPtr<LControl> held(box);
  box->mRefused = LControl::kEditPaste;
  FocusOn(held);
  EXPECT_EQ(mClipboard->PerformEditCommand(LControl::kEditPaste), 1);
  EXPECT_FALSE(mClipboard->CanPerformEditCommand(LControl::kEditPaste));
  EXPECT_TRUE(mClipboard->CanPerformEditCommand(LControl::kEditCut));
  EXPECT_THAT(log.entries, ElementsAre("box:can:3", "box:can:3", "box:can:1"));
}

TEST(LControlEdit, TheBaseTakesNoEditsAndItsPerformEditMustBeOverridden) {
  const RCPtr<LControl> plain(new LControl(nullptr, StringW(u"plain")));
  EXPECT_EQ(plain->GetEditTarget(), nullptr);
  EXPECT_FALSE(plain->CanPerformEdit(LControl::kEditCopy));
  const std::string message = HV::Test::ThrownMessage([&] { plain->PerformEdit(LControl::kEditCopy); });
  EXPECT_THAT(message, HasSubstr("Logic Error : LControl::PerformEdit must be overridden : HV::LControl::PerformEdit"));
}

}  // namespace
}  // namespace HV
