#include "HVFramework/Platform/Midi/MidiSystemBase.h"

#include "HVFramework/Platform/Midi/MidiShortMessage.h"
#include "HVFramework/Platform/Core/PlatformTrace.h"

#include <algorithm>
#include <string>

namespace HV::Platform {

// Shared by inputs and outputs.

template <class Handle, class Endpoint>
MidiOpened<Handle> LMidiSystemBase::Open(std::map<Handle, Endpoint>& endpoints, uint32_t device,
                                         IMidiCallback& callback) {
  std::lock_guard lock(mMutex);
  const auto handle = static_cast<Handle>(mNextHandle++);
  const MidiResult result = Connect(device, handle);
  if (result != kMidiNoError) return {result, Handle::None};
  endpoints[handle].callback = &callback;
  return {kMidiNoError, handle};
}

template <class Handle>
MidiResult LMidiSystemBase::GetStatus(Handle handle) {
  std::lock_guard lock(mMutex);
  if (!Find(handle)) return kMidiInvalidHandle;
  return IsConnected(handle) ? kMidiNoError : kMidiNoDriver;
}

template <class Handle>
MidiResult LMidiSystemBase::ChangeHeader(Handle handle, MidiHeader& header, MidiResult (*change)(MidiHeader&)) {
  std::lock_guard lock(mMutex);
  return Find(handle) ? change(header) : kMidiInvalidHandle;
}

// ---- inputs ----

MidiOpened<MidiInHandle> LMidiSystemBase::OpenInput(uint32_t device, IMidiCallback& callback) {
  return Open(mInputs, device, callback);
}

MidiResult LMidiSystemBase::GetInputStatus(MidiInHandle handle) { return GetStatus(handle); }

MidiResult LMidiSystemBase::PrepareInputHeader(MidiInHandle handle, MidiHeader& header) {
  return ChangeHeader(handle, header, Prepare);
}

MidiResult LMidiSystemBase::UnprepareInputHeader(MidiInHandle handle, MidiHeader& header) {
  return ChangeHeader(handle, header, Unprepare);
}

MidiResult LMidiSystemBase::AddInputBuffer(MidiInHandle handle, MidiHeader& header) {
  std::lock_guard lock(mMutex);
  InputEndpoint* input = Find(handle);
  if (!input) return kMidiInvalidHandle;
  if (const MidiResult refused = CheckLendable(header)) return refused;
  LMidiInputStream::Events events;  // input that waited for a header goes on into this one
  input->stream.Lend(header, events);
  PostInputEvents(handle, input->callback, events);
  return kMidiNoError;
}

MidiResult LMidiSystemBase::StartInput(MidiInHandle handle) {
  std::lock_guard lock(mMutex);
  InputEndpoint* input = Find(handle);
  if (!input) return kMidiInvalidHandle;
  if (!input->isStarted) {
    input->isStarted = true;
    input->startTime = Clock::now();
  }
  return kMidiNoError;
}

MidiResult LMidiSystemBase::StopInput(MidiInHandle handle) { return EndRecording(handle, Ending::Stop); }

MidiResult LMidiSystemBase::ResetInput(MidiInHandle handle) { return EndRecording(handle, Ending::Reset); }

MidiResult LMidiSystemBase::EndRecording(MidiInHandle handle, Ending ending) {
  std::lock_guard lock(mMutex);
  InputEndpoint* input = Find(handle);
  if (!input) return kMidiInvalidHandle;
  LMidiInputStream::Events events;
  if (ending == Ending::Stop) {
    input->stream.Stop(TimeSince(*input), events);
  } else {
    input->stream.Reset(TimeSince(*input), events);
  }
  input->isStarted = false;
  PostInputEvents(handle, input->callback, events);
  return kMidiNoError;
}

MidiResult LMidiSystemBase::CloseInput(MidiInHandle handle) {
  std::lock_guard lock(mMutex);
  InputEndpoint* input = Find(handle);
  if (!input) return kMidiInvalidHandle;
  if (input->stream.HasLent()) return kMidiStillPlaying;
  DisconnectInput(handle);
  mDispatcher.Drop(KeyOf(handle));
  mInputs.erase(handle);
  return kMidiNoError;
}

void LMidiSystemBase::ReceiveInput(MidiInHandle handle, std::span<const uint8_t> bytes) {
  LMidiInputStream::Overflow overflow;
  {
    std::lock_guard lock(mMutex);
    InputEndpoint* input = Find(handle);
    if (!input || !input->isStarted) return;
    LMidiInputStream::Events events;
    overflow = input->stream.Feed(bytes, TimeSince(*input), events);
    PostInputEvents(handle, input->callback, events);
  }
  if (overflow.dropped == 0) return;
  mDroppedInputBytes += overflow.dropped;
  if (overflow.isNew) TraceOverflow(handle);
}

// Once per overflow: until the backlog has emptied again, the count says the rest.
void LMidiSystemBase::TraceOverflow(MidiInHandle handle) {
  LPlatformTrace::Write("MIDI input " + std::to_string(KeyOf(handle)) + ": " +
                        std::to_string(LMidiInputStream::kMaxBacklog) +
                        " bytes wait for input buffers; what arrives now is dropped");
}

// ---- outputs ----

MidiOpened<MidiOutHandle> LMidiSystemBase::OpenOutput(uint32_t device, IMidiCallback& callback) {
  return Open(mOutputs, device, callback);
}

MidiResult LMidiSystemBase::GetOutputStatus(MidiOutHandle handle) { return GetStatus(handle); }

MidiResult LMidiSystemBase::SendShortMessage(MidiOutHandle handle, uint32_t message) {
  std::lock_guard lock(mMutex);
  if (!Find(handle)) return kMidiInvalidHandle;
  std::vector<uint8_t> bytes = LMidiShortMessage::Unpack(message);
  if (bytes.empty()) return kMidiInvalidParameter;
  return TransmitShort(handle, std::move(bytes));
}

MidiResult LMidiSystemBase::PrepareOutputHeader(MidiOutHandle handle, MidiHeader& header) {
  return ChangeHeader(handle, header, Prepare);
}

MidiResult LMidiSystemBase::UnprepareOutputHeader(MidiOutHandle handle, MidiHeader& header) {
  return ChangeHeader(handle, header, Unprepare);
}

MidiResult LMidiSystemBase::SendLongMessage(MidiOutHandle handle, MidiHeader& header) {
  std::lock_guard lock(mMutex);
  OutputEndpoint* output = Find(handle);
  if (!output) return kMidiInvalidHandle;
  if (const MidiResult refused = CheckLendable(header)) return refused;

  const uint64_t ticket = mNextTicket++;
  std::vector<uint8_t> bytes(header.data, header.data + header.bufferLength);
  header.flags = (header.flags.load() & ~MidiHeader::kDone) | MidiHeader::kInQueue;
  output->inFlight.push_back({ticket, &header});
  const MidiResult result = TransmitLong(handle, ticket, std::move(bytes));
  if (result != kMidiNoError) {
    output->inFlight.pop_back();
    header.flags &= ~MidiHeader::kInQueue;
  }
  return result;
}

MidiResult LMidiSystemBase::ResetOutput(MidiOutHandle handle) {
  std::lock_guard lock(mMutex);
  OutputEndpoint* output = Find(handle);
  if (!output) return kMidiInvalidHandle;
  for (const LongMessage& message : output->inFlight) PostOutputDone(handle, output->callback, message.header);
  output->inFlight.clear();
  return kMidiNoError;
}

MidiResult LMidiSystemBase::CloseOutput(MidiOutHandle handle) {
  std::lock_guard lock(mMutex);
  OutputEndpoint* output = Find(handle);
  if (!output) return kMidiInvalidHandle;
  if (!output->inFlight.empty()) return kMidiStillPlaying;
  DisconnectOutput(handle);
  mDispatcher.Drop(KeyOf(handle));
  mOutputs.erase(handle);
  return kMidiNoError;
}

void LMidiSystemBase::CompleteLongMessage(MidiOutHandle handle, uint64_t ticket) {
  std::lock_guard lock(mMutex);
  OutputEndpoint* output = Find(handle);
  if (!output) return;
  auto& inFlight = output->inFlight;
  const auto found = std::find_if(inFlight.begin(), inFlight.end(),
                                  [ticket](const LongMessage& message) { return message.ticket == ticket; });
  if (found == inFlight.end()) return;
  PostOutputDone(handle, output->callback, found->header);
  inFlight.erase(found);
}

// ---- helpers ----

LMidiSystemBase::InputEndpoint* LMidiSystemBase::Find(MidiInHandle handle) {
  const auto found = mInputs.find(handle);
  return found == mInputs.end() ? nullptr : &found->second;
}

LMidiSystemBase::OutputEndpoint* LMidiSystemBase::Find(MidiOutHandle handle) {
  const auto found = mOutputs.find(handle);
  return found == mOutputs.end() ? nullptr : &found->second;
}

uint32_t LMidiSystemBase::TimeSince(const InputEndpoint& input) {
  if (!input.isStarted) return 0;
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - input.startTime);
  return static_cast<uint32_t>(elapsed.count());  // wraps like every 32-bit millisecond count
}

