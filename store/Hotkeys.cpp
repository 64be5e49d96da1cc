#include "store/Hotkeys.h"

#include "store/Errors.h"

#include <climits>
#include <vector>

namespace quickdex {

void HotkeyTable::ClearKeys()
{
    for (Tquickdex& slot : slots_) {
        slot.Modifiers = 0;
        slot.Key = 0;
    }
}

std::string SectionName(int modifiers, int key)
{
    return std::to_string(modifiers) + "+" + std::to_string(key);
}

int StrToInt(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size())
        throw ConversionError(text);
    long long value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            throw ConversionError(text);
        value = value * 10 + (c - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            throw ConversionError(text);
    }
    if (negative)
        value = -value;
    if (value > INT_MAX || value < INT_MIN)
        throw ConversionError(text);
    return static_cast<int>(value);
}

int SplitSectionName(const std::string& name, int half)
{
    const auto plus = name.find('+');
    if (half == 1)
        return StrToInt(plus == std::string::npos ? std::string() : name.substr(0, plus));
    return StrToInt(plus == std::string::npos ? name : name.substr(plus + 1));
}

std::string ReadValue(IProfile& profile, const std::string& path, const std::string& section, const char* key,
                      const char* fallback)
{
    std::vector<char> buffer(ValueBufferSize, '\0');
    profile.GetString(section.c_str(), key, fallback, buffer.data(), ValueBufferSize, path.c_str());
    buffer.back() = '\0';
    return std::string(buffer.data());
}

void WriteValue(IProfile& profile, const std::string& path, const std::string& section, const char* key,
                const std::string& value)
{
    if (!profile.WriteString(section.c_str(), key, value.c_str(), path.c_str()))
        throw WriteError(path);
}

} // namespace quickdex
