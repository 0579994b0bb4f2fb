#include "HVFramework/ControlBase/Skin/ControlFactory/XmlEventStream.h"

#include "HVFramework/Utilities/Storage/TextKeyHash.h"

#include <expat.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <new>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace HV {
namespace {

// Events per batch: the first few enough that the reader starts soon, then
// more and more, so that the threads seldom have to wake each other.
constexpr size_t kFirstBatchEvents = 256;
constexpr size_t kLargestBatchEvents = 1024;
// Batches that may wait before the parser pauses: bounds the memory a fast
// parser ahead of slow handlers takes.
constexpr size_t kWaitingBatches = 8;

struct ParserDeleter {
  void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
};

}  // namespace

bool ParseWholeDocument(XML_ParserStruct* parser, std::span<const uint8_t> document) {
  // Expat takes an int length; larger documents are read in pieces.
  constexpr size_t kPiece = static_cast<size_t>(std::numeric_limits<int>::max());
  XML_Status status = XML_STATUS_OK;
  size_t done = 0;
  do {
    const size_t piece = std::min(document.size() - done, kPiece);
    const bool isFinal = done + piece == document.size();
    status = XML_Parse(parser, reinterpret_cast<const char*>(document.data() + done), static_cast<int>(piece),
                       isFinal ? XML_TRUE : XML_FALSE);
    done += piece;
  } while (status == XML_STATUS_OK && done < document.size());
  return status == XML_STATUS_OK;
}

const char* ParserErrorText(XML_ParserStruct* parser) {
  const XML_LChar* text = XML_ErrorString(XML_GetErrorCode(parser));
  return text ? text : "unknown XML error";
}

size_t XmlEventBatch::StringLength(uint32_t index) const {
  const size_t end = index + 1 < stringStarts.size() ? stringStarts[index + 1] : bytes.size();
  return end - stringStarts[index] - 1;
}

void XmlEventBatch::Clear() {
  events.clear();
  newNames.clear();
  bytes.clear();
  stringStarts.clear();
}

// The parser's side: Expat's callbacks fill the current batch and hand it
// over when it is full. Nothing may unwind through Expat: a failure stops the
// parser and is kept for the reader.
class XmlEventStream::Parser {
 public:
  Parser(XmlEventStream& stream, XML_Parser parser) : mStream(stream), mParser(parser) {
    XML_SetUserData(parser, this);
    XML_SetElementHandler(parser, &OnStart, &OnEnd);
    XML_SetCharacterDataHandler(parser, &OnText);
    mBatch.events.reserve(mBatchEvents);
  }

  // Hands over what is left; false when the reader stopped.
  bool HandRest() { return mBatch.events.empty() || mStream.Hand(mBatch); }
  std::exception_ptr TakeFailure() { return std::exchange(mFailure, nullptr); }
  bool WasStopped() const { return mStopped; }

 private:
  template <class Step>
  static void Guarded(void* data, Step step) {
    auto* self = static_cast<Parser*>(data);
    if (self->mFailure || self->mStopped) return;
    try {
      step(*self);
    } catch (...) {
      self->mFailure = std::current_exception();
      XML_StopParser(self->mParser, XML_FALSE);
    }
  }

  static void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
    Guarded(data, [&](Parser& self) {
      const uint64_t at = self.At();
      self.FlushText(at);
      XmlEventBatch::Event event{XmlEventBatch::Kind::Start, self.Element(name), 0, 0, at};
      event.first = static_cast<uint32_t>(self.mBatch.stringStarts.size());
      for (const XML_Char* const* pair = attributes; pair[0] && pair[1]; pair += 2) {
        self.AddString(pair[0], std::char_traits<char>::length(pair[0]));
        self.AddString(pair[1], std::char_traits<char>::length(pair[1]));
        event.strings += 2;
      }
      self.AddEvent(event);
    });
  }

  static void XMLCALL OnEnd(void* data, const XML_Char* name) {
    Guarded(data, [&](Parser& self) {
      const uint64_t at = self.At();
      self.FlushText(at);
      self.AddEvent({XmlEventBatch::Kind::End, self.Element(name), 0, 0, at});
    });
  }

  static void XMLCALL OnText(void* data, const XML_Char* text, int length) {
    Guarded(data, [&](Parser& self) { self.mText.append(text, static_cast<size_t>(length)); });
  }

  uint64_t At() const { return static_cast<uint64_t>(std::max<XML_Index>(0, XML_GetCurrentByteIndex(mParser))); }

  // text must end in a 0 at length (the parser's strings do): it is copied with it.
  uint32_t AddString(const char* text, size_t length) {
    const auto index = static_cast<uint32_t>(mBatch.stringStarts.size());
    mBatch.stringStarts.push_back(static_cast<uint32_t>(mBatch.bytes.size()));
    mBatch.bytes.append(text, length + 1);
    return index;
  }

  // The text gathered since the last tag, as one event before the tag's.
  void FlushText(uint64_t at) {
    if (mText.empty()) return;
    const uint32_t string = AddString(mText.data(), mText.size());
    mText.clear();
    AddEvent({XmlEventBatch::Kind::Text, 0, string, 0, at});
  }

  // A document uses a few element names thousands of times: each is numbered
  // once, and its text travels only with its first use.
  uint32_t Element(const char* name) {
    const std::string_view key(name);
    auto found = mElements.find(key);
    if (found == mElements.end()) {
      found = mElements.emplace(std::string(key), static_cast<uint32_t>(mElements.size())).first;
      mBatch.newNames.push_back(AddString(key.data(), key.size()));
    }
    return found->second;
  }

  void AddEvent(const XmlEventBatch::Event& event) {
    mBatch.events.push_back(event);
    if (mBatch.events.size() < mBatchEvents) return;
    mBatchEvents = std::min(2 * mBatchEvents, kLargestBatchEvents);
    if (!mStream.Hand(mBatch)) {
      mStopped = true;
      XML_StopParser(mParser, XML_FALSE);
    }
  }

  XmlEventStream& mStream;
  XML_Parser mParser;
  XmlEventBatch mBatch;
  std::string mText;
  std::unordered_map<std::string, uint32_t, NarrowTextKeyHash, std::equal_to<>> mElements;
  std::exception_ptr mFailure;
  bool mStopped = false;
  size_t mBatchEvents = kFirstBatchEvents;
};

