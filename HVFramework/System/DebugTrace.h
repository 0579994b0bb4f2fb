#pragma once

// DebugTrace: the process-wide debug trace, a narrow and a wide stream whose
// flushed text goes to one target: the debugger sink (the default), the
// console (standard error), or UDP datagrams to a trace receiver. The target
// is chosen once at start-up from the "-DEBUG_CONSOLE" option. Text leaves as
// UTF-8, wide text converted. No lock: write from one thread at a time.

#include "HVFramework/Platform/UdpTraceSender.h"
#include "HVFramework/System/DebugStream.h"

#include <cstdint>
#include <functional>
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

  void SetDebuggerSink(Sink sink) { mSink = std::move(sink); }

  // A null host keeps the host given before; the port is always stored. A
  // port outside 1..65535 means the debugger target.
  void SetTarget(const char* host, int32_t port);
  // Narrow text then goes straight to standard error, and the wide stream's
  // flushes go there too.
  void OpenConsole();

  // Looks for "-DEBUG_CONSOLE" (any letter case) in the command line and
  // switches the target as it says: alone, the console; with ":port[:host]",
  // UDP. "-DEBUG_CONSOLE:" with nothing after the colon changes nothing.
  void ApplyCommandLine(std::string_view commandLine);

  bool IsSendingUdp() const { return mPort > 0 && mPort <= 65535; }

 private:
  void Deliver(std::string_view utf8);
  void DeliverWide(std::u16string_view text);

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
