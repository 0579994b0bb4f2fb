#pragma once

#include "HVFramework/Application/ApplicationIdentity.h"
#include "HVFramework/Application/LBusyRunner.h"
#include "HVFramework/Application/LFrameworkApp.h"
#include "HVFramework/ControlBase/Window/OSWindow.h"
#include "HVFramework/Utilities/Graphics/LBitmap.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace HV {

class LControlDescriptor;
class LIniFileManager;
class OSWindowDispatcher;
class ProfileFolderStore;
class PendingRuntimeFault;

// LApplicationBase: what every desktop program of the framework needs of its
// application object, over the OS windows of one dispatcher:
//   - the version texts and names of its ApplicationIdentity;
//   - its folders (GetFolder) and its two settings files (OpenIniFile),
//     through a settings-file manager it owns;
//   - the main window: the main control's skin descriptor in an OS window
//     captioned with the company, fixed in size when the skin says so, its
//     placement kept in a profile under the user's settings folder;
//   - cursors by name, message boxes owned by the program's window, the
//     desktop's font, work area, clocks and keys;
//   - start-up: the framework's, then the exit request and "Alt+VKEY_F4";
//     exit: the loop ends and the main window goes, its placement kept;
//   - the one "RUNTIME_ERROR" box for exceptions the framework caught at run time.
// A program derives from it and adds its own control classes, objects and
// answers; ApplicationRunner drives the whole life.
//
// Made counted (RCPtr) by the program's class; one at a time; UI thread only.
class LApplicationBase : public LFrameworkApp {
 public:
  // GetFolder numbers. Folders 2 and 3 end in company/product and are made
  // when asked for; any folder is empty when its base cannot be determined.
  static constexpr int32_t kProgramFolder = 0;     // the folder of the running program
  static constexpr int32_t kResourceFolder = 1;    // "::", the program's embedded resources
  static constexpr int32_t kSharedDataFolder = 2;  // settings of every user of the program
  static constexpr int32_t kUserFolder = 3;        // the user's settings and profile
  static constexpr int32_t kDocumentsFolder = 4;   // the user's documents
  // The renderer kind of the application's windows (LRenderer::Kind): the 2-D renderer.
  static constexpr int32_t kApplicationRendererKind = 1;

  // The live application base; null when the application is none.
  static LApplicationBase* GetBase();

  ~LApplicationBase() override;

  const ApplicationIdentity& GetIdentity() const { return mIdentity; }
  OSWindowDispatcher& GetDispatcher() const { return mDispatcher; }
  // Runs the application's long operations (device transfers) one at a time
  // while its windows paint on, with the wait cursor; made on first use.
  LBusyRunner& GetBusyRunner();
  // company + "_" + product: the placement section and the single-instance name.
  StringW GetApplicationKey() const { return mIdentity.GetApplicationKey(); }
  // The main window; null before CreateMainWindow and after Close.
  OSWindow* GetMainWindow() const { return mMainWindow.Get(); }

  // A settings-file manager used in place of the application's own, for
  // tests; not owned, kept until Close. Before the first OpenIniFile.
  void UseIniFileManager(IIniFileManager* manager);

  // Destroys the windows (the main window's placement is kept), withdraws
  // the application's services, runs RunApplicationShutdown and closes the
  // settings files. Once. The program calls it before letting go of the
  // object: from the destructor a derived class's shutdown would not run.
  virtual void Close();

  // --- Running ---
  // The framework's start-up (with the application registered for the exit
  // request); then "Alt+VKEY_F4" bound to the exit request unless the key
  // has a notification, and the dispatcher's idle, cursor and
  // other-instance hooks. E_FAIL when the framework's start-up fails.
  HResult RunApplicationStartup() override;
  // The main control's window (see the file comment), not yet shown. Throws
  // std::runtime_error ("Null Pointer : Invalid Control Name") when the skin
  // has no main control; E_FAIL when the window or the control cannot be made.
  HResult CreateMainWindow() override;
  // Shows the main window; false without one.
  bool ShowMainWindow();
  int32_t RunMessageLoop() override;
  // Also idles the root windows the dispatcher made for dialogs, and shows
  // a "RUNTIME_ERROR" box for a fault reported since the last pass.
  bool ProcessIdle(bool firstPass) override;
  // The exit request also ends the dispatcher's loop.
  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override;
  // A second instance's command line (the dispatcher already brought the
  // program forward); nothing here.
  HResult OnOtherInstanceCommandLine(const StringW& commandLine) override;

  // --- Identity ---
  StringW GetCompanyName() const override { return mIdentity.companyName; }
  StringW GetProductName() const override { return mIdentity.productName; }
  StringW GetProductVersion() const override { return mIdentity.productVersion; }
  StringW GetVersionString() const override { return mIdentity.versionString; }
  StringW GetApplicationName() const override { return mIdentity.applicationName; }
  StringW GetMainControlName() const override { return mIdentity.mainControlName; }
  StringW GetCopyright() const { return mIdentity.copyright; }
  // The language the factory loaded the string tables for (an LCID, see LanguageIds.h).
  int32_t GetLanguageId() const;

