#pragma once

#include "HVFramework/Application/ApplicationRunner.h"
#include "HVFramework/Application/LApplicationBase.h"
#include "HVFramework/ControlBase/Window/OSWindow.h"
#include "HVFramework/ControlBase/Window/OSWindowDispatcher.h"
#include "HVFramework/Notification/LNotificationHandler.h"

#include <cstdio>
#include <string>

namespace HV::Gallery {

// GalleryApp: the gallery's skinned window as a desktop application of the
// framework (LApplicationBase). Its documents are the program's embedded
// "GallerySkin.xml" and "GalleryStrings.xml"; its start-up registers the
// framework's control classes, then its own dialog class "HVGallery.Dialog";
// its main window shows "mainControl" on the dispatcher's loop and ends on
// the exit request ("NID_APP_EXIT_REQ": the close box, Alt+F4).
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
class GalleryApp : public LApplicationBase {
 public:
  static constexpr const char16_t* kMainControlName = u"mainControl";
  static constexpr const char16_t* kDialogClassName = u"HVGallery.Dialog";

  // Who the gallery is: "HV" / "HV Gallery".
  static ApplicationIdentity GetGalleryIdentity();
  // The gallery's documents, for the runner: "::GalleryStrings.xml" (no
  // framework table of its own) and "::GallerySkin.xml", made by Create.
  static ApplicationRunner::Program GetGalleryProgram(const RectT<int32_t>& rect, std::FILE* report);
  // The gallery over a factory of its documents; report may be null.
  static RCPtr<GalleryApp> Create(std::unique_ptr<LControlFactory> factory, const RCPtr<LStringTable>& frameworkStrings,
                                  OSWindowDispatcher& dispatcher, const RectT<int32_t>& rect, std::FILE* report);
  // Started and with its main window shown; null, with error set, when the
  // skin cannot be loaded or shown. report may be null.
  static RCPtr<GalleryApp> Open(OSWindowDispatcher& dispatcher, const RectT<int32_t>& rect, std::FILE* report,
                                std::string& error);

  ~GalleryApp() override;

  // The main window, which the gallery always has while it is open.
  OSWindow& GetMainWindow() const { return *LApplicationBase::GetMainWindow(); }

  // --- The application ---
  // The base's start-up, then the gallery's own dialog class.
  HResult RunApplicationStartup() override;
  // The base's main window; then the gallery's controls start and are listened to.
  HResult CreateMainWindow() override;
  // "HV Gallery": what the desktop and the tests driving it know the window by.
  StringW GetMainWindowCaption() const override { return GetProductName(); }
  // The rectangle Open or the program gave: the skin's main control fills its window.
  RectT<int32_t> GetMainWindowRect(const LControlDescriptor& descriptor) const override;
  // Reports the activation before the base's pass.
  bool ProcessIdle(bool firstPass) override;
  // Reports the line ("hv-gallery: another instance was started with: ...").
  HResult OnOtherInstanceCommandLine(const StringW& commandLine) override;
  // The controls' notifications reach the gallery's handler first.
  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override;
  // The handler goes before the base closes the windows.
  void Close() override;

 private:
  GalleryApp(std::unique_ptr<LControlFactory> factory, const RCPtr<LStringTable>& frameworkStrings,
             OSWindowDispatcher& dispatcher, const RectT<int32_t>& rect, std::FILE* report);

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

  RectT<int32_t> mMainRect;
  std::FILE* mReport;
  RCPtr<LNotificationHandler<GalleryApp>> mHandler;
  int32_t mClicks = 0;
  bool mWasActive = false;
};

}  // namespace HV::Gallery
