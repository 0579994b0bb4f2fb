#pragma once

#include "HVFramework/Utilities/Storage/StringT.h"

namespace HV {

// ApplicationIdentity: who a desktop program of the framework is. The
// company and product name its folders, its settings and its single
// instance; the company is also the main window's caption. A program fills
// it once (the editor from its generated table, the gallery from constants)
// and hands it to its application base and its runner.
struct ApplicationIdentity {
  StringW companyName;     // "Halvern"
  StringW productName;     // "Tarsel Preset Editor"
  StringW productVersion;  // shown to people: "1.0.7"
  StringW versionString;   // the settings files' version: "1_0_0"
  StringW copyright;       // one line for the about box
  StringW applicationName; // the skin's and string tables' application: "PresetEditor"
  StringW mainControlName; // the skin's control the main window shows: "mainControl"

  // company + "_" + product: the main window's placement section and the
  // base of the single-instance name.
  StringW GetApplicationKey() const {
    StringW key = companyName;
    key += StringW(u"_");
    key += productName;
    return key;
  }
};

}  // namespace HV
