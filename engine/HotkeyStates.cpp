#include "engine/HotkeyStates.h"

#include "engine/BuiltInActions.h"
#include "platform/portable/ProfileValue.h"
#include "store/Errors.h"
#include "store/KeyNames.h"

#include <string_view>

namespace quickdex {
namespace {

// How a press starts the target, in words; empty when the binding says
// nothing of it (or names a built-in action, which ignores it).
std::string LaunchText(const Tquickdex& binding)
{
    if (!binding.HasLaunchOptions() || IsBuiltInActionName(binding.Action))
        return {};
    std::string text;
    auto part = [&text](const std::string& words) { text += (text.empty() ? "Starts it " : ", ") + words; };
    if (!binding.Arguments.empty())
        part("with " + binding.Arguments);
    if (binding.Admin)
        part("as administrator");
    if (binding.Window == WindowMode::Min)
        part("minimised");
    if (binding.Window == WindowMode::Max)
        part("maximised");
    if (!binding.StartIn.empty())
        part("in " + binding.StartIn);
    return text + ".";
}

// The Calculator of Windows 10 and 11 is a packaged program: calc.exe starts
// it and ends, and its window belongs to the system's frame host, so no
// window of calc.exe is ever found.
bool RunsInTheSystemsFrame(std::string_view action)
{
    const std::size_t name = action.find_last_of("\\/");
    return EqualNoCase(name == std::string_view::npos ? action : action.substr(name + 1), "calc.exe");
}

} // namespace

namespace {

constexpr int KeyF12 = 123;

// Why a free combination still works against the user on Windows; empty
// when nothing does.
std::string Caution(int modifiers, int key, const std::string& combination, const AltGrText& altGrText)
{
    // Windows keeps F12 for a debugger, also when none runs yet.
    if (modifiers == 0 && key == KeyF12)
        return "F12 alone is reserved by Windows for debuggers; choose another key.";
    // Without Ctrl, Alt or Win, the system does not hand the press on while
    // a program of a higher integrity level has the keyboard.
    if ((modifiers & ~modflag::Shift) == 0)
        return combination + " is free, but not while an admin program is in front.";
    // Ctrl+Alt is what AltGr sends: a character of a layout would be lost.
    constexpr int ctrlAlt = modflag::Ctrl | modflag::Alt;
    if ((modifiers & (ctrlAlt | modflag::Win)) == ctrlAlt && altGrText) {
        if (const std::optional<std::string> typed = altGrText(key, (modifiers & modflag::Shift) != 0)) {
            if (typed->empty())
                return combination + " is free, but types a character on an installed layout.";
            return combination + " is free, but types \"" + *typed + "\" on an installed layout.";
        }
    }
    return {};
}

} // namespace

std::string StateText(const HotkeyEngine& engine, int slot, const RowOfSlot& rowOf)
{
    const SlotStatus status = engine.StatusOf(slot);
    const Tquickdex& binding = engine.Hotkeys[slot];
    const std::string combination = HotkeyCaption(binding.Modifiers, binding.Key);
    switch (status.state) {
    case SlotState::HeldElsewhere:
        return combination + " is in use by another program.";
    case SlotState::SameAsEarlier:
        return "Same hotkey as row " + std::to_string(rowOf(status.earlierSlot) + 1) + " (" + combination +
               "): the first one wins.";
    case SlotState::Stopped:
        return "The hotkeys are stopped.";
    default:
        return {};
    }
}

std::string InfoTip(const HotkeyEngine& engine, int slot, const RowOfSlot& rowOf, bool targetMissing)
{
    if (slot == 0)
        return {};
    std::string tip;
    auto line = [&tip](const std::string& text) {
        if (!text.empty())
            tip += (tip.empty() ? "" : "\r\n") + text;
    };
    const Tquickdex& binding = engine.Hotkeys[slot];
    line(StateText(engine, slot, rowOf));
    if (targetMissing)
        line(binding.Action + " cannot be found on this computer: a press opens nothing.");
    line(LaunchText(binding));
    line(binding.Hint);
    switch (binding.IfRunning) {
    case IfRunningMode::Front:
        line("Brings a running copy to the front.");
        break;
    case IfRunningMode::Toggle:
        line("Brings a running copy to the front, or minimises it when it is in front.");
        break;
    case IfRunningMode::Cycle:
        line("Brings a running copy to the front, or its next window when one is in front.");
        break;
    case IfRunningMode::Start:
        break;
    }
    if (binding.IfRunning != IfRunningMode::Start && RunsInTheSystemsFrame(binding.Action))
        line("On Windows 10 and 11 the Calculator runs in a window of the system's: each press starts it again.");
    return tip;
}

std::string TrayTip(const HotkeyEngine& engine)
{
    const int refused = engine.RefusedCount();
    if (refused == 0)
        return {};
    return "quickdex: " + std::to_string(refused) + " of " + std::to_string(engine.BoundCount()) +
           " hotkeys are not active";
}

std::string KeyStatus(const HotkeyEngine& engine, int modifiers, int key, const BindingId* changing,
                      const RowOfSlot& rowOf, const CombinationFree& isFree, const AltGrText& altGrText)
{
    if (key == 0)
        return {};
    const std::string combination = HotkeyCaption(modifiers, key);
    // Bound already: the first binding in the file with it holds it.
    const int holder = engine.SlotHolding(modifiers, key);
    if (holder != 0 && changing && engine.Hotkeys.IdOf(holder) == *changing)
        return combination + " is this binding's own hotkey.";
    if (holder != 0)
        return combination + " is already bound in quickdex: row " + std::to_string(rowOf(holder) + 1) + " (" +
               engine.Hotkeys[holder].Action + ").";
    // Held by another program: the program's own hotkeys stand aside while
    // the field is typed in, and the table answered for them above.
    if (isFree(modifiers, key)) {
        const std::string caution = Caution(modifiers, key, combination, altGrText);
        return caution.empty() ? combination + " is free." : caution;
    }
    return combination + " is in use by another program; it will be listed as not active.";
}

} // namespace quickdex
