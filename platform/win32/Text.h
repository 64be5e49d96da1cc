#pragma once
// Texts between the program's strings (UTF-8) and the system's (UTF-16).
#include <string>
#include <string_view>

#include <windows.h>

namespace quickdex::win32 {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

// A window's text, and setting it, in UTF-8: every character is kept (on a
// window of the Unicode classes; an ANSI window keeps what its code page can).
std::string WindowText(HWND window);
void SetWindowTextUtf8(HWND window, std::string_view text);

// A text stored in a code page other than the system's (the delete notice's
// ideographic full stop is stored in GB2312, code page 936), as UTF-16.
std::wstring FromCodePage(std::string_view text, unsigned codePage);

} // namespace quickdex::win32
