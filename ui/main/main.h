#pragma once
// The main window: the list of bindings with its commands and menus, the
// owner of the hotkey table, the registrations and the tray icon.
#include "ui/Application.h"
#include "engine/HotkeyEngine.h"
#include "platform/win32/Files.h"
#include "platform/win32/Handles.h"
#include "platform/win32/HotkeyRepeat.h"
#include "platform/win32/LaunchQueue.h"
#include "platform/win32/SessionNotes.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Window.h"
#include "ui/main/AutoRun.h"
#include "ui/main/BindingList.h"
#include "ui/main/ListText.h"
#include "ui/tray/CoolTrayIcon.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quickdex {

inline constexpr const char* MainWindowCaption = "quickdex " QUICKDEX_VERSION_TEXT;
inline constexpr const char* MainWindowClass = "TMainForm";
// Sent by a second start of the program from the same folder: show yourself.
inline constexpr const char* ShowRunningMessage = "quickdex.ShowMainWindow";

// The hotkey editor as the main window uses it.
class IBindingEditor {
public:
    virtual ~IBindingEditor() = default;
    virtual void SetCaption(const char* caption) = 0; // "Add Hotkey" or "Change Hotkey"
    // Fills the fields with `binding` for a change of the binding `id`.
    virtual void SetBinding(const Tquickdex& binding, const BindingId& id) = 0;
    virtual void Show() = 0;
};

class TMainForm final : public win32::Form, private IEngineView, private IProgramWindow {
public:
    // `exeDir` (with its trailing backslash) holds hotkey.ini; `autoRun`
    // knows the executable's path and the Run key.
    TMainForm(TApplication& application, std::string exeDir,
              AutoRunSetting autoRun = AutoRunSetting(win32::ModuleFileName()));

    // What the other windows plug in.
    void SetEditor(IBindingEditor* editor) { editor_ = editor; }
    std::function<void()> OnShowAbout;
    std::function<void()> OnEditSort;
    // The window is being destroyed: what was set on it goes now.
    std::function<void()> OnDestroy;

    // Handlers, named after component and event.
    void FormCreate();
    void FormClose() override;
    void FormDpiChanged(int dpi) override;
    void AddBitBtnClick();
    void ChangeBitBtnClick();
    void DelBitBtnClick();
    void Mini_BitBtnClick();
    void C_BitBtnClick();
    void MStop_NClick();
    void Show_NClick();
    void CoolTrayIconClick();
    void N5Click();
    void AutoRun_NClick();
    void Sort_NClick();
    void N3Click();
    void N7Click();
    void N6Click();
    void M_ListViewColumnClick(int column);
    int M_ListViewCompare(int slot1, int slot2) const;
    std::string M_ListViewInfoTip(int row) const;
    void M_ListViewDblClick();

    // The reload cycle and registration, on the table the engine holds.
    LoadResult ReloadHotkeys();
    LoadResult ReloadAndRegister();
    void RegisterAll();
    void UnregisterAll();
    bool RunBuiltInAction(int slot) { return engine_->RunBuiltInAction(slot); }
    // The section of the selected row as it stands in the file; empty when
    // no row is selected.
    std::string SelectedSectionName() const;
    // Writes a binding from the editor whole (`replacing`: the binding a
    // change was opened for, null for an add), then reloads. When the
    // binding is no longer where the list showed it, the list is read again
    // and the error goes on.
    void WriteBinding(const BindingId* replacing, const Tquickdex& binding);
    void ReadAutoRunSetting();
    void ToggleAutoRun();

    // Closes the window, which ends the program. Asked for while a message
    // box or a dialog is open, it first closes those as Cancel.
    void Close();
    void ShowMainWindow() override;
    void CloseMainWindow() override;

    // After the editor wrote hotkey.ini: the reload the Stop/Start state
    // asks for, then the rows in file order and the next sort ascending.
    void AfterBindingChange();
    int HotkeyCount() const { return engine_->Hotkeys.HotkeyCount; }
    // Tries the refused hotkeys again (the shell restarted, the machine
    // resumed, the session was unlocked, the window was shown).
    void RetryRefusedHotkeys();
    // While the editor's key field has the focus, the program's hotkeys stand
    // aside so that any combination can be typed into it.
    void StandAside(bool aside);

