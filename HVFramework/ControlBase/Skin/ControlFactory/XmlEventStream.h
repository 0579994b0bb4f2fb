#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

struct XML_ParserStruct;

namespace HV {

// Feeds a whole document to an Expat parser, in pieces where it is longer
// than one call takes; false when the parser stopped on an error (or was
// stopped).
bool ParseWholeDocument(XML_ParserStruct* parser, std::span<const uint8_t> document);
// Expat's message for the error the parser stopped on.
const char* ParserErrorText(XML_ParserStruct* parser);

// XmlEventBatch: a run of a document's events as the parser reported them,
// with every string they name. The strings live in one block; an event
// refers to them by number, so the block may grow while the batch fills.
struct XmlEventBatch {
  enum class Kind : uint8_t { Start, End, Text };
  struct Event {
    Kind kind = Kind::Start;
    uint32_t element = 0;  // Start, End: the element name's number, counted from 0 in first-use order
    uint32_t first = 0;    // Start: its first attribute string (name, value, name, ...); Text: the text
    uint32_t strings = 0;  // Start: how many attribute strings
    uint64_t at = 0;       // the document byte the event starts at, for a handler that fails on it
  };
  std::vector<Event> events;
  // The strings of the element names used for the first time in this batch,
  // in the order of their numbers.
  std::vector<uint32_t> newNames;
  std::string bytes;                 // every string, each followed by a 0
  std::vector<uint32_t> stringStarts;  // where each string begins in bytes

  const char* String(uint32_t index) const { return bytes.data() + stringStarts[index]; }
  size_t StringLength(uint32_t index) const;
  void Clear();
};

// XmlEventStream: reads one XML document with Expat on a thread of its own
// and hands the events over in batches, so that the reader's handlers run on
// the caller's thread while the parser works ahead. At most a few batches
// wait; the parser pauses while they do. Text between two tags arrives as one
// Text event, however the parser split it. Destroying the stream stops the
// parser and waits for its thread.
class XmlEventStream {
 public:
  explicit XmlEventStream(std::span<const uint8_t> document);
  ~XmlEventStream();
  XmlEventStream(const XmlEventStream&) = delete;
  XmlEventStream& operator=(const XmlEventStream&) = delete;

  // Waits for the next batch and swaps it into batch (whose old contents go
  // back to the parser for reuse); false once the document has ended.
  bool Next(XmlEventBatch& batch);
  // Tells the parser to stop at its next event; Next then ends soon.
  void Stop();

  // Valid once Next has returned false: whether the parser read the whole
  // document, else its message and line. A failure of the parser's own
  // thread (memory) is rethrown by ThrowIfFailed.
  bool Succeeded() const { return mSucceeded; }
  const std::string& GetErrorText() const { return mErrorText; }
  int32_t GetErrorLine() const { return mErrorLine; }
  void ThrowIfFailed() const;

  // The line (from 1) a byte of the document lies on, as the parser counts
  // lines: a line feed, a carriage return, or both together end a line. The
  // parser's own count is not kept for every event: it costs as much again as
  // finding the events.
  static int32_t LineAt(std::span<const uint8_t> document, uint64_t at);

 private:
  class Parser;

  void Run(std::span<const uint8_t> document);
  // Called on the parser's thread with a full batch; false when the reader stopped.
  bool Hand(XmlEventBatch& batch);
  void Finish(bool succeeded, std::string errorText, int32_t errorLine, std::exception_ptr failure);

  std::mutex mLock;
  std::condition_variable mChanged;
  std::deque<XmlEventBatch> mReady;
  std::vector<XmlEventBatch> mSpare;
  bool mStopped = false;
  bool mFinished = false;

  // Written by the parser's thread before it finishes, read after.
  bool mSucceeded = false;
  std::string mErrorText;
  int32_t mErrorLine = 0;
  std::exception_ptr mFailure;

  std::thread mThread;  // last: starts once everything above exists
};

}  // namespace HV
