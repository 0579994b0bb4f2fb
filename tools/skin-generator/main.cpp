// tarsel-skin-generator DESCRIPTION OUTPUT_FOLDER
// Writes the skin and string documents the description names into
// OUTPUT_FOLDER, one file per document named as its resource. A fault of the
// description is reported with its file and line, and nothing is written.

#include "tools/skin-generator/DescriptionError.h"
#include "tools/skin-generator/DescriptionReader.h"
#include "tools/skin-generator/DocumentGenerator.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

int WriteDocuments(const std::filesystem::path& description, const std::filesystem::path& folder) {
  using namespace HV::SkinGenerator;
  const auto documents = DocumentGenerator::Generate(DescriptionReader().ReadFile(description));
  std::filesystem::create_directories(folder);
  for (const auto& [name, bytes] : documents) {
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
      std::fprintf(stderr, "tarsel-skin-generator: cannot write %s\n", (folder / name).c_str());
      return 1;
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: tarsel-skin-generator DESCRIPTION OUTPUT_FOLDER\n");
    return 2;
  }
  try {
    return WriteDocuments(argv[1], argv[2]);
  } catch (const HV::SkinGenerator::DescriptionError& error) {
    std::fprintf(stderr, "tarsel-skin-generator: %s\n", error.what());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "tarsel-skin-generator: %s\n", error.what());
  }
  return 1;
}
