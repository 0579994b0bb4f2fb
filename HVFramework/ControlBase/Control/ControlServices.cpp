#include "HVFramework/ControlBase/Control/ControlServices.h"

#include <algorithm>
#include <vector>

namespace HV {
namespace {

LControlFactory* gFactory = nullptr;
RectT<double> gWorkArea;
LGlobalHotKeyManager* gHotKeys = nullptr;
IControlWindowRunner* gWindowRunner = nullptr;
IMessageBoxService* gMessageBoxes = nullptr;
IStatusTextService* gStatusText = nullptr;

std::vector<LRootWindow*>& RootWindows() {
  static std::vector<LRootWindow*> windows;
  return windows;
}

RCPtr<LFont>& DefaultFont() {
  static RCPtr<LFont> font;
  return font;
}

}  // namespace

LControlFactory* GetApplicationControlFactory() { return gFactory; }
void SetApplicationControlFactory(LControlFactory* factory) { gFactory = factory; }
RCPtr<LFont> GetApplicationDefaultFont() { return DefaultFont(); }
void SetApplicationDefaultFont(const RCPtr<LFont>& font) { DefaultFont() = font; }
RectT<double> GetApplicationWorkArea() { return gWorkArea; }
void SetApplicationWorkArea(const RectT<double>& area) { gWorkArea = area; }
LGlobalHotKeyManager* GetApplicationHotKeys() { return gHotKeys; }
void SetApplicationHotKeys(LGlobalHotKeyManager* hotKeys) { gHotKeys = hotKeys; }
IStatusTextService* GetApplicationStatusText() { return gStatusText; }
void SetApplicationStatusText(IStatusTextService* service) { gStatusText = service; }
IControlWindowRunner* GetApplicationWindowRunner() { return gWindowRunner; }
void SetApplicationWindowRunner(IControlWindowRunner* runner) { gWindowRunner = runner; }
IMessageBoxService* GetApplicationMessageBoxes() { return gMessageBoxes; }
void SetApplicationMessageBoxes(IMessageBoxService* service) { gMessageBoxes = service; }

void AddApplicationRootWindow(LRootWindow* window) {
  if (window && IndexOfApplicationRootWindow(window) < 0) RootWindows().push_back(window);
}

void RemoveApplicationRootWindow(LRootWindow* window) {
  std::vector<LRootWindow*>& windows = RootWindows();
  windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
}

int32_t GetApplicationRootWindowCount() { return static_cast<int32_t>(RootWindows().size()); }

int32_t IndexOfApplicationRootWindow(const LRootWindow* window) {
  const std::vector<LRootWindow*>& windows = RootWindows();
  for (size_t i = windows.size(); i-- > 0;)
    if (windows[i] == window) return static_cast<int32_t>(i);
  return -1;
}

LRootWindow* GetApplicationRootWindowAt(int32_t index) {
  const std::vector<LRootWindow*>& windows = RootWindows();
  return index >= 0 && static_cast<size_t>(index) < windows.size() ? windows[static_cast<size_t>(index)] : nullptr;
}

}  // namespace HV
