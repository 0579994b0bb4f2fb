#include "HVFramework/Platform/Core/UdpTraceSender.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace HV::Platform {
namespace {

bool LookUpIpv4(const std::string& name, std::string& address) {
  if (name.empty()) return false;
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) return false;
  char text[INET_ADDRSTRLEN] = {};
  const auto* ipv4 = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
  bool isFound = inet_ntop(AF_INET, &ipv4->sin_addr, text, sizeof text) != nullptr;
  freeaddrinfo(found);
  if (isFound) address = text;
  return isFound;
}

std::string OwnHostName() {
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) != 0) return {};
  return name;
}

}  // namespace

UdpTraceSender::~UdpTraceSender() {
  if (mSocket >= 0) close(mSocket);
}

std::string UdpTraceSender::ResolveAddress(const std::string& host) {
  std::string address;
  if (LookUpIpv4(host, address) || LookUpIpv4(OwnHostName(), address)) return address;
  return "127.0.0.1";
}

bool UdpTraceSender::Open(const std::string& host, uint16_t port) {
  if (IsOpen()) return true;
  mAddress = ResolveAddress(host);
  mPort = port;
  mSocket = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
  if (!IsOpen()) return false;
  Send("*** APPLICATION Launched on ");
  Send(mAddress);
  Send("***\n");
  return true;
}

void UdpTraceSender::Send(std::string_view text) const {
  if (!IsOpen() || text.empty()) return;
  sockaddr_in destination{};
  destination.sin_family = AF_INET;
  destination.sin_port = htons(mPort);
  inet_pton(AF_INET, mAddress.c_str(), &destination.sin_addr);
  // A lost datagram is lost: the trace must never hold up the program.
  (void)sendto(mSocket, text.data(), text.size(), MSG_DONTWAIT | MSG_NOSIGNAL,
               reinterpret_cast<const sockaddr*>(&destination), sizeof destination);
}

}  // namespace HV::Platform
