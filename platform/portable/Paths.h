#pragma once
// The program's folder, from the path of its executable: everything it
// keeps (hotkey.ini, Set.ini, the help file) lies beside it.
#include <string>

namespace quickdex {

// "C:\dir\quickdex.exe" -> "C:\dir\"
std::string ExeDirOf(const std::string& modulePath);

} // namespace quickdex
