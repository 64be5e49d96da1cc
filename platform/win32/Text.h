#pragma once
// Texts between the program's single-byte strings and the system.
#include <string>
#include <string_view>

#include <windows.h>

namespace quickdex::win32 {

// A window's text as the program's single-byte text.
std::string WindowText(HWND window);

// A text stored in a code page other than the system's (the delete notice's
// ideographic full stop is stored in GB2312, code page 936), as UTF-16.
std::wstring FromCodePage(std::string_view text, unsigned codePage);

} // namespace quickdex::win32
