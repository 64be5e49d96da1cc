#pragma once
// One running copy per folder: a second start of quickdex.exe from the same
// folder (the same hotkey.ini) brings the running copy's main window to the
// front and ends, however the folder was reached. A copy in another folder,
// with its own bindings, runs.
#include <cstdint>
#include <functional>
#include <string>

#include <windows.h>

namespace quickdex {

class SingleInstance {
public:
    // CreateMutexA for the guard of that name, unless a test stands in for
    // the system's answers.
    using CreateGuard = std::function<HANDLE(const char* name)>;

    // `exeDir` names the folder the copy runs from.
    explicit SingleInstance(const std::string& exeDir, const CreateGuard& createGuard = {});
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Another copy from this folder runs already.
    bool AlreadyRunning() const { return alreadyRunning_; }
    // Asks the running copy to show its main window.
    void ShowRunningCopy() const;
    // Marks `mainWindow` as this folder's copy, for the next start to find,
    // and lets that start's message through from a lower integrity level.
    void Claim(HWND mainWindow) const;
    // Takes the mark off again, while the window is being destroyed: a
    // property named by a string holds a global atom until it is removed.
    void Release(HWND mainWindow) const;

private:
    std::string key_;       // the folder's identity, as text
    std::uint64_t folder_; // the same, short, in the window's property
    HANDLE mutex_ = nullptr;
    bool alreadyRunning_ = false;
};

} // namespace quickdex
