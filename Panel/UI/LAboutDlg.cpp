#include "Panel/UI/LAboutDlg.h"

#include "HVFramework/Application/LApplicationBase.h"
#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "Panel/UI/LApplication.h"

namespace HV {

RCPtr<LControl>& LAboutDlg::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                   const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LAboutDlg>(result, parent, descriptor);
}

StringW LAboutDlg::MakeProductLine() {
  const LApplicationBase* application = LApplicationBase::GetBase();
  if (!application) return StringW();
  const ApplicationIdentity& identity = application->GetIdentity();
  StringW line = identity.companyName;
  for (const StringW& part : {identity.productName, GetApplicationString(StringW(u"APP_VERSION")),
                              identity.productVersion}) {
    line += StringW(u" ");
    line += part;
  }
  return line;
}

HResult LAboutDlg::Initialize() {
  HResult result = LDialog::Initialize();
  if (Failed(result)) return result;
  const LApplicationBase* application = LApplicationBase::GetBase();
  if (const RCPtr<LControl> product = FindChildControl(StringW(u"labelProduct")))
    result = product->SetText(MakeProductLine());
  if (Failed(result) || !application) return result;
  if (const RCPtr<LControl> copyright = FindChildControl(StringW(u"labelCopyright")))
    result = copyright->SetText(application->GetIdentity().copyright);
  return result;
}

}  // namespace HV
