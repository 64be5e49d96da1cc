#pragma once
// The press of a binding that asks to bring a program that runs already to
// the front. Documents, folders, addresses and built-in action names are
// opened as always, whatever the binding's IfRunning says.
#include "platform/SystemApi.h"
#include "platform/portable/ProgramResolution.h"
#include "store/IfRunning.h"

#include <string>

namespace quickdex {

// A press of a binding with IfRunning front or toggle: when the target is a
// program with a window, brings it to the front (or minimises it) and
// returns true; false when the target is to be opened as always.
bool FrontIfRunning(ISystemApi& system, const std::string& target, IfRunningMode mode);

} // namespace quickdex
