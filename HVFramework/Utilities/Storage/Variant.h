#pragma once

#include "HVFramework/ObjectBase/ResultCodes.h"

#include <cstdint>

namespace HV {

// The type tags of a Variant. The numbers are stored in value records.
enum VariantTag : uint32_t {
  kVariantEmpty = 0,
  kVariantBool = 1,
  kVariantInt8 = 2,
  kVariantUInt8 = 3,
  kVariantInt16 = 4,
  kVariantUInt16 = 5,
  kVariantInt32 = 6,
  kVariantUInt32 = 7,
  kVariantFloat = 8,
  kVariantDouble = 9,
  kVariantInt64 = 10,
  kVariantUInt64 = 11,
  kVariantDataRef = 12,   // bytes someone else owns
  kVariantDataRef2 = 13,  // the same, hidden from the writable GetData
  kVariantBytes = 14,     // owned byte block
  kVariantText = 15,      // owned UTF-8 text with its terminator
  kVariantList = 16,      // owned block of value records, back to back
  kVariantTagCount = 17,
};

// Variant: a tagged value (nothing, a Boolean, an integer of 8 to 64 bits, a
// float or double, bytes, 8-bit text, or a packed list of further values),
// and its binary record, the value format of files and the device link.
//
// Values up to 8 bytes live inline; bytes, text and lists own a block taken
// from AllocateData and given back through FreeData, which a derived class
// may keep elsewhere. Setters report the resulting tag, 0 when the value
// could not be set (the value is then empty). Every setter builds the new
// value before releasing the old one, so a value may be set from itself or
// from its own bytes. One thread at a time.
class Variant {
 public:
  Variant() = default;
  Variant(const Variant& other);
  Variant& operator=(const Variant& other);
  virtual ~Variant();

  uint32_t GetType() const { return mType; }
  bool IsEmpty() const { return mType == kVariantEmpty; }

  // Releases an owned block and leaves the value empty.
  void Clear();

  // Sets a value of type from size bytes at data: tags 1 to 11 need exactly
  // their width; text is read up to its first NUL within size bytes; bytes
  // and data references become an owned byte array (14); 16 takes the bytes
  // as a packed list as they are. Returns the resulting tag, 0 on failure.
  uint32_t Set(uint32_t type, const void* data, uint32_t size);
  // A copy of other: owned blocks deep, data references as the pointer.
  uint32_t Set(const Variant& other);
  // A copy of NUL-terminated UTF-8 text; returns 15 (0 for a null pointer).
  uint32_t SetString(const char* text);
  // A copy of size bytes; returns 14.
  uint32_t SetBytes(const void* data, uint32_t size);
  // Packs the items' records into one list block; returns 16. A null item
  // pointer packs as an empty value.
  uint32_t SetList(const Variant* items, uint32_t count);
  uint32_t SetList(const Variant* const* items, uint32_t count);

  // The number of well-formed records of a list; 0 for any other value.
  uint32_t GetListCount() const;
  // Reads record index of a list into out. 0, or -1 when this is no list or
  // has no such record; an unreadable record leaves out empty and gives 0.
  int32_t GetListItem(uint32_t index, Variant& out) const;

  // Writes the value's record; returns its size, or E_FAIL when it does not
  // fit or the value cannot be written (an empty data reference).
  int32_t Serialize(void* buffer, uint32_t capacity) const;
  // Reads one record (format version 1, or 0 with its old tag numbers) from
  // the first of available bytes: S_OK, or E_FAIL. A refused header (short,
  // oversized, unknown version or tag, a header alone for a tag that needs
  // data) leaves the value untouched; data that does not suit its tag leaves
  // it empty; a data reference is read as a byte array and reports E_FAIL.
  HResult Deserialize(const void* record, uint32_t available);

  bool operator==(const Variant& other) const;

  // Conversions; an unsuited value gives false or 0, never an error.
  virtual bool GetBool() const;
  virtual int8_t GetInt8() const;
  virtual int16_t GetInt16() const;
  virtual int32_t GetInt32() const;
  virtual int64_t GetInt64() const;
  virtual uint8_t GetUInt8() const;
  virtual uint16_t GetUInt16() const;
  virtual uint32_t GetUInt32() const;
  virtual uint64_t GetUInt64() const;
  virtual float GetFloat() const;
  virtual double GetDouble() const;
  // The value's bytes and their count: the inline value (1 to 8 bytes), the
  // block of bytes, text (with its terminator), a reference or a list; null
  // and 0 for an empty value.
  virtual const void* GetData(uint32_t* size) const;
  // The same bytes for writing, except the bytes of a second-kind reference
  // and of a packed list, whose records must stay intact (null and 0).
  virtual void* GetData(uint32_t* size);
  // The text of a text value, null for every other value.
  virtual const char* GetText() const;

 protected:
  // Where owned blocks come from and go back to. AllocateData returns null
  // when there is no memory. A setter allocates the new block while the old
  // one is still being read and gives the old one back afterwards: a
  // derived class must keep every block alive until FreeData names it.
  virtual uint8_t* AllocateData(uint32_t size);
  virtual void FreeData(uint8_t* data);

  // Makes the value a data reference (tag 12 or 13) to size bytes that the
  // caller owns and keeps alive. Returns the tag, 0 for any other type.
  uint32_t SetReference(uint32_t type, const void* data, uint32_t size);

  // The owned block, or null; for derived classes that keep blocks elsewhere.
  uint8_t* GetOwnedBlock() const;

 private:
  enum class Kind { None, Integer, Floating, Block, Text, List };
  Kind GetKind() const;

  const uint8_t* GetBlock() const;
  void SetBlock(const uint8_t* block);
  // Replaces the whole state; the old block is released after the new state is complete.
  void Install(const uint8_t (&value)[8], uint32_t size, uint32_t type);
  // A new owned block of type holding size bytes of data, plus a NUL when terminated.
  enum class Terminator { No, Yes };
  uint32_t StoreBlock(uint32_t type, const void* data, uint32_t size, Terminator terminator);
  uint32_t SetText(const char* text, uint32_t length);
  // Packs count items, itemAt(i) giving item i (null packs as an empty value).
  template <class ItemAt> uint32_t PackList(uint32_t count, ItemAt itemAt);
  uint32_t Fail();

  int64_t GetInlineInteger() const;
  double GetInlineFloating() const;
  template <class T> T GetBlockPrefix() const;
  template <class T, class Rounded> T ConvertTo() const;

  alignas(8) uint8_t mValue[8] = {};
  uint32_t mSize = 0;
  uint32_t mType = kVariantEmpty;
};

}  // namespace HV
