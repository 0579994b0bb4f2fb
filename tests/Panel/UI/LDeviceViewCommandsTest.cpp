// The device view as the main window's command handler, in the editor
// started on the headless window system: the file dialogs (titles,
// filters, cancel, the extension a typed name gets), saving and loading a
// preset file by menu and hot key, the load error boxes, the user guide, the
// device menu items with the keyboard's ports closed and open, the dialogs,
// the busy refusal and exit.
#include "tests/Panel/UI/EditorRun.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/ParamRecord.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/RootModuleEngine.h"
#include "HVFramework/Controls/MainMenu/LMainMenu.h"
#include "HVFramework/Platform/UI/DocumentOpener.h"
#include "Panel/Engine/SimulatedKeyboard/SimulatedKeyboardPorts.h"
#include "Panel/UI/EditorIdentity.h"
#include "Panel/UI/EditorNotificationNames.h"
#include "Panel/UI/DriverCommon/PresetFile/PresetFile.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/support/TemporaryHome.h"
#include "tests/support/UnansweredFifo.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace HV {
namespace {

using Test::EditorRun;
using Test::TemporaryFolder;

std::string Narrow(const StringW& text) { return std::string(text.ToCharString().GetText()); }

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

// A key of the window as the desktop delivers it: Ctrl 0x01, Shift 0x08,
// each with its left-side bit.
constexpr uint32_t kCtrl = 0x01 | 0x02, kShift = 0x08 | 0x10;

class DeviceViewCommands : public EditorRun {
 protected:
  // A hot key pressed in the active main window, then the idle pass that
  // hands its notification on.
  void PressKey(EditorRun::Live& editor, int32_t key, uint32_t modifiers) {
    Platform::WindowEvent event;
    event.window = editor.application.GetMainWindow()->GetWindowId();
    event.kind = Platform::WindowEventKind::FocusGained;
    editor.application.GetMainWindow()->HandleEvent(event);
    event.kind = Platform::WindowEventKind::KeyDown;
    event.key = key;
    event.modifiers = modifiers;
    editor.application.GetMainWindow()->HandleEvent(event);
    event.kind = Platform::WindowEventKind::KeyUp;
    editor.application.GetMainWindow()->HandleEvent(event);
    editor.window->ProcessIdle();
    editor.Drain();
  }

