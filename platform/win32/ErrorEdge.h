#pragma once
// Where errors stop. A command that fails raises an exception; it must never
// cross into the system (a window procedure, a hook, a callback), so each of
// those catches it here and the application's standard error box shows it.
#include <exception>
#include <functional>

namespace quickdex::win32 {

// Shows an error that reached the edge; the application sets it.
void SetErrorHandler(std::function<void(const std::exception&)> handler);
void ReportError(const std::exception& error);

// Runs `action`, and reports any error it raises instead of letting it go on.
template <typename F>
void Guarded(F&& action)
{
    try {
        action();
    } catch (const std::exception& e) {
        ReportError(e);
    }
}

} // namespace quickdex::win32
