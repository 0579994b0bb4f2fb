#pragma once

#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/Notification/LNotificationClient.h"
#include "HVFramework/Notification/LNotificationDistributor.h"

#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace HV::Test {

// The text of a notification name, for readable expectations (names are
// ASCII).
inline std::string NameText(const WChar* name) {
  std::string text;
  for (; name && *name; ++name) text += static_cast<char>(*name);
  return text;
}

// NotificationLog: what a group of recorders received, in the order of
// delivery, and which of them were destroyed. Safe to fill from any thread.
class NotificationLog {
 public:
  struct Entry {
    std::string recorder;
    std::string name;
    const LNotificationDistributor* source;
    RCPtr<LNotification> notification;
  };

  void Add(Entry entry) {
    std::lock_guard<std::mutex> lock(mMutex);
    mEntries.push_back(std::move(entry));
  }
  void AddDestroyed(const std::string& recorder) {
    std::lock_guard<std::mutex> lock(mMutex);
    mDestroyed.push_back(recorder);
  }

  std::vector<Entry> GetEntries() const {
    std::lock_guard<std::mutex> lock(mMutex);
    return mEntries;
  }
  // The recorders' labels, one per delivery ("C", "B", "A").
  std::vector<std::string> Recorders() const { return Project([](const Entry& e) { return e.recorder; }); }
  // "label:NAME" per delivery.
  std::vector<std::string> Deliveries() const {
    return Project([](const Entry& e) { return e.recorder + ":" + e.name; });
  }
  std::vector<std::string> GetDestroyed() const {
    std::lock_guard<std::mutex> lock(mMutex);
    return mDestroyed;
  }
  void Clear() {
    std::lock_guard<std::mutex> lock(mMutex);
    mEntries.clear();
  }

 private:
  template <class F>
  std::vector<std::string> Project(F field) const {
    std::lock_guard<std::mutex> lock(mMutex);
    std::vector<std::string> out;
    for (const Entry& entry : mEntries) out.push_back(field(entry));
    return out;
  }

  mutable std::mutex mMutex;
  std::vector<Entry> mEntries;
  std::vector<std::string> mDestroyed;
};

// NotificationRecorder: a client that writes every notification it receives
// into a log, then runs its reaction (if any) while still inside the
// delivery: unregister, register, send, throw... Destruction is logged too.
class NotificationRecorder : public LNotificationClient {
 public:
  using Reaction = std::function<void(NotificationRecorder& self, const RCPtr<LNotificationDistributor>& source,
                                      const RCPtr<LNotification>& notification)>;

  static RCPtr<NotificationRecorder> Create(std::string label, NotificationLog& log) {
    return RCPtr<NotificationRecorder>(new NotificationRecorder(std::move(label), log));
  }

  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override {
    mLog.Add({mLabel, NameText(notification->GetName()), source.Get(), notification});
    // A copy runs, so a reaction may replace itself.
    if (const Reaction reaction = mReaction) reaction(*this, source, notification);
  }

  // Runs on every delivery to this recorder until replaced.
  void SetReaction(Reaction reaction) { mReaction = std::move(reaction); }
  // Runs on the next delivery only.
  void SetReactionOnce(Reaction reaction) {
    mReaction = [this, once = std::move(reaction)](NotificationRecorder& self,
                                                  const RCPtr<LNotificationDistributor>& source,
                                                  const RCPtr<LNotification>& notification) {
      mReaction = nullptr;
      once(self, source, notification);
    };
  }

  const std::string& GetLabel() const { return mLabel; }

 protected:
  NotificationRecorder(std::string label, NotificationLog& log) : mLabel(std::move(label)), mLog(log) {}
  ~NotificationRecorder() override { mLog.AddDestroyed(mLabel); }

 private:
  const std::string mLabel;
  NotificationLog& mLog;
  Reaction mReaction;
};

}  // namespace HV::Test
