#pragma once
// What the program says of its hotkeys' states, in one place: the state text
// of a row, the row's info tip, the tray icon's tip and the editor's status
// line for the combination in its key field. Pure texts over the engine's
// table and states; what only a window knows (the row a slot is listed in,
// whether another program holds a combination) is handed in.
#include "engine/HotkeyEngine.h"

#include <functional>
#include <optional>
#include <string>

namespace quickdex {

// The row (from 0) that lists a slot, -1 when none does: the list's order
// follows its sorting, which only the window knows.
using RowOfSlot = std::function<int(int slot)>;
// Whether nothing on the system holds a combination: asked of the system by
// the editor's window, and only when the table does not answer.
using CombinationFree = std::function<bool(int modifiers, int key)>;
// What a key types with AltGr (Ctrl+Alt, and Shift with `shift`) on one of
// the keyboard layouts installed, in the program's code page: nothing when it
// types nothing on any of them, an empty text when the character cannot be
// shown. Asked of the system by the editor's window.
using AltGrText = std::function<std::optional<std::string>(int key, bool shift)>;

// Why a slot's hotkey does not work; empty while it works (or is empty).
std::string StateText(const HotkeyEngine& engine, int slot, const RowOfSlot& rowOf);

// The reason a hotkey does not work, then how a press starts the target
// ("Starts it as administrator, maximised, in C:\work."), then the binding's
// note, then what a press does when its program runs already, one to a line.
// `targetMissing`: the target was found nowhere (the window asks the system).
std::string InfoTip(const HotkeyEngine& engine, int slot, const RowOfSlot& rowOf, bool targetMissing = false);

// The tray icon's tip: empty while every hotkey that should work does.
std::string TrayTip(const HotkeyEngine& engine);

// The editor's status line for the combination the key field's value would
// be written as. `changing` is the identity of the binding being changed
// (null for an Add): holding the combination first, it is no conflict. A
// combination that is free but works against the user on Windows is said so.
std::string KeyStatus(const HotkeyEngine& engine, int modifiers, int key, const BindingId* changing,
                      const RowOfSlot& rowOf, const CombinationFree& isFree, const AltGrText& altGrText);

} // namespace quickdex
