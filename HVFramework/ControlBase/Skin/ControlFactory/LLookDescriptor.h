#pragma once

#include "HVFramework/ControlBase/Skin/ControlFactory/LDockedPart.h"
#include "HVFramework/Utilities/Storage/LRCPtrArray.h"
#include "HVFramework/Utilities/Storage/RCPtrArray.h"

#include <cstdint>

namespace HV {

// Where a look's text goes: a box relative to the look's rectangle, its
// alignment and the part whose colorizer colours it.
struct SkinTextProperties {
  float leftRelative = 0;
  int32_t leftAbsolute = 0;
  float rightRelative = 0;
  int32_t rightAbsolute = 0;
  float horizontalAlignment = 0;  // 0 left, 0.5 centre, 1 right
  float topRelative = 0;
  int32_t topAbsolute = 0;
  float bottomRelative = 0;
  int32_t bottomAbsolute = 0;
  float verticalAlignment = 0;  // 0 top, 0.5 centre, 1 bottom
};

// LLookDescriptor: the appearance of a control in one state, registered by
// name. Filled while the skin is read, read-only afterwards.
class LLookDescriptor : public virtual LRefCountedObject {
 public:
  static RCPtr<LLookDescriptor> Create(const StringW& name) {
    return RCPtr<LLookDescriptor>(new LLookDescriptor(name));
  }

  const StringW& GetName() const { return mName; }
  const RCPtr<LDockedPart>& GetClientPart() const { return mClientPart; }
  const RCPtrArray<LDockedPart>& GetNonClientParts() const { return mNonClientParts; }
  bool HasTextProperties() const { return mHasTextProperties; }
  const SkinTextProperties& GetTextProperties() const { return mText; }
  const RCPtr<LVisualPartDescriptor>& GetTextForegroundPart() const { return mTextForegroundPart; }

  void SetClientPart(const RCPtr<LDockedPart>& part) { mClientPart = part; }
  void AppendNonClientPart(const RCPtr<LDockedPart>& part) { mNonClientParts.AddItem(part); }
  void SetTextProperties(const SkinTextProperties& text, const RCPtr<LVisualPartDescriptor>& foreground) {
    mText = text;
    mTextForegroundPart = foreground;
    mHasTextProperties = true;
  }

 protected:
  explicit LLookDescriptor(const StringW& name) : mName(name) {}

 private:
  StringW mName;
  RCPtr<LDockedPart> mClientPart;
  RCPtrArray<LDockedPart> mNonClientParts;
  bool mHasTextProperties = false;
  SkinTextProperties mText;
  RCPtr<LVisualPartDescriptor> mTextForegroundPart;
};

// A look list: the looks of a control by state index; unfilled slots are null.
using LLookList = LRCPtrArray<LLookDescriptor>;

}  // namespace HV
