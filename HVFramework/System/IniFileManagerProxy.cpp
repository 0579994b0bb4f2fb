#include "HVFramework/System/IniFileManagerProxy.h"

#include "HVFramework/Platform/Core/DynamicLibrary.h"
#include "HVFramework/System/File.h"
#include "HVFramework/Utilities/Storage/TextConversion.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace HV {
namespace {

using IniFileManagerApi::kBufferTooSmall;

constexpr int32_t kFirstBufferSize = 1024;
// A library asking for more than this for one text is answered with failure
// rather than with an allocation of whatever size it names.
constexpr int32_t kLargestTextBuffer = 16 * 1024 * 1024;

// Keeps the UTF-8 form of a wide text alive for the length of a call.
class Utf8 {
 public:
  explicit Utf8(const StringW& text) : mText(text.ToCharString()) {}
  operator const char*() const { return mText.GetText(); }

 private:
  StringA mText;
};

// Text from the library to wide text. A malformed byte becomes U+FFFD and the
// conversion goes on, so a value never comes back cut short at a bad byte
// (and is then written back cut). Only a sequence that the 1023-byte limit
// itself split is dropped.
StringW WideFromLibrary(const char* utf8) {
  const size_t length = std::strlen(utf8);
  const bool isCutAtLimit = length >= static_cast<size_t>(CIniFileManagerProxy::kTextLimit);
  std::u16string wide(length, u'\0');  // never more units than bytes
  const char* source = utf8;
  const char* const end = utf8 + length;
  char16_t* target = wide.data();
  for (;;) {
    ConversionResult result =
        Utf8ToUtf16(source, end, target, wide.data() + wide.size(), ConversionMode::Lenient);
    if (result == ConversionResult::Ok) break;
    if (result == ConversionResult::SourceExhausted && isCutAtLimit) break;
    *target++ = u'\uFFFD';  // one mark per byte skipped
    ++source;
  }
  return StringW(wide.data(), static_cast<int32_t>(target - wide.data()));
}

// Reads one text through an entry point that fills (buffer, size, needed):
// first into 1024 bytes, and when that is too small once more into a buffer
// of the size the library asks for, of which at most the first 1023 bytes are
// kept. Results other than success and "too small" leave `text` as it was.
template <class Call>
HResult ReadText(Call call, StringW& text) {
  std::vector<char> buffer(kFirstBufferSize, '\0');
  int32_t needed = 0;
  HResult result = call(buffer.data(), kFirstBufferSize, &needed);
  if (result != kBufferTooSmall) {
    if (result == S_OK) {
      buffer.back() = '\0';
      text = WideFromLibrary(buffer.data());
    }
    return result;
  }
  if (needed <= 0 || needed > kLargestTextBuffer) return E_FAIL;
  buffer.assign(static_cast<size_t>(std::max(needed, kFirstBufferSize)), '\0');
  int32_t neededAgain = 0;
  result = call(buffer.data(), static_cast<int32_t>(buffer.size()), &neededAgain);
  buffer[CIniFileManagerProxy::kTextLimit] = '\0';
  text = WideFromLibrary(buffer.data());
  return result;
}

}  // namespace

CIniFileManagerProxy::CIniFileManagerProxy() = default;

CIniFileManagerProxy::~CIniFileManagerProxy() {
  if (mLibrary) Unload();
}

StringW CIniFileManagerProxy::GetLibraryPath(const StringW& folder) {
  return File::CombinePath(folder, StringW(kLibraryName));
}

HResult CIniFileManagerProxy::Load(const StringW& folder) {
  if (mLibrary) return S_FALSE;
  StringA path = GetLibraryPath(folder).ToCharString();
  mLibrary = Platform::DynamicLibrary::Load(std::string(path.GetText(), static_cast<size_t>(path.GetLength())));
  if (!mLibrary) return E_FAIL;
  return BindEntryPoints() ? S_OK : E_FAIL;
}

bool CIniFileManagerProxy::BindEntryPoints() {
  mLibrary->Bind(mEntry.openIniFile, "OpenIniFile");
  mLibrary->Bind(mEntry.writeIniFile, "WriteIniFile");
  mLibrary->Bind(mEntry.doesNodeExist, "DoesNodeExist");
  mLibrary->Bind(mEntry.closeIniFile, "CloseIniFile");
  mLibrary->Bind(mEntry.getIniValueInt, "GetIniValueInt");
  mLibrary->Bind(mEntry.setIniValueInt, "SetIniValueInt");
  mLibrary->Bind(mEntry.getIniValueStr, "GetIniValueStr");
  mLibrary->Bind(mEntry.setIniValueStr, "SetIniValueStr");
  mLibrary->Bind(mEntry.getKeyCount, "GetKeyCount");
  mLibrary->Bind(mEntry.getKeyNameAt, "GetKeyNameAt");
  mLibrary->Bind(mEntry.getArrayCount, "GetArrayCount");
  mLibrary->Bind(mEntry.setArrayCount, "SetArrayCount");
  mLibrary->Bind(mEntry.getArrayItemAt, "GetArrayItemAt");
  mLibrary->Bind(mEntry.setArrayItemAt, "SetArrayItemAt");
  mLibrary->Bind(mEntry.removeArrayItemAt, "RemoveArrayItemAt");
  const EntryPoints& e = mEntry;
  return e.openIniFile && e.writeIniFile && e.doesNodeExist && e.closeIniFile && e.getIniValueInt &&
         e.setIniValueInt && e.getIniValueStr && e.setIniValueStr && e.getKeyCount && e.getKeyNameAt &&
         e.getArrayCount && e.setArrayCount && e.getArrayItemAt && e.setArrayItemAt && e.removeArrayItemAt;
}

