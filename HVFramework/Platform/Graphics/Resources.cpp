#include "HVFramework/Platform/Graphics/Resources.h"

#include <map>
#include <mutex>
#include <utility>

namespace HV::Platform {
namespace {

using Key = std::pair<std::string, std::string>;  // normalised type, normalised name

// Run-time resources are looked up before the embedded ones, so a test can
// stand in for a resource of the program.
struct ResourceRegistry {
  std::mutex lock;
  std::map<Key, std::vector<uint8_t>> registered;
  std::map<Key, std::pair<const uint8_t*, size_t>> embedded;
};

ResourceRegistry& Registry() {
  static ResourceRegistry* registry = new ResourceRegistry;  // lives through static destruction
  return *registry;
}

Key MakeKey(std::string_view type, std::string_view name) {
  return {NormaliseResourceName(type), NormaliseResourceName(name)};
}

}  // namespace

std::string NormaliseResourceName(std::string_view name) {
  std::string result(name);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
    else if (c == '.' || c == ' ')
      c = '_';
  }
  return result;
}

void RegisterEmbeddedResources(const EmbeddedResource* table, size_t count) {
  ResourceRegistry& registry = Registry();
  std::lock_guard guard(registry.lock);
  for (size_t i = 0; i < count; ++i)
    registry.embedded[MakeKey(table[i].type, table[i].name)] = {table[i].data, table[i].size};
}

void RegisterResource(std::string_view type, std::string_view name, std::vector<uint8_t> bytes) {
  ResourceRegistry& registry = Registry();
  std::lock_guard guard(registry.lock);
  registry.registered[MakeKey(type, name)] = std::move(bytes);
}

bool UnregisterResource(std::string_view type, std::string_view name) {
  ResourceRegistry& registry = Registry();
  std::lock_guard guard(registry.lock);
  return registry.registered.erase(MakeKey(type, name)) != 0;
}

bool LoadResource(std::string_view type, std::string_view name, std::vector<uint8_t>& out) {
  out.clear();
  const Key key = MakeKey(type, name);
  ResourceRegistry& registry = Registry();
  std::lock_guard guard(registry.lock);
  if (auto found = registry.registered.find(key); found != registry.registered.end()) {
    out = found->second;
  } else if (auto entry = registry.embedded.find(key); entry != registry.embedded.end()) {
    out.assign(entry->second.first, entry->second.first + entry->second.second);
  }
  return !out.empty();
}

std::span<const uint8_t> FindEmbeddedResource(std::string_view type, std::string_view name) {
  const Key key = MakeKey(type, name);
  ResourceRegistry& registry = Registry();
  std::lock_guard guard(registry.lock);
  if (registry.registered.contains(key)) return {};
  const auto entry = registry.embedded.find(key);
  if (entry == registry.embedded.end()) return {};
  return {entry->second.first, entry->second.second};
}

}  // namespace HV::Platform
