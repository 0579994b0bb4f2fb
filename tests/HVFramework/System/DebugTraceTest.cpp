#include "HVFramework/ObjectBase/TraceHook.h"
#include "HVFramework/System/DebugTrace.h"
#include "tests/support/UdpListener.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using HV::DebugTrace;

struct TraceRecorder {
  explicit TraceRecorder(DebugTrace& trace) {
    trace.SetDebuggerSink([this](std::string_view text) { pieces.emplace_back(text); });
  }
  std::vector<std::string> pieces;
};

TEST(DebugTrace, OneFlushReachesTheDebuggerAsOnePiece) {
  DebugTrace trace;
  TraceRecorder recorder(trace);
  trace.GetNarrowStream() << "abc" << std::flush;
  EXPECT_EQ(recorder.pieces, std::vector<std::string>{"abc"});
}

TEST(DebugTrace, LongTextArrivesInPiecesOf1023) {
  DebugTrace trace;
  TraceRecorder recorder(trace);
  trace.GetNarrowStream() << std::string(3000, 'x') << std::flush;
  ASSERT_EQ(recorder.pieces.size(), 3u);
  EXPECT_EQ(recorder.pieces[0].size(), 1023u);
  EXPECT_EQ(recorder.pieces[1].size(), 1023u);
  EXPECT_EQ(recorder.pieces[2].size(), 954u);
}

TEST(DebugTrace, SingleCharactersKeepThePieceLimit) {
  DebugTrace trace;
  TraceRecorder recorder(trace);
  for (int i = 0; i < 1024; ++i) trace.GetNarrowStream().put('y');
  trace.GetNarrowStream().flush();
  ASSERT_EQ(recorder.pieces.size(), 2u);
  EXPECT_EQ(recorder.pieces[0].size(), 1023u);
  EXPECT_EQ(recorder.pieces[1], "y");
}

TEST(DebugTrace, WideTextLeavesAsUtf8AndUnflushedTextAtDestruction) {
  std::vector<std::string> pieces;
  {
    DebugTrace trace;
    trace.SetDebuggerSink([&](std::string_view text) { pieces.emplace_back(text); });
    trace.GetWideStream() << u"Gr\u00fc\u00dfe \u20ac" << std::flush;
    trace.GetNarrowStream() << "pending";
  }
  EXPECT_EQ(pieces, (std::vector<std::string>{"Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC", "pending"}));
}

TEST(DebugTrace, CommandLineOptionsChooseTheTarget) {
  struct Case {
    const char* commandLine;
    bool isConsole;
    bool isUdp;
  } const kCases[] = {
      {"editor", false, false},
      {"editor -DEBUG_CONSOLE", true, false},
      {"editor -debug_console -other", true, false},
      {"editor -DEBUG_CONSOLE:", false, false},
      {"editor -DEBUG_CONSOLE: 9000", false, false},
      {"editor -DEBUG_CONSOLE:0", false, false},
      {"editor -DEBUG_CONSOLE:-5:host", false, false},
      {"editor -DEBUG_CONSOLE:70000", false, false},
      {"editor -DEBUG_CONSOLE:99999999999999999999", false, false},
      {"editor -Debug_Console:9000", false, true},
      {"editor -DEBUG_CONSOLE:9000:localhost -x", false, true},
      {"editor -DEBUG_CONSOLE:7", false, false},
      {"editor -DEBUG_CONSOLE:7:localhost", false, false},
      {"editor -DEBUG_CONSOLE:70:localhost", false, true},
  };
  for (const Case& c : kCases) {
    DebugTrace trace;
    trace.ApplyCommandLine(c.commandLine);
    bool isConsole = &trace.GetNarrowStream() == &std::cerr;
    EXPECT_EQ(isConsole, c.isConsole) << c.commandLine;
    EXPECT_EQ(trace.IsSendingUdp(), c.isUdp) << c.commandLine;
  }
}

