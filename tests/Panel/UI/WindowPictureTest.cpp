// What the editor's window shows against what the editor holds, on the
// headless window system: each time the message loop goes to sleep, and
// before a message box, the window's picture is what a full repaint draws,
// whatever changed it (a key, a value fetched by a worker thread during a
// modal run); and every Tab press moves a focus mark that can be seen.
#include "tests/Panel/UI/KeyboardEditorRun.h"
#include "tests/support/SleepWatchingWindowSystem.h"

#include "HVFramework/Controls/Button/LButton.h"
#include "HVFramework/Platform/2D/MemoryPresenter.h"
#include "HVFramework/Platform/Core/WaitCodes.h"
#include "Panel/UI/LGetPresetFromMidiDeviceDlg.h"
#include "Panel/UI/PresetEditorCommon/LEncoderGroupPanel.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace HV {
namespace {

using Platform::WindowEvent;
using Platform::WindowEventKind;

constexpr int32_t kReturnKey = 0x0D, kTabKey = 0x09;

std::string Narrow(const StringW& text) { return std::string(text.ToCharString().GetText()); }

// "viewDevice/pads/pad1/button": where a control sits in its window.
std::string PathOf(const LControl& control) {
  std::string path = Narrow(control.GetName());
  for (const LControl* parent = control.GetParent(); parent; parent = parent->GetParent())
    path = Narrow(parent->GetName()) + "/" + path;
  return path;
}

std::vector<uint32_t> Picture(const Platform::MemoryPresenter& presenter) {
  std::vector<uint32_t> pixels;
  pixels.reserve(size_t(presenter.GetWidth()) * size_t(presenter.GetHeight()));
  for (int32_t y = 0; y < presenter.GetHeight(); ++y)
    for (int32_t x = 0; x < presenter.GetWidth(); ++x) pixels.push_back(presenter.GetPixel(x, y));
  return pixels;
}

// The pixels of a rectangle of the window that differ between two pictures of it.
int32_t CountChanged(const std::vector<uint32_t>& before, const std::vector<uint32_t>& after, int32_t width,
                     const RectT<int32_t>& area) {
  int32_t changed = 0;
  const int32_t height = static_cast<int32_t>(before.size()) / std::max(width, 1);
  for (int32_t y = std::max(area.y, 0); y < std::min(area.y + area.height, height); ++y)
    for (int32_t x = std::max(area.x, 0); x < std::min(area.x + area.width, width); ++x)
      if (before[size_t(y) * width + x] != after[size_t(y) * width + x]) ++changed;
  return changed;
}

// A control's part of a picture of its window (width pixels wide), row by row.
struct ControlPicture {
  int32_t width = 0, height = 0;
  std::vector<uint32_t> pixels;
};
ControlPicture PictureOf(const LControl& control, const std::vector<uint32_t>& window, int32_t windowWidth) {
  const LControl::Point origin = control.GetOriginInRoot();
  ControlPicture part{int32_t(control.GetRect().width), int32_t(control.GetRect().height), {}};
  for (int32_t y = 0; y < part.height; ++y)
    for (int32_t x = 0; x < part.width; ++x)
      part.pixels.push_back(window[size_t(int32_t(origin.y) + y) * windowWidth + size_t(int32_t(origin.x) + x)]);
  return part;
}

// Where two pictures of controls of one size differ: at the corners only
// (within reach of two edges), elsewhere, or nowhere.
struct Differences {
  int32_t atCorners = 0;
  int32_t elsewhere = 0;
};
Differences Compare(const ControlPicture& a, const ControlPicture& b, int32_t reach) {
  Differences found;
  if (a.width != b.width || a.height != b.height) return {0, 1};
  for (int32_t y = 0; y < a.height; ++y)
    for (int32_t x = 0; x < a.width; ++x) {
      if (a.pixels[size_t(y) * a.width + x] == b.pixels[size_t(y) * a.width + x]) continue;
      const bool nearX = x < reach || x >= a.width - reach;
      const bool nearY = y < reach || y >= a.height - reach;
      ++(nearX && nearY ? found.atCorners : found.elsewhere);
    }
  return found;
}

// "" when the window shows what a full repaint draws; else how many pixels
// and where they lie.
std::string StaleAgainstFullRepaint(OSWindow& window, const Platform::MemoryPresenter& presenter) {
  const std::vector<uint32_t> shown = Picture(presenter);
  window.RedrawNow();
  const std::vector<uint32_t> whole = Picture(presenter);
  const int32_t width = presenter.GetWidth();
  int32_t count = 0, left = width, top = presenter.GetHeight(), right = 0, bottom = 0;
  for (size_t i = 0; i < shown.size(); ++i) {
    if (shown[i] == whole[i]) continue;
    ++count;
    const int32_t x = static_cast<int32_t>(i % width), y = static_cast<int32_t>(i / width);
    left = std::min(left, x), top = std::min(top, y), right = std::max(right, x + 1), bottom = std::max(bottom, y + 1);
  }
  if (count == 0) return "";
  return std::to_string(count) + " stale pixels in (" + std::to_string(left) + ", " + std::to_string(top) + ")-(" +
         std::to_string(right) + ", " + std::to_string(bottom) + ")";
}

WindowEvent WindowEventOf(WindowEventKind kind, Platform::WindowId window, int32_t key = 0) {
  WindowEvent event;
  event.kind = kind;
  event.window = window;
  event.key = key;
  return event;
}

// The editor run on a window system that lets the test look at each sleep of
// the loop and before each message box.
class WindowPicture : public Test::KeyboardEditorRun {
 protected:
  void SetUp() override {
    KeyboardEditorRun::SetUp();
    mSessionSystem = &mWatcher;
  }

