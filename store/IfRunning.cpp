#include "store/IfRunning.h"

#include "platform/portable/ProfileValue.h"

namespace quickdex {

std::optional<IfRunningMode> ParseIfRunning(std::string_view value)
{
    if (EqualNoCase(value, "front"))
        return IfRunningMode::Front;
    if (EqualNoCase(value, "toggle"))
        return IfRunningMode::Toggle;
    return std::nullopt;
}

const char* IfRunningText(IfRunningMode mode)
{
    switch (mode) {
    case IfRunningMode::Front:
        return "front";
    case IfRunningMode::Toggle:
        return "toggle";
    case IfRunningMode::Start:
        break;
    }
    return nullptr;
}

} // namespace quickdex
