#pragma once

// UdpListener: a UDP socket bound to every local IPv4 address on a free port,
// for tests that check the datagrams a component sends.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <optional>
#include <stdexcept>
#include <string>

namespace HV::Test {

class UdpListener {
 public:
  UdpListener() {
    mSocket = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    socklen_t size = sizeof address;
    if (mSocket < 0 || bind(mSocket, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        getsockname(mSocket, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
      throw std::runtime_error("UdpListener: no socket");
    }
    mPort = ntohs(address.sin_port);
  }
  ~UdpListener() { close(mSocket); }
  UdpListener(const UdpListener&) = delete;
  UdpListener& operator=(const UdpListener&) = delete;

  uint16_t GetPort() const { return mPort; }

  // The next datagram, or nothing when none arrives within the time limit.
  std::optional<std::string> Receive(int timeoutMilliseconds = 5000) {
    pollfd wait{mSocket, POLLIN, 0};
    if (poll(&wait, 1, timeoutMilliseconds) != 1) return std::nullopt;
    char buffer[65536];
    ssize_t size = recv(mSocket, buffer, sizeof buffer, 0);
    if (size < 0) return std::nullopt;
    return std::string(buffer, static_cast<size_t>(size));
  }

  bool HasPending() {
    pollfd wait{mSocket, POLLIN, 0};
    return poll(&wait, 1, 0) == 1;
  }

 private:
  int mSocket = -1;
  uint16_t mPort = 0;
};

}  // namespace HV::Test
