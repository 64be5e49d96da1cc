#pragma once
// A press of a binding whose target is to start as the binding says: with
// its arguments, in its folder, with its window, as administrator; and a
// press that asks to bring a program that runs already to the front.
// Documents, folders, addresses and built-in action names are opened as
// always, whatever the binding's IfRunning says.
#include "platform/SystemApi.h"
#include "platform/portable/ProgramResolution.h"
#include "store/Hotkeys.h"

#include <string>

namespace quickdex {

// The show commands a binding's Window asks for. A program started
// minimised does not take the focus from the window the user works in, as
// a shortcut set to start minimised does.
inline constexpr int SwShowMaximized = 3;
inline constexpr int SwShowMinNoActive = 7;
int ShowCommandOf(WindowMode window);

// A press of a binding with IfRunning front, toggle or cycle: when the
// target is a program with a window, brings it to the front (or minimises
// it, or brings its next window) and returns true; false when the target is
// to be opened as always.
bool FrontIfRunning(ISystemApi& system, const std::string& target, IfRunningMode mode);

// A press of a binding that is no built-in action: brings its program to the
// front when the binding asks for that and it runs, else starts the target
// as the binding says. Waits on the disk (and the network): never on the
// window's thread.
void StartOrFront(ISystemApi& system, const Tquickdex& binding);

// Starts a binding's target with its launch options: the Action as the
// file, the Arguments and the StartIn folder with %NAME% expanded, the show
// command of Window, the verb "runas" for Admin. A refused consent prompt
// is the user's answer and ends it; a target whose type knows no "runas"
// (a document, an address) is opened with its own verb instead.
void LaunchWithOptions(ISystemApi& system, const Tquickdex& binding);

} // namespace quickdex
