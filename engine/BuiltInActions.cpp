#include "engine/BuiltInActions.h"

#include "engine/ActionFunction.h"

#include <array>
#include <string_view>

namespace quickdex {

void ShellOpen(ISystemApi& system, const std::string& target)
{
    system.ShellExecuteFile(target.c_str(), SwShowNormal);
}

bool BuiltInActions::Run(const std::string& action)
{
    if (action == "Close quickdex") {
        window_.CloseMainWindow();
        return true;
    }
    if (action == "Show quickdex") {
        window_.ShowMainWindow();
        return true;
    }
    if (action == "Shut Down") {
        ShutDownWindows(system_);
        return true;
    }
    if (action == "Restart") {
        RestartWindows(system_);
        return true;
    }
    if (action == "Close/Open CD-ROM") {
        // The drive is never asked: the flag alternates whatever happened.
        if (CDDoorOpen)
            CloseCdDoor(system_);
        else
            OpenCdDoor(system_);
        CDDoorOpen = !CDDoorOpen;
        return true;
    }

    struct Applet {
        std::string_view name;
        const char* commandLine;
    };
    static constexpr std::array<Applet, 5> applets = {{
        {"Control Panel", "rundll32 shell32,Control_RunDLL"},
        {"Add/Remove Programs", "rundll32.exe shell32.dll, Control_RunDLL Appwiz.cpl"},
        {"System Properties", "rundll32.exe shell32.dll, Control_RunDLL Sysdm.cpl"},
        {"Display Properties", "rundll32.exe shell32.dll, Control_RunDLL desk.cpl"},
        {"Date/Time Properties", "rundll32.exe shell32.dll, Control_RunDLL timedate.cpl"},
    }};
    for (const Applet& applet : applets) {
        if (action == applet.name) {
            system_.WinExec(applet.commandLine, SwShow);
            return true;
        }
    }
    return false;
}

} // namespace quickdex
