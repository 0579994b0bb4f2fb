#pragma once

#include "HVFramework/Renderer/LFont.h"
#include "HVFramework/Utilities/Graphics/RectT.h"

namespace HV {

class LControlFactory;

// What controls take from the application: its one control factory (string
// tables, child creation) and its default font (the base of every font that
// does not inherit from a parent). Neither is owned here; both start null.
LControlFactory* GetApplicationControlFactory();
void SetApplicationControlFactory(LControlFactory* factory);
RCPtr<LFont> GetApplicationDefaultFont();
void SetApplicationDefaultFont(const RCPtr<LFont>& font);
// The part of the screen the application lays its top-level controls out
// in, as the window system reports it; empty until set.
RectT<double> GetApplicationWorkArea();
void SetApplicationWorkArea(const RectT<double>& area);

}  // namespace HV
