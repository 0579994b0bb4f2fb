#pragma once

#include "HVFramework/Application/LFrameworkApp.h"
#include "HVFramework/ControlBase/Window/OSWindow.h"
#include "HVFramework/ControlBase/Window/OSWindowDispatcher.h"
#include "HVFramework/Notification/LNotificationHandler.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace HV::Gallery {

// GalleryApp: the gallery's skinned window as a framework application. Its
// start-up loads the gallery skin and strings (the program's embedded
// "GallerySkin.xml" and "GalleryStrings.xml") and registers the framework's
// control classes through the framework's table, then its own dialog class
// "HVGallery.Dialog"; its main window shows "mainControl" through an OS
// window on the dispatcher's loop, which idles through the application's
// OnIdle and ends on the exit request ("NID_APP_EXIT_REQ": the close box,
// Alt+F4).
//
// The gallery answers its controls: the push button counts its clicks, Enter
// in the text box echoes the text, "Open dialog..." runs the modal dialog
// "dialogDemo" and shows how it was closed, the slider and the knob show
// their values, the combo box its selection; on the tab pages the centred
// slider and the combo slider show their values, the checked lists their
// ticks and the tree its opened and closed branches; the menu bar's File > Exit asks
// the application to exit and Help > About reports the version. Each answer goes to a label, the
// status bar and, when a report stream is given, a line "hv-gallery: ..."
// (what the display tests read), as does the main window's activation. UI thread only; one at a time.
class GalleryApp : public LFrameworkApp {
 public:
  static constexpr const char16_t* kMainControlName = u"mainControl";
  static constexpr const char16_t* kDialogClassName = u"HVGallery.Dialog";

  // Started and with its main window shown; null, with error set, when the
  // skin cannot be loaded or shown. report may be null.
  static RCPtr<GalleryApp> Open(OSWindowDispatcher& dispatcher, const RectT<int32_t>& rect, std::FILE* report,
                                std::string& error);
  ~GalleryApp() override;

  OSWindow& GetMainWindow() const { return *mMainWindow; }
  // Destroys the windows and withdraws the application's services.
  void Close();

  // --- The framework application ---
  HResult RunApplicationStartup() override;
  HResult CreateMainWindow() override;
  int32_t RunMessageLoop() override;
  // Also idles the root windows the window runner made for dialogs.
  bool ProcessIdle(bool firstPass) override;
  // Reports the line ("hv-gallery: another instance was started with: ...").
  HResult OnOtherInstanceCommandLine(const StringW& commandLine) override;
  // The exit request also ends the dispatcher's loop.
  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override;

  StringW GetCompanyName() const override { return StringW(u"HV"); }
  StringW GetProductName() const override { return StringW(u"HV Gallery"); }
  StringW GetProductVersion() const override { return StringW(u"1.0"); }
  StringW GetVersionString() const override { return StringW(u"1.0.0"); }
  StringW GetApplicationName() const override { return StringW(u"HVGallery"); }
  StringW GetMainControlName() const override { return StringW(kMainControlName); }
  CursorHandle GetCursorHandle(const StringW& name) override;
  int32_t GetInstanceValue() override { return 0; }
  int32_t GetApplicationValue() override { return 0; }
  HResult GetSystemFont(StringW& name, float& size, int32_t& style) override;
  RectT<double> GetWorkArea() override;
  StringW GetFolder(int32_t) override { return StringW(); }
  double GetElapsedSeconds() override;
  uint32_t GetMilliseconds() override;
  SystemTime GetSystemTime() override;
  int32_t GetKeyState(int32_t) override { return 0; }
  PointT<int32_t> GetDesktopCursorPosition() override { return {0, 0}; }
  void ShowCursor(bool) override {}
  void SetCursorPosition(const PointT<int32_t>&) override {}
  // The gallery keeps no settings: it always starts with its first skin.
  IIniFileManager* GetIniFileManager() override { return nullptr; }
  int32_t OpenIniFile(int32_t) override { return 0; }
  RCPtr<LControl> CreateControl(const StringW& name, const RCPtr<LControl>& parent) override;
  int32_t RunModalWindow(const RCPtr<LControl>& control) override;
  RCPtr<LRootWindow> CreateRootWindow(const StringW& caption, const RectT<int32_t>& rect) override;
  int32_t OnPowerBroadcast(uint32_t, intptr_t) override { return 1; }

 private:
  GalleryApp(std::unique_ptr<LControlFactory> factory, const RCPtr<LStringTable>& frameworkStrings,
             OSWindowDispatcher& dispatcher, const RectT<int32_t>& rect, std::FILE* report);

  RCPtr<OSWindow> OpenWindow(const StringW& caption, const RectT<int32_t>& rect, const StringW& placement);
  RCPtr<LControl> FindControl(const char16_t* path) const;
  void ListenToControls();
  void StartValueControls();
  void StartTree();
  // The label's text, the status text and the report line.
  void Announce(const char16_t* labelPath, const std::u16string& text);
  // "hv-gallery: the window is active" (or "inactive") when that changed.
  void ReportActivation();

  HResult OnClick(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  HResult OnTextEntered(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  HResult OnValueChange(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  HResult OnItemCheck(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  HResult OnComboSelection(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  HResult OnTableSelection(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  HResult OnTabSelected(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  void MarkSelectedTab();
  HResult OnMenuExit(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  HResult OnMenuAbout(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  HResult OnOpenDialog(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);

  OSWindowDispatcher& mDispatcher;
  RectT<int32_t> mMainRect;
  std::FILE* mReport;
  RCPtr<OSWindow> mMainWindow;
  std::vector<RCPtr<OSWindow>> mOtherWindows;
  RCPtr<LNotificationHandler<GalleryApp>> mHandler;
  int32_t mClicks = 0;
  bool mWasActive = false;
  std::chrono::steady_clock::time_point mLastElapsed = std::chrono::steady_clock::now();
  const std::chrono::steady_clock::time_point mStarted = mLastElapsed;
};

}  // namespace HV::Gallery
