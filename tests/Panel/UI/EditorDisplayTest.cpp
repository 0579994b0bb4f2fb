// The editor program on a display of its own (a private Xvfb), with the
// simulated keyboard, an empty home and a runtime folder of its own: its
// window, its single instance and its way out.
#include "DeviceControl/GeneratedCode/Engine/Inc/DefaultRecords.h"
#include "HVFramework/Platform/Graphics/PngCodec.h"
#include "Panel/UI/DriverCommon/PresetFile/PresetFile.h"
#include "tests/support/ChildProgram.h"
#include "tests/support/PrivateDisplay.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/support/WindowManagerOnDisplay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace HV::Test {
namespace {

constexpr const char* kFirstFrame = "tarsel-preset-editor: first frame presented at ";
// The main window as the skin gives it.
constexpr int kWindowX = 16, kWindowY = 40, kWindowWidth = 1248, kWindowHeight = 716;

// The home and runtime folder the editors of one test share.
class EditorHome {
 public:
  EditorHome() {
    std::filesystem::create_directory(GetHome());
    mkdir(GetRuntime().c_str(), 0700);
  }
  std::string GetHome() const { return mFolder.GetPath() + "/home"; }
  std::string GetRuntime() const { return mFolder.GetPath() + "/runtime"; }
  std::string GetUserFolder() const { return GetHome() + "/.config/Halvern/Tarsel Preset Editor"; }

 private:
  TemporaryFolder mFolder;
};

class EditorProcess : public ChildProgram {
 public:
  // extra: settings of the test's own ("NAME=value"), before the others.
  EditorProcess(const EditorHome& home, const PrivateDisplay& display,
                const std::vector<std::string>& extra = {})
      : ChildProgram(TARSEL_EDITOR_PROGRAM, {}, Settings(home, display, extra), "editor") {}

 private:
  static std::vector<std::string> Settings(const EditorHome& home, const PrivateDisplay& display,
                                           std::vector<std::string> settings) {
    settings.insert(settings.end(), {"HOME=" + home.GetHome(),
            "XDG_CONFIG_HOME=" + home.GetHome() + "/.config",
            "XDG_DATA_HOME=" + home.GetHome() + "/.local/share",
            "XDG_RUNTIME_DIR=" + home.GetRuntime(),
            "DISPLAY=" + display.GetName(),
            "TARSEL_MIDI=simulated",
            "TARSEL_TIMING=1",
            std::string("FONTCONFIG_FILE=") + HV_TEST_FONTS_CONF,
            // A leak makes the exit status fail.
            "ASAN_OPTIONS=detect_leaks=1"});
    return settings;
  }
};

// The editor's main window, found by its process and its caption: "WIDTHxHEIGHT", empty when none is found.
std::string FindWindowSize(const PrivateDisplay& display, pid_t pid) {
  const std::string geometry =
      RunOnDisplay(display, "xdotool search --sync --pid " + std::to_string(pid) + " --name '^Halvern$' getwindowgeometry");
  const size_t at = geometry.find("Geometry: ");
  if (at == std::string::npos) return "";
  return geometry.substr(at + 10, geometry.find('\n', at) - at - 10);
}

uint32_t Shown(const Platform::BgraImage& image, int32_t x, int32_t y) {
  const uint8_t* p = &image.pixels[(size_t(y) * image.width + x) * 4];
  return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

void PressAltF4(const PrivateDisplay& display, pid_t pid) { Test::PressAltF4(display, pid, "^Halvern$"); }

// Whether the main window's placement was kept in the user's profile.
bool HasPlacement(const EditorHome& home) {
  std::error_code missing;
  for (const auto& entry : std::filesystem::directory_iterator(home.GetUserFolder() + "/Profile", missing))
    if (entry.is_regular_file()) return true;
  return false;
}

// A display of the test's own, large enough for the window, and one home
// for the editors the test starts.
class EditorDisplay : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(display.GetName().empty()); }
  // An editor, started and showing its first frame.
  std::unique_ptr<EditorProcess> Start(const std::vector<std::string>& extra = {}) {
    auto editor = std::make_unique<EditorProcess>(home, display, extra);
    EXPECT_TRUE(editor->IsRunning());
    EXPECT_TRUE(editor->WaitForLine(kFirstFrame));
    return editor;
  }

