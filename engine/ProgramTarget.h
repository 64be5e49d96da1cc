#pragma once
// Which targets are programs that may already run, and the press of a
// binding that asks to bring such a program to the front.
//
// A target is a program when it resolves, the way the shell would start it,
// to an existing file ending in .exe or .com. A batch file is not: its window
// belongs to the command interpreter, not to a process of its own image.
// Documents, folders, addresses and built-in action names are opened as
// always, whatever the binding's IfRunning says.
#include "platform/SystemApi.h"
#include "store/IfRunning.h"

#include <optional>
#include <string>
#include <string_view>

namespace quickdex {

// The answers of the system that the resolution needs.
class IProgramLookup {
public:
    virtual ~IProgramLookup() = default;
    // The default value of the App Paths key of `name`, environment strings
    // expanded and enclosing quotes removed; nothing without one.
    virtual std::optional<std::string> AppPath(const std::string& name) = 0;
    // The first file of that name on the system's search path (".exe" added
    // to a name without extension).
    virtual std::optional<std::string> FindOnSearchPath(const std::string& name) = 0;
    // The full long form of `path` when it names an existing file (not a
    // folder); a relative path is taken from the current folder.
    virtual std::optional<std::string> ExistingFile(const std::string& path) = 0;
};

// Ends in ".exe" or ".com", without regard to case.
bool IsProgramPath(std::string_view path);

// The program the shell would start for `target`: a path with a folder part
// as given; a bare name through App Paths, then the search path. Nothing
// for an address ("scheme:..."), an empty text, a missing file or a file
// that is not a program.
std::optional<std::string> ResolveProgramTarget(const std::string& target, IProgramLookup& lookup);

// A press of a binding with IfRunning front or toggle: when the target is a
// program with a window, brings it to the front (or minimises it) and
// returns true; false when the target is to be opened as always.
bool FrontIfRunning(ISystemApi& system, const std::string& target, IfRunningMode mode);

} // namespace quickdex
