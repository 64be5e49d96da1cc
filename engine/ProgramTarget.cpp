#include "engine/ProgramTarget.h"

#include "engine/BuiltInActions.h"

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

void StartOrFront(ISystemApi& system, const Tquickdex& binding)
{
    // Only a binding that asks for it looks for a running program.
    if (binding.IfRunning != IfRunningMode::Start && FrontIfRunning(system, binding.Action, binding.IfRunning))
        return;
    // A binding that says nothing of how its target starts hands the shell
    // its Action whole, as always.
    if (binding.HasLaunchOptions())
        LaunchWithOptions(system, binding);
    else
        ShellOpen(system, binding.Action);
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
