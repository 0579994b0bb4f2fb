#pragma once

// RuntimeFaultRecorder: installed as the process-wide runtime fault sink for
// its lifetime (the one before is put back); keeps the texts it was told.

#include "HVFramework/System/RuntimeFaults.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace HV::Test {

class RuntimeFaultRecorder {
 public:
  RuntimeFaultRecorder() : mSink(std::make_shared<Sink>()), mBefore(SetRuntimeFaultSink(mSink)) {}
  ~RuntimeFaultRecorder() { SetRuntimeFaultSink(mBefore); }
  RuntimeFaultRecorder(const RuntimeFaultRecorder&) = delete;
  RuntimeFaultRecorder& operator=(const RuntimeFaultRecorder&) = delete;

  std::vector<std::string> GetFaults() const {
    const std::lock_guard hold(mSink->lock);
    return mSink->faults;
  }

 private:
  struct Sink : IRuntimeFaultSink {
    void OnRuntimeFault(std::string_view what) override {
      const std::lock_guard hold(lock);
      faults.emplace_back(what);
    }
    mutable std::mutex lock;
    std::vector<std::string> faults;
  };

  std::shared_ptr<Sink> mSink;
  std::shared_ptr<IRuntimeFaultSink> mBefore;
};

}  // namespace HV::Test
