#pragma once

// LAboutDlg: the About box. It names the maker, the product and its version
// ("Halvern Tarsel Preset Editor Version 1.0.7") and shows the copyright
// line, both from the program's identity as it is when the dialog is built;
// the rest (OK button, logos) is the skin's. A skin without one of the two
// labels leaves that line out.

#include "HVFramework/ControlBase/Views/LDialog.h"

namespace HV {

class LAboutDlg : public LDialog {
 public:
  LAboutDlg(LControl* parent, const StringW& name) : LDialog(parent, name) {}
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

  HResult Initialize() override;

  // company, product, the application's "APP_VERSION" word and the version,
  // each separated by a blank.
  static StringW MakeProductLine();
};

}  // namespace HV
