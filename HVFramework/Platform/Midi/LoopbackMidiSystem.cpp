#include "HVFramework/Platform/Midi/LoopbackMidiSystem.h"

#include <algorithm>

namespace HV::Platform {

namespace {
// Work that belongs to no handle: a close must not drop what was sent before it.
constexpr uint64_t kDeviceWork = 0;
}  // namespace

RCPtr<LLoopbackMidiSystem> LLoopbackMidiSystem::Create() { return RCPtr<LLoopbackMidiSystem>(new LLoopbackMidiSystem()); }

LLoopbackMidiSystem::LLoopbackMidiSystem() = default;

LLoopbackMidiSystem::~LLoopbackMidiSystem() { GetDispatcher().Shutdown(); }

RCPtr<LLoopbackMidiDevice> LLoopbackMidiSystem::AddDevice(std::u16string inputName, std::u16string outputName,
                                                          IMidiLoopbackPeer& peer) {
  RCPtr<LLoopbackMidiDevice> device(
      new LLoopbackMidiDevice(*this, std::move(inputName), std::move(outputName), peer));
  auto state = std::make_unique<DeviceState>();
  state->device = device;
  std::lock_guard lock(mMutex);
  mDevices.push_back(std::move(state));
  return device;
}

// ---- device lists ----

std::vector<LLoopbackMidiSystem::DeviceState*> LLoopbackMidiSystem::ListLocked(Side side) {
  std::vector<DeviceState*> listed;
  for (const auto& state : mDevices) {
    const LLoopbackMidiDevice& device = *state->device;
    const std::u16string& name = side == Side::Input ? device.GetInputName() : device.GetOutputName();
    if (state->isPlugged && !name.empty()) listed.push_back(state.get());
  }
  return listed;
}

uint32_t LLoopbackMidiSystem::GetInputDeviceCount() {
  std::lock_guard lock(mMutex);
  return static_cast<uint32_t>(ListLocked(Side::Input).size());
}

uint32_t LLoopbackMidiSystem::GetOutputDeviceCount() {
  std::lock_guard lock(mMutex);
  return static_cast<uint32_t>(ListLocked(Side::Output).size());
}

std::optional<std::u16string> LLoopbackMidiSystem::GetInputDeviceName(uint32_t device) {
  std::lock_guard lock(mMutex);
  const auto listed = ListLocked(Side::Input);
  if (device >= listed.size()) return std::nullopt;
  return listed[device]->device->GetInputName();
}

std::optional<std::u16string> LLoopbackMidiSystem::GetOutputDeviceName(uint32_t device) {
  std::lock_guard lock(mMutex);
  const auto listed = ListLocked(Side::Output);
  if (device >= listed.size()) return std::nullopt;
  return listed[device]->device->GetOutputName();
}

// ---- connections ----

template <class Handle>
MidiResult LLoopbackMidiSystem::Connect(std::map<Handle, Link>& links, Side side, uint32_t device, Handle handle) {
  std::lock_guard lock(mMutex);
  const auto listed = ListLocked(side);
  if (device >= listed.size()) return kMidiBadDeviceId;
  DeviceState* state = listed[device];
  const bool isOpen = std::any_of(links.begin(), links.end(),
                                  [state](const auto& entry) { return entry.second.state == state && IsAlive(entry.second); });
  if (isOpen) return kMidiAllocated;
  links.emplace(handle, Link{state, state->generation});
  return kMidiNoError;
}

MidiResult LLoopbackMidiSystem::ConnectInput(uint32_t device, MidiInHandle handle) {
  return Connect(mInputLinks, Side::Input, device, handle);
}

MidiResult LLoopbackMidiSystem::ConnectOutput(uint32_t device, MidiOutHandle handle) {
  return Connect(mOutputLinks, Side::Output, device, handle);
}

void LLoopbackMidiSystem::DisconnectInput(MidiInHandle handle) {
  std::lock_guard lock(mMutex);
  mInputLinks.erase(handle);
}

void LLoopbackMidiSystem::DisconnectOutput(MidiOutHandle handle) {
  std::lock_guard lock(mMutex);
  mOutputLinks.erase(handle);
}

bool LLoopbackMidiSystem::IsInputConnected(MidiInHandle handle) {
  std::lock_guard lock(mMutex);
  const auto found = mInputLinks.find(handle);
  return found != mInputLinks.end() && IsAlive(found->second);
}

bool LLoopbackMidiSystem::IsOutputConnected(MidiOutHandle handle) {
  std::lock_guard lock(mMutex);
  const auto found = mOutputLinks.find(handle);
  return found != mOutputLinks.end() && IsAlive(found->second);
}

// ---- traffic ----

MidiResult LLoopbackMidiSystem::TransmitShort(MidiOutHandle handle, std::vector<uint8_t> bytes) {
  std::lock_guard lock(mMutex);
  const auto found = mOutputLinks.find(handle);
  if (found == mOutputLinks.end() || !IsAlive(found->second)) return kMidiNoDriver;
  DeliverToPeer(*found->second.state, {MidiLoopbackPacket::Kind::Short, std::move(bytes), Now()}, nullptr);
  return kMidiNoError;
}

MidiResult LLoopbackMidiSystem::TransmitLong(MidiOutHandle handle, uint64_t ticket, std::vector<uint8_t> bytes) {
  std::lock_guard lock(mMutex);
  const auto found = mOutputLinks.find(handle);
  if (found == mOutputLinks.end() || !IsAlive(found->second)) return kMidiNoDriver;
  DeviceState& state = *found->second.state;

  std::function<void()> complete;
  if (state.completion == MidiOutputCompletion::Immediate) {
    complete = [this, handle, ticket] { CompleteLongMessage(handle, ticket); };
  } else if (state.completion == MidiOutputCompletion::Delayed) {
    const auto delay = state.delay;
    complete = [this, handle, ticket, delay] {
      GetDispatcher().PostAt(KeyOf(handle), std::chrono::steady_clock::now() + delay,
                             [this, handle, ticket] { CompleteLongMessage(handle, ticket); });
    };
  }
  DeliverToPeer(state, {MidiLoopbackPacket::Kind::Long, std::move(bytes), Now()}, std::move(complete));
  return kMidiNoError;
}

void LLoopbackMidiSystem::DeliverToPeer(DeviceState& state, MidiLoopbackPacket packet, std::function<void()> after) {
  LLoopbackMidiDevice* device = state.device.Get();  // devices stay while the system lives
  GetDispatcher().Post(kDeviceWork, [device, packet = std::move(packet), after = std::move(after)] {
    device->GetPeer().OnMidiFromEditor(*device, packet);
    if (after) after();
  });
}

void LLoopbackMidiSystem::Reply(const LLoopbackMidiDevice& device, std::span<const uint8_t> bytes) {
  if (bytes.empty()) return;
  {
    std::lock_guard lock(mMutex);
    DeviceState* state = StateOf(device);
    if (!state) return;
    state->replies.emplace_back(bytes.begin(), bytes.end());
    if (state->isFeeding) return;
    state->isFeeding = true;
  }
  GetDispatcher().Post(kDeviceWork, [this, &device] { FeedReply(device); });
}

// Feeds the next reads (see MidiReplyDelivery), then queues the rest behind
// the callbacks they caused. A later reply starts only when the earlier one
// is through.
void LLoopbackMidiSystem::FeedReply(const LLoopbackMidiDevice& device) {
  std::vector<MidiInHandle> inputs;
  std::vector<std::vector<uint8_t>> reads;
  {
    std::lock_guard lock(mMutex);
    DeviceState* state = StateOf(device);
    if (!state || state->replies.empty()) {
      if (state) state->isFeeding = false;
      return;
    }
    reads = TakeReads(*state);
    for (const auto& [handle, link] : mInputLinks) {
      if (link.state == state && IsAlive(link)) inputs.push_back(handle);
    }
  }
  for (const std::vector<uint8_t>& read : reads) {
    for (MidiInHandle handle : inputs) ReceiveInput(handle, read);
  }
  GetDispatcher().Post(kDeviceWork, [this, &device] { FeedReply(device); });
}

std::vector<std::vector<uint8_t>> LLoopbackMidiSystem::TakeReads(DeviceState& state) {
  constexpr size_t kStretch = 256;
  std::vector<std::vector<uint8_t>> reads;
  do {
    const std::vector<uint8_t>& reply = state.replies.front();
    const size_t left = reply.size() - state.replyOffset;
    const size_t count = state.delivery == MidiReplyDelivery::Paced ? std::min(kStretch, left) : left;
    const auto from = reply.begin() + static_cast<ptrdiff_t>(state.replyOffset);
    reads.emplace_back(from, from + static_cast<ptrdiff_t>(count));
    state.replyOffset += count;
    if (state.replyOffset == reply.size()) {
      state.replies.pop_front();
      state.replyOffset = 0;
    }
  } while (state.delivery == MidiReplyDelivery::AllAtOnce && !state.replies.empty());
  return reads;
}

// ---- device state ----

LLoopbackMidiSystem::DeviceState* LLoopbackMidiSystem::StateOf(const LLoopbackMidiDevice& device) {
  for (const auto& state : mDevices) {
    if (state->device.Get() == &device) return state.get();
  }
  return nullptr;
}

void LLoopbackMidiSystem::SetPlugged(const LLoopbackMidiDevice& device, bool isPlugged) {
  std::lock_guard lock(mMutex);
  DeviceState* state = StateOf(device);
  if (!state || state->isPlugged == isPlugged) return;
  state->isPlugged = isPlugged;
  if (!isPlugged) ++state->generation;
}

bool LLoopbackMidiSystem::IsPlugged(const LLoopbackMidiDevice& device) {
  std::lock_guard lock(mMutex);
  const DeviceState* state = StateOf(device);
  return state && state->isPlugged;
}

void LLoopbackMidiSystem::SetReplyDelivery(const LLoopbackMidiDevice& device, MidiReplyDelivery delivery) {
  std::lock_guard lock(mMutex);
  if (DeviceState* state = StateOf(device)) state->delivery = delivery;
}

void LLoopbackMidiSystem::SetOutputCompletion(const LLoopbackMidiDevice& device, MidiOutputCompletion completion,
                                              std::chrono::milliseconds delay) {
  std::lock_guard lock(mMutex);
  DeviceState* state = StateOf(device);
  if (!state) return;
  state->completion = completion;
  state->delay = delay;
}

uint32_t LLoopbackMidiSystem::Now() const {
  const auto elapsed = std::chrono::steady_clock::now() - mCreated;
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

}  // namespace HV::Platform
