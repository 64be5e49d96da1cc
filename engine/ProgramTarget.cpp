#include "engine/ProgramTarget.h"

namespace quickdex {

bool FrontIfRunning(ISystemApi& system, const std::string& target, IfRunningMode mode)
{
    if (mode == IfRunningMode::Start)
        return false;
    const std::optional<std::string> program = system.ResolveProgram(target);
    return program && system.BringToFront(*program, mode == IfRunningMode::Toggle);
}

} // namespace quickdex
