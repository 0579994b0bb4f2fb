#include "tools/gallery/GalleryOptions.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace HV::Gallery {

const char* const kGalleryUsage =
    "usage: hv-gallery [--screenshot FILE] [--frames N] [--still] [--renderer gdiplus|opengl]"
    " [--instance-name NAME] [--skin]\n";

namespace {

bool ParseCount(const char* text, int64_t& count) {
  char* end = nullptr;
  errno = 0;
  const long long value = std::strtoll(text, &end, 10);
  if (end == text || *end != '\0' || errno != 0 || value < 0) return false;
  count = value;
  return true;
}

// Instance names become file names in the runtime folder.
bool IsPlainName(const char* name) {
  if (*name == '\0' || std::strlen(name) > 64) return false;
  for (const char* c = name; *c; ++c)
    if (!(std::isalnum(static_cast<unsigned char>(*c)) || *c == '-' || *c == '_' || *c == '.')) return false;
  return name[0] != '.';
}

}  // namespace

bool ParseGalleryOptions(int argc, const char* const* argv, GalleryOptions& options) {
  for (int i = 1; i < argc; ++i) {
    const char* option = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (std::strcmp(option, "--still") == 0) {
      options.isStill = true;
      continue;
    }
    if (std::strcmp(option, "--skin") == 0) {
      options.isSkin = true;
      continue;
    }
    if (!value) return false;
    ++i;
    if (std::strcmp(option, "--screenshot") == 0) {
      options.screenshot = value;
    } else if (std::strcmp(option, "--frames") == 0) {
      if (!ParseCount(value, options.frames)) return false;
    } else if (std::strcmp(option, "--renderer") == 0) {
      if (std::strcmp(value, "opengl") == 0)
        options.renderer = 0;
      else if (std::strcmp(value, "gdiplus") == 0)
        options.renderer = 1;
      else
        return false;
    } else if (std::strcmp(option, "--instance-name") == 0) {
      if (!IsPlainName(value)) return false;
      options.instanceName = value;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace HV::Gallery
