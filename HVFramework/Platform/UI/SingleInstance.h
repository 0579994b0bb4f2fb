#pragma once

// Keeps the program to one running instance per user.
//
// The first instance holds an flock on "<name>.lock" and listens on the Unix
// socket "<name>.sock", both in a runtime folder only its user can enter. A
// later instance finds the lock taken, connects, sends its command line (see
// ForwardedCommandLine.h) and should then end. A command line too long for one
// message is not cut: the later instance sends an empty one instead, which
// brings the running instance to the front, and says so on standard error.
// A lock whose holder does not
// listen (it is starting or hung) lets the new instance start normally; a
// socket file nobody holds the lock for is stale and is replaced.
//
// Threads: Start, Stop and the destructor on one thread. The handler runs on
// the listener thread, one message at a time, with no lock of this class held;
// it must not call Stop. A malformed message is dropped and the listener goes on.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace HV::Platform {

// $XDG_RUNTIME_DIR when it is an absolute path, else /tmp/hv-<uid>, created
// with mode 0700; empty when that folder exists but is not private to this user.
std::string GetRuntimeFolder();

class SingleInstance {
 public:
  enum class Role {
    First,      // this is the running instance (or the one holding the lock did not answer)
    Forwarded,  // another instance runs and has the command line: end this one
    Failed      // the folder or socket could not be used; start normally
  };
  using Handler = std::function<void(const std::string& commandLine)>;

  SingleInstance(std::string folder, std::string name);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // Takes the instance or forwards commandLine to the one that has it. As the
  // first instance, starts listening and hands every command line received to handler.
  Role Start(std::string_view commandLine, Handler handler);
  // Stops listening and gives up the lock and the socket.
  void Stop();

  std::string LockPath() const { return folder_ + "/" + name_ + ".lock"; }
  std::string SocketPath() const { return folder_ + "/" + name_ + ".sock"; }

 private:
  bool Forward(std::string_view commandLine) const;
  // The message for commandLine, or for an empty one when it is too long.
  static std::vector<uint8_t> EncodeOrRefuse(std::string_view commandLine);
  bool Listen();
  void ServeClients();
  void ServeClient(int client) const;

  std::string folder_;
  std::string name_;
  Handler handler_;
  int lockFd_ = -1;
  int listenFd_ = -1;
  std::atomic<bool> stopping_{false};
  std::thread listener_;
};

}  // namespace HV::Platform
