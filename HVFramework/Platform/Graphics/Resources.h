#pragma once

// The program's resources: byte blocks looked up by type ("HVXML" for skins
// and string tables, "GDIPLUS" for images) and name. The build embeds the
// files of a resource folder into a table (see cmake/HVResources.cmake): a file
// <folder>/<TYPE>/<file name> becomes the resource TYPE / normalised file
// name. Tests register resources of their own at run time.
//
// Names are normalised before they are stored and before a lookup: ASCII
// letters upper-cased, every "." and " " replaced by "_" ("CE.png" ->
// "CE_PNG"), so lookups ignore case. Types are compared the same way.
// Every function may be called from any thread.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace HV::Platform {

// One entry of a table the build generates; the bytes live as long as the program.
struct EmbeddedResource {
  const char* type;
  const char* name;
  const uint8_t* data;
  size_t size;
};

// Makes a generated table's resources findable (called by the generated code
// at start-up). The table must outlive every lookup.
void RegisterEmbeddedResources(const EmbeddedResource* table, size_t count);

// A resource of the given bytes (copied); replaces one of the same type and name.
void RegisterResource(std::string_view type, std::string_view name, std::vector<uint8_t> bytes);
// Removes a resource registered at run time; false when there was none.
bool UnregisterResource(std::string_view type, std::string_view name);

// A copy of the resource's bytes. False, and out emptied, when there is no
// such resource or it is empty (an empty resource counts as missing).
bool LoadResource(std::string_view type, std::string_view name, std::vector<uint8_t>& out);

// The bytes of an embedded resource where the program holds them, for as
// long as it runs; empty when there is none or one registered at run time
// takes its place (LoadResource reads that one).
std::span<const uint8_t> FindEmbeddedResource(std::string_view type, std::string_view name);

// The stored form of a resource name or type.
std::string NormaliseResourceName(std::string_view name);

}  // namespace HV::Platform
