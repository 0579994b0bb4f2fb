#pragma once

#include "HVFramework/ControlBase/Control/IMessageBoxService.h"
#include "HVFramework/ControlBase/Control/IStatusTextService.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LStringTable.h"
#include "HVFramework/ControlBase/Control/RootWindow/IOSWindowHost.h"
#include "HVFramework/ControlBase/Control/RootWindow/LGlobalHotKeyManager.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/Controls/LStatusBar.h"
#include "HVFramework/Controls/MessageBox/BuiltInMessageBoxSkin.h"
#include "HVFramework/Controls/MessageBox/LMessageBox.h"
#include "HVFramework/Notification/LNotificationClient.h"
#include "HVFramework/Platform/UI/IWindowSystem.h"
#include "HVFramework/Renderer/LFont.h"
#include "HVFramework/Renderer/RendererSetupErrors.h"
#include "HVFramework/System/IIniFileManager.h"
#include "HVFramework/ControlBase/SystemUI/LClipboard.h"
#include "HVFramework/Utilities/Geometry/PointT.h"
#include "HVFramework/Utilities/Geometry/RectT.h"
#include "HVFramework/Utilities/Storage/RCPtrArray.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace HV {

// LFrameworkApp: the one application object of a program built on the
// framework. It owns the control factory, the root windows, the
// application's hot keys, the clipboard service and the default font; it runs
// the framework's share of start-up (control classes, hot keys, clipboard,
// skin), the idle passes (notification centres, then root windows), skin
// switching and the exit request ("NID_APP_EXIT_REQ").
//
// Abstract: what touches the desktop or the program's own identity (windows,
// the message loop, folders, cursors, keys, version texts, settings files) is
// supplied by the program's application class. The controls reach the
// application's services through ControlServices.h, which this object fills
// at start-up and empties when it goes; the rest of the program finds the
// object through GetInstance. Exactly one lives at a time.
//
// Made as a counted object (RCPtr) by the program's class; registered for the
// exit request at the application notification centre by start-up.
// User-interface thread only; other threads reach it by posting to a centre.
class LFrameworkApp : public LNotificationClient,
                      public IStatusTextService,
                      public IMessageBoxService,
                      public IRendererSetupErrorSink {
 public:
  // The eight calendar fields of the system time.
  struct SystemTime {
    int32_t year, month, dayOfWeek, day, hour, minute, second, milliseconds;
  };
  // GetKeyState bits.
  static constexpr int32_t kKeyToggled = 0x0001;
  static constexpr int32_t kKeyPressed = 0x8000;
  // Settings file numbers of OpenIniFile.
  static constexpr int32_t kAppSettingsFile = 0, kUserSettingsFile = 1;

  // The live application; null before the first and after the last.
  static LFrameworkApp* GetInstance();

  ~LFrameworkApp() override;

  // --- Notifications ---
  // "NID_APP_EXIT_REQ": sets the exiting flag and ends the modal loops of the
  // root windows from the last to the second. The first (main) window is the
  // program's class's to end: its override calls this one first.
  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override;
  // A second instance's command line, handed over by the main window; 0.
  virtual HResult OnOtherInstanceCommandLine(const StringW& commandLine);

  // --- Running ---
  // The framework's start-up: notification recycling, the control classes,
  // the hot keys ("GHK"), the clipboard, the controls' services and the
  // stored skin. 0, or E_FAIL when any step threw or there is no skin.
  virtual HResult RunApplicationStartup();
  // Paints the main window, runs an idle pass and the message loop, then a
  // last idle pass. Anything escaping the loop shows "STARTUP_ERROR" and
  // posts the exit request. The loop's exit code, or E_FAIL after an escape.
  virtual int32_t Run();
  // Called by Run before the first idle pass; does nothing here.
  virtual void OnBeforeRun() {}
  // Drops the control factory, the hot keys and the clipboard; 0.
  virtual HResult RunApplicationShutdown();
  bool IsExiting() const { return mExiting; }

  // --- Idle ---
  // One idle pass: every notification centre (the last made first), then
  // every root window (the last first, each one even when an earlier one had
  // work); true while work remains. firstPass sends "NID_IDLE".
  virtual bool ProcessIdle(bool firstPass);
  // The message loop's idle callback for pass `count` of an idle period
  // (0, 1, 2): nothing once exiting; else ProcessIdle (first pass at 0), and
  // more idle time only while work remains and count is below 2.
  bool OnIdle(int32_t count);

  // --- Skins ---
  // "CurrentSkinIndex" of the user settings file, 0 when it cannot be read.
  virtual int32_t GetCurrentSkinIndex();
  // Applies skin `index` to every root window, makes its font the default
  // font and stores the index. E_INVALIDARG for an index the factory does
  // not hold (nothing changes); throws Failed Result when the system font
  // cannot be had.
  virtual HResult SetSkin(int32_t index);
  // The skin start-up applies for a stored index: the index clamped to the
  // skins there are; -1 when there are none.
  static int32_t ClampSkinIndex(int32_t stored, int32_t skinCount);

  // --- Root windows ---
  // The index of the window (an added one keeps its place); -1 for null.
  virtual int32_t AddRootWindow(const RCPtr<LRootWindow>& window);
  // The index it had, or -1 when it is not listed.
  virtual int32_t RemoveRootWindow(const RCPtr<LRootWindow>& window);
  const RCPtrArray<LRootWindow>& GetRootWindows() const { return mRootWindows; }
  // The last listed window whose OS window is active; null when none is.
  RCPtr<LRootWindow> GetActiveRootWindow() const;
  // The OS window the first root window was made for; null without one.
  virtual IOSWindowHost* GetPrimaryWindowOwner() const;

  // --- Input state ---
  // The held mouse buttons (1 left, 2 middle, 4 right): the active window's,
  // else from the key state of the button keys.
  virtual uint32_t GetMouseButtons();
  // In screen coordinates: the active window's pointer, else the desktop's.
  virtual PointT<int32_t> GetCursorPosition();

  // --- Status text ---
  // The status bar the program announced (SetStatusBar); none by default.
  virtual RCPtr<LStatusBar> GetStatusBar() const { return mStatusBar; }
  void SetStatusBar(const RCPtr<LStatusBar>& bar) { mStatusBar = bar; }
  // E_FAIL without root windows or a status bar; else the bar's answer to
  // posting (shouldPost) or setting the text.
  HResult SetStatusText(const StringW& text, bool shouldPost) override;
  // Puts the bar's own text back, the same way.
  HResult RestoreStatusText(bool shouldPost) override;

  // --- Settings ---
  IIniFileManager* GetSettingsFileManager() { return GetIniFileManager(); }

  // --- Services the program's class supplies ---
  virtual StringW GetCompanyName() const = 0;
  virtual StringW GetProductName() const = 0;
  virtual StringW GetProductVersion() const = 0;
  // The version text the settings files are opened with.
  virtual StringW GetVersionString() const = 0;
  virtual StringW GetApplicationName() const = 0;
  virtual StringW GetMainControlName() const = 0;
  // A cursor by name ("UI_CURSOR_WAIT"); 0 for the arrow.
  virtual CursorHandle GetCursorHandle(const StringW& name) = 0;
  virtual int32_t GetInstanceValue() = 0;
  virtual int32_t GetApplicationValue() = 0;
  // Name, size and style of the desktop's font; a negative result stops SetSkin.
  virtual HResult GetSystemFont(StringW& name, float& size, int32_t& style) = 0;
  virtual RectT<double> GetWorkArea() = 0;
  // A folder by number (2: common application data, 3: the user's).
  virtual StringW GetFolder(int32_t number) = 0;
  // Seconds since the application was made.
  virtual double GetElapsedSeconds() = 0;
  virtual uint32_t GetMilliseconds() = 0;
  virtual SystemTime GetSystemTime() = 0;
  // kKeyPressed and kKeyToggled of a virtual key.
  virtual int32_t GetKeyState(int32_t virtualKey) = 0;
  // The desktop's pointer, when no window of the program is active.
  virtual PointT<int32_t> GetDesktopCursorPosition() = 0;
  virtual void ShowCursor(bool shouldShow) = 0;
  virtual void SetCursorPosition(const PointT<int32_t>& point) = 0;
  // The settings-file manager; null when there is none.
  virtual IIniFileManager* GetIniFileManager() = 0;
  // The handle of settings file kAppSettingsFile or kUserSettingsFile,
  // opened on first use; 0 when it cannot be opened.
  virtual int32_t OpenIniFile(int32_t number) = 0;
  // A control of the skin by name, under parent.
  virtual RCPtr<LControl> CreateControl(const StringW& name, const RCPtr<LControl>& parent) = 0;
  // Shows control in a root window of its own until that window's modal
  // loop ends; its result.
  virtual int32_t RunModalWindow(const RCPtr<LControl>& control) = 0;
  // A root window with its OS window, added to the root windows.
  virtual RCPtr<LRootWindow> CreateRootWindow(const StringW& caption, const RectT<int32_t>& rect) = 0;
  virtual HResult CreateMainWindow() = 0;
  // The main window's answer to the desktop's power message.
  virtual int32_t OnPowerBroadcast(uint32_t event, intptr_t data) = 0;
  // The program's message loop; returns its exit code when the program ends.
  virtual int32_t RunMessageLoop() = 0;

  // A modal message box over GetMessageBoxOwner's window: the button it was
  // ended with (1 OK, 2 Cancel, 3 Abort, 4 Retry, 5 Ignore, 6 Yes, 7 No).
  // Drawn by the framework in the skin's look (its "messageBox", else the
  // built-in one) once a window can run it; the desktop's plain box before
  // that, and wherever nobody sits at the desktop (its script answers).
  int32_t ShowMessageBox(const StringW& text, const StringW& caption, uint32_t style) override;
  // The skinned box for text, caption and style, laid out and not shown;
  // null before a skin is loaded or without a window runner.
  RCPtr<LMessageBox> CreateMessageBox(const StringW& text, const StringW& caption, uint32_t style);
  // The box of a start-up that cannot go on: "STARTUP_ERROR" and
  // "STARTUP_ERROR_CAPTION" of frameworkStrings (the built-in English texts
  // without a table or without the entries), with no owner window.
  static void ShowStartupError(Platform::IWindowSystem& system, const RCPtr<LStringTable>& frameworkStrings);
  // A renderer that cannot be set up: a warning box captioned
  // "GL_ERROR_CAPTION" whose text is the message followed at once by
  // "GL_ERROR_UPDATE_DRIVER", from the framework string table (built-in
  // English texts where it has none). Installed by start-up.
  void ShowRendererSetupError(const StringW& messageId) override;

  // --- What the application owns ---
  LControlFactory* GetControlFactory() const { return mFactory.get(); }
  const StringA& GetName() const { return mName; }
  const RCPtr<LStringTable>& GetFrameworkStringTable() const { return mFrameworkStrings; }
  const RCPtr<LStringTable>& GetApplicationStringTable() const { return mApplicationStrings; }
  const RCPtr<LFont>& GetDefaultFont() const { return mDefaultFont; }
  const RCPtr<LGlobalHotKeyManager>& GetHotKeyManager() const { return mHotKeys; }
  const RCPtr<LClipboard>& GetClipboard() const { return mClipboard; }
  Platform::IWindowSystem& GetWindowSystem() const { return mWindowSystem; }

 protected:
  // Takes the factory (with its skins and string tables loaded) and the
  // framework's string table. The window system must outlive the object.
  LFrameworkApp(std::unique_ptr<LControlFactory> factory, const RCPtr<LStringTable>& frameworkStrings,
                const StringA& name, Platform::IWindowSystem& windowSystem);

  // Run's first paint: the main window is invalidated whole and this has
  // its OS window paint it now.
  virtual void RedrawNow(LRootWindow& window) { window.RedrawNow(); }
  // The framework string table's text for id; builtIn when it has none.
  StringW GetFrameworkText(const WChar* id, const WChar* builtIn) const;
  // The window message boxes stay above; 0: none.
  virtual Platform::WindowId GetMessageBoxOwner() const { return 0; }

 private:
  void ApplySkinToWindow(LRootWindow& window);
  // The root windows as they are now: idling or ending one may add or remove others.
  std::vector<RCPtr<LRootWindow>> SnapshotRootWindows() const;
  void PublishServices();
  void WithdrawServices();

  std::unique_ptr<LControlFactory> mFactory;
  std::unique_ptr<BuiltInMessageBoxSkin> mBuiltInMessageBox;
  StringA mName;
  RCPtrArray<LRootWindow> mRootWindows;
  RCPtr<LStringTable> mFrameworkStrings;
  RCPtr<LStringTable> mApplicationStrings;
  bool mExiting = false;
  RCPtr<LFont> mDefaultFont;
  RCPtr<LGlobalHotKeyManager> mHotKeys;
  RCPtr<LClipboard> mClipboard;
  RCPtr<LStatusBar> mStatusBar;
  Platform::IWindowSystem& mWindowSystem;
};

}  // namespace HV
