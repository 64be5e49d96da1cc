#pragma once
// The folder browser: the system's folder-browse dialog behind a small
// component that hands back the chosen folder's path.
#include <string>

#include <windows.h>

namespace quickdex {

// The shell's item-list release function, exported by shell32 under ordinal
// 155; null when the system has none.
using ItemListFree = void(WINAPI*)(void* itemList);
ItemListFree ReleaseItemList();

class TpsvComponent {
public:
    virtual ~TpsvComponent() = default;
    std::string About() const { return "psvDialogs 2.0"; }
    void SetAbout(const std::string&) {} // read-only
};

class TpsvBrowseFolderDialog : public TpsvComponent {
public:
    // `owner` is the window the dialog opens above and blocks.
    explicit TpsvBrowseFolderDialog(HWND owner) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }

    // True when the user chose a folder (FolderPath then holds it); false
    // when the user cancelled (FolderPath keeps its value).
    bool Execute();

    std::string FolderPath;
    std::string Caption;

private:
    HWND owner_;
};

} // namespace quickdex