void LMidiSystemBase::PostInputEvents(MidiInHandle handle, IMidiCallback* callback,
                                      const LMidiInputStream::Events& events) {
  for (const MidiEvent& event : events) {
    mDispatcher.Post(KeyOf(handle), [callback, handle, event] { callback->OnMidiInput(handle, event); });
  }
}

void LMidiSystemBase::PostOutputDone(MidiOutHandle handle, IMidiCallback* callback, MidiHeader* header) {
  header->flags = (header->flags.load() & ~MidiHeader::kInQueue) | MidiHeader::kDone;
  const MidiEvent event{MidiEventKind::OutputDone, 0, header, 0};
  mDispatcher.Post(KeyOf(handle), [callback, handle, event] { callback->OnMidiOutput(handle, event); });
}

MidiResult LMidiSystemBase::Prepare(MidiHeader& header) {
  if (!header.data || header.bufferLength == 0) return kMidiInvalidParameter;
  header.flags |= MidiHeader::kPrepared;
  return kMidiNoError;
}

MidiResult LMidiSystemBase::CheckLendable(const MidiHeader& header) {
  if (!header.IsPrepared()) return kMidiUnprepared;
  return header.IsInQueue() ? kMidiStillPlaying : kMidiNoError;
}

MidiResult LMidiSystemBase::Unprepare(MidiHeader& header) {
  if (header.IsInQueue()) return kMidiStillPlaying;
  header.flags &= ~MidiHeader::kPrepared;
  return kMidiNoError;
}

}  // namespace HV::Platform
