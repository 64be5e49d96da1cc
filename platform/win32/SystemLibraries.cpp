#include "platform/win32/SystemLibraries.h"

namespace quickdex::win32 {

void EnsureCom()
{
    using Initialize = HRESULT(WINAPI*)(LPVOID);
    static const bool started = [] {
        const auto initialize = LateBound<Initialize>("ole32.dll", "OleInitialize");
        return initialize && SUCCEEDED(initialize(nullptr));
    }();
    (void)started;
}

MciSendStringFunction MciSendString()
{
    static const auto function = LateBound<MciSendStringFunction>("winmm.dll", "mciSendStringA");
    return function;
}

OpenFileDialogFunction OpenFileDialog()
{
    static const auto function = LateBound<OpenFileDialogFunction>("comdlg32.dll", "GetOpenFileNameW");
    return function;
}

SessionNotificationFunction RegisterSessionNotes()
{
    static const auto function =
        LateBound<SessionNotificationFunction>("wtsapi32.dll", "WTSRegisterSessionNotification");
    return function;
}

SessionNotificationEndFunction UnregisterSessionNotes()
{
    static const auto function =
        LateBound<SessionNotificationEndFunction>("wtsapi32.dll", "WTSUnRegisterSessionNotification");
    return function;
}

} // namespace quickdex::win32
