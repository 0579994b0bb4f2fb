#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/ObjectBase/ResultCodes.h"
#include "HVFramework/Utilities/Storage/ParamDescriptor.h"
#include "HVFramework/Utilities/Storage/Variant.h"

#include <cstdint>

// LParameterizedModule: one node of a preset's module tree (root, device,
// group or element). Every module owns a contiguous block of parameter IDs
// from its FirstParamID; an element owns exactly one, a group the blocks of
// its children. Values live only at the root: the other modules hand them up.
//
// The model and the editor's screen are two trees over the same IDs, both
// built on this class and the interfaces derived from it.
//
// Ownership: a parent holds its children through counted references; the
// child's pointer back to its parent holds none. No lock: the tree is built
// and placed once, then only read; the root guards the values.
class LParameterizedModule : public virtual HV::LRefCountedObject {
 public:
  enum class OwnsParameters : int32_t { No = 0, Yes = 1 };

  LParameterizedModule(const LParameterizedModule&) = delete;
  LParameterizedModule& operator=(const LParameterizedModule&) = delete;

  // Places the module: stores parent, first ID and index. Groups go on to
  // place their children; model classes then check their block.
  virtual void SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index);

  // The module that owns the ID: an element itself, a group the matching
  // descendant, null for an ID outside the block.
  virtual HV::ConstRCPtr<LParameterizedModule> GetModule(int32_t paramID) const;
  virtual HV::RCPtr<LParameterizedModule> GetModuleForParamID(int32_t paramID);

  // The module's own parameter. Modules without own parameters throw.
  virtual HV::HResult SetParamValueLocal(const HV::ParamDescriptor& descriptor, const HV::Variant& value,
                                         bool noDeviceSend);
  virtual HV::Variant GetParamValueLocal(const HV::ParamDescriptor& descriptor);

  // Hand a value up toward the module that stores values, or ask it; -1 or an
  // empty value without a parent.
  virtual HV::HResult SetParamValue(const HV::ParamDescriptor& descriptor, const HV::Variant& value);
  virtual HV::Variant GetParamValue(const HV::ParamDescriptor& descriptor);

  // The default record of a parameter; the base has none (an empty value).
  virtual HV::Variant GetParamValueDefault(int32_t paramID);

  // Two visits of the whole tree in ID order; no-ops at the elements.
  virtual void ForEachModuleHookA();
  virtual void ForEachModuleHookB();

  // Reserved hooks without behaviour of their own: the query answers 1, the
  // notifications travel to the root and end there.
  virtual int32_t ReservedQuery(int32_t argument);
  virtual void ReservedNotify(int32_t a, int32_t b, int32_t c, int32_t d);
  virtual void ReservedNotifyParent(int32_t a, int32_t b, int32_t c, int32_t d);

  // Straight to the root's store: E_FAIL or an empty value without a parent.
  virtual HV::HResult SetRootParamValue(const HV::ParamDescriptor& descriptor, const HV::Variant& value);
  virtual HV::Variant GetRootParamValue(const HV::ParamDescriptor& descriptor);

  HV::RCPtr<LParameterizedModule> GetParent() const { return HV::RCPtr<LParameterizedModule>(mParent); }
  // The top of the tree: the first module up the parent chain without a parent.
  HV::RCPtr<LParameterizedModule> GetRoot() const;

  int32_t GetFirstParamID() const { return mFirstParamID; }
  int32_t GetIndex() const { return mIndex; }
  bool HasOwnParameters() const { return mOwnsParameters == OwnsParameters::Yes; }

 protected:
  explicit LParameterizedModule(OwnsParameters ownsParameters) : mOwnsParameters(ownsParameters) {}

 private:
  LParameterizedModule* mParent = nullptr;  // not counted: the parent owns this module
  const OwnsParameters mOwnsParameters;
  int32_t mFirstParamID = 0;
  int32_t mIndex = 0;
};
