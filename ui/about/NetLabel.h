#pragma once
// A text label that is a link: under the mouse pointer it is underlined and
// painted in its hover colour; a click opens its link through the shell,
// after which it shows its visited colour.
#include "platform/win32/Handles.h"
#include "platform/win32/Window.h"
#include "ui/ProductInfo.h"

#include <functional>
#include <string>

namespace quickdex {

enum class THyperLink { hlHTTP, hlMail, hlTelnet, hlGopher, hlNews, hlFTP };

// "http://", "mailto:", ...
const char* HyperLinkPrefix(THyperLink kind);

inline constexpr const char* DefaultHyperLink = SupportMailAddress;

class TNetLabel final : public win32::Window {
public:
    TNetLabel(HWND parent, int x, int y, int width, int height, HFONT font);
    ~TNetLabel() override;

    THyperLink HyperLinkKind = THyperLink::hlMail;
    std::string HyperLink = DefaultHyperLink;
    COLORREF HLinkColor = 0xFF0000; // blue
    COLORREF VLinkColor = 0x800000; // navy
    COLORREF RestoreColor = 0;

    void SetCaption(const std::string& caption);
    std::string Caption() const { return win32::WindowText(Handle()); }
    void SetFontColor(COLORREF color);
    COLORREF FontColor() const { return color_; }
    bool Underlined() const { return underlined_; }

    // The label's own click event, run before the link is opened.
    std::function<void()> OnClick;
    // Opens a link: ShellExecuteA with the given owner; replaceable.
    std::function<void(HWND owner, const std::string& target)> Open;

    void MouseEnter();
    void MouseLeave();
    void Click();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void SetUnderline(bool on);

    COLORREF color_ = 0;
    bool underlined_ = false;
    bool tracking_ = false;
    bool pressed_ = false; // the left button went down on the label
    void SetFont(HFONT font);

    HFONT font_;
    win32::FontHandle underlineFont_;
};

} // namespace quickdex