  PrivateDisplay display{"1600x1000x24"};
  EditorHome home;
};

TEST_F(EditorDisplay, ShowsItsFixedWindowAndEndsOnAltF4KeepingItsPlacement) {
  const std::unique_ptr<EditorProcess> started = Start();
  EditorProcess& editor = *started;

  // Captioned with the maker's name, at the skin's size.
  const std::string size = std::to_string(kWindowWidth) + "x" + std::to_string(kWindowHeight);
  EXPECT_EQ(FindWindowSize(display, editor.GetPid()), size);

  // What the screen shows: the skin drawn over the whole window (the empty
  // display is black), in the many colours of its panels, tiles and texts.
  TemporaryFolder shots;
  const std::string path = shots.GetPath() + "/screen.png";
  RunOnDisplay(display, "import -window root '" + path + "'");
  Platform::BgraImage screen;
  ASSERT_TRUE(Platform::DecodePngFile(path, screen));
  EXPECT_NE(Shown(screen, kWindowX + 2, kWindowY + 2), 0u);
  EXPECT_NE(Shown(screen, kWindowX + kWindowWidth - 3, kWindowY + kWindowHeight - 3), 0u);
  std::set<uint32_t> colours;
  for (int32_t y = kWindowY; y < kWindowY + kWindowHeight; y += 7)
    for (int32_t x = kWindowX; x < kWindowX + kWindowWidth; x += 7) colours.insert(Shown(screen, x, y));
  EXPECT_GT(colours.size(), 20u);

  // The desktop cannot size it: the window puts its own size back.
  XdotoolOnDisplay(display, "search --sync --onlyvisible --pid " + std::to_string(editor.GetPid()) +
                                " --name '^Halvern$' windowsize --sync %1 800 600");
  EXPECT_EQ(FindWindowSize(display, editor.GetPid()), size);

  PressAltF4(display, editor.GetPid());
  EXPECT_EQ(editor.Wait(), 0);
  // The user's settings and the window's placement were written.
  EXPECT_TRUE(std::filesystem::is_regular_file(home.GetUserFolder() + "/UserSettings.ini"));
  EXPECT_TRUE(HasPlacement(home));
}

// A session logging out (SIGTERM, SIGHUP) or Ctrl+C in a terminal (SIGINT)
// ends the editor as File > Exit does: exit status 0, its settings and its
// window's placement written.
TEST_F(EditorDisplay, EachTerminationSignalEndsTheEditorInOrder) {
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(signal);
    const EditorHome own;
    EditorProcess editor(own, display);
    ASSERT_TRUE(editor.IsRunning());
    ASSERT_TRUE(editor.WaitForLine(kFirstFrame));
    ASSERT_EQ(kill(editor.GetPid(), signal), 0);
    EXPECT_EQ(editor.Wait(), 0);
    EXPECT_TRUE(std::filesystem::is_regular_file(own.GetUserFolder() + "/UserSettings.ini"));
    EXPECT_TRUE(HasPlacement(own));
  }
}

// The same with a dialog open: the signal ends the dialog's modal run too.
TEST_F(EditorDisplay, ATerminationSignalEndsTheEditorWhileADialogIsOpen) {
  const std::unique_ptr<EditorProcess> editor = Start();
  const std::string window = "search --sync --onlyvisible --pid " + std::to_string(editor->GetPid()) + " --name '^Halvern$' ";
  XdotoolOnDisplay(display, window + "windowfocus --sync %1 key ctrl+shift+s");
  XdotoolOnDisplay(display, "search --sync --onlyvisible --pid " + std::to_string(editor->GetPid()) + " --name '^Send Preset$'");
  ASSERT_EQ(kill(editor->GetPid(), SIGTERM), 0);
  EXPECT_EQ(editor->Wait(), 0);
  EXPECT_TRUE(std::filesystem::is_regular_file(home.GetUserFolder() + "/UserSettings.ini"));
  EXPECT_TRUE(HasPlacement(home));
}

