#pragma once

// A control factory that reads small skin and string-table documents from
// memory, as resources.

#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "tests/support/MemoryXmlResourceSource.h"

#include <string>

namespace HV::Test {

inline std::string Narrow(const StringW& text) { return text.ToCharString().GetText(); }

class SkinDocumentFixture {
 public:
  SkinDocumentFixture() {
    factory.SetResourceSource(&resources);
    factory.SetBaseLocation(StringW(u"::"));
  }

  // A skin document of the given body inside the root and an Application element.
  static std::string SkinDocument(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Halvern_Skin_Definitions><Application "
           "Name=\"App\">" +
           body + "</Application></Halvern_Skin_Definitions>";
  }

  HResult LoadSkinBody(const std::string& body) { return LoadSkinDocument(SkinDocument(body)); }
  HResult LoadSkinDocument(const std::string& document) {
    resources.Add("SKIN", document);
    return factory.LoadSkins(StringW(u"::SKIN"));
  }

  // The layout of a top-level control of the first skin.
  RCPtr<LControlDescriptor> TopLevel(const char16_t* name) {
    return factory.FindControlDescriptor(StringW(name));
  }

  MemoryXmlResourceSource resources;
  LControlFactory factory{StringW(u"App")};
};

}  // namespace HV::Test
