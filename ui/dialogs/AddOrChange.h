#pragma once
// The hotkey editor: adds a binding, or changes the one it was opened for,
// writing it into hotkey.ini and making the main window reload.
#include "store/BindingEdit.h"
#include "engine/HotkeyStates.h"
#include "platform/win32/Handles.h"
#include "platform/win32/KeyCapture.h"
#include "platform/win32/Subclass.h"
#include "platform/win32/Window.h"
#include "store/Categories.h"
#include "ui/dialogs/psvDialogs.h"
#include "ui/main/main.h"

#include <string>

namespace quickdex {

inline constexpr const char* AddCaption = "Add Hotkey";
inline constexpr const char* ChangeCaption = "Change Hotkey";

// The editor's controls, by id.
namespace editor_ids {
inline constexpr int IdHotKey = 301;
inline constexpr int IdPath = 302;
inline constexpr int IdHint = 303;
inline constexpr int IdSort = 304;
inline constexpr int IdOk = IDOK;
inline constexpr int IdCancel = IDCANCEL;
inline constexpr int IdButtons = 307;
inline constexpr int IdFileButton = 308;
inline constexpr int IdFolderButton = 309;
inline constexpr int IdActionButton = 310;
inline constexpr int IdStatus = 311; // what the key field's combination is up against
inline constexpr int IdFront = 312;  // "If it is running, bring it to the front"
inline constexpr int IdToggle = 313; // "Minimise it when it is already in front"
inline constexpr int IdCycle = 314;  // "... bring its next window"
inline constexpr int IdArguments = 315;
inline constexpr int IdStartIn = 316;
inline constexpr int IdStartInButton = 317; // the folder browser for the start-in folder
inline constexpr int IdWindow = 318;        // Normal window, Minimised, Maximised
inline constexpr int IdAdmin = 319;         // "Run as administrator"
} // namespace editor_ids

class TAddOrChange_Form final : public win32::Form, public IBindingEditor {
public:
    TAddOrChange_Form(TApplication& application, TMainForm& mainForm, const std::string& exeDir);

    // What the main window sets before showing it.
    void SetCaption(const char* caption) override { Form::SetCaption(caption); }
    void SetBinding(const Tquickdex& binding, const BindingId& id) override;
    void Show() override { Form::Show(); }

    // The action chooser, shown by the action button.
    void SetChooser(win32::Form* chooser) { chooser_ = chooser; }

    void FormShow() override;
    void FormClose() override;
    void OK_BitBtnClick();
    void C_BitBtnClick();
    void Hint_LabEditKeyPress(char key);
    void File_SBtnClick();
    void folder_SBtnClick();
    void SpeedButton3Click();
    bool CheckInput();
    bool AddBinding();
    bool ChangeBinding();

    // The fields as they stand.
    BindingFields Fields() const;
    HWND HotKey() const { return Item(editor_ids::IdHotKey); }
    HWND Path_LabEdit() const { return Item(editor_ids::IdPath); }
    HWND Hint_LabEdit() const { return Item(editor_ids::IdHint); }
    HWND Sort_CbBox() const { return Item(editor_ids::IdSort); }
    HWND Buttons() const { return Item(editor_ids::IdButtons); }
    HWND StatusLine() const { return Item(editor_ids::IdStatus); }
    HWND FrontCheck() const { return Item(editor_ids::IdFront); }
    HWND ToggleCheck() const { return Item(editor_ids::IdToggle); }
    HWND CycleCheck() const { return Item(editor_ids::IdCycle); }
    HWND Arguments_Edit() const { return Item(editor_ids::IdArguments); }
    HWND StartIn_Edit() const { return Item(editor_ids::IdStartIn); }
    HWND StartIn_Btn() const { return Item(editor_ids::IdStartInButton); }
    HWND Window_CbBox() const { return Item(editor_ids::IdWindow); }
    HWND AdminCheck() const { return Item(editor_ids::IdAdmin); }
    // The folder button of the start-in field: the folder browser.
    void StartIn_BtnClick();
    // What the three boxes say a press does when the program runs already.
    IfRunningMode IfRunning() const;
    void SetIfRunning(IfRunningMode mode);
    TpsvBrowseFolderDialog& FolderDialog() { return folderDialog_; }

    // The status line's text for the key field's combination now.
    std::string KeyStatus() const;
    // What the keyboard layouts type with AltGr: the installed ones, unless
    // a test stands in for a layout this machine lacks.
    void SetAltGrText(AltGrText altGrText) { altGrText_ = std::move(altGrText); }

protected:
    void FormFirstShow() override;
    void FormDpiChanged(int dpi) override;
    void OnOK() override { OK_BitBtnClick(); }
    void OnCancel() override { C_BitBtnClick(); }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateChildren();
    // The picture buttons' pictures drawn for `dpi`.
    void ShowGlyphs(int dpi);
    bool WriteAdded();
    // The binding the fields and choices give, whole.
    Tquickdex EditedBinding() const;
    void ShowKeyStatus();
    void IfRunningClick(int id);
    // A combination pressed while the field had the focus.
    void TakeCombination(WORD value);
    int Notice(const char* text, const char* caption, UINT style);

    TApplication& app_;
    TMainForm& main_;
    win32::Files files_; // Set.ini
    Categories categories_;
    TpsvBrowseFolderDialog folderDialog_;
    win32::Form* chooser_ = nullptr;
    // What a change started from: the binding as it was filled in, and its
    // identity in the file (no place: the editor adds).
    Tquickdex loaded_;
    BindingId changeId_;
    std::string lastFile_; // offered again by the file-open dialog
    AltGrText altGrText_;

    win32::ImageListHandle glyphs_;
    win32::WindowHandle tips_;
    win32::WindowHook hintHook_;
    win32::WindowHook hotKeyHook_;
    // While the key field has the focus, every combination pressed is its.
    win32::KeyCapture capture_;
};

} // namespace quickdex
