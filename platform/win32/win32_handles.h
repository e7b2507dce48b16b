#pragma once
// Owners of Windows handles: each closes its handle when it goes away.
//
// A null handle owns nothing. Functions that report failure with
// INVALID_HANDLE_VALUE instead of null (CreateFileW) are wrapped through
// ownedFileHandle, which turns that value into null.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <type_traits>

namespace platform_win32 {

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

inline UniqueHandle ownedFileHandle(HANDLE handle) {
  return UniqueHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

struct KeyCloser {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
using UniqueKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

struct WindowDestroyer {
  void operator()(HWND window) const { DestroyWindow(window); }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

// The program's 32-bit window handles and Windows' HWND. Window handles are
// 32-bit values on 64-bit Windows too (so that 32- and 64-bit programs can
// exchange them); widening sign-extends as Windows' own LongToHandle does.
inline HWND windowOf(std::uint32_t handle) {
  return reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<std::int32_t>(handle)));
}
inline std::uint32_t handleOf(HWND window) {
  return static_cast<std::uint32_t>(reinterpret_cast<ULONG_PTR>(window));
}

}  // namespace platform_win32
