#include "HVFramework/Platform/Core/UdpTraceSender.h"
#include "tests/support/UdpListener.h"

#include <gtest/gtest.h>

namespace {

using HV::Platform::UdpTraceSender;

TEST(UdpTraceSender, AnnouncesItselfThenSendsEachTextAsOneDatagram) {
  HV::Test::UdpListener listener;
  UdpTraceSender sender;
  ASSERT_TRUE(sender.Open("127.0.0.1", listener.GetPort()));
  EXPECT_EQ(sender.GetAddress(), "127.0.0.1");
  sender.Send("");
  sender.Send("hello trace");
  EXPECT_EQ(listener.Receive(), "*** APPLICATION Launched on ");
  EXPECT_EQ(listener.Receive(), "127.0.0.1");
  EXPECT_EQ(listener.Receive(), "***\n");
  EXPECT_EQ(listener.Receive(), "hello trace");
  EXPECT_FALSE(listener.HasPending());
}

TEST(UdpTraceSender, KeepsItsFirstDestination) {
  HV::Test::UdpListener listener;
  UdpTraceSender sender;
  ASSERT_TRUE(sender.Open("localhost", listener.GetPort()));
  EXPECT_TRUE(sender.Open("192.0.2.1", 9));
  EXPECT_EQ(sender.GetAddress(), "127.0.0.1");
}

TEST(UdpTraceSender, UnknownHostsFallBackToThisMachine) {
  std::string own = UdpTraceSender::ResolveAddress("");
  EXPECT_EQ(UdpTraceSender::ResolveAddress("no-such-host.invalid"), own);
  EXPECT_NE(own, "");
}

}  // namespace
