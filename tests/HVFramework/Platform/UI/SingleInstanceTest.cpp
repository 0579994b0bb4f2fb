#include "HVFramework/Platform/UI/SingleInstance.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "HVFramework/Platform/UI/ForwardedCommandLine.h"
#include "tests/support/TemporaryFolder.h"

namespace HV::Platform {
namespace {

// Collects the command lines the listener hands over; a test waits for the next one.
class Received {
 public:
  SingleInstance::Handler Handler() {
    return [this](const std::string& text) {
      {
        std::lock_guard<std::mutex> hold(mutex_);
        texts_.push_back(text);
      }
      changed_.notify_all();
    };
  }
  std::string Next() {
    std::unique_lock<std::mutex> hold(mutex_);
    changed_.wait(hold, [this] { return !texts_.empty(); });
    std::string text = texts_.front();
    texts_.pop_front();
    return text;
  }
  bool Empty() {
    std::lock_guard<std::mutex> hold(mutex_);
    return texts_.empty();
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::string> texts_;
};

sockaddr_un AddressOf(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  return address;
}

// Connects to the listener as a foreign process would and sends raw bytes.
void SendRaw(const std::string& socketPath, const std::vector<uint8_t>& bytes) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  const sockaddr_un address = AddressOf(socketPath);
  ASSERT_EQ(::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) break;  // the listener stops reading an oversized message
    sent += static_cast<size_t>(n);
  }
  ::close(fd);
}

std::vector<uint8_t> Header(uint32_t tag, uint32_t count) {
  std::vector<uint8_t> out;
  for (uint32_t value : {tag, count})
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
  return out;
}

TEST(SingleInstanceThreads, SecondInstanceForwardsItsCommandLine) {
  HV::Test::TemporaryFolder folder;
  Received received;
  SingleInstance first(folder.GetPath(), "Editor");
  ASSERT_EQ(first.Start("editor", received.Handler()), SingleInstance::Role::First);

  SingleInstance second(folder.GetPath(), "Editor");
  EXPECT_EQ(second.Start("editor \"/tmp/a b.tpr\" \xFF", nullptr), SingleInstance::Role::Forwarded);
  EXPECT_EQ(received.Next(), "editor \"/tmp/a b.tpr\" \xEF\xBF\xBD");

  // Once the first ends, the next instance is the first again.
  first.Stop();
  SingleInstance third(folder.GetPath(), "Editor");
  EXPECT_EQ(third.Start("editor", nullptr), SingleInstance::Role::First);
}

TEST(SingleInstanceThreads, ACommandLineTooLongToHandOverOnlyBringsTheFirstForward) {
  HV::Test::TemporaryFolder folder;
  Received received;
  SingleInstance first(folder.GetPath(), "Editor");
  ASSERT_EQ(first.Start("editor", received.Handler()), SingleInstance::Role::First);

  struct Case {
    const char* what;
    std::string commandLine;
    std::string handedOver;
    bool isReported;
  };
  const std::string atTheCap = "editor " + std::string(kMaxForwardedText - 7, 'a');
  const Case cases[] = {
      {"exactly the cap", atTheCap, atTheCap, false},
      {"one byte over", atTheCap + "b", "", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SingleInstance second(folder.GetPath(), "Editor");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(second.Start(c.commandLine, nullptr), SingleInstance::Role::Forwarded);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(received.Next(), c.handedOver);
    EXPECT_EQ(said.find("too long to hand over") != std::string::npos, c.isReported) << said;
  }
  EXPECT_TRUE(received.Empty());
}

TEST(SingleInstanceThreads, LockWithoutListenerStartsNormally) {
  HV::Test::TemporaryFolder folder;
  SingleInstance instance(folder.GetPath(), "Editor");
  const int held = ::open(instance.LockPath().c_str(), O_RDWR | O_CREAT, 0600);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  EXPECT_EQ(instance.Start("editor", nullptr), SingleInstance::Role::First);
  ::close(held);
}

TEST(SingleInstanceThreads, StaleSocketIsReplaced) {
  HV::Test::TemporaryFolder folder;
  Received received;  // outlives the listener that feeds it
  SingleInstance first(folder.GetPath(), "Editor");
  {  // A socket file left by an instance that crashed: bound, no longer listening.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const sockaddr_un address = AddressOf(first.SocketPath());
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
  }
  ASSERT_EQ(first.Start("editor", received.Handler()), SingleInstance::Role::First);
  SingleInstance second(folder.GetPath(), "Editor");
  EXPECT_EQ(second.Start("editor -x", nullptr), SingleInstance::Role::Forwarded);
  EXPECT_EQ(received.Next(), "editor -x");
}

TEST(SingleInstanceThreads, ListenerDropsMalformedMessagesAndGoesOn) {
  HV::Test::TemporaryFolder folder;
  Received received;
  SingleInstance first(folder.GetPath(), "Editor");
  ASSERT_EQ(first.Start("editor", received.Handler()), SingleInstance::Role::First);

  std::vector<uint8_t> oversized = Header(kForwardedCommandLineTag, kMaxForwardedBytes + 100);
  oversized.resize(oversized.size() + kMaxForwardedBytes + 100, 'a');
  std::vector<uint8_t> overlong = EncodeForwardedCommandLine("abc").value();
  overlong.insert(overlong.end(), 4096, 'x');  // more bytes than the count announces
  std::vector<uint8_t> wrongTag = EncodeForwardedCommandLine("abc").value();
  wrongTag[0] = 0x64;
  const std::vector<std::vector<uint8_t>> malformed = {
      {}, {0x65, 0x04}, wrongTag, Header(kForwardedCommandLineTag, 100), oversized, overlong,
  };
  for (const std::vector<uint8_t>& bytes : malformed) SendRaw(first.SocketPath(), bytes);
  SendRaw(first.SocketPath(), EncodeForwardedCommandLine("editor -after").value());

  // The listener serves one client at a time, so the good message is the first handed over.
  EXPECT_EQ(received.Next(), "editor -after");
  EXPECT_TRUE(received.Empty());
}

TEST(SingleInstance, RuntimeFolderIsPrivate) {
  HV::Test::TemporaryFolder folder;
  const char* saved = std::getenv("XDG_RUNTIME_DIR");
  const std::string restore = saved ? saved : "";
  ::setenv("XDG_RUNTIME_DIR", folder.GetPath().c_str(), 1);
  EXPECT_EQ(GetRuntimeFolder(), folder.GetPath());
  ::unsetenv("XDG_RUNTIME_DIR");
  const std::string fallback = GetRuntimeFolder();
  ASSERT_FALSE(fallback.empty());
  struct stat info {};
  ASSERT_EQ(::stat(fallback.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  EXPECT_EQ(info.st_uid, ::getuid());
  if (saved) ::setenv("XDG_RUNTIME_DIR", restore.c_str(), 1);
}

}  // namespace
}  // namespace HV::Platform
