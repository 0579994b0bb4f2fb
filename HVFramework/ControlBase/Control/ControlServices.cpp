#include "HVFramework/ControlBase/Control/ControlServices.h"

namespace HV {
namespace {

LControlFactory* gFactory = nullptr;

RCPtr<LFont>& DefaultFont() {
  static RCPtr<LFont> font;
  return font;
}

}  // namespace

LControlFactory* GetApplicationControlFactory() { return gFactory; }
void SetApplicationControlFactory(LControlFactory* factory) { gFactory = factory; }
RCPtr<LFont> GetApplicationDefaultFont() { return DefaultFont(); }
void SetApplicationDefaultFont(const RCPtr<LFont>& font) { DefaultFont() = font; }

}  // namespace HV
