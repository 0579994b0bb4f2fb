#pragma once

// LFileDialog: the framework's open and save dialogs for one purpose (the
// preset manager keeps one for its preset files). It remembers the folder of
// the last chosen file and starts the next dialog there, and it holds the
// chosen path until the next dialog. The dialogs themselves are the desktop's
// (zenity, run as a child process by Platform::ZenityFileDialog), run
// through the owner's blocking-call runner so that the program's windows
// paint on and take no input while one is open; messages about them go to a
// message box over the owner window. UI thread only.

#include "HVFramework/ControlBase/SystemUI/IBlockingCallRunner.h"
#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/ObjectBase/ResultCodes.h"
#include "HVFramework/Platform/UI/ChildProcess.h"
#include "HVFramework/Platform/UI/IWindowSystem.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>
#include <string>
#include <vector>

namespace HV {

class LFileDialog : public virtual LRefCountedObject {
 public:
  // What the dialogs need of the window they belong to: where its message
  // boxes are shown, and what keeps the windows going while the chooser is
  // open. The window system and the runners must outlive the dialog.
  struct Owner {
    Platform::IWindowSystem& windowSystem;
    Platform::WindowId window = 0;  // 0: message boxes without an owner
    // Null: the chooser blocks the calling thread until it closes.
    IBlockingCallRunner* blockingCalls = nullptr;
  };

  static RCPtr<LFileDialog> Create(const Owner& owner, Platform::IChildProcessRunner& runner,
                                   const StringW& initialFolder);

  // Filters are "Name|patterns|Name|patterns", several patterns of one entry
  // separated by ';'. 0 when a file was chosen; E_FAIL on cancel or when the
  // dialog cannot be shown (a message box then says why).
  HResult Open(const StringW& filter, const StringW& defaultExtension, const StringW& title,
               bool allowMultiple);
  // As Open; proposes proposedName, completes a name typed without extension
  // with the default one, and asks before replacing a file. A chosen name
  // longer than maxFileNameLength characters is refused with a message box
  // and E_FAIL (the path stays readable); a negative maximum allows any
  // length, 0 answers E_INVALIDARG at once.
  HResult Save(const StringW& filter, const StringW& defaultExtension, const StringW& title,
               int32_t maxFileNameLength, const StringW& proposedName = StringW(u"Untitled"));

  // The path chosen in the last dialog; after a multiple selection of several
  // files, their folder (the files are in GetSelectedFiles).
  StringW GetFileName() const { return mFileName; }
  // The full paths of the last multiple-selection Open.
  const std::vector<StringW>& GetSelectedFiles() const { return mSelectedFiles; }
  // Where the next dialog starts.
  const StringW& GetLastFolder() const { return mLastFolder; }

 protected:
  LFileDialog(const Owner& owner, Platform::IChildProcessRunner& runner, const StringW& initialFolder);

 private:
  // Runs the chooser through the owner's runner (in place without one).
  void RunChooser(const std::function<void()>& chooser);
  // Shows the dialog's error, if it has one; E_FAIL either way.
  HResult Fail(const std::string& error);
  bool ConfirmReplace(const StringW& path);
  // The application's box where there is one, else the window system's
  // plain box over the owner.
  int32_t ShowBox(const StringW& text, const StringW& caption, uint32_t style);
  void TakeSingleFile(const StringW& path);

  Owner mOwner;
  Platform::IChildProcessRunner& mRunner;
  StringW mFileName;
  StringW mLastFolder;
  std::vector<StringW> mSelectedFiles;
};

}  // namespace HV
