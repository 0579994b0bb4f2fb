#pragma once

// The Cairo objects behind the 2-D layer's classes. Included by the 2-D
// layer's own sources only: nothing above the platform layer sees Cairo.

#include <cairo.h>

namespace HV::Platform {

struct NativeSurface {
  explicit NativeSurface(cairo_surface_t* s) : surface(s) {}
  ~NativeSurface() { cairo_surface_destroy(surface); }
  NativeSurface(const NativeSurface&) = delete;
  NativeSurface& operator=(const NativeSurface&) = delete;
  cairo_surface_t* surface;
};

struct NativeFont {
  NativeFont() = default;
  ~NativeFont() {
    if (scaled) cairo_scaled_font_destroy(scaled);
    if (face) cairo_font_face_destroy(face);
  }
  NativeFont(const NativeFont&) = delete;
  NativeFont& operator=(const NativeFont&) = delete;
  cairo_font_face_t* face = nullptr;
  cairo_scaled_font_t* scaled = nullptr;
};

}  // namespace HV::Platform
