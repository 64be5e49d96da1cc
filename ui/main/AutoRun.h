#pragma once
// Start with Windows: the value "quickdex" under the Run key of the current
// user, holding the executable's path in quotes. It is kept per user, where
// a program started without administrator's rights may write it; an older
// value under the machine's Run key that names this executable still counts
// as on, and turning the setting off removes it where the system lets us.
#include <functional>
#include <string>

#include <windows.h>

namespace quickdex {

inline constexpr const char* RunKeyPath = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* AutoRunValueName = "quickdex";

// Where the two values live, and the call that opens their keys.
struct RunKeys {
    HKEY userRoot = HKEY_CURRENT_USER;
    std::string userPath = RunKeyPath;
    HKEY machineRoot = HKEY_LOCAL_MACHINE;
    std::string machinePath = RunKeyPath;
    // RegOpenKeyExA, unless a test stands in for the system's refusals.
    std::function<LSTATUS(HKEY root, const char* path, REGSAM access, HKEY* key)> open;
};

class AutoRunSetting {
public:
    // `exePath` is the running executable's path as the system reports it.
    explicit AutoRunSetting(std::string exePath, RunKeys keys = {});

    // Both take the tick of the "AutoRun" item and change it.
    // A value of another type than text throws "Invalid data type for ...".
    void ReadAutoRunSetting(bool& ticked) const;
    // A refused write throws "Failed to set data for ..."; the tick stays.
    // Returns false when turning it off left a machine-wide value that names
    // this executable (the user may not change the machine's settings): the
    // program still starts with Windows, and the tick stays.
    bool ToggleAutoRun(bool& ticked) const;

private:
    // The text the user's value holds: the path in quotes, so that Windows
    // never tries "C:\Program.exe" for a path with blanks.
    std::string RunCommand() const;
    // Whether the machine's value starts this executable.
    bool MachineValueNamesThisExe() const;

    std::string exePath_;
    RunKeys keys_;
};

} // namespace quickdex
