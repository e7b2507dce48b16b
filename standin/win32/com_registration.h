#pragma once
// The stand-in's registration as the COM class behind the ProgID
// "ACTOLE.APPOBJECT": the ProgID with its CLSID, and the CLSID with its
// ProgID and a LocalServer32 command (the program's path, quoted), so that a
// client's CreateObject("ACTOLE.APPOBJECT") finds the running stand-in or
// starts one with -Embedding.
//
// Written per user (HKEY_CURRENT_USER\Software\Classes), as Windows honours
// it. Where the system does not (Wine 8 reads classes only from
// HKEY_LOCAL_MACHINE\Software\Classes), the merged view HKEY_CLASSES_ROOT
// does not show what was written per user, and the same keys are written
// below HKEY_LOCAL_MACHINE as well. Removal takes both away.

#include <windows.h>

#include <string>

namespace standin_win32 {

inline constexpr wchar_t kProgId[] = L"ACTOLE.APPOBJECT";
// {698C51C5-EA5A-44EA-8F18-A1CBD0E25B7C}
inline constexpr CLSID kStandinClsid = {
    0x698c51c5, 0xea5a, 0x44ea, {0x8f, 0x18, 0xa1, 0xcb, 0xd0, 0xe2, 0x5b, 0x7c}};

// Registers `serverPath` as the local server; a Windows error code (0 on
// success).
LSTATUS writeRegistration(const std::wstring& serverPath);

// Removes the registration from both places; 0 when nothing of it is left
// (also when there was none), else the error of the first key that stayed.
LSTATUS removeRegistration();

}  // namespace standin_win32
