#pragma once
// Listens in on what the tray icon sends the shell (Shell_NotifyIconA), as
// the shell would take it: an add for an icon it holds is refused.
#include "ui/tray/CoolTrayIcon.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

namespace quickdex::test {

// Whether every pixel of an icon is grey: the stopped picture is the running
// badge in grey, the running one is many-coloured.
inline bool IconIsGrey(HICON icon)
{
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info))
        return false;
    BITMAP bitmap{};
    GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = bitmap.bmWidth;
    header.bmiHeader.biHeight = -bitmap.bmHeight;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(bitmap.bmWidth * bitmap.bmHeight));
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, info.hbmColor, 0, static_cast<UINT>(bitmap.bmHeight), pixels.data(), &header, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    int coloured = 0;
    for (std::uint32_t p : pixels) {
        const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        coloured += std::max({r, g, b}) - std::min({r, g, b}) > 40;
    }
    return coloured == 0;
}

class ShellRecorder {
public:
    struct Call {
        DWORD message;
        bool grey;
        std::string tip;
        DWORD size;
    };

    ShellRecorder()
    {
        TCoolTrayIcon::NotifyShell() = [this](DWORD message, NOTIFYICONDATAA& data) {
            calls.push_back({message, IconIsGrey(data.hIcon), data.szTip, data.cbSize});
            if (message == NIM_ADD) {
                if (refuseAdds > 0) { // not ready yet, as at logon
                    --refuseAdds;
                    return false;
                }
                if (holdsIcon)
                    return false;
                holdsIcon = true;
                return true;
            }
            if (message == NIM_DELETE)
                holdsIcon = false;
            return holdsIcon;
        };
    }
    ~ShellRecorder()
    {
        TCoolTrayIcon::NotifyShell() = [](DWORD message, NOTIFYICONDATAA& data) {
            return Shell_NotifyIconA(message, &data) != FALSE;
        };
    }
    ShellRecorder(const ShellRecorder&) = delete;
    ShellRecorder& operator=(const ShellRecorder&) = delete;

    // The picture the shell shows now: the last one it took.
    std::optional<bool> ShownGrey() const
    {
        for (auto it = calls.rbegin(); it != calls.rend(); ++it)
            if (it->message == NIM_ADD || it->message == NIM_MODIFY)
                return it->grey;
        return std::nullopt;
    }
    std::string Tip() const { return calls.empty() ? std::string() : calls.back().tip; }
    int Count(DWORD message) const
    {
        return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const Call& c) { return c.message == message; }));
    }

    std::vector<Call> calls;
    bool holdsIcon = false; // the shell's side: whether it holds our icon
    int refuseAdds = 0;     // adds the shell refuses before it takes one
};

} // namespace quickdex::test
