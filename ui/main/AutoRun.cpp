#include "ui/main/AutoRun.h"

#include "platform/win32/Text.h"

#include "store/Errors.h"

#include <memory>
#include <vector>

namespace quickdex {
namespace {

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using KeyHandle = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

// A leading backslash names a path from the root.
const char* Relative(const std::string& path)
{
    return path.c_str() + (path.starts_with('\\') ? 1 : 0);
}

KeyHandle OpenKey(const RunKeys& keys, HKEY root, const std::string& path, REGSAM access)
{
    HKEY key = nullptr;
    const LSTATUS status = keys.open ? keys.open(root, Relative(path), access, &key)
                                     : RegOpenKeyExA(root, Relative(path), 0, access, &key);
    return status == ERROR_SUCCESS ? KeyHandle(key) : nullptr;
}

std::string ReadText(HKEY key, const char* name)
{
    DWORD type = 0;
    DWORD size = 0;
    // The wide calls: the exe's path in any script.
    const std::wstring wideName = win32::Wide(name);
    if (RegQueryValueExW(key, wideName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return {}; // no value
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        throw AppError(std::string("Invalid data type for '") + name + "'");
    std::vector<wchar_t> data(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key, wideName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
        ERROR_SUCCESS)
        return {};
    return win32::Utf8(data.data()); // up to the first zero
}

// A command's program: the text in quotes, or the whole text without them.
std::string ProgramOf(const std::string& command)
{
    if (command.starts_with('"')) {
        const std::size_t end = command.find('"', 1);
        return command.substr(1, end == std::string::npos ? std::string::npos : end - 1);
    }
    return command;
}

} // namespace

AutoRunSetting::AutoRunSetting(std::string exePath, RunKeys keys) : exePath_(std::move(exePath)), keys_(std::move(keys))
{
}

std::string AutoRunSetting::RunCommand() const
{
    return '"' + exePath_ + '"';
}

bool AutoRunSetting::MachineValueNamesThisExe() const
{
    const KeyHandle key = OpenKey(keys_, keys_.machineRoot, keys_.machinePath, KEY_QUERY_VALUE);
    if (!key)
        return false;
    // Windows takes a path in any case of letters.
    return lstrcmpiW(win32::Wide(ProgramOf(ReadText(key.get(), AutoRunValueName))).c_str(),
                     win32::Wide(exePath_).c_str()) == 0;
}

void AutoRunSetting::ReadAutoRunSetting(bool& ticked) const
{
    std::string value;
    if (const KeyHandle key = OpenKey(keys_, keys_.userRoot, keys_.userPath, KEY_QUERY_VALUE))
        value = ReadText(key.get(), AutoRunValueName);
    if (!value.empty()) {
        // A value naming another copy, an older place, or the path without
        // its quotes is replaced by this executable's command. The tick
        // comes after: ticked first, the toggle would delete the value.
        if (value != RunCommand()) {
            ticked = false;
            ToggleAutoRun(ticked);
        }
        ticked = true;
        return;
    }
    ticked = MachineValueNamesThisExe();
}

bool AutoRunSetting::ToggleAutoRun(bool& ticked) const
{
    if (ticked) {
        if (const KeyHandle key = OpenKey(keys_, keys_.userRoot, keys_.userPath, KEY_SET_VALUE))
            RegDeleteValueA(key.get(), AutoRunValueName);
        // An older setting for every user of the machine: removed when the
        // system lets this user change it, else it stays, and so does the tick.
        if (MachineValueNamesThisExe()) {
            const KeyHandle machine = OpenKey(keys_, keys_.machineRoot, keys_.machinePath, KEY_SET_VALUE);
            if (!machine || RegDeleteValueA(machine.get(), AutoRunValueName) != ERROR_SUCCESS)
                return false;
        }
        ticked = false;
        return true;
    }
    // The user's Run key is missing from a new profile: it is made.
    HKEY created = nullptr;
    if (RegCreateKeyExA(keys_.userRoot, Relative(keys_.userPath), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created,
                        nullptr) != ERROR_SUCCESS)
        throw AppError(std::string("Failed to set data for '") + AutoRunValueName + "'");
    const KeyHandle key(created);
    const std::wstring command = win32::Wide(RunCommand());
    const auto size = static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)); // with the terminating zero
    if (RegSetValueExW(key.get(), win32::Wide(AutoRunValueName).c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(command.c_str()), size) != ERROR_SUCCESS)
        throw AppError(std::string("Failed to set data for '") + AutoRunValueName + "'");
    ticked = true;
    return true;
}

} // namespace quickdex
