#include "HVFramework/Utilities/Storage/VariantEx.h"

#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/Utilities/Storage/LBufferT.h"
#include "HVFramework/Utilities/Storage/PackedListWalker.h"

#include <cstdlib>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>

namespace HV {

namespace {

// Lists nested deeper than this are listed by their item count alone: the
// listing of a list read from outside stays linear in its size.
constexpr uint32_t kMaxListingDepth = 32;

}  // namespace

VariantEx::VariantEx(const Variant& other) { Set(other); }

VariantEx::VariantEx(const VariantEx& other) : Variant(), IStringable() { Set(other); }

VariantEx& VariantEx::operator=(const Variant& other) {
  Set(other);
  return *this;
}

VariantEx& VariantEx::operator=(const VariantEx& other) {
  Set(other);
  return *this;
}

// Released here, while FreeData is still this class's.
VariantEx::~VariantEx() { Clear(); }

uint8_t* VariantEx::AllocateData(uint32_t size) {
  RCPtr<LIBuffer> buffer;
  try {
    buffer = LTextBuffer::Create(size, 0, true);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  // The current block stays alive until the Variant has copied what it needs
  // from it and hands it back through FreeData.
  mReplaced = std::move(mBuffer);
  mBuffer = buffer;
  return reinterpret_cast<uint8_t*>(buffer->GetData());
}

void VariantEx::FreeData(uint8_t* data) {
  if (!data) return;
  if (mReplaced && data == reinterpret_cast<uint8_t*>(mReplaced->GetData()))
    mReplaced = nullptr;
  else if (mBuffer && data == reinterpret_cast<uint8_t*>(mBuffer->GetData()))
    mBuffer = nullptr;
}

ConstRCPtr<LIBuffer> VariantEx::GetBuffer() const {
  if (GetType() != kVariantBytes && GetType() != kVariantText)
    Throw<std::runtime_error>(HV_HERE("HV::VariantEx::GetBuffer"));
  return mBuffer;
}

int32_t VariantEx::ParseInt32() const { return GetValueText().ToInt(); }

bool VariantEx::GetBool() const {
  if (GetType() != kVariantText) return Variant::GetBool();
  return GetValueText().CompareNoCase(u"True") == 0;
}

int8_t VariantEx::GetInt8() const {
  return GetType() == kVariantText ? static_cast<int8_t>(ParseInt32()) : Variant::GetInt8();
}

int16_t VariantEx::GetInt16() const {
  return GetType() == kVariantText ? static_cast<int16_t>(ParseInt32()) : Variant::GetInt16();
}

int32_t VariantEx::GetInt32() const { return GetType() == kVariantText ? ParseInt32() : Variant::GetInt32(); }

// 64-bit numbers are read from the UTF-8 form of the text.
int64_t VariantEx::GetInt64() const {
  if (GetType() != kVariantText) return Variant::GetInt64();
  return std::strtoll(GetValueText().ToCharString().GetText(), nullptr, 10);
}

uint8_t VariantEx::GetUInt8() const {
  return GetType() == kVariantText ? static_cast<uint8_t>(ParseInt32()) : Variant::GetUInt8();
}

uint16_t VariantEx::GetUInt16() const {
  return GetType() == kVariantText ? static_cast<uint16_t>(ParseInt32()) : Variant::GetUInt16();
}

uint32_t VariantEx::GetUInt32() const {
  return GetType() == kVariantText ? static_cast<uint32_t>(GetInt64()) : Variant::GetUInt32();
}

uint64_t VariantEx::GetUInt64() const {
  return GetType() == kVariantText ? static_cast<uint64_t>(GetInt64()) : Variant::GetUInt64();
}

float VariantEx::GetFloat() const {
  return GetType() == kVariantText ? static_cast<float>(GetValueText().ToDouble()) : Variant::GetFloat();
}

double VariantEx::GetDouble() const {
  return GetType() == kVariantText ? GetValueText().ToDouble() : Variant::GetDouble();
}

StringW VariantEx::GetValueText() const {
  switch (GetType()) {
    case kVariantEmpty:
      return StringW(u"<empty>");
    case kVariantBool:
      return StringW(Variant::GetBool() ? u"true" : u"false");
    case kVariantInt8:
    case kVariantInt16:
    case kVariantInt32:
      return StringW::FromFormat(u"%I32d", Variant::GetInt32());
    case kVariantUInt8:
    case kVariantUInt16:
    case kVariantUInt32:
      return StringW::FromFormat(u"%I32u", Variant::GetUInt32());
    case kVariantFloat:
      return StringW::FromFormat(u"%f", static_cast<double>(Variant::GetFloat()));
    case kVariantDouble:
      return StringW::FromFormat(u"%lf", Variant::GetDouble());
    case kVariantInt64:
      return StringW::FromFormat(u"%I64d", Variant::GetInt64());
    case kVariantUInt64:
      return StringW::FromFormat(u"%I64X", Variant::GetUInt64());
    case kVariantText:
      return StringW(StringA(mBuffer));
    case kVariantList:
      return ToString(0);
    default:
      // Data references and byte arrays: the value bytes, which hold the block's address.
      return StringW::FromFormat(u"%I64X", static_cast<uint64_t>(reinterpret_cast<uintptr_t>(GetData(nullptr))));
  }
}

StringW VariantEx::ToString(uint32_t indent) const {
  if (GetType() != kVariantList) return GetValueText();
  std::u16string out;
  AppendListing(out, indent);
  return StringW(out.c_str(), static_cast<int32_t>(out.size()));
}

HResult VariantEx::ToArray(const Variant& list, Array<VariantEx>& out) {
  const VariantEx* items = out.GetData();
  if (items && std::less_equal<>()(items, &list) && std::less<>()(&list, items + out.GetCount())) {
    const Variant copy(list);  // emptying out would destroy the list being read
    return ToArray(copy, out);
  }
  out.SetCount(0);
  if (list.IsEmpty()) return S_OK;
  if (list.GetType() != kVariantList) return E_INVALIDARG;
  uint32_t size = 0;
  const auto* block = static_cast<const uint8_t*>(list.GetData(&size));
  PackedListWalker walker(block, size);
  const uint32_t count = PackedListWalker(walker).CountRecords();
  if (Failed(out.SetCount(count))) return E_OUTOFMEMORY;
  for (uint32_t i = 0; i < count; ++i, walker.Next()) {
    VariantEx& item = *out.GetItemPtr(i);
    if (Failed(item.Deserialize(walker.GetRecord(), walker.GetRemaining()))) item.Clear();
  }
  return S_OK;
}

void VariantEx::AppendListing(std::u16string& out, uint32_t indent) const {
  uint32_t size = 0;
  const auto* block = static_cast<const uint8_t*>(Variant::GetData(&size));
  const uint32_t count = GetListCount();
  if (count == 0) {
    out += u"<empty array>";
    return;
  }
  out += StringW::FromFormat(u"array(%u):", count).GetText();
  if (indent >= kMaxListingDepth) {
    out += u" ...";
    return;
  }
  const std::u16string prefix(2 * (indent + 1), u' ');
  PackedListWalker walker(block, size);
  VariantEx item;
  for (uint32_t i = 0; i < count; ++i, walker.Next()) {
    if (Failed(item.Deserialize(walker.GetRecord(), walker.GetRemaining()))) item.Clear();
    out += u'\n';
    out += prefix;
    out += StringW::FromFormat(u"[%u] ", i).GetText();
    if (item.GetType() == kVariantList)
      item.AppendListing(out, indent + 1);
    else
      out += item.ToString(indent + 1).GetText();
  }
}

}  // namespace HV