XmlEventStream::XmlEventStream(std::span<const uint8_t> document)
    : mThread([this, document] { Run(document); }) {}

XmlEventStream::~XmlEventStream() {
  Stop();
  mThread.join();
}

void XmlEventStream::Run(std::span<const uint8_t> document) {
  try {
    std::unique_ptr<XML_ParserStruct, ParserDeleter> parser(XML_ParserCreate(nullptr));
    if (!parser) throw std::bad_alloc();
    Parser events(*this, parser.get());

    const bool parsed = ParseWholeDocument(parser.get(), document);

    if (std::exception_ptr failure = events.TakeFailure()) {
      Finish(false, {}, 0, failure);
      return;
    }
    // Whatever was read before an error reaches the reader, as it would
    // have reached a handler called from the parser itself.
    if (events.WasStopped() || !events.HandRest()) {
      Finish(false, {}, 0, nullptr);
      return;
    }
    if (parsed) {
      Finish(true, {}, 0, nullptr);
      return;
    }
    Finish(false, ParserErrorText(parser.get()), static_cast<int32_t>(XML_GetCurrentLineNumber(parser.get())),
           nullptr);
  } catch (...) {
    Finish(false, {}, 0, std::current_exception());
  }
}

bool XmlEventStream::Hand(XmlEventBatch& batch) {
  std::unique_lock guard(mLock);
  mChanged.wait(guard, [this] { return mStopped || mReady.size() < kWaitingBatches; });
  if (mStopped) return false;
  mReady.push_back(std::move(batch));
  if (!mSpare.empty()) {
    batch = std::move(mSpare.back());
    mSpare.pop_back();
  }
  batch.Clear();
  guard.unlock();
  mChanged.notify_all();
  return true;
}

void XmlEventStream::Finish(bool succeeded, std::string errorText, int32_t errorLine, std::exception_ptr failure) {
  {
    const std::lock_guard guard(mLock);
    mSucceeded = succeeded;
    mErrorText = std::move(errorText);
    mErrorLine = errorLine;
    mFailure = std::move(failure);
    mFinished = true;
  }
  mChanged.notify_all();
}

bool XmlEventStream::Next(XmlEventBatch& batch) {
  std::unique_lock guard(mLock);
  mChanged.wait(guard, [this] { return !mReady.empty() || mFinished; });
  if (mReady.empty()) return false;
  if (!batch.events.empty() || batch.bytes.capacity() != 0) mSpare.push_back(std::move(batch));
  batch = std::move(mReady.front());
  mReady.pop_front();
  guard.unlock();
  mChanged.notify_all();
  return true;
}

void XmlEventStream::Stop() {
  {
    const std::lock_guard guard(mLock);
    mStopped = true;
  }
  mChanged.notify_all();
}

int32_t XmlEventStream::LineAt(std::span<const uint8_t> document, uint64_t at) {
  // UTF-16 counts in units of two bytes, in the order its mark or first
  // character shows; everything else byte by byte.
  const auto starts = [&](uint8_t a, uint8_t b) { return document.size() >= 2 && document[0] == a && document[1] == b; };
  const bool big = starts(0xFE, 0xFF) || starts(0x00, '<');
  const size_t unit = big || starts(0xFF, 0xFE) || starts('<', 0x00) ? 2 : 1;
  const size_t end = std::min<uint64_t>(at, document.size()) / unit * unit;
  const auto code = [&](size_t i) -> unsigned {
    if (unit == 1) return document[i];
    return big ? (document[i] << 8 | document[i + 1]) : (document[i + 1] << 8 | document[i]);
  };
  int32_t line = 1;
  for (size_t i = 0; i < end; i += unit) {
    const unsigned c = code(i);
    if (c == '\n' || (c == '\r' && !(i + unit < document.size() && code(i + unit) == '\n'))) ++line;
  }
  return line;
}

void XmlEventStream::ThrowIfFailed() const {
  if (mFailure) std::rethrow_exception(mFailure);
}

}  // namespace HV
