#pragma once

#include "HVFramework/Renderer/LFont.h"
#include "HVFramework/Utilities/Geometry/RectT.h"

namespace HV {

class IControlWindowRunner;
class IMessageBoxService;
class IStatusTextService;
class LControlFactory;
class LGlobalHotKeyManager;
class LRootWindow;

// What controls take from the application: its one control factory (string
// tables, child creation) and its default font (the base of every font that
// does not inherit from a parent). Neither is owned here; both start null.
// The application object (LFrameworkApp) owns what these name: it sets them
// at start-up (the root windows as they are added) and clears them when it
// goes; the control base reads them without knowing the application.
LControlFactory* GetApplicationControlFactory();
void SetApplicationControlFactory(LControlFactory* factory);
RCPtr<LFont> GetApplicationDefaultFont();
void SetApplicationDefaultFont(const RCPtr<LFont>& font);
// The part of the screen the application lays its top-level controls out
// in, as the window system reports it; empty until set.
RectT<double> GetApplicationWorkArea();
void SetApplicationWorkArea(const RectT<double>& area);

// The application's hot keys: a key that neither a control nor its window
// used ends there. Not owned; null while there is none.
LGlobalHotKeyManager* GetApplicationHotKeys();
void SetApplicationHotKeys(LGlobalHotKeyManager* hotKeys);

// The application's status line, where a menu row shows its help text
// while the mouse is over it. Not owned; null while there is none.
IStatusTextService* GetApplicationStatusText();
void SetApplicationStatusText(IStatusTextService* service);

// Shows controls in root windows of their own (dialogs). Not owned; null
// while there is none.
IControlWindowRunner* GetApplicationWindowRunner();
void SetApplicationWindowRunner(IControlWindowRunner* runner);

// The application's message boxes. Not owned; null while there is none
// (then the window system's plain box speaks).
IMessageBoxService* GetApplicationMessageBoxes();
void SetApplicationMessageBoxes(IMessageBoxService* service);

// The application's root windows, not owned, in the order they were added
// (the first is the main window). Tab moves the focus between them.
void AddApplicationRootWindow(LRootWindow* window);
void RemoveApplicationRootWindow(LRootWindow* window);
int32_t GetApplicationRootWindowCount();
// From the last entry; -1 when absent.
int32_t IndexOfApplicationRootWindow(const LRootWindow* window);
LRootWindow* GetApplicationRootWindowAt(int32_t index);

}  // namespace HV
