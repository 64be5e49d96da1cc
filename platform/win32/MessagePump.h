#pragma once
#include <windows.h>

namespace quickdex::win32 {

// Handles the messages waiting in this thread's queue, then returns. A quit
// message is left for the loop that ends the program.
void ProcessMessages();

} // namespace quickdex::win32
