// GetTickCount64 for the 32-bit program on Windows XP, which lacks it.
//
// The thread library linked into the program (winpthreads) imports
// GetTickCount64 from kernel32 for its timed waits; Windows XP's loader
// refuses to start a program with an import it cannot find. This file
// defines the import's pointer itself, so the program imports nothing for
// it: the pointer leads to a function that calls kernel32's GetTickCount64
// where Windows has it (Vista and later), and otherwise extends the 32-bit
// GetTickCount, which wraps every 49.7 days, to 64 bits.
//
// Built into the 32-bit program only: the object must be linked before the
// thread library is searched, which the program's own sources are.

#include <windows.h>

#include <atomic>
#include <cstdint>

namespace {

using TickCount64Fn = ULONGLONG(WINAPI*)();

// The highest count handed out so far; its upper half counts the wraps of
// GetTickCount. Callers see a count that never goes back as long as one of
// them asks at least once in 49.7 days, as every waiting thread does.
std::atomic<std::uint64_t> lastCount{0};

ULONGLONG extendedTickCount() {
  std::uint64_t last = lastCount.load();
  for (;;) {
    const std::uint32_t now = GetTickCount();
    std::uint64_t wraps = last >> 32;
    if (now < static_cast<std::uint32_t>(last)) ++wraps;  // wrapped since `last`
    const std::uint64_t count = (wraps << 32) | now;
    if (count <= last) return last;  // another thread went further meanwhile
    if (lastCount.compare_exchange_weak(last, count)) return count;
  }
}

ULONGLONG WINAPI tickCount64() {
  static const TickCount64Fn system = [] {
    const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
    // GetProcAddress gives every function the same pointer type.
    return kernel32 == nullptr ? nullptr
                               : reinterpret_cast<TickCount64Fn>(reinterpret_cast<void*>(
                                     GetProcAddress(kernel32, "GetTickCount64")));
  }();
  return system != nullptr ? system() : extendedTickCount();
}

}  // namespace

// The name under which 32-bit code finds the address of an imported
// GetTickCount64 (a stdcall function without arguments).
extern "C" {
TickCount64Fn spurlixTickCount64Import __asm__("__imp__GetTickCount64@0") = tickCount64;
}
