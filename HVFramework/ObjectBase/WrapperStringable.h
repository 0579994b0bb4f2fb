#pragma once

#include "HVFramework/ObjectBase/TaggableObject.h"
#include "HVFramework/ObjectBase/Wrapper.h"
#include "HVFramework/Utilities/Storage/StringT.h"

namespace HV {

// LWrapperStringable<V, ToStringFn, Base>: an LWrapper whose text form is
// ToStringFn of the wrapped value. Wrapped strings are the item tags of list
// and combo boxes and the payload of text notifications.
template <class V, StringW (*ToStringFn)(const V&), class Base = LRefCountedObject>
class LWrapperStringable : public LWrapper<V, Base> {
 public:
  static RCPtr<LWrapperStringable> Create(const V& value) {
    return RCPtr<LWrapperStringable>(new LWrapperStringable(value));
  }

  StringW ToString() const override { return ToStringFn(this->GetValue()); }

 protected:
  explicit LWrapperStringable(const V& value) : LWrapper<V, Base>(value) {}
};

// The text form of a string: a copy of it.
inline StringW StringToString(const StringW& text) { return text; }

using LStringTag = LWrapperStringable<StringW, &StringToString, LTaggableObject>;

// A new counted, taggable string holding a copy of text; DynamicCast<LStringTag>
// recovers it from a tag.
inline RCPtr<LTaggableObject> MakeStringTag(const StringW& text) {
  return StaticCast<LTaggableObject>(LStringTag::Create(text));
}

}  // namespace HV
