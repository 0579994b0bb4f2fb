#include "HVFramework/Platform/UI/HeadlessWindowSystem.h"

namespace HV::Platform {

HeadlessWindowSystem::HeadlessWindowSystem() : mWake(EventHub::Get().CreateEvent(ResetMode::Auto)) {}

void HeadlessWindowSystem::Script(const WindowEvent& event) { mScripted.push_back({event}); }

void HeadlessWindowSystem::ScriptPause(uint32_t milliseconds) { mScripted.push_back({std::nullopt, milliseconds}); }

RCPtr<MemoryPresenter> HeadlessWindowSystem::GetMemoryPresenter(WindowId window) {
  auto found = mPresenters.find(window);
  return found == mPresenters.end() ? RCPtr<MemoryPresenter>() : found->second;
}

MessageBoxAnswer HeadlessWindowSystem::ShowMessageBox(WindowId owner, const std::string& title,
                                                      const std::string& text, MessageBoxKind) {
  mShown.emplace_back(title, text);
  mOwners.push_back(owner);
  if (mAnswers.empty()) return MessageBoxAnswer::Cancel;
  const MessageBoxAnswer answer = mAnswers.front();
  mAnswers.pop_front();
  return answer;
}

bool HeadlessWindowSystem::NativeCreate(WindowId window, WindowRecord& record) {
  if (record.spec.rect.width <= 0 || record.spec.rect.height <= 0) return false;
  mMade.push_back(record.spec);
  RCPtr<MemoryPresenter> presenter = MemoryPresenter::Create(record.spec.rect.width, record.spec.rect.height);
  mPresenters[window] = presenter;
  record.presenter = presenter;
  return true;
}

bool HeadlessWindowSystem::NativePollEvent(WindowEvent& event) {
  if (mScripted.empty() || mPauseLeft > 0) return false;
  ScriptedEvent next = std::move(mScripted.front());
  mScripted.pop_front();
  if (!next.event) {
    mPauseLeft = next.pause;
    return false;
  }
  event = std::move(*next.event);
  if (event.kind == WindowEventKind::Resize) RecordClientSize(event.window, event.width, event.height);
  return true;
}

FrameExtents HeadlessWindowSystem::GetFrameExtents(WindowId window) const {
  WindowSpec spec;
  if (!GetWindowSpec(window, spec) || spec.popup) return {};
  return mFrameExtents;
}

bool HeadlessWindowSystem::IsWindowMinimized(WindowId window) const {
  const auto found = mMinimized.find(window);
  return found != mMinimized.end() && found->second;
}

void HeadlessWindowSystem::NativeActivate(WindowId window) {
  mMinimized.erase(window);
  // The keyboard leaves the window that had it, as on a desktop.
  if (mFocused != 0 && mFocused != window) {
    WindowEvent lost;
    lost.kind = WindowEventKind::FocusLost;
    lost.window = mFocused;
    PostEvent(lost);
  }
  mFocused = window;
  WindowEvent gained;
  gained.kind = WindowEventKind::FocusGained;
  gained.window = window;
  PostEvent(gained);
}

void HeadlessWindowSystem::NativeWait(uint32_t milliseconds) {
  ++mWaits;
  mLastTimeout = milliseconds;
  // A pause of the script ends the sleep as the person's next event would.
  const uint32_t sleep = mPauseLeft > 0 ? std::min(milliseconds, mPauseLeft) : milliseconds;
  if (mAdvanced == nullptr) {
    if (EventHub::Get().Wait(mWake, sleep) != kWaitObject0) PassPause(sleep);
  } else if (EventHub::Get().Wait(mWake, 0) != kWaitObject0) {
    // No clock to move on forever: only another thread can end this one.
    if (sleep == kInfinite) {
      EventHub::Get().Wait(mWake, kInfinite);
      return;
    }
    mAdvanced->Advance(sleep);
    PassPause(sleep);
  }
}

}  // namespace HV::Platform
