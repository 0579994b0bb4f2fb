// A device operation that waits the keyboard's full time (a silent keyboard:
// ten tries of half a second) in the editor on the headless window system:
// the main window paints on through the whole wait, a second operation
// asked for meanwhile (hot key, dialog) is refused with the busy box, and
// the desktop's close box does not end the dialog under the operation.
#include "tests/Panel/UI/KeyboardEditorRun.h"

#include "HVFramework/ControlBase/Views/LDialog.h"
#include "HVFramework/ControlBase/Views/ViewsNotificationNames.h"
#include "HVFramework/Notification/RuntimeNotificationNames.h"
#include "Panel/UI/EditorNotificationNames.h"
#include "Panel/UI/LGlobalSettingsDlg.h"

#include <set>

namespace HV {
namespace {

using Test::NotificationCallback;

constexpr const char* kBusyText = "The keyboard is busy with another transfer. Try again when it has finished.";

class DeviceOperationThreads : public Test::KeyboardEditorRun {};

TEST_F(DeviceOperationThreads, TheWindowPaintsThroughAFiveSecondWaitWhichNothingInterrupts) {
  UseTiming(MidiTiming::Specified());
  Plug();
  mKeyboard.SetAnswering(false);
  Inspect([&](Live& editor) {
    const RCPtr<LGlobalSettingsDlg> dialog = Make<LGlobalSettingsDlg>(editor, u"globalEditorControl");
    ASSERT_TRUE(dialog);
    OSWindow& main = *editor.application.GetMainWindow();
    const RCPtr<Platform::MemoryPresenter> presenter = mSystem.GetMemoryPresenter(main.GetWindowId());
    ASSERT_TRUE(presenter);
    LBusyRunner& runner = editor.application.GetBusyRunner();

    // Each idle pass while the opening fetch waits: the tries the keyboard
    // has seen when the main window had painted a new frame, a whole paint
    // asked for again, and once, the dialog's close box, a second operation
    // from the dialog and one by the Send hot key. Once the wait is over the
    // dialog is closed.
    Platform::WindowEvent close;
    close.window = main.GetWindowId() + 1;
    close.kind = Platform::WindowEventKind::Close;
    std::set<size_t> triesSeenPainting;
    size_t lastFrames = presenter->GetPresentedRects().size();
    bool hasAskedSecond = false, hasClosed = false;
    const RCPtr<NotificationCallback> idle(new NotificationCallback([&] {
      if (runner.IsBusy()) {
        const size_t frames = presenter->GetPresentedRects().size();
        if (frames > lastFrames) triesSeenPainting.insert(mKeyboard.CountEvents(Event::IdentityRequest));
        lastFrames = frames;
        const RectT<int32_t> client = main.GetClientRect();
        main.InvalidateRect({0, 0, client.width, client.height});
        if (!hasAskedSecond) {
          hasAskedSecond = true;
          mSystem.Script(close);
          EXPECT_EQ(dialog->FetchSettings(), std::nullopt);
          GetApplicationNotificationCenter()->CreateAndPostNotification(kNidMenuFileSendPresetToDevice);
        }
      } else if (hasAskedSecond && !hasClosed) {
        hasClosed = true;
        dialog->Close(LDialog::kOK);
      }
    }));
    idle->RegisterNotification(RCPtr<LNotificationDistributor>(editor.window.Get()), kNidIdle);
    // When the dialog ends: whether an operation still ran and which boxes had shown.
    std::optional<std::pair<bool, size_t>> atClose;
    const RCPtr<NotificationCallback> closed(new NotificationCallback([&] { atClose = {runner.IsBusy(), Boxes().size()}; }));
    closed->RegisterNotification(RCPtr<LNotificationDistributor>(dialog.Get()), kNidDialogClosed);

    editor.application.RunModalWindow(dialog);
    idle->UnregisterAllNotifications();
    closed->UnregisterAllNotifications();

    // Painting at every one of the ten tries, to the end of the wait.
    EXPECT_EQ(mKeyboard.CountEvents(Event::IdentityRequest), 10u);
    for (size_t tries = 1; tries <= 10; ++tries) EXPECT_TRUE(triesSeenPainting.count(tries)) << tries;
    ASSERT_TRUE(atClose);
    EXPECT_FALSE(atClose->first);
    EXPECT_EQ(atClose->second, 3u);
  });
  EXPECT_EQ(Boxes(), (std::vector<std::string>{
                         std::string("Global Settings Error: ") + kBusyText,
                         std::string("Send Preset Error: ") + kBusyText,
                         "Send Preset Error: The firmware version of your device is not compatible with this "
                         "version of the Preset Editor.  Visit the Halvern support web site for the latest "
                         "firmware updates.",
                     }));
  // Nothing but the identity exchange reached the keyboard.
  EXPECT_EQ(mKeyboard.CountEvents(Event::GlobalRequest) + mKeyboard.CountEvents(Event::PresetRequest) +
                mKeyboard.CountEvents(Event::PresetDump),
            0u);
}

// The keyboard's reports come on the worker that asks for them and reach
// the controls through the user-interface thread; what was fetched goes
// back as it came.
TEST_F(DeviceOperationThreads, FetchedSettingsReachTheControlsAndGoBackAsTheyCame) {
  Plug();
  const std::vector<int32_t> values = {5, 0, 0, 0, 1, 7, 20, 3, 6, 4, 9, 2, 8, 99, 12, 34, 1};
  for (size_t index = 0; index < values.size(); ++index) mKeyboard.SetGlobal(index, values[index]);
  Inspect([&](Live& editor) {
    const RCPtr<LGlobalSettingsDlg> dialog = Make<LGlobalSettingsDlg>(editor, u"globalEditorControl");
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->FetchSettings(), std::optional<HResult>(0));
    EXPECT_EQ(Find(*dialog, {u"program", u"numericUpDown"})->GetValue(), 99);
    for (size_t index = 0; index < values.size(); ++index) mKeyboard.SetGlobal(index, 0);
    EXPECT_EQ(dialog->SendSettings(), std::optional<HResult>(0));
  });
  for (size_t index = 0; index < values.size(); ++index)
    if (index < 1 || index > 3) EXPECT_EQ(mKeyboard.GetGlobal(index), values[index]) << index;
  EXPECT_TRUE(Boxes().empty());
}

}  // namespace
}  // namespace HV
