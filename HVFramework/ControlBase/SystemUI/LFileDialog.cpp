#include "HVFramework/ControlBase/SystemUI/LFileDialog.h"

#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/Control/IMessageBoxService.h"
#include "HVFramework/Platform/UI/ZenityFileDialog.h"
#include "HVFramework/System/File.h"
#include "HVFramework/Utilities/Storage/Utf8Text.h"

namespace HV {
namespace {

using Platform::MessageBoxAnswer;
using Platform::MessageBoxKind;

StringW FromUtf8(const std::string& text) { return StringW(text.c_str()); }

constexpr const char* kDialogErrorCaption = "File Dialog Error";
constexpr const char* kSaveErrorCaption = "File Save Error";
// Message-box styles: an error with OK; a question with Yes and No.
constexpr uint32_t kErrorStyle = IMessageBoxService::kMessageBoxIconError;
constexpr uint32_t kConfirmStyle = IMessageBoxService::kMessageBoxIconQuestion | IMessageBoxService::kMessageBoxYesNo;
constexpr const char16_t* kTooLongPattern = u"The file length is larger than the maximum limit of %d characters ";

}  // namespace

RCPtr<LFileDialog> LFileDialog::Create(const Owner& owner, Platform::IChildProcessRunner& runner,
                                       const StringW& initialFolder) {
  return RCPtr<LFileDialog>(new LFileDialog(owner, runner, initialFolder));
}

LFileDialog::LFileDialog(const Owner& owner, Platform::IChildProcessRunner& runner, const StringW& initialFolder)
    : mOwner(owner), mRunner(runner), mLastFolder(initialFolder) {}

HResult LFileDialog::Open(const StringW& filter, const StringW& defaultExtension, const StringW& title,
                          bool allowMultiple) {
  mFileName.Clear();
  // Only this dialog's choice is reported, not the files of earlier ones.
  mSelectedFiles.clear();
  Platform::ZenityFileDialog dialog(mRunner, ToUtf8(mLastFolder));
  const std::string filterText = ToUtf8(filter), extension = ToUtf8(defaultExtension), titleText = ToUtf8(title);
  bool isChosen = false;
  RunChooser([&] { isChosen = dialog.Open(filterText, extension, titleText, allowMultiple); });
  if (!isChosen) return Fail(dialog.GetError());

  const std::vector<std::string>& files = dialog.GetFileNames();
  if (!allowMultiple) {
    TakeSingleFile(FromUtf8(files.front()));
    return S_OK;
  }
  for (const std::string& file : files) mSelectedFiles.push_back(FromUtf8(file));
  if (files.size() == 1) {
    TakeSingleFile(mSelectedFiles.front());
  } else {
    mLastFolder = File::GetFolderFromPath(mSelectedFiles.front());
    mFileName = mLastFolder;
  }
  return S_OK;
}

HResult LFileDialog::Save(const StringW& filter, const StringW& defaultExtension, const StringW& title,
                          int32_t maxFileNameLength, const StringW& proposedName) {
  if (maxFileNameLength == 0) return E_INVALIDARG;
  mFileName = proposedName;
  Platform::ZenityFileDialog dialog(mRunner, ToUtf8(mLastFolder));
  const std::string filterText = ToUtf8(filter), extension = ToUtf8(defaultExtension), titleText = ToUtf8(title);
  bool isChosen = false;
  RunChooser([&] { isChosen = dialog.Save(filterText, extension, titleText, ToUtf8(proposedName)); });
  if (!isChosen) return Fail(dialog.GetError());
  mFileName = FromUtf8(dialog.GetFileNames().front());

  const StringW name = File::GetFileNameFromPath(mFileName);
  if (maxFileNameLength > 0 && name.GetLength() > maxFileNameLength) {
    const StringW text = StringW::FromFormat(kTooLongPattern, maxFileNameLength);
    ShowBox(text, FromUtf8(kSaveErrorCaption), kErrorStyle);
    return E_FAIL;
  }
  // zenity confirmed the name as typed; the completed name is asked about here.
  if (dialog.HasAddedExtension() && File::FileExists(mFileName) && !ConfirmReplace(mFileName)) return E_FAIL;
  mLastFolder = File::GetFolderFromPath(mFileName);
  return S_OK;
}

void LFileDialog::RunChooser(const std::function<void()>& chooser) {
  if (mOwner.blockingCalls)
    mOwner.blockingCalls->RunBlockingCall(chooser);
  else
    chooser();
}

HResult LFileDialog::Fail(const std::string& error) {
  if (!error.empty()) ShowBox(FromUtf8(error), FromUtf8(kDialogErrorCaption), kErrorStyle);
  return E_FAIL;
}

bool LFileDialog::ConfirmReplace(const StringW& path) {
  const StringW text = File::GetFileNameFromPath(path) + StringW(u" already exists.\nDo you want to replace it?");
  return ShowBox(text, StringW(u"Confirm Save As"), kConfirmStyle) == static_cast<int32_t>(MessageBoxAnswer::Yes);
}

int32_t LFileDialog::ShowBox(const StringW& text, const StringW& caption, uint32_t style) {
  if (IMessageBoxService* boxes = GetApplicationMessageBoxes()) return boxes->ShowMessageBox(text, caption, style);
  const MessageBoxKind kind = (style & 0xF) == IMessageBoxService::kMessageBoxYesNo ? MessageBoxKind::YesNo : MessageBoxKind::Ok;
  return static_cast<int32_t>(mOwner.windowSystem.ShowMessageBox(mOwner.window, ToUtf8(caption), ToUtf8(text), kind));
}

void LFileDialog::TakeSingleFile(const StringW& path) {
  mFileName = path;
  mLastFolder = File::GetFolderFromPath(path);
}

}  // namespace HV
