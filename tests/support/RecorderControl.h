#pragma once

// "Test.Recorder": a control class that logs each creation step as
// "<name>.<step>" into a shared log, for checking the creator sequence.

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/LControl.h"

#include <string>
#include <vector>

namespace HV::Test {

class RecorderControl : public LControl {
 public:
  static std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
  }

  RecorderControl(LControl* parent, const StringW& name) : LControl(parent, name) { Note("construct"); }
  ~RecorderControl() override { Note("destroy"); }

  HResult CreateFromDescriptor(const RCPtr<LControlDescriptor>& descriptor) override {
    Note("CreateFromDescriptor");
    return LControl::CreateFromDescriptor(descriptor);
  }
  HResult CreateChildControls(const RCPtr<LControlDescriptor>& descriptor) override {
    Note("CreateChildControls");
    return LControl::CreateChildControls(descriptor);
  }
  HResult Initialize() override {
    // Every child named in the skin exists and is created by now.
    std::string children;
    for (uint32_t i = 0; i < GetChildren().GetCount(); ++i)
      children += GetChildren().GetAt(i)->IsCreated() ? "+" : "-";
    Note("Initialize" + (children.empty() ? "" : "[" + children + "]"));
    return LControl::Initialize();
  }
  HResult OnCreated() override {
    Note(IsCreated() ? "OnCreated after the flag" : "OnCreated");
    return LControl::OnCreated();
  }
  void OnChildRemoved(LControl* child, int32_t index) override {
    Note(std::string("removed ") + child->GetName().ToCharString().GetText() + "@" + std::to_string(index));
  }

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor) {
    return CreateControlOfClass<RecorderControl>(result, parent, descriptor);
  }

 private:
  void Note(const std::string& step) {
    Log().push_back(std::string(GetName().ToCharString().GetText()) + "." + step);
  }
};

}  // namespace HV::Test
