#pragma once
// One running copy per folder: a second start of quickdex.exe from the same
// folder (the same hotkey.ini) brings the running copy's main window to the
// front and ends. A copy in another folder, with its own bindings, runs.
#include <cstdint>
#include <string>

#include <windows.h>

namespace quickdex {

class SingleInstance {
public:
    // `exeDir` names the folder the copy runs from.
    explicit SingleInstance(const std::string& exeDir);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Another copy from this folder runs already.
    bool AlreadyRunning() const { return alreadyRunning_; }
    // Asks the running copy to show its main window.
    void ShowRunningCopy() const;
    // Marks `mainWindow` as this folder's copy, for the next start to find.
    void Claim(HWND mainWindow) const;
    // Takes the mark off again, while the window is being destroyed: a
    // property named by a string holds a global atom until it is removed.
    void Release(HWND mainWindow) const;

private:
    std::uint32_t folder_;
    HANDLE mutex_ = nullptr;
    bool alreadyRunning_ = false;
};

} // namespace quickdex
