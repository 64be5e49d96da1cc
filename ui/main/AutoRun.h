#pragma once
// Start with Windows: the value "quickdex" under the machine's Run key,
// holding the path of the executable. The key is opened with full access and
// never created; without that access nothing changes and nothing is shown.
#include <string>

#include <windows.h>

namespace quickdex {

inline constexpr const char* RunKeyPath = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* AutoRunValueName = "quickdex";

class AutoRunSetting {
public:
    // `exePath` is the running executable's path as the system reports it.
    explicit AutoRunSetting(std::string exePath, HKEY root = HKEY_LOCAL_MACHINE, std::string keyPath = RunKeyPath)
        : exePath_(std::move(exePath)), root_(root), keyPath_(std::move(keyPath))
    {
    }

    // Both take the tick of the "AutoRun" item and change it.
    // A value of another type than text throws "Invalid data type for ...".
    void ReadAutoRunSetting(bool& ticked) const;
    // A refused write throws "Failed to set data for ..."; the tick stays.
    void ToggleAutoRun(bool& ticked) const;

private:
    std::string exePath_;
    HKEY root_;
    std::string keyPath_;
};

} // namespace quickdex
