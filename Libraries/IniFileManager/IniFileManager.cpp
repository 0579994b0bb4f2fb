// The exported entry points of the settings-file library: a table of open
// files by handle, guarded by one lock (the library may be called from any
// thread), and the C calling convention the program binds by name.

#include "Libraries/IniFileManager/IniFileManagerApi.h"
#include "Libraries/IniFileManager/IniFile.h"

#include <charconv>
#include <cstring>
#include <map>
#include <mutex>

using namespace IniFileManagerApi;
using IniFileManagerImpl::IniDocument;
using IniFileManagerImpl::IniFile;

namespace {

// An array larger than this is not a setting: SetArrayCount refuses it.
constexpr int32_t kMaxArrayCount = 65536;

struct FileTable {
  std::mutex lock;
  std::map<int32_t, std::unique_ptr<IniFile>> files;
  int32_t lastHandle = 0;
};

FileTable& Table() {
  static FileTable table;
  return table;
}

// Runs `use` on the open file of `handle` under the table's lock.
template <class Use>
int32_t WithFile(int32_t handle, Use use) {
  FileTable& table = Table();
  std::lock_guard<std::mutex> guard(table.lock);
  auto found = table.files.find(handle);
  if (found == table.files.end()) return kFailed;
  return use(*found->second);
}

int32_t Result(bool isDone) { return isDone ? kOk : kFailed; }

// A NUL byte cannot cross the C interface inside a text: the caller would
// take the text as ending there. It is handed out as U+FFFD instead.
std::string WithoutNul(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '\0') {
      out += "\xEF\xBF\xBD";
    } else {
      out += c;
    }
  }
  return out;
}

int32_t CopyText(const std::string& stored, char* buffer, int32_t bufferSize, int32_t* needed) {
  std::string cleaned;
  std::string_view text = stored;
  if (stored.find('\0') != std::string::npos) text = cleaned = WithoutNul(stored);
  if (text.size() >= static_cast<size_t>(INT32_MAX)) return kFailed;
  int32_t size = static_cast<int32_t>(text.size()) + 1;
  if (needed != nullptr) *needed = size;
  if (buffer == nullptr || bufferSize < size) {
    if (buffer != nullptr && bufferSize > 0) buffer[0] = '\0';
    return kBufferTooSmall;
  }
  std::memcpy(buffer, text.data(), text.size());
  buffer[text.size()] = '\0';
  return kOk;
}

std::string KeyOf(const char* key) { return IniDocument::NormaliseKey(key); }

const std::string* FindItem(const IniDocument& document, const std::string& key, int32_t index) {
  const std::vector<std::string>* items = document.FindArray(key);
  if (items == nullptr || index < 0 || static_cast<size_t>(index) >= items->size()) return nullptr;
  return &(*items)[static_cast<size_t>(index)];
}

}  // namespace

int32_t OpenIniFile(const char* path, const char* version, const char* product, int32_t* handle) {
  if (handle == nullptr) return kFailed;
  *handle = 0;
  if (path == nullptr) return kFailed;
  std::unique_ptr<IniFile> file = IniFile::Open(path, version ? version : "", product ? product : "");
  if (!file) return kFailed;
  FileTable& table = Table();
  std::lock_guard<std::mutex> guard(table.lock);
  if (table.lastHandle == INT32_MAX) return kFailed;
  *handle = ++table.lastHandle;
  table.files.emplace(*handle, std::move(file));
  return kOk;
}

int32_t WriteIniFile(int32_t handle) {
  return WithFile(handle, [](IniFile& file) { return Result(file.Write()); });
}

bool DoesNodeExist(int32_t handle, const char* key) {
  if (key == nullptr) return false;
  return WithFile(handle, [&](IniFile& file) { return Result(file.GetDocument().HasNode(KeyOf(key))); }) == kOk;
}

int32_t CloseIniFile(int32_t handle, int32_t /*reserved: every change is on disk already*/) {
  FileTable& table = Table();
  std::lock_guard<std::mutex> guard(table.lock);
  return Result(table.files.erase(handle) == 1);
}

int32_t GetIniValueInt(int32_t handle, const char* key, int32_t defaultValue, int32_t* value) {
  if (key == nullptr || value == nullptr) return kFailed;
  *value = defaultValue;
  return WithFile(handle, [&](IniFile& file) {
    if (const std::string* text = file.GetDocument().FindValue(KeyOf(key))) {
      int32_t parsed = 0;
      auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), parsed);
      if (error == std::errc() && end == text->data() + text->size()) *value = parsed;
    }
    return kOk;
  });
}