  // Scripts a key pressed and let go in the window.
  void Press(Platform::WindowId window, int32_t key) {
    mSystem.Script(WindowEventOf(WindowEventKind::KeyDown, window, key));
    mSystem.Script(WindowEventOf(WindowEventKind::KeyUp, window, key));
  }
  // Checks at every sleep that the main window shows what a full repaint
  // draws, and at every sleep without time-out that no notification waits
  // to be delivered; at every sleep without time-out the next
  // step scripts what the person does next, and after the last the window
  // is closed.
  void RunSteps(Live& editor, std::vector<std::function<void()>> steps) {
    OSWindow* main = editor.application.GetMainWindow();
    mWatcher.onSleep = [this, main, steps = std::move(steps), next = size_t(0)](uint32_t timeout) mutable {
      if (main->IsDestroyed()) return;
      const std::string stale = StaleAgainstFullRepaint(*main, *mSystem.GetMemoryPresenter(main->GetWindowId()));
      EXPECT_EQ(stale, "") << "at the sleep before step " << next;
      if (timeout != Platform::kInfinite || next > steps.size()) return;
      // Nothing waits for the next event: what is queued would change the picture then.
      EXPECT_EQ(GetApplicationNotificationCenter()->GetCount(), 0u) << "before step " << next;
      EXPECT_EQ(main->GetRootWindow()->GetCount(), 0u) << "before step " << next;
      if (next < steps.size()) steps[next++]();
      if (next == steps.size()) {
        ++next;
        mSystem.Script(WindowEventOf(WindowEventKind::Close, main->GetWindowId()));
      }
    };
  }

