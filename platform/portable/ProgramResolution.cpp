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

bool EndsWithNoCase(std::string_view path, std::string_view end)
{
    return path.size() >= end.size() && EqualNoCase(path.substr(path.size() - end.size()), end);
}

// The file name's part after its last dot, when the name has one.
bool HasExtension(std::string_view path)
{
    const std::size_t name = path.find_last_of("\\/:");
    const std::size_t dot = path.rfind('.');
    return dot != std::string_view::npos && (name == std::string_view::npos || dot > name);
}

// The program an existing file is: itself, or what a shortcut starts.
std::optional<std::string> AsProgram(IProgramLookup& lookup, std::optional<std::string> file)
{
    if (file && EndsWithNoCase(*file, ".lnk")) {
        const std::optional<std::string> target = lookup.ShortcutTarget(*file);
        file = target && !target->empty() ? lookup.ExistingFile(*target) : std::nullopt;
    }
    if (!file || !IsProgramPath(*file))
        return std::nullopt;
    return file;
}

std::optional<std::string> ProgramFile(IProgramLookup& lookup, const std::optional<std::string>& candidate)
{
    if (!candidate || candidate->empty())
        return std::nullopt;
    std::optional<std::string> file = lookup.ExistingFile(*candidate);
    // A name without extension that is no file: the shell tries these
    // extensions in this order and starts the first that exists.
    if (!file && !HasExtension(*candidate)) {
        for (const char* extension : {".pif", ".com", ".exe", ".bat", ".lnk", ".cmd"})
            if ((file = lookup.ExistingFile(*candidate + extension)))
                break;
    }
    return AsProgram(lookup, file);
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
    // App Paths keys carry the extension the shell adds.
    const std::string registeredName = HasExtension(target) ? target : target + ".exe";
    if (std::optional<std::string> registered = ProgramFile(lookup, lookup.AppPath(registeredName)))
        return registered;
    return ProgramFile(lookup, lookup.FindOnSearchPath(target));
}

} // namespace quickdex
