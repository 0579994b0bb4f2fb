#pragma once

// DebugStream<C>: an output stream that owns its DebugBuffer; destroying the
// stream flushes what the buffer still holds.
//
// For C = char16_t the standard library has no character facets: write text
// (u"...", wide strings) and end lines with u'\n' rather than std::endl.

#include "HVFramework/System/DebugBuffer.h"

#include <ostream>

namespace HV {

template <class C>
class DebugStream : public std::basic_ostream<C> {
 public:
  explicit DebugStream(typename DebugBuffer<C>::Flush flush)
      : std::basic_ostream<C>(nullptr), mBuffer(std::move(flush)) {
    this->init(&mBuffer);
  }
  ~DebugStream() override { this->flush(); }

 private:
  DebugBuffer<C> mBuffer;
};

}  // namespace HV
