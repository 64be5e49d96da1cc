#include "platform/win32/SessionNotes.h"

#include "platform/win32/SystemLibraries.h"

namespace quickdex::win32 {
namespace {

constexpr DWORD ThisSessionOnly = 0; // NOTIFY_FOR_THIS_SESSION
// The services come up within seconds of the logon; a retry this often
// costs nothing meanwhile.
constexpr UINT RetryInterval = 2000;

} // namespace

SessionNotes::Calls& SessionNotes::SystemCalls()
{
    static Calls calls{
        [](HWND window, DWORD flags) {
            const auto registerNotes = RegisterSessionNotes();
            return registerNotes && registerNotes(window, flags) != FALSE;
        },
        [](HWND window) {
            const auto unregisterNotes = UnregisterSessionNotes();
            return unregisterNotes && unregisterNotes(window) != FALSE;
        },
    };
    return calls;
}

SessionNotes::~SessionNotes()
{
    KillTimer(window_, timerId_);
    if (registered_)
        SystemCalls().unregisterNotes(window_);
}

void SessionNotes::Register()
{
    registered_ = SystemCalls().registerNotes(window_, ThisSessionOnly);
    if (registered_)
        KillTimer(window_, timerId_);
    else
        SetTimer(window_, timerId_, RetryInterval, nullptr);
}

bool SessionNotes::OnTimer(WPARAM timerId)
{
    if (timerId != timerId_)
        return false;
    if (registered_)
        KillTimer(window_, timerId_);
    else
        Register();
    return true;
}

} // namespace quickdex::win32