TEST(DebugTrace, UdpTargetAnnouncesThenSendsEachPiece) {
  HV::Test::UdpListener listener;
  DebugTrace trace;
  TraceRecorder recorder(trace);
  trace.ApplyCommandLine("editor -debug_console:" + std::to_string(listener.GetPort()) + ":127.0.0.1");
  trace.GetNarrowStream() << "narrow" << std::flush;
  trace.GetWideStream() << u"wide \u00e9" << std::flush;
  EXPECT_EQ(listener.Receive(), "*** APPLICATION Launched on ");
  EXPECT_EQ(listener.Receive(), "127.0.0.1");
  EXPECT_EQ(listener.Receive(), "***\n");
  EXPECT_EQ(listener.Receive(), "narrow");
  EXPECT_EQ(listener.Receive(), "wide \xC3\xA9");
  EXPECT_TRUE(recorder.pieces.empty());
}

// Without a host the trace goes to this machine's own address; the listener
// hears every local address.
TEST(DebugTrace, UdpTargetWithoutHostUsesThisMachine) {
  HV::Test::UdpListener listener;
  DebugTrace trace;
  trace.ApplyCommandLine("editor -DEBUG_CONSOLE:" + std::to_string(listener.GetPort()));
  trace.GetNarrowStream() << "x" << std::flush;
  EXPECT_EQ(listener.Receive(), "*** APPLICATION Launched on ");
  EXPECT_EQ(listener.Receive(), HV::Platform::UdpTraceSender::ResolveAddress(""));
  EXPECT_EQ(listener.Receive(), "***\n");
  EXPECT_EQ(listener.Receive(), "x");
}

}  // namespace

namespace {

// Lines written on two threads at once reach the target one whole line per
// piece, none lost and none mixed with the other thread's.
TEST(DebugTraceThreads, LinesFromTwoThreadsNeverInterleave) {
  constexpr int kLines = 300;
  DebugTrace trace;
  TraceRecorder recorder(trace);
  auto writer = [&](char name) {
    const std::string line(40, name);
    for (int i = 0; i < kLines; ++i) trace.WriteLine(line);
  };
  std::thread first(writer, 'a');
  std::thread second(writer, 'b');
  first.join();
  second.join();
  ASSERT_EQ(recorder.pieces.size(), 2u * kLines);
  int perName[2] = {0, 0};
  for (const std::string& piece : recorder.pieces) {
    ASSERT_TRUE(piece == std::string(40, 'a') + "\n" || piece == std::string(40, 'b') + "\n") << piece;
    ++perName[piece[0] - 'a'];
  }
  EXPECT_EQ(perName[0], kLines);
  EXPECT_EQ(perName[1], kLines);
}

TEST(DebugTrace, WideLinesLeaveAsUtf8WithTheirLineEnd) {
  DebugTrace trace;
  TraceRecorder recorder(trace);
  trace.WriteLine(u"\u00e9t\u00e9");
  trace.WriteLine(std::string(HV::DebugBuffer<char>::kPieceLength, 'z'));
  ASSERT_EQ(recorder.pieces.size(), 3u);
  EXPECT_EQ(recorder.pieces[0], "\xC3\xA9t\xC3\xA9\n");
  EXPECT_EQ(recorder.pieces[1], std::string(HV::DebugBuffer<char>::kPieceLength, 'z'));
  EXPECT_EQ(recorder.pieces[2], "\n");
}

// The object model's report of a dropped exception reaches the process trace.
TEST(DebugTrace, DroppedExceptionsOfTheObjectModelAreTraced) {
  TraceRecorder recorder(DebugTrace::Get());
  try {
    throw std::runtime_error("disk full");
  } catch (...) {
    HV::TraceDroppedException("Sample::Run");
  }
  DebugTrace::Get().SetDebuggerSink(nullptr);
  EXPECT_EQ(recorder.pieces, std::vector<std::string>{"Sample::Run dropped an exception: disk full\n"});
}

}  // namespace
