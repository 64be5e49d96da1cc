#include "platform/portable/ProgramResolution.h"

#include "platform/portable/ProfileValue.h"

namespace quickdex {
namespace {

bool HasFolderPart(std::string_view target)
{
    return target.find_first_of("\\/") != std::string_view::npos ||
           (target.size() >= 2 && target[1] == ':'); // "C:tool.exe"
}

// "http://...", "mailto:...", "shell:...": a scheme of two or more
// characters before the first colon (one letter is a drive).
bool IsAddress(std::string_view target)
{
    const std::size_t colon = target.find(':');
    return colon != std::string_view::npos && colon >= 2 &&
           target.substr(0, colon).find_first_of("\\/") == std::string_view::npos;
}

std::optional<std::string> ProgramFile(IProgramLookup& lookup, const std::optional<std::string>& candidate)
{
    if (!candidate || candidate->empty())
        return std::nullopt;
    std::optional<std::string> file = lookup.ExistingFile(*candidate);
    if (!file || !IsProgramPath(*file))
        return std::nullopt;
    return file;
}

} // namespace

bool IsProgramPath(std::string_view path)
{
    if (path.size() < 4)
        return false;
    const std::string_view extension = path.substr(path.size() - 4);
    return EqualNoCase(extension, ".exe") || EqualNoCase(extension, ".com");
}

std::optional<std::string> ResolveProgramTarget(const std::string& target, IProgramLookup& lookup)
{
    if (target.empty() || IsAddress(target))
        return std::nullopt;
    if (HasFolderPart(target))
        return ProgramFile(lookup, target);
    // A bare name: the shell looks in App Paths first, then on the search path.
    if (std::optional<std::string> registered = ProgramFile(lookup, lookup.AppPath(target)))
        return registered;
    return ProgramFile(lookup, lookup.FindOnSearchPath(target));
}

} // namespace quickdex