  HV::Test::SleepWatchingWindowSystem mWatcher{mSystem};
};

// Return on the focused tile (pad 1) selects it: the tile lights and the
// edit panel turns to the pad's page; what the click sets off runs through
// several posted notifications, and all of it shows before the loop sleeps,
// with the pointer never over the window.
TEST_F(WindowPicture, ASelectionByKeyShowsBeforeTheLoopSleeps) {
  RCPtr<LButton> pad1;
  EXPECT_EQ(Run([&](Live& editor) -> std::optional<int> {
              pad1 = Find<LButton>(*editor.deviceView, {u"pads", u"pad1", u"button"});
              EXPECT_TRUE(pad1 && !pad1->IsChecked());
              const Platform::WindowId main = editor.application.GetMainWindow()->GetWindowId();
              RunSteps(editor, {[&, main] {
                                  mSystem.Script(WindowEventOf(WindowEventKind::FocusGained, main));
                                  Press(main, kReturnKey);
                                },
                                [&] { EXPECT_TRUE(pad1->IsChecked()); }});
              return std::nullopt;
            }),
            0);
  EXPECT_TRUE(pad1 && pad1->IsChecked());
}

// A preset fetched from the keyboard: the worker that fetches it hands the
// values to the engine while a modal loop runs; the loop ends with the
// fetch, and before the success box shows, the main window shows the
// fetched values (here the first encoder's CC 93).
TEST_F(WindowPicture, AFetchedPresetShowsBeforeTheSuccessBox) {
  constexpr size_t kFirstEncoder = 1116;
  Simulated::SimulatedKeyboard::Preset preset = mKeyboard.GetSlot(5);
  const std::vector<uint8_t> record{1, 0, 93, 0, 0, 127};
  std::copy(record.begin(), record.end(), preset.begin() + static_cast<std::ptrdiff_t>(kFirstEncoder));
  mKeyboard.SetSlot(5, preset);
  Plug();
  std::vector<std::string> atBox;
  Inspect([&](Live& editor) {
    OSWindow& main = *editor.application.GetMainWindow();
    const RCPtr<LEncoderGroupPanel> encoders = Find<LEncoderGroupPanel>(*editor.deviceView, {u"encoders"});
    ASSERT_TRUE(encoders);
    const RCPtr<LControl> info = Find(*encoders->GetTile(0)->GetView(), {u"infoLabel"});
    ASSERT_TRUE(info);
    mWatcher.onMessageBox = [&](const std::string& title) {
      atBox.push_back(title + " over " + Narrow(info->GetText()) + " " +
                      StaleAgainstFullRepaint(main, *mSystem.GetMemoryPresenter(main.GetWindowId())));
    };
    const RCPtr<LGetPresetFromMidiDeviceDlg> get = Make<LGetPresetFromMidiDeviceDlg>(editor, u"dialogRetrievePresetFromHardware");
    ASSERT_TRUE(get);
    EXPECT_EQ(get->TransferSlot(5), std::optional<HResult>(0));
  });
  EXPECT_EQ(atBox, (std::vector<std::string>{"Retrieve Sucessful over CC:\n93 "}));
}

// On a tile the focus is a mark at the corners that leaves the element's
// picture as it is; the selection lights the picture itself. Pad 1 has the
// focus at the start; Return selects it, and Tab takes the focus to pad 2.
TEST_F(WindowPicture, ATileShowsItsFocusAtTheCornersAndItsSelectionInThePicture) {
  constexpr int32_t kCornerReach = 8;
  // Pads 1 to 3 at the start, once pad 1 is selected, and after the Tab.
  std::vector<std::array<ControlPicture, 3>> shown;
  EXPECT_EQ(Run([&](Live& editor) -> std::optional<int> {
              std::array<RCPtr<LControl>, 3> pads;
              for (int32_t n = 0; n < 3; ++n) {
                const std::u16string name = u"pad" + std::u16string(1, char16_t(u'1' + n));
                pads[n] = Find(*editor.deviceView, {u"pads", name.c_str(), u"button"});
                if (!pads[n]) ADD_FAILURE() << "no pad " << n + 1;
              }
              OSWindow* main = editor.application.GetMainWindow();
              const Platform::WindowId id = main->GetWindowId();
              const auto keep = [this, &shown, pads, main] {
                const std::vector<uint32_t> window = Picture(*mSystem.GetMemoryPresenter(main->GetWindowId()));
                std::array<ControlPicture, 3>& pictures = shown.emplace_back();
                for (size_t n = 0; n < pads.size(); ++n)
                  if (pads[n]) pictures[n] = PictureOf(*pads[n], window, main->GetClientRect().width);
              };
              RunSteps(editor, {[this, id] { mSystem.Script(WindowEventOf(WindowEventKind::FocusGained, id)); },
                                [this, id, keep] {
                                  keep();
                                  Press(id, kReturnKey);
                                },
                                [this, id, keep] {
                                  keep();
                                  Press(id, kTabKey);
                                },
                                keep});
              return std::nullopt;
            }),
            0);
  ASSERT_EQ(shown.size(), 3u);
  // The focus alone: pad 1 at the start, pad 2 after the Tab, each against pad 3.
  for (const auto& [step, pad] : {std::pair{size_t(0), 0}, std::pair{size_t(2), 1}}) {
    const Differences focus = Compare(shown[step][pad], shown[step][2], kCornerReach);
    EXPECT_GT(focus.atCorners, 0) << "pad " << pad + 1;
    EXPECT_EQ(focus.elsewhere, 0) << "pad " << pad + 1;
  }
  // The selection alone (pad 1 once the focus left it) changes the picture itself.
  EXPECT_GT(Compare(shown[2][0], shown[2][2], kCornerReach).elsewhere, 0);
  // Selected and focused: the selection's picture with the focus's corners.
  const Differences both = Compare(shown[1][0], shown[2][0], kCornerReach);
  EXPECT_GT(both.atCorners, 0);
  EXPECT_EQ(both.elsewhere, 0);
}

// Tab from the first control round the main window's tab order: each press
// moves the focus to another control, shown, whose picture changes (its
// focus mark) -- never to one that shows nothing of it.
TEST_F(WindowPicture, EveryTabPressMovesAFocusMarkThatShows) {
  constexpr size_t kMostPresses = 400;
  std::vector<std::string> unmarked;
  size_t presses = 0;
  bool isClosing = false;
  RCPtr<LControl> first, last;
  std::vector<uint32_t> before;
  EXPECT_EQ(Run([&](Live& editor) -> std::optional<int> {
              OSWindow* main = editor.application.GetMainWindow();
              const Platform::WindowId id = main->GetWindowId();
              mSystem.Script(WindowEventOf(WindowEventKind::FocusGained, id));
              // Each sleep follows the press scripted at the one before.
              mWatcher.onSleep = [&, main, id](uint32_t) {
                if (main->IsDestroyed() || isClosing) return;
                const RCPtr<LControl> focus(main->GetRootWindow()->GetFocusControl());
                const std::vector<uint32_t> picture = Picture(*mSystem.GetMemoryPresenter(id));
                if (!focus) {
                  unmarked.push_back("no focus after press " + std::to_string(presses));
                } else if (presses > 0) {
                  const LControl::Point origin = focus->GetOriginInRoot();
                  const LControl::Rect& rect = focus->GetRect();
                  const RectT<int32_t> area{int32_t(origin.x), int32_t(origin.y), int32_t(rect.width) + 1,
                                            int32_t(rect.height) + 1};
                  if (focus == last || !focus->IsVisible(true) ||
                      CountChanged(before, picture, main->GetClientRect().width, area) == 0)
                    unmarked.push_back(PathOf(*focus));
                }
                before = picture;
                last = focus;
                if (!first) first = focus;
                if ((presses > 0 && focus == first) || presses == kMostPresses) {
                  mSystem.Script(WindowEventOf(WindowEventKind::Close, id));
                  isClosing = true;
                  return;
                }
                ++presses;
                Press(id, kTabKey);
              };
              return std::nullopt;
            }),
            0);
  EXPECT_LT(presses, kMostPresses) << "the focus never came back to where it started";
  EXPECT_GT(presses, 50u);  // the tiles alone are more
  EXPECT_TRUE(unmarked.empty()) << unmarked.size() << " presses showed no mark, the first at " << unmarked.front();
}

}  // namespace
}  // namespace HV