// A request the X server refuses is not the end: another client destroys
// the dialog's window under the editor, which goes on and still ends in
// order (before, Xlib's default handler ended it at once, nothing written).
TEST_F(EditorDisplay, ADialogWindowDestroyedByAnotherClientLeavesTheEditorRunning) {
  const std::unique_ptr<EditorProcess> editor = Start();
  const std::string pid = std::to_string(editor->GetPid());
  XdotoolOnDisplay(display, "search --sync --onlyvisible --pid " + pid + " --name '^Halvern$' windowfocus --sync %1 key ctrl+shift+s");
  XdotoolOnDisplay(display, "search --sync --onlyvisible --pid " + pid + " --name '^Send Preset$' windowclose %1");
  // What the editor asks of the gone window next is refused, and it goes on.
  XdotoolOnDisplay(display, "search --sync --onlyvisible --pid " + pid + " --name '^Halvern$' windowfocus --sync %1");
  ASSERT_EQ(kill(editor->GetPid(), SIGTERM), 0);
  EXPECT_EQ(editor->Wait(), 0);
  EXPECT_TRUE(HasPlacement(home));
}

TEST_F(EditorDisplay, ASecondStartExitsZeroAndLeavesTheFirstRunning) {
  const std::unique_ptr<EditorProcess> started = Start();
  EditorProcess& first = *started;
  {
    EditorProcess second(home, display);
    ASSERT_TRUE(second.IsRunning());
    EXPECT_EQ(second.Wait(), 0);
  }
  EXPECT_TRUE(first.IsAlive());
  EXPECT_FALSE(FindWindowSize(display, first.GetPid()).empty());

  PressAltF4(display, first.GetPid());
  EXPECT_EQ(first.Wait(), 0);
}

// Points of the root window (the editor's window at 16, 40) that the edits
// below click: tiles, the edit panel's second tab and its first list, the
// preset name's box.
struct ScreenPoint {
  int x;
  int y;
};
constexpr ScreenPoint kButton2Tile{134, 449};
constexpr ScreenPoint kPad6Tile{718, 277};
constexpr ScreenPoint kColourTab{1066, 129};
constexpr ScreenPoint kFirstColourList{1127, 168};
// The fifth entry shown by the open list: "Magenta" in the push buttons'
// list (open at its top), "Blue" in the pads' (scrolled to their "Orange").
constexpr ScreenPoint kButtonListMagenta{1048, 279};
constexpr ScreenPoint kPadListBlue{1048, 235};
constexpr ScreenPoint kPresetNameBox{196, 94};

std::string Click(ScreenPoint point) {
  return "mousemove --sync " + std::to_string(point.x) + " " + std::to_string(point.y) + " click 1 ";
}

// Watches a folder for files written and closed there.
class WrittenFiles {
 public:
  explicit WrittenFiles(const std::string& folder) : mWatch(inotify_init1(IN_CLOEXEC)) {
    if (mWatch >= 0) inotify_add_watch(mWatch, folder.c_str(), IN_CLOSE_WRITE | IN_MOVED_TO);
  }
  ~WrittenFiles() {
    if (mWatch >= 0) close(mWatch);
  }
  WrittenFiles(const WrittenFiles&) = delete;
  WrittenFiles& operator=(const WrittenFiles&) = delete;

