#include "HVFramework/ControlBase/Control/ControlServices.h"

namespace HV {
namespace {

LControlFactory* gFactory = nullptr;
RectT<double> gWorkArea;

RCPtr<LFont>& DefaultFont() {
  static RCPtr<LFont> font;
  return font;
}

}  // namespace

LControlFactory* GetApplicationControlFactory() { return gFactory; }
void SetApplicationControlFactory(LControlFactory* factory) { gFactory = factory; }
RCPtr<LFont> GetApplicationDefaultFont() { return DefaultFont(); }
void SetApplicationDefaultFont(const RCPtr<LFont>& font) { DefaultFont() = font; }
RectT<double> GetApplicationWorkArea() { return gWorkArea; }
void SetApplicationWorkArea(const RectT<double>& area) { gWorkArea = area; }

}  // namespace HV
