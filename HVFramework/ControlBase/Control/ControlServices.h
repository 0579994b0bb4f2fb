#pragma once

#include "HVFramework/Renderer/LFont.h"

namespace HV {

class LControlFactory;

// What controls take from the application: its one control factory (string
// tables, child creation) and its default font (the base of every font that
// does not inherit from a parent). Neither is owned here; both start null.
LControlFactory* GetApplicationControlFactory();
void SetApplicationControlFactory(LControlFactory* factory);
RCPtr<LFont> GetApplicationDefaultFont();
void SetApplicationDefaultFont(const RCPtr<LFont>& font);

}  // namespace HV
