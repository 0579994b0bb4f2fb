#include "HVFramework/System/DebugTrace.h"

#include "HVFramework/ObjectBase/TraceHook.h"
#include "HVFramework/Platform/Core/StandardError.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <iostream>

namespace HV {
namespace {

constexpr std::string_view kOption = "-DEBUG_CONSOLE";

std::string ToUpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

// The leading number of `text` as atoi reads it, saturated instead of overflowing.
int32_t ReadLeadingInteger(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool isNegative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = std::min<int64_t>(value * 10 + (text[i] - '0'), INT32_MAX + int64_t{1});
  }
  value = isNegative ? -value : std::min<int64_t>(value, INT32_MAX);
  return static_cast<int32_t>(value);
}

DebugTrace* gProcessTrace = nullptr;

void WriteToProcessTrace(std::string_view line) { DebugTrace::Get().WriteLine(line); }

// The object model's lines come here wherever the runtime is linked in.
[[maybe_unused]] const bool kHookInstalled = [] {
  SetTraceLineHook(&WriteToProcessTrace);
  return true;
}();

}  // namespace

DebugTrace& DebugTrace::Get() {
  static DebugTrace* const trace = [] {
    static DebugTrace process;
    gProcessTrace = &process;
    return &process;
  }();
  return *trace;
}

DebugTrace::DebugTrace()
    : mNarrow([this](std::string_view text) { Deliver(text); }),
      mWide([this](std::u16string_view text) { DeliverWide(text); }) {}

DebugTrace::~DebugTrace() {
  if (this == gProcessTrace) SetTraceLineHook(nullptr);  // lines written during exit go to standard error
  mNarrow.flush();
  mWide.flush();
}

void DebugTrace::SetDebuggerSink(Sink sink) {
  std::lock_guard lock(mLock);
  mSink = std::move(sink);
}

void DebugTrace::SetTarget(const char* host, int32_t port) {
  std::lock_guard lock(mLock);
  if (host != nullptr) mHost = host;
  mPort = port;
}

void DebugTrace::OpenConsole() {
  std::lock_guard lock(mLock);
  mIsConsole = true;
  mCurrentNarrow = &std::cerr;
}

void DebugTrace::WriteLine(std::string_view text) {
  std::string line(text);
  line += '\n';
  std::lock_guard lock(mLock);
  // A line longer than a receiver's piece goes in pieces, still together.
  for (size_t at = 0; at < line.size(); at += DebugBuffer<char>::kPieceLength)
    Deliver(std::string_view(line).substr(at, DebugBuffer<char>::kPieceLength));
}

void DebugTrace::WriteLine(std::u16string_view text) {
  StringA utf8 = StringW(text.data(), static_cast<int32_t>(text.size())).ToCharString();
  WriteLine(utf8.GetView());
}

void DebugTrace::ApplyCommandLine(std::string_view commandLine) {
  std::string upper = ToUpperAscii(commandLine);
  size_t option = upper.find(kOption);
  if (option == std::string::npos) return;
  size_t colon = upper.find(std::string(kOption) + ":");
  if (colon == std::string::npos) {
    OpenConsole();
    return;
  }
  std::string_view rest = std::string_view(upper).substr(colon + kOption.size() + 1);
  rest = rest.substr(0, rest.find_first_of(" \t"));
  size_t hostColon = rest.find(':');
  std::string_view port = rest.substr(0, hostColon);
  // A port field shorter than two characters is taken for a typing slip.
  if (port.size() < 2) return;
  if (hostColon == std::string_view::npos) {
    SetTarget(nullptr, ReadLeadingInteger(port));
  } else {
    SetTarget(std::string(rest.substr(hostColon + 1)).c_str(), ReadLeadingInteger(port));
  }
}

void DebugTrace::Deliver(std::string_view utf8) {
  std::lock_guard lock(mLock);
  if (IsSendingUdp()) {
    mSender.Open(mHost, static_cast<uint16_t>(mPort));
    mSender.Send(utf8);
  } else if (mIsConsole) {
    Platform::WriteToStandardError(utf8);
  } else if (mSink) {
    mSink(utf8);
  }
}

void DebugTrace::DeliverWide(std::u16string_view text) {
  StringA utf8 = StringW(text.data(), static_cast<int32_t>(text.size())).ToCharString();
  Deliver(utf8.GetView());
}

}  // namespace HV
