#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/ControlBase/Control/LKeyParam.h"
#include "HVFramework/ControlBase/Control/LMouseButtonParam.h"
#include "HVFramework/ControlBase/Control/LMouseWheelParam.h"
#include "HVFramework/ControlBase/Control/LSiblingKeyParam.h"
#include "HVFramework/ControlBase/Control/LValueParam.h"

#include <cstdio>
#include <string>

namespace HV {
namespace {

template <class... Args>
std::string Format(const char* format, Args... args) {
  char text[96];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

std::string Narrow(const StringW& text) { return text.ToCharString().GetText(); }

}  // namespace

StringW LPointParam::ToString() const { return StringW(Format("point(%d, %d)", x, y).c_str()); }

StringW LPointWithModifiersParam::ToString() const {
  return StringW((Narrow(LPointParam::ToString()) + Format("  modifiers: 0x%08x", modifiers)).c_str());
}

StringW LMouseWheelParam::ToString() const {
  const char* way = direction == kDown ? "down" : "up";
  return StringW((Narrow(LPointWithModifiersParam::ToString()) + "  direction: " + way).c_str());
}

// The value in the control's units, not the position in 0..1: it is what a
// trace reader compares with the control's range and the value shown.
StringW LValueParam::ToString() const { return StringW(Format("ValueParam = %lf", mValue).c_str()); }

// --- Keys ---

RCPtr<LKeyParam> LKeyParam::Create(const KeyCode& key) { return RCPtr<LKeyParam>(new LKeyParam(key)); }
LKeyParam::LKeyParam(const KeyCode& key) : mKey(key) {}
LKeyParam::~LKeyParam() = default;

bool LKeyParam::IsVirtualKey(uint32_t code) {
  return (code & KeyCode::kVirtualKeyMask) != 0 && (code & KeyCode::kVirtualKeyFlag) != 0 &&
         (code & KeyCode::kNoKey) == 0;
}

bool LKeyParam::IsTab(uint32_t code) { return IsVirtualKey(code) && ((code & KeyCode::kVirtualKeyMask) >> 16) == 9; }

void LKeyParam::AppendToPath(LControl* control) { mPath.emplace_back(control); }

LControl* LKeyParam::GetLastInPath() const { return mPath.empty() ? nullptr : mPath.back().Get(); }

StringW LKeyParam::ToString() const { return KeyCode::ToDisplayText(mKey); }

RCPtr<LSiblingKeyParam> LSiblingKeyParam::Create(const KeyCode& key, LControl* from) {
  return RCPtr<LSiblingKeyParam>(new LSiblingKeyParam(key, from));
}
LSiblingKeyParam::LSiblingKeyParam(const KeyCode& key, LControl* from) : mKey(key), mFrom(from) {}
LSiblingKeyParam::~LSiblingKeyParam() = default;
LControl* LSiblingKeyParam::GetFrom() const { return mFrom.Get(); }

}  // namespace HV
