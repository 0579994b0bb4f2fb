#include "HVFramework/Utilities/Storage/Variant.h"

#include "HVFramework/Utilities/Storage/PackedListWalker.h"
#include "HVFramework/Utilities/Storage/VariantRecord.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>
#include <new>
#include <type_traits>
#include <utility>

namespace HV {

static_assert(sizeof(void*) == 8, "a Variant keeps block pointers in its 8 value bytes");

namespace {

// Data bytes of the inline tags 0 to 11.
constexpr uint32_t kInlineWidth[] = {0, 1, 1, 1, 2, 2, 4, 4, 4, 8, 8, 8};

// Tags of format version 0, read only.
constexpr uint32_t kVersion0Tags[] = {kVariantEmpty, kVariantBool,   kVariantInt32,   kVariantInt64,
                                      kVariantFloat, kVariantDouble, kVariantDataRef, kVariantDataRef2,
                                      kVariantBytes, kVariantText,   kVariantList};

// A whole list must still be writable as one record whose size an int32 can report.
constexpr uint64_t kMaxBlockSize = std::numeric_limits<int32_t>::max() - VariantRecordHeader::kSize;

bool TranslateTag(const VariantRecordHeader& header, uint32_t* tag) {
  if (header.version == VariantRecordHeader::kCurrentVersion) {
    *tag = header.tag;
    return header.tag < kVariantTagCount;
  }
  if (header.version == 0 && header.tag < std::size(kVersion0Tags)) {
    *tag = kVersion0Tags[header.tag];
    return true;
  }
  return false;
}

// v rounded half away from zero into I by adding 0.5 (subtracting it from a
// negative v) and truncating, in double arithmetic: the sum itself rounds, so
// 0.49999999999999994 gives 1 and 2^52 + 1 gives 2^52 + 2. NaN gives 0 and
// values beyond I's range saturate. Negative values asked for as unsigned
// wrap from int64, the way the 32-bit unsigned getter wraps.
template <class I>
I RoundToInteger(double v) {
  if (std::isnan(v)) return 0;
  const double r = std::trunc(v < 0 ? v - 0.5 : v + 0.5);
  if constexpr (std::is_unsigned_v<I>) {
    if (r < 0) return static_cast<I>(RoundToInteger<int64_t>(r));
  }
  constexpr double kLow = static_cast<double>(std::numeric_limits<I>::min());
  constexpr double kHighExclusive = static_cast<double>(std::numeric_limits<I>::max() / 2 + 1) * 2.0;
  if (r <= kLow) return std::numeric_limits<I>::min();
  if (r >= kHighExclusive) return std::numeric_limits<I>::max();
  return static_cast<I>(r);
}

}  // namespace

Variant::Variant(const Variant& other) { Set(other); }

Variant& Variant::operator=(const Variant& other) {
  Set(other);
  return *this;
}

Variant::~Variant() { Clear(); }

void Variant::Clear() { Install({}, 0, kVariantEmpty); }

const uint8_t* Variant::GetBlock() const {
  const uint8_t* block;
  std::memcpy(&block, mValue, sizeof block);
  return block;
}

void Variant::SetBlock(const uint8_t* block) {
  std::memset(mValue, 0, sizeof mValue);
  std::memcpy(mValue, &block, sizeof block);
}

uint8_t* Variant::GetOwnedBlock() const {
  return mType > kVariantDataRef2 && mType < kVariantTagCount ? const_cast<uint8_t*>(GetBlock()) : nullptr;
}

void Variant::Install(const uint8_t (&value)[8], uint32_t size, uint32_t type) {
  uint8_t* old = GetOwnedBlock();
  std::memcpy(mValue, value, sizeof mValue);
  mSize = size;
  mType = type;
  if (old) FreeData(old);
}

uint32_t Variant::Fail() {
  Clear();
  return kVariantEmpty;
}

uint8_t* Variant::AllocateData(uint32_t size) { return new (std::nothrow) uint8_t[size]; }

void Variant::FreeData(uint8_t* data) { delete[] data; }

uint32_t Variant::StoreBlock(uint32_t type, const void* data, uint32_t size, Terminator terminator) {
  const uint64_t total = uint64_t{size} + (terminator == Terminator::Yes ? 1 : 0);
  if ((size != 0 && !data) || total > kMaxBlockSize) return Fail();
  uint8_t* block = nullptr;
  if (total != 0) {
    block = AllocateData(static_cast<uint32_t>(total));
    if (!block) return Fail();
    if (size != 0) std::memcpy(block, data, size);
    if (terminator == Terminator::Yes) block[size] = 0;
  }
  uint8_t value[8] = {};
  std::memcpy(value, &block, sizeof block);
  Install(value, static_cast<uint32_t>(total), type);
  return type;
}

uint32_t Variant::SetText(const char* text, uint32_t length) {
  if (!text) return Fail();
  return StoreBlock(kVariantText, text, length, Terminator::Yes);
}

uint32_t Variant::SetString(const char* text) {
  if (!text) return Fail();
  const size_t length = std::strlen(text);
  if (length > kMaxBlockSize) return Fail();
  return SetText(text, static_cast<uint32_t>(length));
}

uint32_t Variant::SetBytes(const void* data, uint32_t size) {
  return StoreBlock(kVariantBytes, data, size, Terminator::No);
}

uint32_t Variant::Set(uint32_t type, const void* data, uint32_t size) {
  if (type == kVariantEmpty || type >= kVariantTagCount) return Fail();
  if (type < kVariantDataRef) {
    if (size != kInlineWidth[type] || !data) return Fail();
    uint8_t value[8] = {};
    std::memcpy(value, data, size);
    Install(value, 0, type);
    return type;
  }
  if (type == kVariantText) {
    // Text from outside may lack its terminator: it ends at the first NUL or after size bytes.
    if (!data) return Fail();
    return SetText(static_cast<const char*>(data),
                   static_cast<uint32_t>(strnlen(static_cast<const char*>(data), size)));
  }
  if (type == kVariantList) return StoreBlock(kVariantList, data, size, Terminator::No);
  return SetBytes(data, size);
}

uint32_t Variant::Set(const Variant& other) {
  if (other.GetOwnedBlock() && other.mSize != 0)
    return StoreBlock(other.mType, other.GetBlock(), other.mSize, Terminator::No);
  if (&other != this) {
    uint8_t value[8];
    std::memcpy(value, other.mValue, sizeof value);
    if (other.GetOwnedBlock()) std::memset(value, 0, sizeof value);  // an empty owned block is no block
    Install(value, other.mSize, other.mType);
  }
  return mType;
}

uint32_t Variant::SetReference(uint32_t type, const void* data, uint32_t size) {
  if (type != kVariantDataRef && type != kVariantDataRef2) return Fail();
  uint8_t value[8] = {};
  std::memcpy(value, &data, sizeof data);
  Install(value, data ? size : 0, type);
  return type;
}

template <class ItemAt>
uint32_t Variant::PackList(uint32_t count, ItemAt itemAt) {
  static const Variant kEmpty;
  auto item = [&](uint32_t i) -> const Variant& {
    const Variant* v = itemAt(i);
    return v ? *v : kEmpty;
  };
  uint64_t total = 0;
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t size = 0;
    item(i).GetData(&size);
    total += uint64_t{size} + VariantRecordHeader::kSize;
    if (total > kMaxBlockSize) return Fail();
  }
  if (total == 0) {
    Install({}, 0, kVariantList);
    return kVariantList;
  }
  uint8_t* block = AllocateData(static_cast<uint32_t>(total));
  if (!block) return Fail();
  uint64_t offset = 0;
  for (uint32_t i = 0; i < count; ++i) {
    // An empty data reference has nothing to write: it packs as a header alone.
    const Variant& v = item(i);
    uint32_t size = 0;
    const void* data = v.GetData(&size);
    const uint64_t recordSize = uint64_t{size} + VariantRecordHeader::kSize;
    if (recordSize > total - offset) {  // an item that grew since it was measured
      std::memset(block + offset, 0, total - offset);
      break;
    }
    VariantRecordHeader::Write(block + offset, v.GetType(), size);
    if (size != 0) std::memcpy(block + offset + VariantRecordHeader::kSize, data, size);
    offset += recordSize;
  }
  uint8_t value[8] = {};
  std::memcpy(value, &block, sizeof block);
  Install(value, static_cast<uint32_t>(total), kVariantList);
  return kVariantList;
}

