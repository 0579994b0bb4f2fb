#pragma once

// UdpTraceSender: sends trace text as UDP datagrams to one IPv4 destination,
// fixed when the socket is made. Failures to send are ignored: trace text is
// never retried. One thread at a time.

#include <cstdint>
#include <string>
#include <string_view>

namespace HV::Platform {

class UdpTraceSender {
 public:
  UdpTraceSender() = default;
  ~UdpTraceSender();
  UdpTraceSender(const UdpTraceSender&) = delete;
  UdpTraceSender& operator=(const UdpTraceSender&) = delete;

  // The dotted IPv4 address of `host`; when it is empty or unknown, of this
  // machine's own name; when that fails too, "127.0.0.1".
  static std::string ResolveAddress(const std::string& host);

  // Makes the socket towards `host`:`port` unless it exists already; true
  // when the socket exists afterwards. The first success sends the three
  // datagrams that announce the start of the trace.
  bool Open(const std::string& host, uint16_t port);
  bool IsOpen() const { return mSocket >= 0; }
  const std::string& GetAddress() const { return mAddress; }

  // One datagram with the bytes of `text`; empty text sends nothing.
  void Send(std::string_view text) const;

 private:
  int mSocket = -1;
  std::string mAddress;
  uint16_t mPort = 0;
};

}  // namespace HV::Platform
