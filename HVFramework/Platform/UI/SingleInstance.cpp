#include "HVFramework/Platform/UI/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include "HVFramework/Platform/UI/ForwardedCommandLine.h"

namespace HV::Platform {

namespace {

// A client that connects and says nothing does not hold the listener longer than this.
constexpr int kClientTimeoutSeconds = 1;

bool FillSocketAddress(const std::string& path, sockaddr_un& address) {
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

bool IsPrivateFolder(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid() &&
         (info.st_mode & 0077) == 0;
}

bool SendAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    const ssize_t sent = ::send(fd, data, size, MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR) continue;
    if (sent <= 0) return false;
    data += sent;
    size -= static_cast<size_t>(sent);
  }
  return true;
}

}  // namespace

std::string GetRuntimeFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/') return runtime;
  const std::string folder = "/tmp/hv-" + std::to_string(::getuid());
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return {};
  return IsPrivateFolder(folder) ? folder : std::string();
}

SingleInstance::SingleInstance(std::string folder, std::string name)
    : folder_(std::move(folder)), name_(std::move(name)) {}

SingleInstance::~SingleInstance() { Stop(); }

SingleInstance::Role SingleInstance::Start(std::string_view commandLine, Handler handler) {
  if (folder_.empty()) return Role::Failed;
  lockFd_ = ::open(LockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (lockFd_ < 0) return Role::Failed;
  if (::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
    ::close(lockFd_);
    lockFd_ = -1;
    return Forward(commandLine) ? Role::Forwarded : Role::First;
  }
  handler_ = std::move(handler);
  if (!Listen()) return Role::Failed;
  return Role::First;
}

bool SingleInstance::Forward(std::string_view commandLine) const {
  sockaddr_un address{};
  if (!FillSocketAddress(SocketPath(), address)) return false;
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  bool sent = false;
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
    const std::vector<uint8_t> message = EncodeOrRefuse(commandLine);
    sent = SendAll(fd, message.data(), message.size());
  }
  ::close(fd);
  return sent;
}

std::vector<uint8_t> SingleInstance::EncodeOrRefuse(std::string_view commandLine) {
  if (std::optional<std::vector<uint8_t>> message = EncodeForwardedCommandLine(commandLine)) return *message;
  // Part of a command line could name another file than the whole: the
  // running instance only comes forward.
  std::fprintf(stderr,
               "the command line (%zu bytes) is too long to hand over to the running instance "
               "(at most %zu bytes); it is only brought to the front\n",
               commandLine.size(), kMaxForwardedText);
  return *EncodeForwardedCommandLine({});
}

bool SingleInstance::Listen() {
  sockaddr_un address{};
  if (!FillSocketAddress(SocketPath(), address)) return false;
  // We hold the lock, so a socket file left behind belongs to no one.
  ::unlink(SocketPath().c_str());
  listenFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listenFd_ < 0) return false;
  if (::bind(listenFd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listenFd_, 4) != 0) {
    ::close(listenFd_);
    listenFd_ = -1;
    return false;
  }
  stopping_ = false;
  listener_ = std::thread([this] { ServeClients(); });
  return true;
}

void SingleInstance::ServeClients() {
  while (!stopping_) {
    const int client = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) {
      if (errno == EINTR || errno == ECONNABORTED) continue;
      return;  // the socket was shut down
    }
    if (!stopping_) ServeClient(client);
    ::close(client);
  }
}

void SingleInstance::ServeClient(int client) const {
  const timeval timeout{kClientTimeoutSeconds, 0};
  ::setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  const std::optional<std::string> commandLine = ReceiveForwardedCommandLine([client](std::span<uint8_t> into) {
    for (;;) {
      const ssize_t got = ::recv(client, into.data(), into.size(), 0);
      if (got >= 0 || errno != EINTR) return static_cast<std::ptrdiff_t>(got);
    }
  });
  if (commandLine && handler_) handler_(*commandLine);
}

void SingleInstance::Stop() {
  if (listener_.joinable()) {
    stopping_ = true;
    ::shutdown(listenFd_, SHUT_RDWR);
    listener_.join();
  }
  if (listenFd_ >= 0) {
    ::close(listenFd_);
    listenFd_ = -1;
    ::unlink(SocketPath().c_str());
  }
  if (lockFd_ >= 0) {
    ::close(lockFd_);
    lockFd_ = -1;
  }
}

}  // namespace HV::Platform