uint32_t Variant::SetList(const Variant* items, uint32_t count) {
  if (!items && count != 0) return Fail();
  return PackList(count, [items](uint32_t i) { return &items[i]; });
}

uint32_t Variant::SetList(const Variant* const* items, uint32_t count) {
  if (!items && count != 0) return Fail();
  return PackList(count, [items](uint32_t i) { return items[i]; });
}

uint32_t Variant::GetListCount() const {
  if (mType != kVariantList) return 0;
  return PackedListWalker(GetBlock(), mSize).CountRecords();
}

int32_t Variant::GetListItem(uint32_t index, Variant& out) const {
  PackedListWalker walker(mType == kVariantList ? GetBlock() : nullptr, mSize);
  if (!walker.MoveBy(index)) {
    out.Clear();
    return -1;
  }
  // out may be this very list: Deserialize copies the record before it lets the block go.
  if (Failed(out.Deserialize(walker.GetRecord(), walker.GetRemaining()))) out.Clear();
  return 0;
}

int32_t Variant::Serialize(void* buffer, uint32_t capacity) const {
  uint32_t size = 0;
  const void* data = GetData(&size);
  if ((mType == kVariantDataRef || mType == kVariantDataRef2) && size == 0) return E_FAIL;
  if (!buffer || size > kMaxBlockSize || capacity < size + VariantRecordHeader::kSize) return E_FAIL;
  auto* record = static_cast<uint8_t*>(buffer);
  VariantRecordHeader::Write(record, mType, size);
  if (size != 0) std::memcpy(record + VariantRecordHeader::kSize, data, size);
  return static_cast<int32_t>(size + VariantRecordHeader::kSize);
}

