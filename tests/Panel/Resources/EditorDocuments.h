#pragma once

// EditorDocuments: the editor's generated skin and string documents, read
// once per test program from the resources the build embeds
// ("::APP_SKINS", "::APP_STRINGS", "::FRAMEWORK_STRINGS") into a control
// factory, as the program reads them at start-up, and helpers to walk the
// skin's descriptors by path.

#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "tools/skin-preview/EditorSkinPreview.h"

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace HV::Test {

// The tile classes: one control per element of the keyboard.
inline const std::set<std::string> kTileClasses = {
    "PresetEditor.MainControl.EncoderView.Encoder", "PresetEditor.MainControl.FaderView.Fader",
    "PresetEditor.MainControl.WheelView.Wheel",     "PresetEditor.MainControl.Pedals.SustainPedal",
    "PresetEditor.MainControl.Pedals.VolumePedal",  "PresetEditor.MainControl.PadView.Pad",
    "PresetEditor.MainControl.ButtonView.Button",   "PresetEditor.MainControl.KeybedZones.Zone",
    "PresetEditor.MainControl.XYPadView.Axis",
};

inline std::string Narrow(const StringW& text) { return std::string(text.ToCharString().GetText()); }

inline StringW Wide(const std::string& text) { return StringW(std::u16string(text.begin(), text.end()).c_str()); }

class EditorDocuments {
 public:
  // The factory with both string documents (English, asked for as US English) and the skin.
  static LControlFactory& Get() { return *Instance().mFactory; }
  static bool IsLoaded() { return Instance().mLoaded; }
  static const std::string& GetError() { return Instance().mError; }

  // The text of id in the table key; "(no table)" or "(no text)" when missing.
  static std::string Text(const std::string& key, const std::string& id) {
    const RCPtr<LStringTable> table = Get().GetStringTable(Wide(key));
    if (!table) return "(no table)";
    StringW text;
    return table->GetString(Wide(id), text) ? Narrow(text) : "(no text)";
  }

  // The descriptor at a path of control names from the top-level control
  // ("mainControl/viewDevice/pads"); null when a name is missing.
  static RCPtr<LControlDescriptor> Find(const std::string& path) {
    RCPtr<LControlDescriptor> at;
    size_t start = 0;
    while (start <= path.size()) {
      const size_t slash = std::min(path.find('/', start), path.size());
      const StringW name = Wide(path.substr(start, slash - start));
      at = at ? Child(*at, name) : Get().FindControlDescriptor(name);
      if (!at) return nullptr;
      start = slash + 1;
    }
    return at;
  }

  static RCPtr<LControlDescriptor> Child(const LControlDescriptor& parent, const StringW& name) {
    const RCPtrArray<LControlDescriptor>& children = parent.GetChildren();
    for (uint32_t i = 0; i < children.GetCount(); ++i)
      if ((*children.GetItemPtr(i))->GetName() == name) return *children.GetItemPtr(i);
    return nullptr;
  }

  // Every descriptor of the current skin, depth first, with its path.
  static void ForEach(const std::function<void(const LControlDescriptor&, const std::string& path)>& visit) {
    const RCPtr<LControlDescriptor> root = Get().GetCurrentSkinRoot();
    if (root) Walk(*root, std::string(), visit);
  }

 private:
  static EditorDocuments& Instance() {
    static EditorDocuments documents;
    return documents;
  }

  EditorDocuments() : mFactory(EditorSkinPreview::LoadEditorDocuments(mError)) {
    mLoaded = mFactory != nullptr;
    if (!mFactory) mFactory = std::make_unique<LControlFactory>(StringW(u"PresetEditor"));
  }

  static void Walk(const LControlDescriptor& control, const std::string& path,
                   const std::function<void(const LControlDescriptor&, const std::string&)>& visit) {
    const RCPtrArray<LControlDescriptor>& children = control.GetChildren();
    for (uint32_t i = 0; i < children.GetCount(); ++i) {
      const LControlDescriptor& child = **children.GetItemPtr(i);
      const std::string childPath = path.empty() ? Narrow(child.GetName()) : path + "/" + Narrow(child.GetName());
      visit(child, childPath);
      Walk(child, childPath, visit);
    }
  }

  std::string mError;
  std::unique_ptr<LControlFactory> mFactory;
  bool mLoaded = false;
};

}  // namespace HV::Test
