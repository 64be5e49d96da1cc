#pragma once
// What a press does when the binding's program already runs, kept as the key
// "IfRunning" in the binding's own section, after Action, Hint and Sort:
//   IfRunning=front    bring its window to the front
//   IfRunning=toggle   bring it to the front, or minimise it when it is there
// No key (or a value that is neither) starts the target again, as always.
#include "platform/Profile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quickdex {

enum class IfRunningMode { Start, Front, Toggle };

inline constexpr const char* IfRunningKey = "IfRunning";

// "front" and "toggle", without regard to case; anything else is nothing.
std::optional<IfRunningMode> ParseIfRunning(std::string_view value);
// The stored text of a mode: "front", "toggle", or nullptr for Start (no key).
const char* IfRunningText(IfRunningMode mode);

// The mode a section's entries give, as GetSection lists them ("key=value"
// each followed by a zero byte, `length` characters): the first IfRunning
// key counts, its name compared without regard to case.
IfRunningMode IfRunningOfEntries(const char* entries, std::uint32_t length);

// For the load, which already holds the section's entries: `length`
// characters came back into a buffer of `size`. A section too long for that
// buffer is asked for the key alone.
IfRunningMode ReadIfRunning(IProfile& profile, const std::string& path, const std::string& section,
                            const char* entries, std::uint32_t length, std::uint32_t size);

// For the editor, after it wrote Action, Hint and Sort: writes the key, or
// deletes it for Start, so that a binding without the choice keeps the three
// keys of old. Throws WriteError when the file refuses.
void WriteIfRunning(IProfile& profile, const std::string& path, const std::string& section, IfRunningMode mode);

} // namespace quickdex
