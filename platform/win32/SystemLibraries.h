#pragma once
// The system calls the program loads on first use rather than at start-up
// (it starts faster and smaller without the libraries of what a session may
// never do), by the names it uses. Each is null when the library or the
// function is missing.
#include <windows.h>

#include <commdlg.h>

namespace quickdex::win32 {

using MciSendStringFunction = DWORD(WINAPI*)(LPCSTR command, LPSTR answer, UINT length, HWND notify);
using OpenFileDialogFunction = BOOL(WINAPI*)(LPOPENFILENAMEW dialog);
using SessionNotificationFunction = BOOL(WINAPI*)(HWND window, DWORD flags);
using SessionNotificationEndFunction = BOOL(WINAPI*)(HWND window);

// COM for the calling thread, started before the first call that needs it
// (the shell's launches, its file and folder dialogs) instead of at start-up,
// which then loads none of its libraries.
void EnsureCom();

// COM for a thread of the program's own that is not the window's (a launch
// worker), for as long as this lives: a single-threaded apartment, as the
// shell asks of a thread that starts files.
class ThreadApartment {
public:
    ThreadApartment();
    ~ThreadApartment();
    ThreadApartment(const ThreadApartment&) = delete;
    ThreadApartment& operator=(const ThreadApartment&) = delete;

private:
    bool started_ = false;
};

// A function of a system library that is loaded on its first use rather than
// at start-up: the program starts faster and smaller without the libraries
// of what a session may never do (the CD door, the file dialog). Null when
// the library or the function is missing.
template <class Function>
Function LateBound(const char* library, const char* name)
{
    HMODULE module = GetModuleHandleA(library);
    if (!module)
        module = LoadLibraryExA(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32); // from the system folder only; kept
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

MciSendStringFunction MciSendString();             // winmm: the CD door
OpenFileDialogFunction OpenFileDialog();           // comdlg32: the editor's file button
SessionNotificationFunction RegisterSessionNotes(); // wtsapi32: the session was unlocked
SessionNotificationEndFunction UnregisterSessionNotes();

} // namespace quickdex::win32
