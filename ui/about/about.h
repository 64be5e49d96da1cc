#pragma once
// The About window: the banner, the version, the home page and mail links,
// the copyright. Shown modeless; the main window is disabled while it is open.
#include "ui/Application.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Window.h"
#include "ui/about/JpegDecode.h"
#include "ui/about/NetLabel.h"

#include <memory>

namespace quickdex {

class TAbout_Form final : public win32::Form {
public:
    explicit TAbout_Form(TApplication& application);

    // The window disabled while this one is open.
    void SetMainWindow(HWND mainWindow) { SetOpener(mainWindow); }

    void BitBtn1Click();

    TNetLabel& HomePage_NetLabel() { return *homePage_; }
    TNetLabel& Mail_NetLabel() { return *mail_; }
    // The banner as decoded (on the first showing).
    const RgbImage& Banner() const { return banner_; }

protected:
    // The banner is decoded when the window is first shown.
    void FormFirstShow() override;
    void OnCancel() override { BitBtn1Click(); }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void LoadBanner();
    void Paint(HDC dc);

    std::unique_ptr<TNetLabel> homePage_;
    std::unique_ptr<TNetLabel> mail_;
    RgbImage banner_;
    win32::BitmapHandle bitmap_;
};

} // namespace quickdex
