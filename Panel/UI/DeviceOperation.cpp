#include "Panel/UI/DeviceOperation.h"

#include "Panel/Engine/PresetEditorCommon/LMidiManager.h"
#include "Panel/UI/LApplication.h"

namespace HV {

void ShowDeviceBusyBox(const WChar* captionId) {
  ShowApplicationMessageBox(GetApplicationString(StringW(u"LABEL_DEVICE_BUSY_MSGBOX_TEXT")),
                            GetApplicationString(StringW(captionId)), LFrameworkApp::kMessageBoxIconWarning);
}

std::optional<HResult> RunDeviceOperation(const std::function<HResult(LMidiManager&)>& operation,
                                          const WChar* busyCaptionId) {
  const RCPtr<LMidiManager> manager = LApplication::GetMidiManager();
  LApplicationBase* application = LApplicationBase::GetBase();
  if (!manager || !application) return -1;
  const std::optional<HResult> result = application->GetBusyRunner().Run([&] { return operation(*manager); });
  if (!result) ShowDeviceBusyBox(busyCaptionId);
  return result;
}

}  // namespace HV
