#include "engine/ProgramTarget.h"

namespace quickdex {

int ShowCommandOf(WindowMode window)
{
    switch (window) {
    case WindowMode::Min:
        return SwShowMinNoActive;
    case WindowMode::Max:
        return SwShowMaximized;
    case WindowMode::Normal:
        break;
    }
    return 1; // SW_SHOWNORMAL
}

bool FrontIfRunning(ISystemApi& system, const std::string& target, IfRunningMode mode)
{
    if (mode == IfRunningMode::Start)
        return false;
    const std::optional<std::string> program = system.ResolveProgram(target);
    if (!program)
        return false;
    const FrontMode front = mode == IfRunningMode::Toggle  ? FrontMode::Toggle
                            : mode == IfRunningMode::Cycle ? FrontMode::Cycle
                                                           : FrontMode::Front;
    return system.BringToFront(*program, front);
}

void LaunchWithOptions(ISystemApi& system, const Tquickdex& binding)
{
    // Only what is set is asked of the system: an empty text expands to
    // nothing anyway.
    auto expanded = [&system](const std::string& text) { return text.empty() ? text : system.ExpandEnvironment(text); };
    LaunchRequest request{.file = binding.Action,
                          .parameters = expanded(binding.Arguments),
                          .directory = expanded(binding.StartIn),
                          .verb = binding.Admin ? "runas" : nullptr,
                          .showMode = ShowCommandOf(binding.Window)};
    if (system.Launch(request) == LaunchOutcome::NoSuchVerb && request.verb) {
        request.verb = nullptr;
        system.Launch(request);
    }
}

} // namespace quickdex
