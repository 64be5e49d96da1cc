#pragma once
// The ten built-in action names and the shell open of every other target.
#include "platform/SystemApi.h"

#include <array>
#include <string>
#include <string_view>

namespace quickdex {

// The ten names a binding's Action is matched against, exactly (case and
// blanks count); every other text is opened through the shell.
inline constexpr std::array<std::string_view, 10> BuiltInActionNames = {
    "Close quickdex",  "Show quickdex",       "Shut Down",         "Restart",
    "Close/Open CD-ROM", "Control Panel",     "Add/Remove Programs", "System Properties",
    "Display Properties", "Date/Time Properties"};

inline bool IsBuiltInActionName(std::string_view action)
{
    for (std::string_view name : BuiltInActionNames)
        if (action == name)
            return true;
    return false;
}

// What the actions that concern the program itself do; the main window
// provides them.
class IProgramWindow {
public:
    virtual ~IProgramWindow() = default;
    virtual void CloseMainWindow() = 0; // as the Exit command
    virtual void ShowMainWindow() = 0;  // as the tray menu's Show
};

inline constexpr int SwShowNormal = 1;
inline constexpr int SwShow = 5;

// ShellExecuteA of the text, whole, with the default verb and a normal window.
void ShellOpen(ISystemApi& system, const std::string& target);

class BuiltInActions {
public:
    BuiltInActions(ISystemApi& system, IProgramWindow& window) : system_(system), window_(window) {}

    // Performs the action named exactly (case and blanks count) by `action`
    // and returns true; returns false for any other text.
    bool Run(const std::string& action);

    // Which CD door command comes next: false opens, true closes.
    bool CDDoorOpen = false;

private:
    ISystemApi& system_;
    IProgramWindow& window_;
};

} // namespace quickdex
