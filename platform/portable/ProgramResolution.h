#pragma once
// Which targets are programs, and which program the shell would start for a
// target.
//
// A target is a program when it resolves, the way the shell would start it,
// to an existing file ending in .exe or .com, or to a shortcut that starts
// one. A batch file is not: its window belongs to the command interpreter,
// not to a process of its own image.
#include "platform/ProgramLookup.h"

#include <optional>
#include <string>
#include <string_view>

namespace quickdex {

// Ends in ".exe" or ".com", without regard to case.
bool IsProgramPath(std::string_view path);

// The program the shell would start for `target`: a path with a folder part
// as given, or with the first of the extensions the shell tries added when
// it has none and is missing ("C:\Tools\pf" starts C:\Tools\pf.exe); a
// bare name through App Paths, then the search path. A shortcut stands for
// the program it starts. Nothing for an address ("scheme:..."), an empty
// text, a missing file or a file that is not a program.
std::optional<std::string> ResolveProgramTarget(const std::string& target, IProgramLookup& lookup);

} // namespace quickdex
