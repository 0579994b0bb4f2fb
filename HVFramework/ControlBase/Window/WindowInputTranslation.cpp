#include "HVFramework/ControlBase/Window/WindowInputTranslation.h"

#include <cstdint>

namespace HV {
namespace {

constexpr uint32_t kFlagCtrl = KeyCode::kFlagCtrl;
constexpr uint32_t kFlagShift = KeyCode::kFlagShift;
constexpr uint32_t kFlagAlt = KeyCode::kFlagAlt;
constexpr uint32_t kFlagSystem = KeyCode::kFlagCommand;

bool Has(uint32_t flags, uint32_t flag) { return (flags & flag) != 0; }

// The key code's modifier bits for the held modifiers.
uint32_t ModifierBits(uint32_t flags) {
  uint32_t bits = 0;
  if (Has(flags, kFlagCtrl)) bits |= KeyCode::kCtrl;
  if (Has(flags, kFlagShift)) bits |= KeyCode::kShift;
  if (Has(flags, kFlagAlt)) bits |= KeyCode::kAlt;
  if (Has(flags, kFlagSystem)) bits |= KeyCode::kCommand;
  return bits;
}

struct NamedCursor {
  const char16_t* name;
  Platform::CursorKind kind;
};

// The application's cursor names the window layer can show; names it has no
// cursor for (the magnifiers, rotation, drop cursors) answer 0.
constexpr NamedCursor kCursors[] = {
    {u"UI_CURSOR_ARROW", Platform::CursorKind::Arrow},    {u"UI_CURSOR_UP_ARROW", Platform::CursorKind::Arrow},
    {u"UI_CURSOR_WAIT", Platform::CursorKind::Wait},      {u"UI_CURSOR_APP_STARTING", Platform::CursorKind::Wait},
    {u"UI_CURSOR_IBEAM", Platform::CursorKind::IBeam},    {u"UI_CURSOR_CROSS", Platform::CursorKind::Cross},
    {u"UI_CURSOR_HAND", Platform::CursorKind::Hand},      {u"UI_CURSOR_SIZE_WE", Platform::CursorKind::SizeWE},
    {u"UI_CURSOR_SPLIT_H", Platform::CursorKind::SizeWE}, {u"UI_CURSOR_SIZE_NS", Platform::CursorKind::SizeNS},
    {u"UI_CURSOR_SPLIT_V", Platform::CursorKind::SizeNS}, {u"UI_CURSOR_SIZE_ALL", Platform::CursorKind::SizeAll},
    {u"UI_CURSOR_NO_DROP", Platform::CursorKind::No},
    // The window system has no diagonal cursors: the four-way one stands in.
    {u"UI_CURSOR_SIZE_NWSE", Platform::CursorKind::SizeAll}, {u"UI_CURSOR_SIZE_NESW", Platform::CursorKind::SizeAll},
};

// Handles are the cursor kind plus one, so that 0 stays "none".
constexpr CursorHandle kLastHandle = static_cast<CursorHandle>(Platform::CursorKind::No) + 1;

}  // namespace

std::optional<KeyCode> MakeKeyCode(uint32_t virtualKey, uint32_t modifierFlags, KeyTransition transition,
                                   bool isRepeat) {
  const bool isDown = transition == KeyTransition::Down;
  KeyCode key;
  key.sideMask = KeyCode::SideMaskFromFlags(modifierFlags);
  key.flag = isDown ? (isRepeat ? 1 : 0) : 1;
  const uint32_t downBit = isDown ? KeyCode::kVirtualKeyFlag : 0;
  if (virtualKey != 0) {
    key.code = ((virtualKey & 0xFF) << 16) | ModifierBits(modifierFlags) | downBit;
    return key;
  }
  const bool ctrl = Has(modifierFlags, kFlagCtrl);
  const bool alt = Has(modifierFlags, kFlagAlt);
  if (ctrl && alt) {
    key.code = ModifierBits(modifierFlags) | downBit;
    return key;
  }
  if (alt) {
    key.code = ModifierBits(modifierFlags);
    return key;
  }
  return std::nullopt;
}

std::vector<KeyCode> MakeCharacterKeys(const std::string& utf8, uint32_t modifierFlags) {
  std::vector<KeyCode> keys;
  if (Has(modifierFlags, kFlagSystem)) return keys;
  if (Has(modifierFlags, kFlagAlt) && !Has(modifierFlags, kFlagCtrl)) return keys;
  const StringW text(utf8.c_str());
  const uint32_t kept = modifierFlags & (kFlagCtrl | kFlagShift | (kFlagCtrl << 1) | (kFlagCtrl << 2) |
                                         (kFlagShift << 1) | (kFlagShift << 2));
  for (int32_t i = 0; i < text.GetLength(); ++i) keys.push_back(KeyCode::FromCharacter(text[i], kept));
  return keys;
}

std::optional<int32_t> WheelAccumulator::Add(int32_t delta, bool isHorizontal) {
  int32_t& remainder = mRemainder[isHorizontal ? 1 : 0];
  // Wide enough for any sum of two 32-bit deltas; the remainder fits again.
  const int64_t sum = int64_t{remainder} + delta;
  if (sum > -kStep && sum < kStep) {
    remainder = static_cast<int32_t>(sum);
    return std::nullopt;
  }
  remainder = static_cast<int32_t>(sum % kStep);
  const int32_t base = isHorizontal ? 2 : 0;
  return base + (sum > 0 ? 1 : 0);
}

CursorHandle CursorHandleFromName(const StringW& name) {
  for (const NamedCursor& cursor : kCursors)
    if (name == StringW(cursor.name)) return static_cast<CursorHandle>(cursor.kind) + 1;
  return 0;
}

namespace {
constexpr CursorHandle kFirstImageHandle = 0x10000;
}  // namespace

CursorHandle CursorHandleFromImage(Platform::ImageCursorId cursor) {
  return cursor == 0 ? 0 : kFirstImageHandle + cursor;
}

Platform::ImageCursorId ImageCursorFromHandle(CursorHandle cursor) {
  if (cursor <= kFirstImageHandle || cursor - kFirstImageHandle > UINT32_MAX) return 0;
  return static_cast<Platform::ImageCursorId>(cursor - kFirstImageHandle);
}

Platform::CursorKind CursorKindFromHandle(CursorHandle cursor) {
  if (cursor == 0 || cursor > kLastHandle) return Platform::CursorKind::Arrow;
  return static_cast<Platform::CursorKind>(cursor - 1);
}

}  // namespace HV
