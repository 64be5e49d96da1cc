#pragma once
// What a press does when the binding's program already runs, kept as the key
// "IfRunning" in the binding's own section, after Action, Hint and Sort:
//   IfRunning=front    bring its window to the front
//   IfRunning=toggle   bring it to the front, or minimise it when it is there
// No key (or a value that is neither) starts the target again, as always.
#include <optional>
#include <string_view>

namespace quickdex {

enum class IfRunningMode { Start, Front, Toggle };

inline constexpr const char* IfRunningKey = "IfRunning";

// "front" and "toggle", without regard to case; anything else is nothing.
std::optional<IfRunningMode> ParseIfRunning(std::string_view value);
// The stored text of a mode: "front", "toggle", or nullptr for Start (no key).
const char* IfRunningText(IfRunningMode mode);

} // namespace quickdex