// Data references are not kept across a record: Set turns them into a byte
// array, and the call reports E_FAIL because the tag changed.
HResult Variant::Deserialize(const void* record, uint32_t available) {
  if (!record || available < VariantRecordHeader::kSize) return E_FAIL;
  const auto* bytes = static_cast<const uint8_t*>(record);
  const VariantRecordHeader header = VariantRecordHeader::Read(bytes);
  if (header.recordSize > available || header.recordSize < VariantRecordHeader::kSize) return E_FAIL;
  uint32_t tag = kVariantEmpty;
  if (!TranslateTag(header, &tag)) return E_FAIL;
  const uint32_t dataSize = header.recordSize - VariantRecordHeader::kSize;
  if (dataSize == 0) {
    if (tag != kVariantEmpty && tag != kVariantList) return E_FAIL;
    Install({}, 0, tag);
    return S_OK;
  }
  if (tag == kVariantEmpty) return E_FAIL;
  return Set(tag, bytes + VariantRecordHeader::kSize, dataSize) == tag ? S_OK : E_FAIL;
}

bool Variant::operator==(const Variant& other) const {
  if (mType != other.mType) return false;
  switch (GetKind()) {
    case Kind::None:
      return mType == kVariantEmpty;
    case Kind::Integer:
      return std::memcmp(mValue, other.mValue, kInlineWidth[mType]) == 0;
    case Kind::Floating:
      return GetInlineFloating() == other.GetInlineFloating();
    default:
      break;
  }
  if (mType == kVariantDataRef || mType == kVariantDataRef2)
    return GetBlock() == other.GetBlock() && mSize == other.mSize;
  return mSize == other.mSize && (mSize == 0 || std::memcmp(GetBlock(), other.GetBlock(), mSize) == 0);
}

Variant::Kind Variant::GetKind() const {
  switch (mType) {
    case kVariantBool:
    case kVariantInt8:
    case kVariantUInt8:
    case kVariantInt16:
    case kVariantUInt16:
    case kVariantInt32:
    case kVariantUInt32:
    case kVariantInt64:
    case kVariantUInt64:
      return Kind::Integer;
    case kVariantFloat:
    case kVariantDouble:
      return Kind::Floating;
    case kVariantDataRef:
    case kVariantDataRef2:
    case kVariantBytes:
      return Kind::Block;
    case kVariantText:
      return Kind::Text;
    case kVariantList:
      return Kind::List;
    default:
      return Kind::None;
  }
}

// The inline integer widened to 64 bits: sign-extended for the signed tags.
int64_t Variant::GetInlineInteger() const {
  auto as = [this]<class T>(T) {
    T v;
    std::memcpy(&v, mValue, sizeof v);
    return static_cast<int64_t>(v);
  };
  switch (mType) {
    case kVariantBool:
    case kVariantUInt8:
      return as(uint8_t{});
    case kVariantInt8:
      return as(int8_t{});
    case kVariantInt16:
      return as(int16_t{});
    case kVariantUInt16:
      return as(uint16_t{});
    case kVariantInt32:
      return as(int32_t{});
    case kVariantUInt32:
      return as(uint32_t{});
    case kVariantInt64:
    case kVariantUInt64:
      return as(int64_t{});
    default:
      return 0;
  }
}

