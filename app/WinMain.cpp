// quickdex: system-wide hotkeys for the things you start all day.
#include "app/Application.h"
#include "platform/win32/Win32Platform.h"
#include "ui/main/main.h"

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    using namespace quickdex;
    TApplication application;
    application.SetTitle(ApplicationTitle);
    try {
        TMainForm mainForm(application, win32::ExeDir());
        return application.Run();
    } catch (const std::exception& e) {
        application.ShowException(e);
        return 1;
    }
}
