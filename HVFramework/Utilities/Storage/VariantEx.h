#pragma once

#include "HVFramework/ObjectBase/IStringable.h"
#include "HVFramework/ObjectBase/RCPtr.h"
#include "HVFramework/Utilities/Storage/Array.h"
#include "HVFramework/Utilities/Storage/LIBuffer.h"
#include "HVFramework/Utilities/Storage/StringT.h"
#include "HVFramework/Utilities/Storage/Variant.h"

#include <cstdint>

namespace HV {

// VariantEx: a Variant that reads numbers from text values, writes any value
// as text (lists as an indented listing), and keeps its owned bytes, text and
// lists in a counted byte buffer that GetBuffer hands out without copying.
// A buffer is never written once its value is set: every setter makes a new
// one, so a buffer handed out stays valid and unchanged. One thread at a time.
class VariantEx : public Variant, public IStringable {
 public:
  VariantEx() = default;
  // A copy of other; an owned block is copied into a new buffer.
  VariantEx(const Variant& other);  // NOLINT(google-explicit-constructor): items convert from Variants
  VariantEx(const VariantEx& other);
  VariantEx& operator=(const Variant& other);
  VariantEx& operator=(const VariantEx& other);
  ~VariantEx() override;

  // The buffer of a byte array or text (null for an empty byte array).
  // Throws Exception<std::runtime_error> for any other value.
  ConstRCPtr<LIBuffer> GetBuffer() const;

  // For text values: "True" in any letter case is true, numbers are read as
  // the C runtime reads them (a text that is no number reads as 0); every
  // other value converts as a Variant does.
  bool GetBool() const override;
  int8_t GetInt8() const override;
  int16_t GetInt16() const override;
  int32_t GetInt32() const override;
  int64_t GetInt64() const override;
  uint8_t GetUInt8() const override;
  uint16_t GetUInt16() const override;
  uint32_t GetUInt32() const override;
  uint64_t GetUInt64() const override;
  float GetFloat() const override;
  double GetDouble() const override;

  // The value as text: "<empty>", true/false, numbers, the text itself, the
  // listing of a list, else the 8 value bytes in hexadecimal.
  StringW GetValueText() const;
  StringW ToString() const override { return GetValueText(); }
  // Lists as "array(n):" and one line per item, each indented two spaces per
  // level below indent; other values as GetValueText.
  virtual StringW ToString(uint32_t indent) const;

  // Unpacks the items of a list into out (emptied first): 0, also for an
  // empty value (out stays empty); E_INVALIDARG for any other value. Items
  // that cannot be read are empty. list may be an item of out.
  static HResult ToArray(const Variant& list, Array<VariantEx>& out);

 protected:
  uint8_t* AllocateData(uint32_t size) override;
  void FreeData(uint8_t* data) override;

 private:
  int32_t ParseInt32() const;
  void AppendListing(std::u16string& out, uint32_t indent) const;

  // The buffer of the current block, and the one of the block being replaced
  // while a setter builds the new value from it.
  ConstRCPtr<LIBuffer> mBuffer;
  ConstRCPtr<LIBuffer> mReplaced;
};

}  // namespace HV
