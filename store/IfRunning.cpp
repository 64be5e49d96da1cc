#include "store/IfRunning.h"

#include "platform/portable/ProfileValue.h"

namespace quickdex {

std::optional<IfRunningMode> ParseIfRunning(std::string_view value)
{
    if (EqualNoCase(value, "front"))
        return IfRunningMode::Front;
    if (EqualNoCase(value, "toggle"))
        return IfRunningMode::Toggle;
    if (EqualNoCase(value, "cycle"))
        return IfRunningMode::Cycle;
    return std::nullopt;
}

const char* IfRunningText(IfRunningMode mode)
{
    switch (mode) {
    case IfRunningMode::Front:
        return "front";
    case IfRunningMode::Toggle:
        return "toggle";
    case IfRunningMode::Cycle:
        return "cycle";
    case IfRunningMode::Start:
        break;
    }
    return nullptr;
}

std::optional<WindowMode> ParseWindow(std::string_view value)
{
    if (EqualNoCase(value, "normal"))
        return WindowMode::Normal;
    if (EqualNoCase(value, "min"))
        return WindowMode::Min;
    if (EqualNoCase(value, "max"))
        return WindowMode::Max;
    return std::nullopt;
}

const char* WindowText(WindowMode mode)
{
    switch (mode) {
    case WindowMode::Min:
        return "min";
    case WindowMode::Max:
        return "max";
    case WindowMode::Normal:
        break;
    }
    return nullptr;
}

} // namespace quickdex
