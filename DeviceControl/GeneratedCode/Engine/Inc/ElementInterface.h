#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ParamLayout.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/ParameterizedModule.h"

// IElementT: the interface of an element, a leaf of the module tree that owns
// exactly one parameter (one record). Every element kind has the same
// interface; the kind tells the model and the screen apart only in type.
template <ElementKind K>
class IElementT : public LParameterizedModule {
 public:
  static constexpr ElementKind kKind = K;

 protected:
  IElementT() : LParameterizedModule(OwnsParameters::Yes) {}
};

using IPresetName = IElementT<ElementKind::PresetName>;
using IKeybedZone = IElementT<ElementKind::KeybedZone>;
using IWheel = IElementT<ElementKind::Wheel>;
using IVolumePedal = IElementT<ElementKind::VolumePedal>;
using ISustainPedal = IElementT<ElementKind::SustainPedal>;
using IPad = IElementT<ElementKind::Pad>;
using IPushButton = IElementT<ElementKind::PushButton>;
using IFader = IElementT<ElementKind::Fader>;
using IEncoder = IElementT<ElementKind::Encoder>;
using ITouchPadAxis = IElementT<ElementKind::TouchPadAxis>;