  // --- The main window, for the program to shape ---
  virtual int32_t GetRendererKind() const { return kApplicationRendererKind; }
  // The main window's title: the company's name.
  virtual StringW GetMainWindowCaption() const { return GetCompanyName(); }
  // Where the main window opens when the profile has no placement: the
  // descriptor's absolute position and size.
  virtual RectT<int32_t> GetMainWindowRect(const LControlDescriptor& descriptor) const;
  // The images of the window icon, in every size the program has; none by default.
  virtual std::vector<RCPtr<LBitmap>> GetApplicationIconImages() { return {}; }

  // --- Services ---
  // The system cursor of a framework name ("UI_CURSOR_WAIT"); the arrow (0)
  // for other names. A program adds its own names in front.
  CursorHandle GetCursorHandle(const StringW& name) override;
  int32_t GetInstanceValue() override { return 0; }
  int32_t GetApplicationValue() override { return 0; }
  // The desktop's interface family (fontconfig's "sans-serif"), 10 points, plain.
  HResult GetSystemFont(StringW& name, float& size, int32_t& style) override;
  RectT<double> GetWorkArea() override;
  // Folder kProgramFolder ... kDocumentsFolder; throws std::out_of_range
  // ("Unknown Path ID.") for any other number.
  StringW GetFolder(int32_t number) override;
  // Seconds since the application was made, and the platform's millisecond clock.
  double GetElapsedSeconds() override;
  uint32_t GetMilliseconds() override;
  SystemTime GetSystemTime() override;
  // Shift, Ctrl and Alt (0x10-0x12) and the mouse buttons (1, 2, 4) as the
  // active window saw them last; 0 for other keys.
  int32_t GetKeyState(int32_t virtualKey) override;
  PointT<int32_t> GetDesktopCursorPosition() override;
  void ShowCursor(bool shouldShow) override;
  void SetCursorPosition(const PointT<int32_t>& point) override;
  IIniFileManager* GetIniFileManager() override;
  // kAppSettingsFile: "AppSettings.ini" in the shared data folder;
  // kUserSettingsFile: "UserSettings.ini" in the user's folder. Opened on
  // first use with the version string and the product name, the handle kept;
  // 0 when it cannot be opened (the next call tries again) and for other numbers.
  int32_t OpenIniFile(int32_t number) override;
  RCPtr<LControl> CreateControl(const StringW& name, const RCPtr<LControl>& parent) override;
  int32_t RunModalWindow(const RCPtr<LControl>& control) override;
  RCPtr<LRootWindow> CreateRootWindow(const StringW& caption, const RectT<int32_t>& rect) override;
  int32_t OnPowerBroadcast(uint32_t, intptr_t) override { return 1; }

  // The one box of a fault caught at run time: "RUNTIME_ERROR" and
  // "RUNTIME_ERROR_CAPTION" of the framework string table (English built in);
  // never a second while one is open.
  void ShowRuntimeError();

 protected:
  // Message boxes belong to the active root window's OS window, else the main window's.
  Platform::WindowId GetMessageBoxOwner() const override;

  // The factory holds the loaded skins and string tables; the dispatcher
  // (and its window system) must outlive the object.
  LApplicationBase(std::unique_ptr<LControlFactory> factory, const RCPtr<LStringTable>& frameworkStrings,
                   const ApplicationIdentity& identity, OSWindowDispatcher& dispatcher);

 private:
  struct SettingsFile {
    int32_t handle = 0;
    bool isFolderMissingTraced = false;
  };

  RCPtr<OSWindow> OpenWindow(const OSWindow::Spec& spec);
  void SetUpProfile();
  void SetIcon(OSWindow& window);
  void BindExitKey();
  // The dialogs' root windows, which the dispatcher made and the application does not list.
  bool IdleDialogWindows(bool firstPass);
  // Makes each level of base/company/product exist; empty for an empty base.
  StringW MakeApplicationFolder(const StringW& base) const;
  void CloseSettingsFiles();

  ApplicationIdentity mIdentity;
  OSWindowDispatcher& mDispatcher;
  RCPtr<OSWindow> mMainWindow;
  std::vector<RCPtr<OSWindow>> mOtherWindows;
  RCPtr<LIniFileManager> mOwnIniFileManager;
  IIniFileManager* mIniFileManager = nullptr;
  std::array<SettingsFile, 2> mSettingsFiles{};
  std::unique_ptr<ProfileFolderStore> mProfile;
  std::unique_ptr<LBusyRunner> mBusyRunner;
  std::shared_ptr<PendingRuntimeFault> mPendingFault;
  bool mIsShowingRuntimeError = false;
  bool mIsClosed = false;
  double mMadeAtSeconds;
};

}  // namespace HV
