// tarsel-user-guide SOURCE OUTPUT.pdf: makes the editor's user guide, a PDF
// laid out from the guide's text source (GuideText.h), at build time.
#include "tools/user-guide/GuidePdf.h"
#include "tools/user-guide/GuideText.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: tarsel-user-guide SOURCE OUTPUT.pdf\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "tarsel-user-guide: cannot read %s\n", argv[1]);
    return 1;
  }
  std::ostringstream text;
  text << in.rdbuf();
  std::string error;
  const std::vector<UserGuide::Block> blocks = UserGuide::ReadGuide(text.str(), error);
  if (!error.empty()) {
    std::fprintf(stderr, "%s:%s\n", argv[1], error.c_str());
    return 1;
  }
  // Written beside the target first, so a failed run leaves no half guide.
  const std::string output(argv[2]);
  const std::string partial = output + ".partial";
  if (UserGuide::WriteGuidePdf(blocks, "Tarsel Preset Editor - User Guide", partial, error) == 0) {
    std::fprintf(stderr, "tarsel-user-guide: %s: %s\n", partial.c_str(), error.c_str());
    std::remove(partial.c_str());
    return 1;
  }
  if (std::rename(partial.c_str(), output.c_str()) != 0) {
    std::fprintf(stderr, "tarsel-user-guide: cannot write %s\n", output.c_str());
    return 1;
  }
  return 0;
}