  TemporaryFolder mFolder;
};

TEST_F(DeviceViewCommands, SaveAndLoadGoThroughTheFileDialogsWithTheirTitlesAndFilter) {
  const std::string typed = mFolder.GetPath() + "/Live Set";
  const std::string saved = typed + ".TarselPresetEditor";
  Inspect([&](Live& editor) {
    // Save by the menu: the name typed without an extension gets the preset one.
    mChooser->Choose(typed);
    editor.Menu(kNidMenuFileSavePresetToFile);
    ASSERT_EQ(mChooser->runs.size(), 1u);
    EXPECT_TRUE(mChooser->LastRunHas("--save"));
    EXPECT_EQ(mChooser->Argument("--title="), "--title=Select Save Location");
    EXPECT_TRUE(mChooser->LastRunHas("--file-filter=Control Panel Settings (*.TarselPresetEditor) | "
                                     "*.TarselPresetEditor"));
    EXPECT_TRUE(mChooser->LastRunHas("--file-filter=All Files (*.*) | *.*"));
    ASSERT_TRUE(std::filesystem::is_regular_file(saved));
    EXPECT_EQ(ReadBytes(saved).size(), 4494u);  // the default preset

    // Load it back by Ctrl+O.
    mChooser->Choose(saved);
    PressKey(editor, 'O', kCtrl);
    ASSERT_EQ(mChooser->runs.size(), 2u);
    EXPECT_FALSE(mChooser->LastRunHas("--save"));
    EXPECT_EQ(mChooser->Argument("--title="), "--title=Select Preset File");
    EXPECT_EQ(editor.deviceView->GetPresetFilePattern(), StringW(u"*.TarselPresetEditor"));

    // Cancelled dialogs, by hot key and by menu, change nothing and say nothing.
    const std::vector<uint8_t> before = ReadBytes(saved);
    PressKey(editor, 'S', kCtrl);
    editor.Menu(kNidMenuFileLoadPresetFromFile);
    EXPECT_EQ(mChooser->runs.size(), 4u);
    EXPECT_EQ(ReadBytes(saved), before);
  });
  EXPECT_TRUE(Boxes().empty()) << Boxes().front();
}

// Each load failure shows the preset manager's box once; the cancelled
// dialog none.
TEST_F(DeviceViewCommands, AFileThatCannotBeLoadedShowsItsBox) {
  struct Case {
    const char* file;
    std::vector<uint8_t> bytes;
    const char* box;
  };
  const Case cases[] = {
      {"newer", {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
       "Preset File Load: Preset file is not compatible with this version of the editor"},
      {"other device", {1, 0, 0, 0, 7, 0, 0, 0, 0, 0, 0, 0},
       "Preset File Load: Preset file is not compatible with this vesion of the preset editor"},
      {"cut header", {1, 0, 0},
       "Preset File Load: Preset file is not compatible with this vesion of the preset editor"},
  };
  std::vector<std::string> expected;
  Inspect([&](Live& editor) {
    for (const Case& test : cases) {
      const std::string path = mFolder.GetPath() + "/" + test.file + ".TarselPresetEditor";
      WriteBytes(path, test.bytes);
      mChooser->Choose(path);
      EXPECT_LT(editor.deviceView->LoadPresetFromFile(), 0) << test.file;
      expected.push_back(test.box);
    }
  });
  EXPECT_EQ(Boxes(), expected);
}

// While it lives, the calling thread is held to the files' permissions even
// as the superuser: the capabilities that override them leave its effective
// set (its permitted set keeps them, so they come back at the end).
class PermissionsHold {
 public:
  PermissionsHold() {
    if (syscall(SYS_capget, &mHeader, mSaved) != 0) return;
    __user_cap_data_struct lowered[2] = {mSaved[0], mSaved[1]};
    lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    mIsLowered = syscall(SYS_capset, &mHeader, lowered) == 0;
  }
  ~PermissionsHold() {
    if (mIsLowered) syscall(SYS_capset, &mHeader, mSaved);
  }
  PermissionsHold(const PermissionsHold&) = delete;
  PermissionsHold& operator=(const PermissionsHold&) = delete;

 private:
  __user_cap_header_struct mHeader{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct mSaved[2]{};
  bool mIsLowered = false;
};

// The folder the choosers start in, as zenity is told it ("--filename=FOLDER/" and
// what Save proposes).
std::string StartFolder(const HV::Test::ScriptedFileChooser& chooser) {
  const std::string argument = chooser.Argument("--filename=");
  const size_t slash = argument.rfind('/');
  return slash == std::string::npos ? argument : argument.substr(11, slash - 11);
}

// The choosers start in the folder where a preset file was chosen last, in
// this run and the next, while it exists; else in the user's home, never in
// the program's working folder.
TEST_F(DeviceViewCommands, TheChoosersStartWhereAPresetWasLastChosenElseInTheHome) {
  const HV::Test::TemporaryHome home;
  const std::string presets = mFolder.GetPath() + "/presets";
  std::filesystem::create_directory(presets);
  Inspect([&](Live& editor) {
    editor.Menu(kNidMenuFileLoadPresetFromFile);
    EXPECT_EQ(StartFolder(*mChooser), home.GetPath());
    mChooser->Choose(presets + "/chosen.TarselPresetEditor");
    editor.Menu(kNidMenuFileSavePresetToFile);
    editor.Menu(kNidMenuFileLoadPresetFromFile);
    EXPECT_EQ(StartFolder(*mChooser), presets);
  });
  // The next start remembers it.
  Inspect([&](Live& editor) {
    editor.Menu(kNidMenuFileSavePresetToFile);
    EXPECT_EQ(StartFolder(*mChooser), presets);
  });
  // A folder that went away is no place to start.
  std::filesystem::remove_all(presets);
  Inspect([&](Live& editor) {
    editor.Menu(kNidMenuFileLoadPresetFromFile);
    EXPECT_EQ(StartFolder(*mChooser), home.GetPath());
  });
  EXPECT_TRUE(Boxes().empty()) << Boxes().front();
}

// Save proposes the preset's name, made a file name, with the extension.
TEST_F(DeviceViewCommands, SaveProposesThePresetsNameWithTheExtension) {
  struct Case {
    std::vector<uint8_t> name;  // as the keyboard stores it
    const char* proposed;
  };
  const Case cases[] = {
      {{'D', 'O', 'R', 'I', 'A', 'N'}, "DORIAN.TarselPresetEditor"},
      {{'P', 'A', 'D', 0x22, '2', 0}, "PAD 2.TarselPresetEditor"},       // 0x22 is the blank
      {{'A', '/', 'B', 0x22, 0x22, 0x22}, "A_B.TarselPresetEditor"},    // no folder in a name; blanks end it
      {{0, 0, 0, 0, 0, 0}, "Untitled.TarselPresetEditor"},
  };
  Inspect([&](Live& editor) {
    const RCPtr<LRootModuleEngine> engine = LApplication::GetRootModuleEngine();
    ASSERT_TRUE(engine);
    for (const Case& test : cases) {
      ASSERT_EQ(engine->SetParamValue(ParamDescriptor(engine->GetFirstParamID()), MakeRecordValue(test.name)), S_OK);
      editor.Menu(kNidMenuFileSavePresetToFile);
      const std::string argument = mChooser->Argument("--filename=");
      EXPECT_EQ(argument.substr(argument.rfind('/') + 1), test.proposed);
    }
  });
}

// A file the system does not let the editor read gets a box that names it
// and gives the system's reason, not the text of a file of another format;
// a FIFO is refused at once instead of waiting for a writer.
TEST_F(DeviceViewCommands, AFileThatCannotBeReadIsNamedWithTheSystemsReason) {
  HV::Test::UnansweredFifo fifo("pipe.TarselPresetEditor");
  struct Case {
    const char* what;
    std::function<std::string()> make;  // the path, made
    const char* reason;
  };
  const std::string base = mFolder.GetPath() + "/";
  const Case cases[] = {
      {"no permission",
       [&] {
         WriteBytes(base + "locked.TarselPresetEditor", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
         chmod((base + "locked.TarselPresetEditor").c_str(), 0);
         return base + "locked.TarselPresetEditor";
       },
       "Permission denied"},
      {"a folder",
       [&] {
         std::filesystem::create_directory(base + "folder.TarselPresetEditor");
         return base + "folder.TarselPresetEditor";
       },
       "Is a directory"},
      {"a FIFO", [&] { return fifo.GetPath(); }, "Not a regular file"},
      {"over the size limit",
       [&] {
         WriteBytes(base + "large.TarselPresetEditor", std::vector<uint8_t>(PresetFile::kMaxFileSize + 1, 0));
         return base + "large.TarselPresetEditor";
       },
       "File too large"},
  };
  std::vector<std::string> expected;
  Inspect([&](Live& editor) {
    const PermissionsHold permissions;
    for (const Case& test : cases) {
      const std::string path = test.make();
      mChooser->Choose(path);
      EXPECT_EQ(fifo.Run([&] { return editor.deviceView->LoadPresetFromFile(); }), PresetFile::kCorrupt)
          << test.what;
      expected.push_back(std::string("Preset File Load: The preset file \"") + path + "\" could not be read: " +
                         test.reason + ".");
    }
  });
  EXPECT_FALSE(fifo.WasUnblocked());
  EXPECT_EQ(Boxes(), expected);
}

TEST_F(DeviceViewCommands, OpensTheUserGuideBesideTheProgramAndSaysWhenItCannot) {
  Inspect([&](Live& editor) {
    editor.Menu(kNidMenuHelpOpenUserGuideReq);
    const std::string folder = Narrow(editor.application.GetFolder(LApplicationBase::kProgramFolder));
    ASSERT_EQ(mOpener->opened.size(), 1u);
    EXPECT_EQ(mOpener->opened[0], folder + "/Tarsel Preset Editor - User Guide - v1.2.pdf");
    EXPECT_TRUE(Boxes().empty());
    // The string table and the build name the same file.
    EXPECT_EQ(GetApplicationString(StringW(u"USER_GUIDE_FILE_NAME")), StringW(HV::Editor::kUserGuideFileName));

    mOpener->answer = false;
    editor.Menu(kNidMenuHelpOpenUserGuideReq);
  });
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Open User Guide Error: The user guide could not be opened."});
}

// The desktop's opener runs on its own while the editor goes on; when it
// fails (no program for PDF files, say), the user guide's box tells it.
TEST_F(DeviceViewCommands, AUserGuideTheDesktopCannotOpenIsToldWithoutHoldingUpTheWindow) {
  // An opener that waits until the test lets it go, then fails as xdg-open
  // does without a PDF viewer.
  const std::string gate = mFolder.GetPath() + "/gate";
  ASSERT_EQ(mkfifo(gate.c_str(), 0600), 0);
  const std::string program = mFolder.GetPath() + "/no-viewer";
  std::ofstream(program) << "#!/bin/sh\nread line < '" << gate << "'\nexit 3\n";
  chmod(program.c_str(), 0700);
  const auto opener = std::make_shared<Platform::DocumentOpener>(program);
  mAdjustParts = [&](LApplication::EngineParts& parts) { parts.documentOpener = opener; };
  Inspect([&](Live& editor) {
    // The command is done while the opener still waits: nothing to tell yet.
    editor.Menu(kNidMenuHelpOpenUserGuideReq);
    ASSERT_TRUE(Boxes().empty()) << Boxes().front();
    std::ofstream(gate) << "go\n";
    opener->WaitForStartedChildren();
    editor.Drain();
  });
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Open User Guide Error: The user guide could not be opened."});
}

// The items as the menu bar asks the device view for them, through the
// updater the view gave it.
std::vector<bool> MenuStates(EditorRun::Live& editor) {
  const RCPtr<LMainMenu> menu = DynamicCast<LMainMenu>(editor.mainControl->FindChildControl(StringW(u"mainMenu")));
  std::vector<bool> enabled;
  if (!menu) return enabled;
  for (const NotificationName* name :
       {&kNidMenuFileSendPresetToDevice, &kNidMenuFileLoadPresetFromDevice, &kNidMenuFileLoadPresetFromFile,
        &kNidMenuFileSavePresetToFile, &kNidMenuFileGlobalSettingsReq, &kNidMenuFileExitReq,
        &kNidMenuHelpOpenUserGuideReq, &kNidMenuHelpAboutReq}) {
    LMenuItemState state;
    state.enabled = true;
    menu->UpdateMenuItem(nullptr, 0, StringW(name->GetText()), state);
    enabled.push_back(state.enabled);
  }
  return enabled;
}

TEST_F(DeviceViewCommands, DeviceItemsAreGreyedWhileNoKeyboardIsConnected) {
  Inspect([&](Live& editor) {
    EXPECT_EQ(MenuStates(editor), (std::vector<bool>{false, false, true, true, false, true, true, true}));
  });
}

TEST_F(DeviceViewCommands, DeviceItemsAreEnabledWithTheKeyboardsPortsOpen) {
  Simulated::SimulatedKeyboard keyboard;
  Simulated::AttachSimulatedKeyboard(*mMidi, keyboard);
  Inspect([&](Live& editor) {
    EXPECT_EQ(MenuStates(editor), (std::vector<bool>{true, true, true, true, true, true, true, true}));
  });
  Simulated::DetachSimulatedKeyboard(keyboard);
}

// The dialogs open from the skin in windows of their own and end with the
// close box. While a device dialog is open, another device command (its
// hot key reaches the editor) is refused with the busy box.
TEST_F(DeviceViewCommands, DialogsOpenByNameAndADeviceCommandWaitsForTheOneThatRuns) {
  Inspect([&](Live& editor) {
    const Platform::WindowId main = editor.application.GetMainWindow()->GetWindowId();
    // The dialog's window is the next one made: a Send hot key in it, then its close box.
    Platform::WindowEvent event;
    event.window = main + 1;
    event.kind = Platform::WindowEventKind::FocusGained;
    mSystem.Script(event);
    event.kind = Platform::WindowEventKind::KeyDown;
    event.key = 'S';
    event.modifiers = kCtrl | kShift;
    mSystem.Script(event);
    event.kind = Platform::WindowEventKind::KeyUp;
    mSystem.Script(event);
    mSystem.ScriptPause();
    event.kind = Platform::WindowEventKind::Close;
    mSystem.Script(event);
    editor.Menu(kNidMenuFileGlobalSettingsReq);
    // The refused command's own caption.
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Send Preset Error: The keyboard is busy with another "
                                                "transfer. Try again when it has finished."});

    // With the dialog closed the device commands run again; About is no
    // device command and runs whatever else does.
    for (const NotificationName* name : {&kNidMenuFileSendPresetToDevice, &kNidMenuHelpAboutReq}) {
      event = {};
      event.window = main + (name == &kNidMenuHelpAboutReq ? 3 : 2);
      event.kind = Platform::WindowEventKind::Close;
      mSystem.Script(event);
      editor.Menu(*name);
    }
    EXPECT_EQ(Boxes().size(), 1u);

    // A name the skin does not define as a dialog shows nothing: no window
    // is made (the next scripted close would otherwise end it) and no box.
    EXPECT_FALSE(editor.deviceView->RunDialog(u"dialogMissing"));
    EXPECT_EQ(Boxes().size(), 1u);
  });
}

TEST_F(DeviceViewCommands, ExitFromTheMenuEndsTheEditor) {
  EXPECT_EQ(Run([&](Live& editor) -> std::optional<int> {
              editor.Menu(kNidMenuFileExitReq);
              return std::nullopt;
            }),
            0);
  EXPECT_TRUE(Boxes().empty());
}

}  // namespace
}  // namespace HV
