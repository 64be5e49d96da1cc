#include "platform/portable/ProgramResolution.h"

#include "platform/portable/ProfileValue.h"

namespace quickdex {
namespace {

// The extensions the shell tries, in its order, for a name without one.
constexpr const char* TriedExtensions[] = {".pif", ".com", ".exe", ".bat", ".lnk", ".cmd"};

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
        for (const char* extension : TriedExtensions)
            if ((file = lookup.ExistingFile(*candidate + extension)))
                break;
    }
    return AsProgram(lookup, file);
}

// "C:\..." or "C:/...": a full path with a drive letter.
bool IsDrivePath(std::string_view target)
{
    const auto letter = static_cast<unsigned char>(target.empty() ? 0 : target[0]);
    return target.size() >= 3 && ((letter | 0x20) >= 'a' && (letter | 0x20) <= 'z') && target[1] == ':' &&
           (target[2] == '\\' || target[2] == '/');
}

bool ExistsAsTheShellTries(ITargetPlaces& places, const std::string& path)
{
    if (places.Exists(path))
        return true;
    if (HasExtension(path))
        return false;
    for (const char* extension : TriedExtensions)
        if (places.Exists(path + extension))
            return true;
    return false;
}

std::string InFolder(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/')
        return folder + "\\" + name;
    return folder + name;
}

} // namespace

bool TargetKnownMissing(const std::string& target, ITargetPlaces& places)
{
    if (target.empty() || IsAddress(target) || target.front() == '"' || target.find('%') != std::string::npos)
        return false;
    if (HasFolderPart(target)) {
        // "\\server\share\..." and relative paths are left alone: the one
        // may wait on the network, the other depends on the current folder.
        if (!IsDrivePath(target) || !places.OnLocalDisk(target))
            return false;
        return !ExistsAsTheShellTries(places, target);
    }
    // A bare name: App Paths first, then the search folders.
    const std::string registeredName = HasExtension(target) ? target : target + ".exe";
    if (const std::optional<std::string> registered = places.AppPath(registeredName);
        registered && !registered->empty()) {
        if (!IsDrivePath(*registered) || !places.OnLocalDisk(*registered) || places.Exists(*registered))
            return false;
    }
    for (const std::string& folder : places.SearchFolders()) {
        if (folder.empty())
            continue;
        // A folder on a server: whether it holds the name is not asked.
        if (!IsDrivePath(folder) || !places.OnLocalDisk(folder))
            return false;
        if (ExistsAsTheShellTries(places, InFolder(folder, target)))
            return false;
    }
    return true;
}

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
