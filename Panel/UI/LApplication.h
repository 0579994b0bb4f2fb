#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/DeviceLinkInterface.h"
#include "HVFramework/Application/LApplicationBase.h"
#include "HVFramework/ControlBase/SystemUI/LFileDialog.h"
#include "HVFramework/Platform/UI/ChildProcess.h"
#include "HVFramework/Platform/UI/IDocumentOpener.h"
#include "Panel/Engine/PresetEditorCommon/LMidiManager.h"

#include <functional>
#include <memory>
#include <vector>

class LRootModuleEngine;

namespace HV {

// LApplication: the editor's application object. On top of the framework's
// desktop application it loads the window-wide hot keys of its string table
// ("GHK_WIN."), registers the editor's control classes, and owns the two
// objects the whole editor talks to the keyboard through: the engine of the
// device model and the MIDI manager. Panels and dialogs reach them only
// through GetRootModuleEngine and GetMidiManager. It also answers the
// editor's own cursors, folders, renderer and window icon.
//
// Made by the program's runner; one at a time; UI thread only.
class LApplication : public LApplicationBase {
 public:
  using MidiManagerMaker = std::function<RCPtr<LMidiManager>(const RCPtr<LRootModuleEngine>& engine)>;
  // What start-up makes the engine and the MIDI manager with. The program's
  // are the device link beside the program and the manager over the
  // process's MIDI system; tests give their own.
  // The desktop programs the file commands start: the file chooser's runner
  // (zenity) and the document opener (xdg-open); tests give recorders.
  struct EngineParts {
    DeviceLinkFactory makeDeviceLink;
    MidiManagerMaker makeMidiManager;
    std::shared_ptr<Platform::IChildProcessRunner> fileChooser;
    std::shared_ptr<Platform::IDocumentOpener> documentOpener;
    static EngineParts Program();
  };

  static RCPtr<LApplication> Create(std::unique_ptr<LControlFactory> factory,
                                    const RCPtr<LStringTable>& frameworkStrings,
                                    const ApplicationIdentity& identity, OSWindowDispatcher& dispatcher,
                                    EngineParts parts = EngineParts::Program());
  ~LApplication() override;

  // The current application's engine and MIDI manager (new references);
  // empty before start-up made them, after shutdown and without an application.
  static RCPtr<LRootModuleEngine> GetRootModuleEngine();
  static RCPtr<LMidiManager> GetMidiManager();

  // The base's start-up, then in this order: the "GHK_WIN." hot keys of the
  // application string table, the editor's control classes, the engine, the
  // MIDI manager made with it, and the engine's Initialize(0). 0, or the
  // first negative result. Exceptions (Initialize throws a Failed Result
  // when it cannot register) are left to the runner, which shows the
  // start-up error and ends the program.
  HResult RunApplicationStartup() override;
  // Lets go of the MIDI manager and then the engine (its worker stops), before
  // the framework's shutdown.
  HResult RunApplicationShutdown() override;

  // "UI_CURSOR_DROP_MOVE" and "UI_CURSOR_DROP_COPY" are the editor's image
  // cursors (made once); the splitter, rotate and magnifier names have no
  // cursor (0); every other name is the base's.
  CursorHandle GetCursorHandle(const StringW& name) override;
  // Folders 5 and 6 are the documents folder (4); the others the base's.
  StringW GetFolder(int32_t number) override;
  // The 2-D renderer.
  int32_t GetRendererKind() const override { return 1; }
  std::vector<RCPtr<LBitmap>> GetApplicationIconImages() override;

  // A file dialog over the main window (its message boxes and its modal
  // run), choosing through the program's file chooser; starts in
  // initialFolder. Null before the main window exists.
  RCPtr<LFileDialog> CreateFileDialog(const StringW& initialFolder);
  // Opens path with the desktop's program for its kind without waiting for
  // it; false when the file is missing or no program could be started. A
  // program that ends with a failure is told later, on the UI thread's idle
  // pass, by "NID_DOCUMENT_OPEN_FAILED" on the application centre.
  bool OpenDocument(const StringW& path);

  // Where the preset file choosers start: the folder last used for presets
  // (kept in the user's settings file) while it still exists, else the
  // user's home; empty when neither is known.
  StringW GetPresetFolder();
  // Keeps folder in the user's settings file as the one last used for presets.
  void KeepPresetFolder(const StringW& folder);

 private:
  LApplication(std::unique_ptr<LControlFactory> factory, const RCPtr<LStringTable>& frameworkStrings,
               const ApplicationIdentity& identity, OSWindowDispatcher& dispatcher, EngineParts parts);

  // The engine first: the manager reaches the preset through it.
  void StartEngine();
  CursorHandle GetDropCursor(CursorHandle& made, Platform::CursorImage (*load)());

  EngineParts mParts;
  RCPtr<LRootModuleEngine> mEngine;
  RCPtr<LMidiManager> mMidiManager;
  CursorHandle mDropMoveCursor = 0;
  CursorHandle mDropCopyCursor = 0;
};

// The text of the application's string table ("|PresetEditor") for id in the
// current language; empty when the table has no such text or there is no
// application.
StringW GetApplicationString(const StringW& id);

// The application's message box (LFrameworkApp::ShowMessageBox) with text,
// caption and the framework's style flags; 0 without an application.
int32_t ShowApplicationMessageBox(const StringW& text, const StringW& caption, uint32_t flags);

}  // namespace HV
