#include "platform/win32/HotkeyRepeat.h"

#include <algorithm>

namespace quickdex::win32 {
namespace {

// Often enough that a second press soon after the first is not taken for a
// repeat; a key repeats at most about 30 times a second.
constexpr UINT LookInterval = 30;

bool KeyDown(UINT key)
{
    return (GetAsyncKeyState(static_cast<int>(key)) & 0x8000) != 0;
}

} // namespace

HotkeyRepeatLatch::~HotkeyRepeatLatch()
{
    if (!held_.empty())
        KillTimer(window_, timerId_);
}

bool HotkeyRepeatLatch::Accept(LPARAM lParam)
{
    const UINT key = HIWORD(lParam);
    if (std::find(held_.begin(), held_.end(), key) != held_.end())
        return false;
    held_.push_back(key);
    SetTimer(window_, timerId_, LookInterval, nullptr);
    return true;
}

bool HotkeyRepeatLatch::OnTimer(WPARAM timerId)
{
    if (timerId != timerId_)
        return false;
    std::erase_if(held_, [](UINT key) { return !KeyDown(key); });
    if (held_.empty())
        KillTimer(window_, timerId_);
    return true;
}

} // namespace quickdex::win32
