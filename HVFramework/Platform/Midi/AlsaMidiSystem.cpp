#include "HVFramework/Platform/Midi/AlsaMidiSystem.h"

#include "HVFramework/Platform/Midi/MidiSysExFilter.h"
#include "HVFramework/Platform/Core/PlatformTrace.h"

#include <alsa/asoundlib.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <map>
#include <thread>

namespace HV::Platform {

namespace {

constexpr const char* kClientName = "Tarsel Preset Editor";
constexpr unsigned kReadable = SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ;
constexpr unsigned kWritable = SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE;

// The library reports its failures on stderr unless told otherwise; a machine
// without sound devices is normal for the editor, not worth a message.
void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

MidiResult ResultOfAlsaError(int error) {
  return error == -ENOENT || error == -ENXIO || error == -ENODEV ? kMidiNoDriver : kMidiError;
}

}  // namespace

struct LAlsaMidiSystem::Sequencer {
  struct InputLink {
    int ourPort;
    snd_seq_addr_t source;
  };
  struct OutputLink {
    int ourPort;
    snd_seq_addr_t destination;
    snd_midi_event_t* encoder;
    LMidiSysExFilter filter;
  };

  snd_seq_t* input = nullptr;   // events are read from it on the reader thread
  snd_seq_t* output = nullptr;  // sends and queries, under `mutex`
  int inputClient = -1;
  int outputClient = -1;
  std::mutex mutex;  // taken after the base's lock, never before it
  std::map<MidiInHandle, InputLink> inputs;
  std::map<MidiOutHandle, OutputLink> outputs;
  int wake[2] = {-1, -1};  // a pipe that ends the reader
  std::thread reader;

  bool Open() {
    snd_lib_error_set_handler(IgnoreAlsaError);
    if (snd_seq_open(&input, "default", SND_SEQ_OPEN_INPUT, SND_SEQ_NONBLOCK) < 0) return false;
    if (snd_seq_open(&output, "default", SND_SEQ_OPEN_OUTPUT, 0) < 0) return false;
    snd_seq_set_client_name(input, kClientName);
    snd_seq_set_client_name(output, kClientName);
    inputClient = snd_seq_client_id(input);
    outputClient = snd_seq_client_id(output);
    return pipe(wake) == 0;
  }

  void Close() {
    if (reader.joinable()) {
      const char stop = 1;
      [[maybe_unused]] const auto written = write(wake[1], &stop, 1);
      reader.join();
    }
    for (auto& [handle, link] : outputs) snd_midi_event_free(link.encoder);
    outputs.clear();
    inputs.clear();
    if (input) snd_seq_close(input);
    if (output) snd_seq_close(output);
    input = output = nullptr;
    for (int& fd : wake) {
      if (fd >= 0) close(fd);
      fd = -1;
    }
  }

  bool IsOurs(int client) const { return client == inputClient || client == outputClient; }

  std::vector<AlsaPortEntry> Enumerate() {
    std::vector<AlsaPortEntry> entries;
    if (!output) return entries;
    snd_seq_client_info_t* client;
    snd_seq_port_info_t* port;
    snd_seq_client_info_alloca(&client);
    snd_seq_port_info_alloca(&port);
    snd_seq_client_info_set_client(client, -1);
    while (snd_seq_query_next_client(output, client) >= 0) {
      const int id = snd_seq_client_info_get_client(client);
      if (id == SND_SEQ_CLIENT_SYSTEM || IsOurs(id)) continue;
      snd_seq_port_info_set_client(port, id);
      snd_seq_port_info_set_port(port, -1);
      while (snd_seq_query_next_port(output, port) >= 0) {
        const unsigned caps = snd_seq_port_info_get_capability(port);
        if (caps & SND_SEQ_PORT_CAP_NO_EXPORT) continue;
        entries.push_back({id, snd_seq_port_info_get_port(port), snd_seq_client_info_get_name(client),
                           (caps & kReadable) == kReadable, (caps & kWritable) == kWritable});
      }
    }
    return entries;
  }

