#include "ui/main/AutoRun.h"

#include "store/Errors.h"

#include <memory>
#include <vector>

namespace quickdex {
namespace {

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using KeyHandle = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

KeyHandle OpenRunKey(HKEY root, const std::string& path)
{
    // A leading backslash names a path from the root.
    const char* relative = path.c_str();
    if (*relative == '\\')
        ++relative;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, relative, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return nullptr;
    return KeyHandle(key);
}

std::string ReadText(HKEY key, const char* name)
{
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return {}; // no value
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        throw AppError(std::string("Invalid data type for '") + name + "'");
    std::vector<char> data(size + 1, '\0');
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
        return {};
    return std::string(data.data()); // up to the first zero
}

} // namespace

void AutoRunSetting::ReadAutoRunSetting(bool& ticked) const
{
    KeyHandle key = OpenRunKey(root_, keyPath_);
    if (!key)
        return;
    const std::string value = ReadText(key.get(), AutoRunValueName);
    if (value.empty()) {
        ticked = false;
        return;
    }
    // A value naming another copy or an older place is replaced by this
    // executable's path. The tick comes after: ticked first, the toggle
    // would delete the value instead.
    if (value != exePath_)
        ToggleAutoRun(ticked);
    ticked = true;
}

void AutoRunSetting::ToggleAutoRun(bool& ticked) const
{
    KeyHandle key = OpenRunKey(root_, keyPath_);
    if (!key)
        return;
    if (ticked) {
        RegDeleteValueA(key.get(), AutoRunValueName);
        ticked = false;
        return;
    }
    const auto size = static_cast<DWORD>(exePath_.size() + 1); // with the terminating zero
    if (RegSetValueExA(key.get(), AutoRunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(exePath_.c_str()), size) !=
        ERROR_SUCCESS)
        throw AppError(std::string("Failed to set data for '") + AutoRunValueName + "'");
    ticked = true;
}

} // namespace quickdex
