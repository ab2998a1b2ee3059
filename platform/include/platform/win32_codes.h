// Win32 result codes and constants that the ports report with the same meaning as on Windows.
#pragma once

#include <cstdint>

namespace nv::win {

inline constexpr int32_t kErrorSuccess = 0;
inline constexpr int32_t kErrorInvalidFunction = 1;
inline constexpr int32_t kErrorFileNotFound = 2;
inline constexpr int32_t kErrorAccessDenied = 5;
inline constexpr int32_t kErrorInvalidHandle = 6;
inline constexpr int32_t kErrorGenFailure = 31;
inline constexpr int32_t kErrorInvalidParameter = 87;
inline constexpr int32_t kErrorInsufficientBuffer = 122;
inline constexpr int32_t kErrorBadPathname = 161;
inline constexpr int32_t kErrorMoreData = 234;
inline constexpr int32_t kErrorNoMoreItems = 259;
inline constexpr int32_t kErrorIoPending = 997;
inline constexpr int32_t kErrorKeyDeleted = 1018;

inline constexpr uint32_t kPlatformWin32Windows = 1;  // the 9x family
inline constexpr uint32_t kPlatformWin32Nt = 2;       // VER_PLATFORM_WIN32_NT

}  // namespace nv::win
