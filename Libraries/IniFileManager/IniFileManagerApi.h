#pragma once

// The entry points of the settings-file library, as the program binds them by
// name at run time. Plain C types only: the library and the program share no
// C++ objects. Results: 0 success, -1 failure, -2 text buffer too small (the
// size needed, terminator included, is stored in *needed).

#include <cstdint>

#if defined(INI_FILE_MANAGER_BUILD)
#define INI_FILE_MANAGER_API extern "C" __attribute__((visibility("default")))
#else
#define INI_FILE_MANAGER_API extern "C"
#endif

namespace IniFileManagerApi {

constexpr int32_t kOk = 0;
constexpr int32_t kFailed = -1;
constexpr int32_t kBufferTooSmall = -2;

using OpenIniFileFn = int32_t (*)(const char* path, const char* version, const char* product, int32_t* handle);
using WriteIniFileFn = int32_t (*)(int32_t handle);
using DoesNodeExistFn = bool (*)(int32_t handle, const char* key);
using CloseIniFileFn = int32_t (*)(int32_t handle, int32_t reserved);
using GetIniValueIntFn = int32_t (*)(int32_t handle, const char* key, int32_t defaultValue, int32_t* value);
using SetIniValueIntFn = int32_t (*)(int32_t handle, const char* key, int32_t value);
using GetIniValueStrFn = int32_t (*)(int32_t handle, const char* key, const char* defaultText, char* buffer,
                                     int32_t bufferSize, int32_t* needed);
using SetIniValueStrFn = int32_t (*)(int32_t handle, const char* key, const char* value);
using GetKeyCountFn = int32_t (*)(int32_t handle, const char* section, int32_t* count);
using GetKeyNameAtFn = int32_t (*)(int32_t handle, const char* section, int32_t index, char* buffer,
                                   int32_t bufferSize, int32_t* needed);
using GetArrayCountFn = int32_t (*)(int32_t handle, const char* key, int32_t* count);
using SetArrayCountFn = int32_t (*)(int32_t handle, const char* key, int32_t count);
using GetArrayItemAtFn = int32_t (*)(int32_t handle, const char* key, int32_t index, char* buffer,
                                     int32_t bufferSize, int32_t* needed);
using SetArrayItemAtFn = int32_t (*)(int32_t handle, const char* key, int32_t index, const char* value);
using RemoveArrayItemAtFn = int32_t (*)(int32_t handle, const char* key, int32_t index);

}  // namespace IniFileManagerApi

INI_FILE_MANAGER_API int32_t OpenIniFile(const char* path, const char* version, const char* product,
                                         int32_t* handle);
INI_FILE_MANAGER_API int32_t WriteIniFile(int32_t handle);
INI_FILE_MANAGER_API bool DoesNodeExist(int32_t handle, const char* key);
INI_FILE_MANAGER_API int32_t CloseIniFile(int32_t handle, int32_t reserved);
INI_FILE_MANAGER_API int32_t GetIniValueInt(int32_t handle, const char* key, int32_t defaultValue, int32_t* value);
INI_FILE_MANAGER_API int32_t SetIniValueInt(int32_t handle, const char* key, int32_t value);
INI_FILE_MANAGER_API int32_t GetIniValueStr(int32_t handle, const char* key, const char* defaultText, char* buffer,
                                            int32_t bufferSize, int32_t* needed);
INI_FILE_MANAGER_API int32_t SetIniValueStr(int32_t handle, const char* key, const char* value);
INI_FILE_MANAGER_API int32_t GetKeyCount(int32_t handle, const char* section, int32_t* count);
INI_FILE_MANAGER_API int32_t GetKeyNameAt(int32_t handle, const char* section, int32_t index, char* buffer,
                                          int32_t bufferSize, int32_t* needed);
INI_FILE_MANAGER_API int32_t GetArrayCount(int32_t handle, const char* key, int32_t* count);
INI_FILE_MANAGER_API int32_t SetArrayCount(int32_t handle, const char* key, int32_t count);
INI_FILE_MANAGER_API int32_t GetArrayItemAt(int32_t handle, const char* key, int32_t index, char* buffer,
                                            int32_t bufferSize, int32_t* needed);
INI_FILE_MANAGER_API int32_t SetArrayItemAt(int32_t handle, const char* key, int32_t index, const char* value);
INI_FILE_MANAGER_API int32_t RemoveArrayItemAt(int32_t handle, const char* key, int32_t index);
