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

// Whether a press of `target` is sure to open nothing: a full path on a
// local disk, or a bare name, that the shell would find nowhere (with the
// extensions it tries for a name without one). False whenever the answer
// would need a server or a removable drive, and for what is not a file:
// addresses, a quoted text, a text with %NAME% in it, a relative path.
bool TargetKnownMissing(const std::string& target, ITargetPlaces& places);

} // namespace quickdex
