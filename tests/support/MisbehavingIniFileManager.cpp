// A settings-file library that answers texts the way a faulty library might:
// "too small" with sizes that are too small, zero or huge, or with more text
// than fits. Every entry point exists; only the text readers misbehave.

#include "Libraries/IniFileManager/IniFileManagerApi.h"

#include <cstring>
#include <string>

using namespace IniFileManagerApi;

namespace {

// key "needed=N": answers -2 with N, whatever the buffer; any other key: the
// key's own text repeated to fill 3000 bytes, honestly.
int32_t Answer(const char* key, char* buffer, int32_t size, int32_t* needed) {
  std::string text = key;
  if (text.rfind("needed=", 0) == 0) {
    *needed = std::stoi(text.substr(7));
    return kBufferTooSmall;
  }
  std::string value;
  while (value.size() < 3000) value += text;
  value.resize(3000);
  *needed = static_cast<int32_t>(value.size()) + 1;
  if (size < *needed) return kBufferTooSmall;
  std::memcpy(buffer, value.c_str(), value.size() + 1);
  return kOk;
}

}  // namespace

int32_t OpenIniFile(const char*, const char*, const char*, int32_t* handle) {
  *handle = 1;
  return kOk;
}
int32_t WriteIniFile(int32_t) { return kOk; }
bool DoesNodeExist(int32_t, const char*) { return true; }
int32_t CloseIniFile(int32_t, int32_t) { return kOk; }
int32_t GetIniValueInt(int32_t, const char*, int32_t, int32_t* value) {
  *value = 42;
  return kOk;
}
int32_t SetIniValueInt(int32_t, const char*, int32_t) { return kOk; }
int32_t GetIniValueStr(int32_t, const char* key, const char*, char* buffer, int32_t size, int32_t* needed) {
  return Answer(key, buffer, size, needed);
}
int32_t SetIniValueStr(int32_t, const char*, const char*) { return kOk; }
int32_t GetKeyCount(int32_t, const char*, int32_t* count) {
  *count = 1;
  return kOk;
}
int32_t GetKeyNameAt(int32_t, const char* section, int32_t, char* buffer, int32_t size, int32_t* needed) {
  return Answer(section, buffer, size, needed);
}
int32_t GetArrayCount(int32_t, const char*, int32_t* count) {
  *count = 1;
  return kOk;
}
int32_t SetArrayCount(int32_t, const char*, int32_t) { return kOk; }
int32_t GetArrayItemAt(int32_t, const char* key, int32_t, char* buffer, int32_t size, int32_t* needed) {
  return Answer(key, buffer, size, needed);
}
int32_t SetArrayItemAt(int32_t, const char*, int32_t, const char*) { return kOk; }
int32_t RemoveArrayItemAt(int32_t, const char*, int32_t) { return kOk; }
