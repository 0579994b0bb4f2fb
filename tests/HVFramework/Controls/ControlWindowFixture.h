#pragma once

// Controls of the control library in a root window without a display: the
// root-window fixture with the library's classes registered, the clock moved
// far from its start (so that no time of 0 looks like a time that was taken),
// and skins whose looks are each one solid colour, so the look a control
// shows can be read back from what it would draw.

#include "HVFramework/Controls/Button/LButton.h"
#include "tests/support/RootWindowFixture.h"

#include <cstdio>
#include <stdexcept>
#include <string>

namespace HV::Test {

class ControlWindowFixture : public RootWindowFixture {
 public:
  // About 49 days of program time: the millisecond count is a few seconds
  // short of its wrap, the seconds count far from 0.
  static constexpr uint32_t kClockStart = 0xFFFFF000u - 1000u;

  // Colorizers, parts and looks "<prefix>0".."<prefix>n-1" and the look list
  // `prefix` of n slots: look i fills the control with the colour 0xFF0000xx,
  // xx = 0x10 + i, and has a text area 2 pixels in from either side.
  static std::string SolidLooks(const std::string& prefix, int count) {
    std::string colorizers, parts, looks, list;
    for (int i = 0; i < count; ++i) {
      const std::string name = prefix + std::to_string(i);
      char colour[32];
      std::snprintf(colour, sizeof colour, "0xFF0000%02X", 0x10 + i);
      colorizers += "<Colorizer Name=\"" + name + "\" ColorType=\"SolidFill\" Color=\"" + colour + "\"/>";
      parts += "<Part Name=\"" + name +
               "\" Width=\"4\" Height=\"4\" ResizeType=\"Stretch\" ColorizerName=\"" + name + "\"/>";
      looks += "<Look Name=\"" + name + "\"><ClientPart Name=\"" + name +
               "\" OffsetLeft=\"0\" OffsetTop=\"0\" OffsetRight=\"0\" OffsetBottom=\"0\"/>"
               "<TextProperties TextLeftRel=\"0\" TextLeftAbs=\"2\" TextRightRel=\"1\" TextRightAbs=\"-2\" "
               "TextHAlign=\"0\" TextTopRel=\"0\" TextTopAbs=\"0\" TextBottomRel=\"1\" TextBottomAbs=\"0\" "
               "TextVAlign=\"0\" TextForegroundPart=\"" +
               name + "\"/></Look>";
      list += "<Look Name=\"" + name + "\" Index=\"" + std::to_string(i) + "\"/>";
    }
    return "<Colorizers>" + colorizers + "</Colorizers><Parts>" + parts + "</Parts><Looks>" + looks +
           "</Looks><LookLists><LookList Name=\"" + prefix + "\" NumLooks=\"" + std::to_string(count) +
           "\">" + list + "</LookList></LookLists>";
  }

 protected:
  ControlWindowFixture() {
    Advance(kClockStart);
    EXPECT_EQ(LButton::Register(factory), S_OK);
  }

  // The index of the look the control shows, read from its colour at its
  // top-left corner; -1 when it shows none.
  static int ShownLook(const LControl& control) {
    const uint32_t colour = control.GetLookColorAt(-1, {1, 1});
    if ((colour >> 24) != 0xFF) return -1;
    return static_cast<int>(colour & 0xFF) - 0x10;
  }

  template <class T>
  T& Get(const char16_t* name) const {
    T* control = dynamic_cast<T*>(Find(name).Get());
    if (!control) throw std::runtime_error("no control " + Narrow(StringW(name)) + " of the class asked for");
    return *control;
  }
};

}  // namespace HV::Test
