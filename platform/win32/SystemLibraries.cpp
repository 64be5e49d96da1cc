#include "platform/win32/SystemLibraries.h"

#include <objbase.h>

#include <utility>

namespace quickdex::win32 {

namespace {
// COM is started once per thread: the launch workers have their own.
thread_local bool comAsked = false;
} // namespace

void EnsureCom()
{
    using Initialize = HRESULT(WINAPI*)(LPVOID);
    if (std::exchange(comAsked, true))
        return;
    static const auto initialize = LateBound<Initialize>("ole32.dll", "OleInitialize");
    if (initialize)
        initialize(nullptr);
}

ThreadApartment::ThreadApartment()
{
    using Initialize = HRESULT(WINAPI*)(LPVOID, DWORD);
    static const auto initialize = LateBound<Initialize>("ole32.dll", "CoInitializeEx");
    comAsked = true;
    started_ = initialize && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

ThreadApartment::~ThreadApartment()
{
    using Uninitialize = void(WINAPI*)();
    static const auto uninitialize = LateBound<Uninitialize>("ole32.dll", "CoUninitialize");
    if (started_ && uninitialize)
        uninitialize();
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