double Variant::GetInlineFloating() const {
  if (mType == kVariantFloat) {
    float f;
    std::memcpy(&f, mValue, sizeof f);
    return f;
  }
  double d;
  std::memcpy(&d, mValue, sizeof d);
  return d;
}

// The first sizeof(T) bytes of the block; a shorter block gives what it has,
// the missing high bytes being zero.
template <class T>
T Variant::GetBlockPrefix() const {
  T v{};
  const uint8_t* block = GetBlock();
  if (block) std::memcpy(&v, block, std::min<uint32_t>(sizeof v, mSize));
  return v;
}

// The integer getters' common table: inline integers cut to T, floating
// values rounded to Rounded and cut to T, blocks read from their first bytes,
// text as its length; lists and empty values give 0.
template <class T, class Rounded>
T Variant::ConvertTo() const {
  switch (GetKind()) {
    case Kind::Integer:
      return static_cast<T>(GetInlineInteger());
    case Kind::Floating:
      return static_cast<T>(RoundToInteger<Rounded>(GetInlineFloating()));
    case Kind::Block:
      return GetBlockPrefix<T>();
    case Kind::Text:
      return static_cast<T>(mSize != 0 ? mSize - 1 : 0);
    default:
      return 0;
  }
}

bool Variant::GetBool() const {
  switch (GetKind()) {
    case Kind::Integer:
      return GetInlineInteger() != 0;
    case Kind::Floating:
      return GetInlineFloating() != 0.0;
    case Kind::Block:
      return mType == kVariantBytes ? mSize != 0 : GetBlock() != nullptr;
    case Kind::Text:
      return mSize > 1;
    case Kind::List:
      return mSize != 0;
    default:
      return false;
  }
}

int8_t Variant::GetInt8() const {
  if (mType == kVariantBool) return mValue[0] != 0 ? 1 : 0;
  return ConvertTo<int8_t, int32_t>();
}

int16_t Variant::GetInt16() const { return ConvertTo<int16_t, int32_t>(); }

int32_t Variant::GetInt32() const { return ConvertTo<int32_t, int32_t>(); }

int64_t Variant::GetInt64() const { return ConvertTo<int64_t, int64_t>(); }

uint8_t Variant::GetUInt8() const { return static_cast<uint8_t>(GetInt8()); }

uint16_t Variant::GetUInt16() const {
  if (mType == kVariantInt8) return mValue[0];  // the byte, zero-extended
  return ConvertTo<uint16_t, int32_t>();
}

uint32_t Variant::GetUInt32() const { return ConvertTo<uint32_t, int64_t>(); }

uint64_t Variant::GetUInt64() const { return ConvertTo<uint64_t, uint64_t>(); }

float Variant::GetFloat() const {
  switch (GetKind()) {
    case Kind::Integer:
      return mType == kVariantUInt64 ? static_cast<float>(static_cast<uint64_t>(GetInlineInteger()))
                                     : static_cast<float>(GetInlineInteger());
    case Kind::Floating:
      return static_cast<float>(GetInlineFloating());
    case Kind::Block:
    case Kind::Text:
      return static_cast<float>(GetInt32());
    default:
      return 0.0f;
  }
}

double Variant::GetDouble() const {
  switch (GetKind()) {
    case Kind::Integer:
      return mType == kVariantUInt64 ? static_cast<double>(static_cast<uint64_t>(GetInlineInteger()))
                                     : static_cast<double>(GetInlineInteger());
    case Kind::Floating:
      return GetInlineFloating();
    case Kind::Block:
    case Kind::Text:
      return static_cast<double>(GetInt64());
    default:
      return 0.0;
  }
}

const void* Variant::GetData(uint32_t* size) const {
  const Kind kind = GetKind();
  if (kind == Kind::Integer || kind == Kind::Floating) {
    if (size) *size = kInlineWidth[mType];
    return mValue;
  }
  if (kind == Kind::None) {
    if (size) *size = 0;
    return nullptr;
  }
  if (size) *size = mSize;
  return GetBlock();
}

void* Variant::GetData(uint32_t* size) {
  if (mType == kVariantDataRef2 || mType == kVariantList) {
    if (size) *size = 0;
    return nullptr;
  }
  return const_cast<void*>(std::as_const(*this).GetData(size));
}

const char* Variant::GetText() const {
  return mType == kVariantText ? reinterpret_cast<const char*>(GetBlock()) : nullptr;
}

}  // namespace HV
