#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"

#include <string>
#include <vector>

namespace HV::Test {

// A counted object that writes what happens to it into a shared log:
// "made", "hook" (ReleaseInternalReferences) and "gone".
class Probe : public virtual LRefCountedObject {
 public:
  explicit Probe(std::vector<std::string>& log) : mLog(log) { mLog.push_back("made"); }
  ~Probe() override { mLog.push_back("gone"); }

  HResult ReleaseInternalReferences() override {
    mLog.push_back("hook");
    if (mOnHook) mOnHook(*this);
    return LRefCountedObject::ReleaseInternalReferences();
  }

  // What the hook does besides logging (drop registrations, say).
  void (*mOnHook)(Probe&) = nullptr;
  RCPtr<LRefCountedObject> mHeld;  // a reference the probe keeps on its own behalf

 private:
  std::vector<std::string>& mLog;
};

}  // namespace HV::Test
