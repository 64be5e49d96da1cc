#include "engine/ActionFunction.h"

namespace quickdex {
namespace {

constexpr std::uint32_t TokenAdjustPrivileges = 0x20;
constexpr std::uint32_t TokenQuery = 0x08;
constexpr std::uint32_t PrivilegeEnabled = 2;
constexpr std::uint32_t PlatformWin32Windows = 1;

void ExitWindowsWith(ISystemApi& system, unsigned flags)
{
    // 9x has no privileges to adjust.
    if (IsWin9xPlatform(system)) {
        system.RequestExitWindows(flags, 0);
        return;
    }
    SetShutdownPrivilege(system, true);
    system.RequestExitWindows(flags, 0);
    SetShutdownPrivilege(system, false);
}

} // namespace

void OpenCdDoor(ISystemApi& system)
{
    system.MciSendString(OpenCdDoorCommand);
}

void CloseCdDoor(ISystemApi& system)
{
    system.MciSendString(CloseCdDoorCommand);
}

bool IsWin9xPlatform(ISystemApi& system)
{
    const auto platform = system.VersionPlatformId();
    return platform && *platform == PlatformWin32Windows;
}

bool SetShutdownPrivilege(ISystemApi& system, bool enable)
{
    const auto token = system.OpenProcessToken(TokenAdjustPrivileges | TokenQuery);
    if (!token)
        return false;
    bool result = false;
    if (const auto luid = system.LookupPrivilege("SeShutdownPrivilege"))
        result = system.AdjustTokenPrivilege(*token, *luid, enable ? PrivilegeEnabled : 0);
    system.CloseHandle(*token);
    return result;
}

void ShutDownWindows(ISystemApi& system)
{
    ExitWindowsWith(system, ShutdownFlags);
}

void RestartWindows(ISystemApi& system)
{
    ExitWindowsWith(system, RestartFlags);
}

} // namespace quickdex
