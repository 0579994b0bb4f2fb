#pragma once

// DebugTrace: the process-wide debug trace, a narrow and a wide stream whose
// flushed text goes to one target: the debugger sink (the default), the
// console (standard error), or UDP datagrams to a trace receiver. The target
// is chosen once at start-up from the "-DEBUG_CONSOLE" option. Text leaves as
// UTF-8, wide text converted.
//
// WriteLine may be called from any thread: a line leaves whole, in one write
// to the target, and never mixes with another thread's line. The streams
// themselves are for one thread at a time; what they flush is delivered
// under the same lock as the lines. The process-wide trace also takes the
// lines of the object model (TraceDroppedException).

#include "HVFramework/Platform/Core/UdpTraceSender.h"
#include "HVFramework/System/DebugStream.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace HV {

class DebugTrace {
 public:
  // Receives the debugger target's text; without one that text is dropped,
  // as debugger output is when no debugger listens.
  using Sink = std::function<void(std::string_view utf8)>;

  static DebugTrace& Get();

  DebugTrace();
  ~DebugTrace();
  DebugTrace(const DebugTrace&) = delete;
  DebugTrace& operator=(const DebugTrace&) = delete;

  // The streams writers use: the trace's own until the console is opened.
  std::ostream& GetNarrowStream() { return *mCurrentNarrow; }
  std::basic_ostream<char16_t>& GetWideStream() { return *mCurrentWide; }

  // The text and a line end, as one piece; wide text is sent as UTF-8.
  void WriteLine(std::string_view text);
  void WriteLine(std::u16string_view text);

  void SetDebuggerSink(Sink sink);

  // A null host keeps the host given before; the port is always stored. A
  // port outside 1..65535 means the debugger target.
  void SetTarget(const char* host, int32_t port);
  // Narrow text then goes straight to standard error, and the wide stream's
  // flushes go there too.
  void OpenConsole();

  // Looks for "-DEBUG_CONSOLE" (any letter case) in the command line and
  // switches the target as it says: alone, the console; with ":port[:host]",
  // UDP. "-DEBUG_CONSOLE:" with a port field shorter than two characters
  // (nothing, or one digit) changes nothing.
  void ApplyCommandLine(std::string_view commandLine);

  bool IsSendingUdp() const { return mPort > 0 && mPort <= 65535; }

 private:
  void Deliver(std::string_view utf8);
  void DeliverWide(std::u16string_view text);

  // Guards the target and its settings, and makes each delivery one piece.
  // Recursive: a sink may itself write to the trace.
  std::recursive_mutex mLock;
  DebugStream<char> mNarrow;
  DebugStream<char16_t> mWide;
  std::ostream* mCurrentNarrow = &mNarrow;
  std::basic_ostream<char16_t>* mCurrentWide = &mWide;
  bool mIsConsole = false;
  std::string mHost;
  int32_t mPort = -1;
  Sink mSink;
  Platform::UdpTraceSender mSender;
};

}  // namespace HV
