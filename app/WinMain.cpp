// quickdex: system-wide hotkeys for the things you start all day.
#include "ui/Application.h"
#include "app/SingleInstance.h"
#include "platform/win32/Win32Platform.h"
#include "ui/about/about.h"
#include "ui/dialogs/AddOrChange.h"
#include "ui/dialogs/DoList.h"
#include "ui/dialogs/Sort.h"
#include "ui/main/main.h"

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Libraries loaded by name come from the system folder only, never from
    // the program's own (a Downloads folder, a share), where Windows would
    // look first. Windows 7 has the call only with its update KB2533623.
    using DllDirectories = BOOL(WINAPI*)(DWORD);
    if (const auto restrict = reinterpret_cast<DllDirectories>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories"))))
        restrict(LOAD_LIBRARY_SEARCH_SYSTEM32);

    using namespace quickdex;
    const std::string exeDir = win32::ExeDir();
    // A second start from the same folder would hold none of the hotkeys the
    // first holds: it shows the running copy instead.
    const SingleInstance instance(exeDir);
    if (instance.AlreadyRunning()) {
        instance.ShowRunningCopy();
        return 0;
    }

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    TApplication application;
    application.SetTitle(ApplicationTitle);
    int result = 1;
    try {
        TAbout_Form about(application);
        TMainForm mainForm(application, exeDir);
        instance.Claim(mainForm.Handle());
        mainForm.OnDestroy = [&instance, &mainForm] { instance.Release(mainForm.Handle()); };
        about.SetMainWindow(mainForm.Handle());
        mainForm.OnShowAbout = [&about] { about.Show(); };
        TAddOrChange_Form editor(application, mainForm, exeDir);
        TDoList_Form chooser(application, editor.Handle(), editor.Path_LabEdit(), editor.Hint_LabEdit());
        TSort_Form sortForm(application, mainForm.Handle(), exeDir);
        TAddOrChangeSort_Form sortName(application, sortForm);
        mainForm.SetEditor(&editor);
        editor.SetChooser(&chooser);
        sortForm.SetNameDialog(&sortName);
        mainForm.OnEditSort = [&sortForm] { sortForm.Show(); };
        result = application.Run();
    } catch (const std::exception& e) {
        application.ShowException(e);
    }
    return result;
}
