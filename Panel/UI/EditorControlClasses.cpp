#include "Panel/UI/EditorControlClasses.h"

#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/ControlBase/Views/LPanel.h"
#include "HVFramework/ObjectBase/Exception.h"

namespace HV::Editor {
namespace {

// The main window's control is a plain panel until the editor's own main
// control exists.
constexpr EditorControlClass kClasses[] = {
    {u"PresetEditor.MainControl", &LPanel::Create},
};

}  // namespace

std::span<const EditorControlClass> GetEditorControlClasses() { return kClasses; }

int32_t RegisterEditorControlClasses(LControlFactory& factory) {
  int32_t registered = 0;
  for (const EditorControlClass& row : kClasses) {
    CheckResult(factory.RegisterControlCreateFunction(StringW(row.name), row.create),
                HV_HERE("LApplication::RunApplicationStartup"));
    ++registered;
  }
  return registered;
}

}  // namespace HV::Editor