    // What a row's state and tip say of its hotkey.
    std::string StateText(int slot) const;
    // The tray icon's tip: empty while every hotkey that should work does.
    std::string TrayTip() const;

    HotkeyEngine& Engine() { return *engine_; }
    const ListSortState& SortState() const { return sort_; }
    TCoolTrayIcon& CoolTrayIcon() { return *tray_; }
    HWND ListView() const { return list_->Handle(); }
    HMENU MainMenu() const { return mainMenu_; }
    HMENU TrayMenu() const { return trayMenu_.get(); }
    HMENU ListMenu() const { return listMenu_.get(); }
    bool AutoRunTicked() const { return autoRunTicked_; }
    // The slot a row carries, and the selected row's (0: none).
    int SlotOfRow(int row) const { return list_->SlotOfRow(row); }
    int SelectedSlot() const { return list_->SelectedSlot(); }
    int RowOfSlot(int slot) const; // -1: not listed
    // Whether the slot's target was found missing while the rows were shown.
    bool TargetMissing(int slot) const;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateMenus();
    void CreateChildren();
    void CreateTrayIcon();
    void OnCommand(int id);
    LRESULT OnNotify(const NMHDR& header);
    void ShowListMenu(LPARAM position);
    int MessageBoxText(const std::string& text, UINT style);
    // The marks of the rows and the tray's tip, after every change of the
    // registrations.
    void ShowHotkeyStates();
    // Which rows' targets are sure to open nothing (a program removed from
    // the system, a file deleted): asked only while the window shows the
    // rows, or is about to be shown, so the start with the window hidden
    // asks nothing. True when the answer changed since it was last asked.
    enum class Showing { AsIs, About };
    bool CheckTargets(Showing showing = Showing::AsIs);
    // Sections that are no binding, each set of them shown once.
    void ReportLoad(const LoadResult& loaded);
    // Shows them when it goes, also when the reload it watches throws: a
    // load that fails half-way has changed the table and the registrations.
    class StatesShownAfter {
    public:
        explicit StatesShownAfter(TMainForm& form) : form_(form) {}
        ~StatesShownAfter() { form_.ShowHotkeyStates(); }
        StatesShownAfter(const StatesShownAfter&) = delete;
        StatesShownAfter& operator=(const StatesShownAfter&) = delete;

    private:
        TMainForm& form_;
    };

    // IEngineView
    void AddRow(int slot, const Tquickdex& binding) override;
    void RowsDone() override;
    void ClearRows() override;
    void SetTrayImage(int index) override;
    void SetStopCaptions(const char* caption) override;
    void ShowPlainMessage(const char* text) override;

    TApplication& app_;
    std::string exeDir_;
    AutoRunSetting autoRun_;
    bool autoRunTicked_ = false;
    ListSortState sort_;
    IBindingEditor* editor_ = nullptr;

    win32::Files files_;
    win32::SystemApi system_;
    // Before the engine, which posts to it; after the calls its jobs make.
    win32::LaunchQueue launches_;
    std::unique_ptr<win32::HotkeyApi> hotkeyApi_;
    std::unique_ptr<HotkeyEngine> engine_;
    std::unique_ptr<win32::HotkeyRepeatLatch> hotkeyRepeats_;
    std::unique_ptr<win32::SessionNotes> sessionNotes_;

    HMENU mainMenu_ = nullptr; // goes with the window
    win32::MenuHandle trayMenu_; // M_PopupMenu
    win32::MenuHandle listMenu_; // LV_PopupMenu
    win32::ImageListHandle imageList_;
    std::unique_ptr<TBindingList> list_;
    // Last, so that it goes first: the icon leaves the notification area
    // while the engine and the window it watches are still there.
    std::unique_ptr<TCoolTrayIcon> tray_;
    UINT showRunningMessage_ = 0;
    std::vector<std::string> reportedForeign_;
    // By slot (1 to 100): the target is missing, when last checked.
    std::array<bool, MaxHotkeys + 1> missingTargets_{};
    bool targetsChecked_ = false; // since the table was last read
};

} // namespace quickdex
