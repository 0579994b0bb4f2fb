#pragma once

#include <cstdint>
#include <string>

namespace HV::Gallery {

// The gallery's command line:
//   hv-gallery [--screenshot FILE] [--frames N] [--still] [--renderer gdiplus|opengl]
//              [--instance-name NAME] [--skin]
struct GalleryOptions {
  std::string screenshot;  // write the first frame, as the window shows it, to FILE (PNG) and exit
  int64_t frames = -1;     // exit after N ticks of the animation; -1: run until closed
  bool isStill = false;    // no animation: the window is only painted when the desktop asks
  int32_t renderer = 1;    // the renderer kind: 1 the 2-D one (Cairo), 0 OpenGL
  std::string instanceName = "hv-gallery";  // instances of one name forward to the running one
  bool isSkin = false;  // the demo skin's controls through the framework's windows instead of the scene
};

// False for a command line the gallery does not understand.
bool ParseGalleryOptions(int argc, const char* const* argv, GalleryOptions& options);

extern const char* const kGalleryUsage;

}  // namespace HV::Gallery
