#pragma once
// How a binding's program starts, and what a press does when it runs
// already: optional keys of the binding's section, after Action, Hint and
// Sort, each written only when set. A value the program does not know reads
// as no key, and stays in the file as it stands.
//   IfRunning=front    bring its window to the front
//   IfRunning=toggle   bring it to the front, or minimise it when it is there
//   IfRunning=cycle    bring its next window to the front when one is there
//   Arguments=text     the program is started with these arguments
//   StartIn=folder     the program starts in that folder
//   Window=min|max     the show command it is started with (normal without)
//   Admin=1            the program is started as administrator
// Without IfRunning a press starts the target again, as always.
#include <optional>
#include <string_view>

namespace quickdex {

enum class IfRunningMode { Start, Front, Toggle, Cycle };
enum class WindowMode { Normal, Min, Max };

inline constexpr const char* IfRunningKey = "IfRunning";
inline constexpr const char* ArgumentsKey = "Arguments";
inline constexpr const char* StartInKey = "StartIn";
inline constexpr const char* WindowKey = "Window";
inline constexpr const char* AdminKey = "Admin";

// "front", "toggle" and "cycle", without regard to case; anything else is nothing.
std::optional<IfRunningMode> ParseIfRunning(std::string_view value);
// The stored text of a mode, or nullptr for Start (no key).
const char* IfRunningText(IfRunningMode mode);

// "normal", "min" and "max", without regard to case; anything else is nothing.
std::optional<WindowMode> ParseWindow(std::string_view value);
// The stored text of a mode, or nullptr for Normal (no key).
const char* WindowText(WindowMode mode);

} // namespace quickdex
