#include "HVFramework/Midi/LMidiComm.h"

#include "HVFramework/Platform/Midi/MidiPlatform.h"
#include "HVFramework/System/MutexLocker.h"

namespace HV {

using namespace Platform;

namespace {

template <class Read>
StringArrayW ReadDeviceNames(uint32_t count, Read read) {
  StringArrayW names;
  for (uint32_t device = 0; device < count; ++device) {
    const std::optional<std::u16string> name = read(device);
    names.AddItem(name ? StringW(name->c_str()) : StringW());
  }
  return names;
}

}  // namespace

RCPtr<LMidiComm> LMidiComm::Create(const RCPtr<IMidiSystem>& system, const RCPtr<LThreadPool>& pool) {
  return RCPtr<LMidiComm>(new LMidiComm(system ? system : LMidiPlatform::Get(), pool ? pool : GetDeliveryPool()));
}

LMidiComm::LMidiComm(const RCPtr<IMidiSystem>& system, const RCPtr<LThreadPool>& pool)
    : mSystem(system), mPool(pool) {}

LMidiComm::~LMidiComm() {
  // Every port is gone, and with it every handle; a report that was already
  // running for one of them must be over before this callback goes.
  mSystem->WaitForCallbacks();
}

const RCPtr<LThreadPool>& LMidiComm::GetDeliveryPool() {
  static const RCPtr<LThreadPool> pool = LThreadPool::Create(1, 0);
  return pool;
}

StringArrayW LMidiComm::GetInputDeviceNames() {
  return ReadDeviceNames(mSystem->GetInputDeviceCount(), [&](uint32_t d) { return mSystem->GetInputDeviceName(d); });
}

StringArrayW LMidiComm::GetOutputDeviceNames() {
  return ReadDeviceNames(mSystem->GetOutputDeviceCount(),
                         [&](uint32_t d) { return mSystem->GetOutputDeviceName(d); });
}

HResult LMidiComm::OpenCapturePort(const StringW& name, RCPtr<LMidiCapturePort>& port) {
  port = nullptr;
  MutexLocker lock(&mMutex);
  return OpenPort(mCapturePorts, GetCapturePortNames(), name, port);
}

HResult LMidiComm::OpenRenderPort(const StringW& name, RCPtr<LMidiRenderPort>& port) {
  port = nullptr;
  MutexLocker lock(&mMutex);
  return OpenPort(mRenderPorts, GetRenderPortNames(), name, port);
}

template <class Port>
HResult LMidiComm::OpenPort(PortList<Port>& list, const StringArrayW& listed, const StringW& name,
                            RCPtr<Port>& port) {
  const LMidiPortNames::ListMatch match = LMidiPortNames::MatchListedName(listed, name);
  if (match == LMidiPortNames::ListMatch::Ambiguous) return E_INVALIDARG;
  // A port open under the name is shared only while the list still names
  // it: after an unplug, or when the numbering moved on, the name belongs to
  // no device the port could stand for.
  const int32_t index = match == LMidiPortNames::ListMatch::One ? FindPort(list, name) : -1;
  if (index >= 0) {
    const RCPtr<Port> shared = *list.GetItemPtr(static_cast<uint32_t>(index));
    if (!shared->IsDeviceAlive() && (shared->Open() != kMidiNoError || shared->Start() != kMidiNoError)) {
      shared->Close();
      return E_FAIL;
    }
    port = shared;
    return S_OK;
  }
  const RCPtr<Port> created(new Port(*this, name));
  if (created->Open() != kMidiNoError) return E_FAIL;
  list.AddItem(created);
  created->AddInternalReferences(1);
  if (created->Start() != kMidiNoError) {
    Forget(list, *created);
    return E_FAIL;
  }
  port = created;
  return S_OK;
}

template <class Port>
int32_t LMidiComm::FindPort(PortList<Port>& list, const StringW& name) {
  for (uint32_t i = list.GetCount(); i-- > 0;)
    if ((*list.GetItemPtr(i))->GetName().CompareNoCase(name) == 0) return static_cast<int32_t>(i);
  return -1;
}

HResult LMidiComm::ForgetPort(LMidiCapturePort& port) { return Forget(mCapturePorts, port); }

HResult LMidiComm::ForgetPort(LMidiRenderPort& port) { return Forget(mRenderPorts, port); }

template <class Port>
HResult LMidiComm::Forget(PortList<Port>& list, Port& port) {
  RCPtr<Port> removed;  // released after the lock, by the caller's Release
  MutexLocker lock(&mMutex);
  // An open of the same name may have taken the port since Release looked.
  if (port.GetRefCount() > port.GetInternalRefCount() + 1) return E_FAIL;
  for (uint32_t i = list.GetCount(); i-- > 0;) {
    if (list.GetItemPtr(i)->Get() != &port) continue;
    // Closed under the lock, so that a new open of the device cannot find
    // it still taken.
    port.Close();
    list.RemoveItem(i, removed);
    port.AddInternalReferences(-1);
    return S_OK;
  }
  return S_OK;
}

int32_t LMidiComm::SendBuffer(const RCPtr<LMidiRenderPort>& port, const IBuffer& buffer) {
  return Send(port, {reinterpret_cast<const uint8_t*>(buffer.GetData()), buffer.GetSize()});
}

int32_t LMidiComm::SendBytes(const RCPtr<LMidiRenderPort>& port, const Array<signed char>& bytes) {
  return Send(port, {reinterpret_cast<const uint8_t*>(bytes.GetData()), bytes.GetCount()});
}

int32_t LMidiComm::Send(const RCPtr<LMidiRenderPort>& port, std::span<const uint8_t> bytes) {
  if (!port || bytes.empty() || !bytes.data()) return E_INVALIDARG;
  return port->Send(bytes, mSendTimeout.load());
}

uint32_t LMidiComm::GetOpenCapturePortCount() {
  MutexLocker lock(&mMutex);
  return mCapturePorts.GetCount();
}

uint32_t LMidiComm::GetOpenRenderPortCount() {
  MutexLocker lock(&mMutex);
  return mRenderPorts.GetCount();
}

void LMidiComm::HandOn(const RCPtr<LMidiCaptureNotificationData>& data) {
  if (data) mPool->QueueWork(RCPtr<LThreadWorker>(this), data, 0);
}

int32_t LMidiComm::DoWork(RCPtr<LRefCountedObject>& parameters) {
  DeliverCapturedData(DynamicCast<LMidiCaptureNotificationData>(parameters));
  parameters = nullptr;  // back to its pool now
  return 0;
}

void LMidiComm::OnMidiInput(MidiInHandle handle, const MidiEvent& event) {
  MutexLocker lock(&mMutex);
  for (uint32_t i = mCapturePorts.GetCount(); i-- > 0;) {
    LMidiCapturePort& port = **mCapturePorts.GetItemPtr(i);
    if (port.GetHandle() == handle) return port.OnInput(event);
  }
}

void LMidiComm::OnMidiOutput(MidiOutHandle handle, const MidiEvent& event) {
  if (event.kind != MidiEventKind::OutputDone) return;
  MutexLocker lock(&mMutex);
  for (uint32_t i = mRenderPorts.GetCount(); i-- > 0;) {
    LMidiRenderPort& port = **mRenderPorts.GetItemPtr(i);
    if (port.GetHandle() == handle) return port.OnOutputDone(event.header);
  }
}

}  // namespace HV
