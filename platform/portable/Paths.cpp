#include "platform/portable/Paths.h"

namespace quickdex {

std::string ExeDirOf(const std::string& modulePath)
{
    const auto sep = modulePath.find_last_of("\\/:");
    std::string dir = sep == std::string::npos ? std::string() : modulePath.substr(0, sep + 1);
    if (dir.empty() || dir.back() != '\\')
        dir += '\\';
    return dir;
}

} // namespace quickdex
