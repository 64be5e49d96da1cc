#pragma once
// The answers of the system that finding the program behind a target needs:
// the registry's App Paths, the search path, the files that exist.
#include <optional>
#include <string>
#include <vector>

namespace quickdex {

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
    // The path a shortcut (.lnk) starts, environment strings expanded, as
    // the shortcut stores it (it is not searched for when it moved); nothing
    // when the file is no shortcut or names no file (a shortcut to a packaged
    // program, a control panel item).
    virtual std::optional<std::string> ShortcutTarget(const std::string& path) = 0;
};

// What the check of a target that may be gone asks of the system. Every
// answer must come at once: nothing here may wait on a server or a drive
// that spins up.
class ITargetPlaces {
public:
    virtual ~ITargetPlaces() = default;
    // Whether a full path stands on a disk of this computer that answers at
    // once (a fixed or RAM disk): not on a server, not on a removable disk
    // or a CD, not on a drive that is not there.
    virtual bool OnLocalDisk(const std::string& path) = 0;
    // Whether a file or folder of that full path exists.
    virtual bool Exists(const std::string& path) = 0;
    // As IProgramLookup::AppPath.
    virtual std::optional<std::string> AppPath(const std::string& name) = 0;
    // The folders the shell searches for a bare name, in its order: the
    // program's current folder, the system folders, then those of PATH.
    virtual std::vector<std::string> SearchFolders() = 0;
};

} // namespace quickdex
