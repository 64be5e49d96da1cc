#pragma once
// The machine-control routines behind the built-in actions. Every result of
// the system is discarded by the callers: launches are fire-and-forget.
#include "platform/SystemApi.h"

namespace quickdex {

inline constexpr const char* OpenCdDoorCommand = "Set  cdaudio  door  open  wait";
inline constexpr const char* CloseCdDoorCommand = "Set  cdaudio  door  closed  wait";

inline constexpr unsigned ShutdownFlags = 9; // EWX_SHUTDOWN | EWX_POWEROFF
inline constexpr unsigned RestartFlags = 2;  // EWX_REBOOT

void OpenCdDoor(ISystemApi& system);
void CloseCdDoor(ISystemApi& system);
bool IsWin9xPlatform(ISystemApi& system);
bool SetShutdownPrivilege(ISystemApi& system, bool enable);
void ShutDownWindows(ISystemApi& system);
void RestartWindows(ISystemApi& system);

} // namespace quickdex