int32_t SetIniValueInt(int32_t handle, const char* key, int32_t value) {
  return SetIniValueStr(handle, key, std::to_string(value).c_str());
}

int32_t GetIniValueStr(int32_t handle, const char* key, const char* defaultText, char* buffer, int32_t bufferSize,
                       int32_t* needed) {
  if (key == nullptr) return kFailed;
  return WithFile(handle, [&](IniFile& file) {
    const std::string* text = file.GetDocument().FindValue(KeyOf(key));
    return CopyText(text ? *text : std::string(defaultText ? defaultText : ""), buffer, bufferSize, needed);
  });
}

int32_t SetIniValueStr(int32_t handle, const char* key, const char* value) {
  if (key == nullptr || value == nullptr || *key == '\0') return kFailed;
  return WithFile(handle, [&](IniFile& file) {
    return Result(file.Change([&](IniDocument& document) {
      document.SetValue(KeyOf(key), value);
      return true;
    }));
  });
}

int32_t GetKeyCount(int32_t handle, const char* section, int32_t* count) {
  if (count == nullptr) return kFailed;
  *count = 0;
  return WithFile(handle, [&](IniFile& file) {
    *count = static_cast<int32_t>(file.GetDocument().GetChildNames(KeyOf(section ? section : "")).size());
    return kOk;
  });
}

int32_t GetKeyNameAt(int32_t handle, const char* section, int32_t index, char* buffer, int32_t bufferSize,
                     int32_t* needed) {
  return WithFile(handle, [&](IniFile& file) {
    const std::vector<std::string>& names = file.GetDocument().GetChildNames(KeyOf(section ? section : ""));
    if (index < 0 || static_cast<size_t>(index) >= names.size()) return kFailed;
    return CopyText(names[static_cast<size_t>(index)], buffer, bufferSize, needed);
  });
}

#if !defined(INI_FILE_MANAGER_WITHOUT_GET_ARRAY_COUNT)
int32_t GetArrayCount(int32_t handle, const char* key, int32_t* count) {
  if (key == nullptr || count == nullptr) return kFailed;
  *count = 0;
  return WithFile(handle, [&](IniFile& file) {
    const std::vector<std::string>* items = file.GetDocument().FindArray(KeyOf(key));
    *count = items ? static_cast<int32_t>(items->size()) : 0;
    return kOk;
  });
}
#endif

int32_t SetArrayCount(int32_t handle, const char* key, int32_t count) {
  if (key == nullptr || *key == '\0' || count < 0 || count > kMaxArrayCount) return kFailed;
  return WithFile(handle, [&](IniFile& file) {
    return Result(file.Change([&](IniDocument& document) {
      if (count == 0) {
        document.RemoveArray(KeyOf(key));
      } else {
        document.GetArray(KeyOf(key)).resize(static_cast<size_t>(count));
      }
      return true;
    }));
  });
}

int32_t GetArrayItemAt(int32_t handle, const char* key, int32_t index, char* buffer, int32_t bufferSize,
                       int32_t* needed) {
  if (key == nullptr) return kFailed;
  return WithFile(handle, [&](IniFile& file) {
    const std::string* item = FindItem(file.GetDocument(), KeyOf(key), index);
    return item ? CopyText(*item, buffer, bufferSize, needed) : kFailed;
  });
}

int32_t SetArrayItemAt(int32_t handle, const char* key, int32_t index, const char* value) {
  if (key == nullptr || value == nullptr) return kFailed;
  return WithFile(handle, [&](IniFile& file) {
    return Result(file.Change([&](IniDocument& document) {
      if (FindItem(document, KeyOf(key), index) == nullptr) return false;
      document.GetArray(KeyOf(key))[static_cast<size_t>(index)] = value;
      return true;
    }));
  });
}

int32_t RemoveArrayItemAt(int32_t handle, const char* key, int32_t index) {
  if (key == nullptr) return kFailed;
  return WithFile(handle, [&](IniFile& file) {
    return Result(file.Change([&](IniDocument& document) {
      if (FindItem(document, KeyOf(key), index) == nullptr) return false;
      std::vector<std::string>& items = document.GetArray(KeyOf(key));
      items.erase(items.begin() + index);
      if (items.empty()) document.RemoveArray(KeyOf(key));
      return true;
    }));
  });
}