HResult CIniFileManagerProxy::Unload() {
  if (!mLibrary) return S_FALSE;
  mEntry = EntryPoints();
  bool isUnloaded = mLibrary->Unload();
  mLibrary.reset();
  return isUnloaded ? S_OK : E_FAIL;
}

HResult CIniFileManagerProxy::OpenIniFile(const StringW& path, const StringW& version, const StringW& product,
                                          int32_t& handle) {
  handle = 0;
  if (!mEntry.openIniFile) return E_FAIL;
  return mEntry.openIniFile(Utf8(path), Utf8(version), Utf8(product), &handle);
}

HResult CIniFileManagerProxy::WriteIniFile(int32_t handle) {
  if (!mEntry.writeIniFile) return E_FAIL;
  return mEntry.writeIniFile(handle);
}

bool CIniFileManagerProxy::DoesNodeExist(int32_t handle, const StringW& key) {
  if (!mEntry.doesNodeExist) return false;
  return mEntry.doesNodeExist(handle, Utf8(key));
}

HResult CIniFileManagerProxy::CloseIniFile(int32_t handle, int32_t reserved) {
  if (!mEntry.closeIniFile) return E_FAIL;
  return mEntry.closeIniFile(handle, reserved);
}

HResult CIniFileManagerProxy::GetIniValueInt(int32_t handle, const StringW& key, int32_t defaultValue,
                                             int32_t& value) {
  if (!mEntry.getIniValueInt) {
    value = defaultValue;
    return E_FAIL;
  }
  return mEntry.getIniValueInt(handle, Utf8(key), defaultValue, &value);
}

HResult CIniFileManagerProxy::SetIniValueInt(int32_t handle, const StringW& key, int32_t value) {
  if (!mEntry.setIniValueInt) return E_FAIL;
  return mEntry.setIniValueInt(handle, Utf8(key), value);
}

HResult CIniFileManagerProxy::GetIniValueStr(int32_t handle, const StringW& key, const StringW& defaultText,
                                             StringW& text) {
  if (!mEntry.getIniValueStr) {
    text = defaultText;
    return E_FAIL;
  }
  Utf8 utf8Key(key), utf8Default(defaultText);
  return ReadText([&](char* buffer, int32_t size, int32_t* needed) {
    return mEntry.getIniValueStr(handle, utf8Key, utf8Default, buffer, size, needed);
  }, text);
}

HResult CIniFileManagerProxy::SetIniValueStr(int32_t handle, const StringW& key, const StringW& value) {
  if (!mEntry.setIniValueStr) return E_FAIL;
  return mEntry.setIniValueStr(handle, Utf8(key), Utf8(value));
}

HResult CIniFileManagerProxy::GetKeyCount(int32_t handle, const StringW& section, int32_t& count) {
  if (!mEntry.getKeyCount) {
    count = 0;
    return E_FAIL;
  }
  return mEntry.getKeyCount(handle, Utf8(section), &count);
}

HResult CIniFileManagerProxy::GetKeyNameAt(int32_t handle, const StringW& section, int32_t index,
                                           StringW& name) {
  if (!mEntry.getKeyNameAt) {
    name.Clear();
    return E_FAIL;
  }
  Utf8 utf8Section(section);
  return ReadText([&](char* buffer, int32_t size, int32_t* needed) {
    return mEntry.getKeyNameAt(handle, utf8Section, index, buffer, size, needed);
  }, name);
}

HResult CIniFileManagerProxy::GetArrayCount(int32_t handle, const StringW& key, int32_t& count) {
  if (!mEntry.getArrayCount) {
    count = 0;
    return E_FAIL;
  }
  return mEntry.getArrayCount(handle, Utf8(key), &count);
}

HResult CIniFileManagerProxy::SetArrayCount(int32_t handle, const StringW& key, int32_t count) {
  if (!mEntry.setArrayCount) return E_FAIL;
  return mEntry.setArrayCount(handle, Utf8(key), count);
}

HResult CIniFileManagerProxy::GetArrayItemAt(int32_t handle, const StringW& key, int32_t index, StringW& text) {
  if (!mEntry.getArrayItemAt) {
    text.Clear();
    return E_FAIL;
  }
  Utf8 utf8Key(key);
  return ReadText([&](char* buffer, int32_t size, int32_t* needed) {
    return mEntry.getArrayItemAt(handle, utf8Key, index, buffer, size, needed);
  }, text);
}

HResult CIniFileManagerProxy::SetArrayItemAt(int32_t handle, const StringW& key, int32_t index,
                                             const StringW& value) {
  if (!mEntry.setArrayItemAt) return E_FAIL;
  return mEntry.setArrayItemAt(handle, Utf8(key), index, Utf8(value));
}

HResult CIniFileManagerProxy::RemoveArrayItemAt(int32_t handle, const StringW& key, int32_t index) {
  if (!mEntry.removeArrayItemAt) return E_FAIL;
  return mEntry.removeArrayItemAt(handle, Utf8(key), index);
}

}  // namespace HV