  // A link lives as long as its subscription: the sequencer ends it when the
  // device goes away, and a replugged device (same address) does not bring
  // it back, so a handle stays dead until it is opened again.
  bool IsSubscribed(const snd_seq_addr_t& sender, const snd_seq_addr_t& destination) {
    snd_seq_port_subscribe_t* subscription;
    snd_seq_port_subscribe_alloca(&subscription);
    snd_seq_port_subscribe_set_sender(subscription, &sender);
    snd_seq_port_subscribe_set_dest(subscription, &destination);
    return output && snd_seq_get_port_subscription(output, subscription) == 0;
  }
  bool IsAlive(const InputLink& link) { return IsSubscribed(link.source, Address(inputClient, link.ourPort)); }
  bool IsAlive(const OutputLink& link) { return IsSubscribed(Address(outputClient, link.ourPort), link.destination); }
  static snd_seq_addr_t Address(int client, int port) {
    return {static_cast<unsigned char>(client), static_cast<unsigned char>(port)};
  }

  MidiResult Send(const OutputLink& link, snd_seq_event_t& event) {
    if (!IsAlive(link)) return kMidiNoDriver;
    snd_seq_ev_set_source(&event, link.ourPort);
    snd_seq_ev_set_dest(&event, link.destination.client, link.destination.port);
    snd_seq_ev_set_direct(&event);
    const int result = snd_seq_event_output_direct(output, &event);
    return result < 0 ? ResultOfAlsaError(result) : kMidiNoError;
  }
};

RCPtr<LAlsaMidiSystem> LAlsaMidiSystem::Create() { return RCPtr<LAlsaMidiSystem>(new LAlsaMidiSystem()); }

LAlsaMidiSystem::LAlsaMidiSystem() : mSequencer(std::make_unique<Sequencer>()) {
  if (!mSequencer->Open()) {
    mSequencer->Close();
    return;
  }
  mSequencer->reader =
      std::thread([this] { LPlatformTrace::RunGuarded("The MIDI reader thread", [this] { ReadEvents(); }); });
}

LAlsaMidiSystem::~LAlsaMidiSystem() {
  GetDispatcher().Shutdown();  // completions refer to this object
  mSequencer->Close();
}

bool LAlsaMidiSystem::HasSequencer() const { return mSequencer->output != nullptr; }

// ---- device lists ----

std::vector<AlsaMidiDevice> LAlsaMidiSystem::ListDevices(LAlsaPortNaming::Direction direction) {
  std::lock_guard lock(mSequencer->mutex);
  return LAlsaPortNaming::Name(mSequencer->Enumerate(), direction);
}

std::optional<std::u16string> LAlsaMidiSystem::GetDeviceName(LAlsaPortNaming::Direction direction, uint32_t device) {
  std::vector<AlsaMidiDevice> devices = ListDevices(direction);
  if (device >= devices.size()) return std::nullopt;
  return std::move(devices[device].name);
}

uint32_t LAlsaMidiSystem::GetInputDeviceCount() {
  return static_cast<uint32_t>(ListDevices(LAlsaPortNaming::Direction::Input).size());
}

uint32_t LAlsaMidiSystem::GetOutputDeviceCount() {
  return static_cast<uint32_t>(ListDevices(LAlsaPortNaming::Direction::Output).size());
}

std::optional<std::u16string> LAlsaMidiSystem::GetInputDeviceName(uint32_t device) {
  return GetDeviceName(LAlsaPortNaming::Direction::Input, device);
}

std::optional<std::u16string> LAlsaMidiSystem::GetOutputDeviceName(uint32_t device) {
  return GetDeviceName(LAlsaPortNaming::Direction::Output, device);
}

// ---- connections ----

MidiResult LAlsaMidiSystem::ConnectInput(uint32_t device, MidiInHandle handle) {
  const std::vector<AlsaMidiDevice> devices = ListDevices(LAlsaPortNaming::Direction::Input);
  if (device >= devices.size()) return kMidiBadDeviceId;
  std::lock_guard lock(mSequencer->mutex);
  Sequencer& sequencer = *mSequencer;
  const int ourPort = snd_seq_create_simple_port(sequencer.input, "Tarsel Preset Editor In", kWritable,
                                                 SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
  if (ourPort < 0) return kMidiNoMemory;
  const AlsaMidiDevice& source = devices[device];
  const int connected = snd_seq_connect_from(sequencer.input, ourPort, source.client, source.port);
  if (connected < 0) {
    snd_seq_delete_simple_port(sequencer.input, ourPort);
    return connected == -EBUSY ? kMidiAllocated : ResultOfAlsaError(connected);
  }
  sequencer.inputs.emplace(handle, Sequencer::InputLink{ourPort, Sequencer::Address(source.client, source.port)});
  return kMidiNoError;
}

void LAlsaMidiSystem::DisconnectInput(MidiInHandle handle) {
  std::lock_guard lock(mSequencer->mutex);
  const auto found = mSequencer->inputs.find(handle);
  if (found == mSequencer->inputs.end()) return;
  // Deleting our port also ends its subscription.
  snd_seq_delete_simple_port(mSequencer->input, found->second.ourPort);
  mSequencer->inputs.erase(found);
}

bool LAlsaMidiSystem::IsInputConnected(MidiInHandle handle) {
  std::lock_guard lock(mSequencer->mutex);
  const auto found = mSequencer->inputs.find(handle);
  return found != mSequencer->inputs.end() && mSequencer->IsAlive(found->second);
}

MidiResult LAlsaMidiSystem::ConnectOutput(uint32_t device, MidiOutHandle handle) {
  const std::vector<AlsaMidiDevice> devices = ListDevices(LAlsaPortNaming::Direction::Output);
  if (device >= devices.size()) return kMidiBadDeviceId;
  std::lock_guard lock(mSequencer->mutex);
  Sequencer& sequencer = *mSequencer;
  snd_midi_event_t* encoder = nullptr;
  if (snd_midi_event_new(16, &encoder) < 0) return kMidiNoMemory;
  const int ourPort = snd_seq_create_simple_port(sequencer.output, "Tarsel Preset Editor Out", kReadable,
                                                 SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
  if (ourPort < 0) {
    snd_midi_event_free(encoder);
    return kMidiNoMemory;
  }
  const AlsaMidiDevice& destination = devices[device];
  const int connected = snd_seq_connect_to(sequencer.output, ourPort, destination.client, destination.port);
  if (connected < 0) {
    snd_seq_delete_simple_port(sequencer.output, ourPort);
    snd_midi_event_free(encoder);
    return connected == -EBUSY ? kMidiAllocated : ResultOfAlsaError(connected);
  }
  const snd_seq_addr_t address = Sequencer::Address(destination.client, destination.port);
  sequencer.outputs.emplace(handle, Sequencer::OutputLink{ourPort, address, encoder, {}});
  return kMidiNoError;
}

void LAlsaMidiSystem::DisconnectOutput(MidiOutHandle handle) {
  std::lock_guard lock(mSequencer->mutex);
  const auto found = mSequencer->outputs.find(handle);
  if (found == mSequencer->outputs.end()) return;
  snd_seq_delete_simple_port(mSequencer->output, found->second.ourPort);
  snd_midi_event_free(found->second.encoder);
  mSequencer->outputs.erase(found);
}

bool LAlsaMidiSystem::IsOutputConnected(MidiOutHandle handle) {
  std::lock_guard lock(mSequencer->mutex);
  const auto found = mSequencer->outputs.find(handle);
  return found != mSequencer->outputs.end() && mSequencer->IsAlive(found->second);
}

// ---- traffic ----

MidiResult LAlsaMidiSystem::TransmitShort(MidiOutHandle handle, std::vector<uint8_t> bytes) {
  std::lock_guard lock(mSequencer->mutex);
  const auto found = mSequencer->outputs.find(handle);
  if (found == mSequencer->outputs.end()) return kMidiInvalidHandle;
  Sequencer::OutputLink& link = found->second;
  snd_seq_event_t event;
  snd_seq_ev_clear(&event);
  snd_midi_event_reset_encode(link.encoder);
  bool isComplete = false;
  for (uint8_t byte : bytes) isComplete = snd_midi_event_encode_byte(link.encoder, byte, &event) == 1;
  if (!isComplete) return kMidiInvalidParameter;
  return mSequencer->Send(link, event);
}

MidiResult LAlsaMidiSystem::TransmitLong(MidiOutHandle handle, uint64_t ticket, std::vector<uint8_t> bytes) {
  {
    std::lock_guard lock(mSequencer->mutex);
    const auto found = mSequencer->outputs.find(handle);
    if (found == mSequencer->outputs.end()) return kMidiInvalidHandle;
    Sequencer::OutputLink& link = found->second;
    for (std::span<const uint8_t> run : link.filter.Cut(bytes)) {
      snd_seq_event_t event;
      snd_seq_ev_clear(&event);
      snd_seq_ev_set_sysex(&event, static_cast<unsigned>(run.size()), const_cast<uint8_t*>(run.data()));
      const MidiResult result = mSequencer->Send(link, event);
      if (result != kMidiNoError) return result;
    }
  }
  // Sent directly, so the message is out; the header comes back on the layer's thread.
  GetDispatcher().Post(KeyOf(handle), [this, handle, ticket] { CompleteLongMessage(handle, ticket); });
  return kMidiNoError;
}

// ---- reading ----

namespace {

// The bytes of one received event, or none when it is not a MIDI message
// (port and client announcements, say).
bool DecodeEvent(snd_midi_event_t* decoder, const snd_seq_event_t& event, std::vector<uint8_t>& bytes) {
  if (event.type == SND_SEQ_EVENT_SYSEX) {
    const auto* data = static_cast<const uint8_t*>(event.data.ext.ptr);
    bytes.assign(data, data + event.data.ext.len);
    return true;
  }
  uint8_t decoded[16];
  snd_midi_event_reset_decode(decoder);
  const long length = snd_midi_event_decode(decoder, decoded, sizeof decoded, &event);
  if (length <= 0) return false;
  bytes.assign(decoded, decoded + length);
  return true;
}

}  // namespace

void LAlsaMidiSystem::ReadEvents() {
  Sequencer& sequencer = *mSequencer;
  const int count = snd_seq_poll_descriptors_count(sequencer.input, POLLIN);
  std::vector<pollfd> fds(static_cast<size_t>(count) + 1);
  snd_seq_poll_descriptors(sequencer.input, fds.data() + 1, static_cast<unsigned>(count), POLLIN);
  fds[0] = {sequencer.wake[0], POLLIN, 0};

  snd_midi_event_t* decoder = nullptr;
  if (snd_midi_event_new(16, &decoder) < 0) return;
  snd_midi_event_no_status(decoder, 1);  // every message whole, as the input stream expects
  std::vector<uint8_t> bytes;
  for (;;) {
    if (poll(fds.data(), fds.size(), -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (fds[0].revents & POLLIN) break;
    for (;;) {
      snd_seq_event_t* event = nullptr;
      const int left = snd_seq_event_input(sequencer.input, &event);
      if (left == -ENOSPC) {  // the kernel dropped events; read on
        LPlatformTrace::Write("The MIDI sequencer's input queue overflowed: received events were lost");
        continue;
      }
      if (left < 0 || !event) break;
      // What handing on one event throws (out of memory, say) loses that
      // event only: the reader goes on with the next.
      LPlatformTrace::RunGuarded("Handing on a MIDI input event", [&] {
        const MidiInHandle handle = FindInputByOurPort(event->dest.port);
        if (handle != MidiInHandle::None && DecodeEvent(decoder, *event, bytes)) ReceiveInput(handle, bytes);
      });
    }
  }
  snd_midi_event_free(decoder);
}

MidiInHandle LAlsaMidiSystem::FindInputByOurPort(int ourPort) {
  std::lock_guard lock(mSequencer->mutex);
  for (const auto& [handle, link] : mSequencer->inputs) {
    if (link.ourPort == ourPort) return handle;
  }
  return MidiInHandle::None;
}

}  // namespace HV::Platform