  // Waits (at most 20 s) until name is written, and answers whether it was.
  bool WaitFor(const std::string& name) {
    while (mWatch >= 0) {
      pollfd ready{mWatch, POLLIN, 0};
      if (poll(&ready, 1, 20000) <= 0) return false;
      alignas(inotify_event) char events[4096];
      const ssize_t got = read(mWatch, events, sizeof events);
      for (ssize_t at = 0; at < got;) {
        const auto* event = reinterpret_cast<const inotify_event*>(events + at);
        if (event->len > 0 && name == event->name) return true;
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
    return false;
  }

 private:
  const int mWatch;
};

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The saved preset's records, in ID order, each as its bytes.
std::vector<std::vector<uint8_t>> SavedRecords(const std::string& path) {
  const std::vector<uint8_t> file = ReadFile(path);
  Array<ParamValue> values;
  std::vector<std::vector<uint8_t>> records;
  if (PresetFile::Decode(file, values) != PresetFile::kLoaded) return records;
  for (uint32_t i = 0; i < values.GetCount(); ++i) {
    uint32_t size = 0;
    const auto* data = static_cast<const uint8_t*>(values.GetItemPtr(i)->value.GetData(&size));
    records.emplace_back(data, data + (data ? size : 0));
  }
  return records;
}

// Compares the saved records with the default preset's, record by record,
// each default first changed as change says for its ID.
void ExpectDefaultsExcept(const std::vector<std::vector<uint8_t>>& records,
                          const std::function<void(size_t, std::vector<uint8_t>&)>& change) {
  ASSERT_EQ(records.size(), size_t(kDeviceParamCount));
  const std::vector<uint8_t> defaults = MakeDefaultPresetData();
  size_t at = 0;
  for (size_t id = 0; id < records.size(); ++id) {
    ASSERT_LE(at + records[id].size(), defaults.size());
    std::vector<uint8_t> expected(defaults.begin() + at, defaults.begin() + at + records[id].size());
    at += records[id].size();
    change(id, expected);
    EXPECT_EQ(records[id], expected) << "record " << id;
  }
  EXPECT_EQ(at, defaults.size());
}

TEST_F(EditorDisplay, APushButtonAPadAndThePresetNameEditedAndSavedChangeOnlyTheirRecords) {
  const std::unique_ptr<EditorProcess> started = Start();
  EditorProcess& editor = *started;
  const std::string pid = std::to_string(editor.GetPid());
  // Push button 2's first colour to Magenta, pad 6's to Blue, the name to "ab c".
  XdotoolOnDisplay(display, "search --sync --onlyvisible --pid " + pid + " --name '^Halvern$' windowfocus --sync %1 " +
                                Click(kButton2Tile) + Click(kColourTab) + Click(kFirstColourList) +
                                Click(kButtonListMagenta) + Click(kPad6Tile) + Click(kColourTab) +
                                Click(kFirstColourList) + Click(kPadListBlue) + Click(kPresetNameBox) +
                                "key End BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace a b space c ctrl+s");
  TemporaryFolder saved;
  const std::string path = saved.GetPath() + "/edited.TarselPresetEditor";
  // xdotool drops keys that follow its typing in one run: Return goes in a run of its own.
  const std::string chooser = "search --sync --name '^Select Save Location$' windowfocus --sync %1 ";
  XdotoolOnDisplay(display, chooser + "key ctrl+a type '" + path + "'");
  WrittenFiles written(saved.GetPath());
  XdotoolOnDisplay(display, chooser + "key Return");
  // Once the file is written the chooser is gone and the editor takes keys again.
  EXPECT_TRUE(written.WaitFor("edited.TarselPresetEditor"));
  PressAltF4(display, editor.GetPid());
  EXPECT_EQ(editor.Wait(), 0);

  constexpr size_t kName = 0, kPad6 = 14, kButton2 = 26;
  ExpectDefaultsExcept(SavedRecords(path), [](size_t id, std::vector<uint8_t>& expected) {
    if (id == kName) expected = {0x41, 0x42, 0x22, 0x43, 0x00, 0x00};
    if (id == kPad6) expected[1] = 6;     // Blue
    if (id == kButton2) expected[1] = 4;  // Magenta
  });
}

// The user picks keybed zone 2, turns it on, types its last key 30 and then
// its first key 40, which the key rule holds at 30, and saves: the file
// differs from the default preset in that zone's record alone. The file
// chooser is a stand-in for zenity that answers with a name in the test's
// folder.
TEST_F(EditorDisplay, AKeybedZoneEditedWithMouseAndKeysChangesItsRecordAlone) {
  TemporaryFolder files;
  const std::string saved = "edited.TarselPresetEditor";
  {
    std::ofstream chooser(files / "zenity");
    chooser << "#!/bin/sh\necho \"$(dirname \"$0\")/" << saved << "\"\n";
  }
  std::filesystem::permissions(files / "zenity", std::filesystem::perms::owner_all);
  const char* path = std::getenv("PATH");
  const std::unique_ptr<EditorProcess> started =
      Start({"PATH=" + files.GetPath() + ":" + (path ? path : "/usr/bin:/bin")});
  EditorProcess& editor = *started;

  // Places in the window, from the skin: zone 2's keys, and in the zone edit
  // panel the on/off box and the texts of the first and the last key.
  const auto click = [](int32_t x, int32_t y) {
    return "mousemove --sync " + std::to_string(kWindowX + x) + " " + std::to_string(kWindowY + y) + " click 1 ";
  };
  const std::string focused =
      "search --sync --onlyvisible --pid " + std::to_string(editor.GetPid()) + " --name '^Halvern$' windowfocus --sync %1 ";
  const std::string retype = "key ctrl+a BackSpace BackSpace BackSpace type ";
  WrittenFiles watch(files.GetPath());
  // xdotool drops keys that follow its typing in one run: each Return goes in a run of its own.
  XdotoolOnDisplay(display, focused + click(336, 640) + click(1003, 89) + click(1017, 358) + retype + "30");
  XdotoolOnDisplay(display, focused + "key Return");
  XdotoolOnDisplay(display, focused + click(1017, 328) + retype + "40");
  XdotoolOnDisplay(display, focused + "key Return ctrl+s");
  EXPECT_TRUE(watch.WaitFor(saved));
  PressAltF4(display, editor.GetPid());
  EXPECT_EQ(editor.Wait(), 0);

  constexpr size_t kZone2 = 2;  // the zones follow the preset name
  ExpectDefaultsExcept(SavedRecords(files / saved), [](size_t id, std::vector<uint8_t>& expected) {
    if (id == kZone2) expected = {1, 0, 0, 0, 0, 30, 30, 5, 12};
  });
}

// The wall-clock time now, as the editor prints it: seconds since the epoch.
double WallClockNow() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// Reads the editor's lines until it says it went idle later than since:
// then it has handled what the display sent it before since, and shows the
// outcome.
bool WaitForIdleSince(EditorProcess& editor, double since) {
  constexpr const char* kIdle = "tarsel-preset-editor: idle at ";
  std::string line;
  while (editor.WaitForLine(kIdle, &line))
    if (std::stod(line.substr(std::string(kIdle).size())) > since) return true;
  return false;
}

// Waits until the editor has handled what the display sent it so far: a
// Shift pressed alone (which changes nothing) wakes it, so that it says it
// went idle also when it did before now.
bool WaitUntilIdle(const PrivateDisplay& display, EditorProcess& editor, const std::string& window) {
  const double now = WallClockNow();
  XdotoolOnDisplay(display, window + "windowfocus --sync %1 key shift");
  return WaitForIdleSince(editor, now);
}

// The screen's pixels inside the editor's window.
std::vector<uint32_t> WindowPixels(const PrivateDisplay& display, const std::string& path) {
  RunOnDisplay(display, "import -window root '" + path + "'");
  Platform::BgraImage screen;
  std::vector<uint32_t> pixels;
  if (!Platform::DecodePngFile(path, screen)) return pixels;
  for (int32_t y = kWindowY; y < kWindowY + kWindowHeight; ++y)
    for (int32_t x = kWindowX; x < kWindowX + kWindowWidth; ++x) pixels.push_back(Shown(screen, x, y));
  return pixels;
}

size_t CountDifferent(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
  if (a.size() != b.size()) return std::max(a.size(), b.size());
  size_t different = 0;
  for (size_t i = 0; i < a.size(); ++i) different += a[i] != b[i];
  return different;
}

// With the pointer away from the window and the keyboard alone: Return
// selects pad 1 (the focus is on it at the start), Shift+Tab three times
// reaches its NOTE box, 40 and Return set the note, Tab three times takes
// the focus back to the pad. After each step the window shows what it
// shows once drawn anew: moved off the screen and back, it is the same.
TEST_F(EditorDisplay, AKeyboardSelectionAndEditShowWhatTheWindowDrawnAnewShows) {
  const std::unique_ptr<EditorProcess> started = Start();
  EditorProcess& editor = *started;
  TemporaryFolder shots;
  const std::string window = "search --sync --onlyvisible --pid " + std::to_string(editor.GetPid()) + " --name '^Halvern$' ";
  const auto send = [&](const std::string& keys) { XdotoolOnDisplay(display, window + "windowfocus --sync %1 " + keys); };
  XdotoolOnDisplay(display, "mousemove --sync 1590 990");
  const std::vector<uint32_t> start = WindowPixels(display, shots / "start.png");
  const auto expectShownAsDrawnAnew = [&](const std::string& step) {
    const std::vector<uint32_t> shown = WindowPixels(display, shots / (step + ".png"));
    // Off the screen and back: the desktop asks for the whole window anew.
    XdotoolOnDisplay(display, window + "windowmove --sync %1 1700 40 windowmove --sync %1 " +
                                  std::to_string(kWindowX) + " " + std::to_string(kWindowY));
    EXPECT_TRUE(WaitUntilIdle(display, editor, window));
    EXPECT_EQ(CountDifferent(shown, WindowPixels(display, shots / (step + "-anew.png"))), 0u) << step;
    return shown;
  };

  // Return shows the pressed pad for a moment before it selects it: the
  // editor is idle next once the selection is made (and shown, or not).
  const double beforeReturn = WallClockNow();
  send("key Return");
  ASSERT_TRUE(WaitForIdleSince(editor, beforeReturn));
  const std::vector<uint32_t> selected = expectShownAsDrawnAnew("selected");

  // xdotool drops keys that follow its typing in one run: Return goes in a
  // run of its own. The text box's caret blinks while it has the focus, so
  // the editor is idle only once the focus has left it.
  send("key shift+Tab shift+Tab shift+Tab ctrl+a type 40");
  send("key Return Tab Tab Tab");
  ASSERT_TRUE(WaitUntilIdle(display, editor, window));
  const std::vector<uint32_t> edited = expectShownAsDrawnAnew("edited");

  EXPECT_GT(CountDifferent(start, selected), 0u);
  EXPECT_GT(CountDifferent(selected, edited), 0u);
  PressAltF4(display, editor.GetPid());
  EXPECT_EQ(editor.Wait(), 0);
}

// --- On a desktop with a window manager ---

// An X window's client area as the display has it: its absolute top left
// corner and its size (all 0 when the window is not found).
struct ClientArea {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const ClientArea&) const = default;
};

std::ostream& operator<<(std::ostream& out, const ClientArea& area) {
  return out << area.x << "," << area.y << " " << area.width << "x" << area.height;
}

int ReadField(const std::string& text, const std::string& label) {
  const size_t at = text.find(label);
  return at == std::string::npos ? 0 : std::atoi(text.c_str() + at + label.size());
}

ClientArea FindClientArea(const PrivateDisplay& display, const std::string& window) {
  const std::string info = RunOnDisplay(display, "xwininfo -id " + window);
  return {ReadField(info, "Absolute upper-left X:"), ReadField(info, "Absolute upper-left Y:"),
          ReadField(info, "Width:"), ReadField(info, "Height:")};
}

// The X window (as a decimal number) of the editor whose caption matches titlePattern.
std::string FindWindow(const PrivateDisplay& display, pid_t pid, const std::string& titlePattern) {
  std::istringstream found(RunOnDisplay(
      display, "xdotool search --sync --all --pid " + std::to_string(pid) + " --name '" + titlePattern + "'"));
  std::string first;
  std::getline(found, first);
  return first;
}

std::string Hex(const std::string& decimalWindow) {
  std::ostringstream out;
  out << "0x" << std::hex << std::stoul(decimalWindow);
  return out.str();
}

// The editor's placement, focus and dialogs as a window manager (openbox)
// handles them, on a display of the test's own.
class EditorOnDesktopDisplay : public EditorDisplay {
 protected:
  void SetUp() override {
    EditorDisplay::SetUp();
    ASSERT_TRUE(windowManager.IsReady());
  }
  WindowManagerOnDisplay windowManager{display};
};

// The window opens exactly where it was closed, start after start: its
// client area is kept and restored, whatever frame the window manager draws.
TEST_F(EditorOnDesktopDisplay, FiveCloseAndStartRoundsLeaveTheWindowWhereItWas) {
  ClientArea left;
  {
    const std::unique_ptr<EditorProcess> editor = Start();
    const std::string window = FindWindow(display, editor->GetPid(), "^Halvern$");
    XdotoolOnDisplay(display, "windowmove --sync " + window + " 200 150");
    left = FindClientArea(display, window);
    // Each round ends the editor in order as a logout does: what is tested
    // here is where the window is kept, not the key that closes it (the
    // window manager's own focus handling right after a start loses a
    // synthetic Alt+F4 now and then).
    ASSERT_EQ(kill(editor->GetPid(), SIGTERM), 0);
    ASSERT_EQ(editor->Wait(), 0);
  }
  ASSERT_EQ(left.width, kWindowWidth);
  for (int round = 1; round <= 5; ++round) {
    const std::unique_ptr<EditorProcess> editor = Start();
    const ClientArea opened = FindClientArea(display, FindWindow(display, editor->GetPid(), "^Halvern$"));
    ASSERT_EQ(kill(editor->GetPid(), SIGTERM), 0);
    ASSERT_EQ(editor->Wait(), 0);
    ASSERT_EQ(opened, left) << "round " << round;
  }
}

// A screen smaller than the window, on the first start: the window of fixed
// size opens at the screen's top left corner with its frame, its title bar
// and its menu bar showing.
TEST(EditorOnSmallDesktopDisplay, TheFirstStartShowsTheTitleBarAndTheMenuBar) {
  PrivateDisplay display("1024x600x24");
  ASSERT_FALSE(display.GetName().empty());
  WindowManagerOnDisplay windowManager(display);
  ASSERT_TRUE(windowManager.IsReady());
  EditorHome home;
  EditorProcess editor(home, display);
  ASSERT_TRUE(editor.WaitForLine(kFirstFrame));
  const std::string window = FindWindow(display, editor.GetPid(), "^Halvern$");
  // "_NET_FRAME_EXTENTS(CARDINAL) = left, right, top, bottom"
  const std::string extents = RunOnDisplay(display, "xprop -id " + window + " _NET_FRAME_EXTENTS");
  int left = 0, right = 0, top = 0, bottom = 0;
  ASSERT_EQ(std::sscanf(extents.c_str(), "_NET_FRAME_EXTENTS(CARDINAL) = %d, %d, %d, %d", &left, &right, &top,
                        &bottom), 4)
      << extents;
  EXPECT_GT(top, 0);
  ASSERT_EQ(FindClientArea(display, window), (ClientArea{left, top, kWindowWidth, kWindowHeight}));
  PressAltF4(display, editor.GetPid());
  EXPECT_EQ(editor.Wait(), 0);
}

// A dialog opened after the user moved the main window opens centred over
// it, and the window manager sees a modal dialog of the main window without
// minimise and maximise buttons.
TEST_F(EditorOnDesktopDisplay, ADialogOpensCentredOverTheMovedWindowAsItsModalDialog) {
  const std::unique_ptr<EditorProcess> editor = Start();
  const std::string main = FindWindow(display, editor->GetPid(), "^Halvern$");
  XdotoolOnDisplay(display, "windowmove --sync " + main + " 300 240");
  XdotoolOnDisplay(display, "windowfocus --sync " + main + " key --window " + main + " ctrl+shift+s");
  const std::string dialog = FindWindow(display, editor->GetPid(), "^Send Preset$");
  ASSERT_FALSE(dialog.empty());
  const ClientArea owner = FindClientArea(display, main);
  const ClientArea shown = FindClientArea(display, dialog);
  EXPECT_EQ(shown.x, owner.x + (owner.width - shown.width) / 2);
  EXPECT_EQ(shown.y, owner.y + (owner.height - shown.height) / 2);

  const std::string properties =
      RunOnDisplay(display, "xprop -id " + dialog +
                                " _NET_WM_WINDOW_TYPE WM_TRANSIENT_FOR _NET_WM_STATE _NET_WM_ALLOWED_ACTIONS _MOTIF_WM_HINTS");
  EXPECT_NE(properties.find("_NET_WM_WINDOW_TYPE(ATOM) = _NET_WM_WINDOW_TYPE_DIALOG"), std::string::npos)
      << properties;
  EXPECT_NE(properties.find("WM_TRANSIENT_FOR(WINDOW): window id # " + Hex(main)), std::string::npos) << properties;
  EXPECT_NE(properties.find("_NET_WM_STATE_MODAL"), std::string::npos) << properties;
  // The frame offers moving and closing only (the Motif functions 0x24 and
  // decorations 0x1a: border, title, menu); openbox allows neither sizing nor
  // maximising, but keeps minimising a dialog with its owner by its own rule.
  EXPECT_NE(properties.find("_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = 0x3, 0x24, 0x1a"), std::string::npos) << properties;
  EXPECT_EQ(properties.find("_NET_WM_ACTION_MAXIMIZE"), std::string::npos) << properties;
  EXPECT_EQ(properties.find("_NET_WM_ACTION_RESIZE"), std::string::npos) << properties;

  // The owner takes no input while the dialog is open: clicked, it leaves
  // the keyboard with the dialog.
  XdotoolOnDisplay(display, "mousemove --sync " + std::to_string(owner.x + 20) + " " + std::to_string(owner.y + 20) +
                                " click 1");
  EXPECT_EQ(RunOnDisplay(display, "xdotool getactivewindow"), dialog + "\n");
}

// A message box raised in a dialog is the editor's own window, a modal
// dialog of that dialog for the window manager, centred over it.
TEST_F(EditorOnDesktopDisplay, AMessageBoxIsAModalDialogOfTheDialogItWasRaisedIn) {
  const std::unique_ptr<EditorProcess> editor = Start();
  const std::string main = FindWindow(display, editor->GetPid(), "^Halvern$");
  XdotoolOnDisplay(display, "windowfocus --sync " + main + " key --window " + main + " ctrl+shift+r");
  const std::string dialog = FindWindow(display, editor->GetPid(), "^Retrieve Preset$");
  ASSERT_FALSE(dialog.empty());
  // The get button at the dialog's bottom right fetches RAM from the simulated keyboard.
  const ClientArea area = FindClientArea(display, dialog);
  XdotoolOnDisplay(display, "mousemove --sync " + std::to_string(area.x + area.width - 16 - 60) + " " +
                                std::to_string(area.y + area.height - 16 - 15));
  XdotoolOnDisplay(display, "click 1");
  const std::string box = FindWindow(display, editor->GetPid(), "^Retrieve Sucessful$");
  ASSERT_FALSE(box.empty());
  const ClientArea shown = FindClientArea(display, box);
  EXPECT_NEAR(shown.x + shown.width / 2, area.x + area.width / 2, 1);
  EXPECT_NEAR(shown.y + shown.height / 2, area.y + area.height / 2, 1);
  EXPECT_LT(shown.width, 500);
  const std::string properties =
      RunOnDisplay(display, "xprop -id " + box + " _NET_WM_WINDOW_TYPE WM_TRANSIENT_FOR _NET_WM_STATE");
  EXPECT_NE(properties.find("_NET_WM_WINDOW_TYPE_DIALOG"), std::string::npos) << properties;
  EXPECT_NE(properties.find("WM_TRANSIENT_FOR(WINDOW): window id # " + Hex(dialog)), std::string::npos) << properties;
  EXPECT_NE(properties.find("_NET_WM_STATE_MODAL"), std::string::npos) << properties;
}

// Started again while minimised, the editor comes back: shown, in front, with the keyboard.
TEST_F(EditorOnDesktopDisplay, ASecondStartWhileTheFirstIsMinimisedRestoresAndFocusesIt) {
  const std::unique_ptr<EditorProcess> first = Start();
  const std::string window = FindWindow(display, first->GetPid(), "^Halvern$");
  XdotoolOnDisplay(display, "windowminimize --sync " + window);
  ASSERT_EQ(RunOnDisplay(display, "xprop -id " + window + " WM_STATE").find("Iconic") != std::string::npos, true);
  // The window manager names the active window on the root window: watched from now on.
  ChildProgram active("/usr/bin/xprop", {"-spy", "-root", "_NET_ACTIVE_WINDOW"},
                      {"DISPLAY=" + display.GetName()}, "xprop");
  {
    EditorProcess second(home, display);
    ASSERT_TRUE(second.IsRunning());
    EXPECT_EQ(second.Wait(), 0);
  }
  bool isActive = false;
  while (!isActive) {
    const std::string line = active.ReadLine();
    if (line.empty()) break;
    isActive = line.find("window id # " + Hex(window)) != std::string::npos;
  }
  EXPECT_NE(RunOnDisplay(display, "xprop -id " + window + " WM_STATE").find("Normal"), std::string::npos);
  ASSERT_TRUE(isActive);  // a window without the keyboard takes no Alt+F4: the fixture ends the editor
  PressAltF4(display, first->GetPid());
  EXPECT_EQ(first->Wait(), 0);
}

}  // namespace
}  // namespace HV::Test
