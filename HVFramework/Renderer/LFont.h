#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>

namespace HV {

// LFont: a typeface name, a size (points at 96 dpi) and a style, shared
// through a process-wide pool: every caller asking for the same font gets the
// same object. Its line metrics come from the application renderer on first
// use. The pool's reference counts as internal, so a font nobody else holds
// leaves the pool and dies. User-interface thread only; nothing locks.
class LFont : public virtual LRefCountedObject {
 public:
  enum Style : int32_t { Regular = 0, Bold = 1, Italic = 2, BoldItalic = 3 };

  // The pooled font with this name (letter case ignored), size and style,
  // made and pooled when there is none.
  static RCPtr<LFont> FindOrCreate(const StringW& name, float size, int32_t style);
  // Fonts in the pool now.
  static uint32_t GetPoolCount();

  const StringW& GetName() const { return mName; }
  float GetSize() const { return mSize; }
  int32_t GetStyle() const { return mStyle; }
  uint32_t GetUniqueID() const { return mUniqueID; }

  // Line height, ascent (negative: pixels above the baseline) and descent
  // (positive) in pixels, asked of the application renderer on the first
  // call; -1 while no renderer could answer.
  int32_t GetHeight();
  int32_t GetAscent();
  int32_t GetDescent();

  HResult ReleaseInternalReferences() override;

 protected:
  LFont(const StringW& name, float size, int32_t style, uint32_t uniqueID)
      : mName(name), mSize(size), mStyle(style), mUniqueID(uniqueID) {}

 private:
  void LoadMetrics();

  StringW mName;
  float mSize;
  int32_t mStyle;
  int32_t mHeight = -1;
  int32_t mAscent = -1;
  int32_t mDescent = -1;
  uint32_t mUniqueID;
};

}  // namespace HV
