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

    // rundll32 from the system folder by full path: by bare name, the
    // system would look in quickdex's own folder first.
    struct Applet {
        std::string_view name;
        const char* arguments;
    };
    static constexpr std::array<Applet, 5> applets = {{
        {"Control Panel", "shell32,Control_RunDLL"},
        {"Add/Remove Programs", "shell32.dll, Control_RunDLL Appwiz.cpl"},
        {"System Properties", "shell32.dll, Control_RunDLL Sysdm.cpl"},
        {"Display Properties", "shell32.dll, Control_RunDLL desk.cpl"},
        {"Date/Time Properties", "shell32.dll, Control_RunDLL timedate.cpl"},
    }};
    for (const Applet& applet : applets) {
        if (action == applet.name) {
            const std::string commandLine =
                "\"" + system_.SystemFolder() + "rundll32.exe\" " + std::string(applet.arguments);
            system_.WinExec(commandLine.c_str(), SwShow);
            return true;
        }
    }
    return false;
}

} // namespace quickdex
