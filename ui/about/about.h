#pragma once
// The About window: the banner, the version, the home page and mail links,
// the copyright. Shown modeless; the main window is disabled while it is open.
#include "app/Application.h"
#include "platform/win32/Window.h"
#include "ui/about/JpegDecode.h"
#include "ui/about/NetLabel.h"

#include <memory>

namespace quickdex {

class TAbout_Form final : public win32::Form {
public:
    explicit TAbout_Form(TApplication& application);
    ~TAbout_Form() override;

    // The window disabled while this one is open.
    void SetMainWindow(HWND mainWindow) { opener_ = mainWindow; }

    void FormShow() override;
    void FormClose() override;
    void BitBtn1Click();

    TNetLabel& HomePage_NetLabel() { return *homePage_; }
    TNetLabel& Mail_NetLabel() { return *mail_; }
    // The banner as decoded, and as the window draws it.
    const RgbImage& Banner() const { return banner_; }
    HBITMAP BannerBitmap() const { return bitmap_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void LoadBanner();
    void Paint(HDC dc);

    win32::FontHandle font_;
    std::unique_ptr<TNetLabel> homePage_;
    std::unique_ptr<TNetLabel> mail_;
    RgbImage banner_;
    HBITMAP bitmap_ = nullptr;
};

} // namespace quickdex
