#pragma once
// The hotkey editor: adds a binding, or changes the one it was opened for,
// writing it into hotkey.ini and making the main window reload.
#include "engine/BindingEdit.h"
#include "platform/win32/Window.h"
#include "store/Categories.h"
#include "ui/dialogs/psvDialogs.h"
#include "ui/main/main.h"

#include <memory>
#include <string>

namespace quickdex {

inline constexpr const char* AddCaption = "Add Hotkey";
inline constexpr const char* ChangeCaption = "Change Hotkey";

class TAddOrChange_Form final : public win32::Form, public IBindingEditor {
public:
    TAddOrChange_Form(TApplication& application, TMainForm& mainForm, const std::string& exeDir);
    ~TAddOrChange_Form() override;

    // What the main window sets before showing it.
    void SetCaption(const char* caption) override { Form::SetCaption(caption); }
    void SetFields(std::uint16_t hotKey, const std::string& path, const std::string& hint, const std::string& sort,
                   const std::string& section) override;
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
    HWND HotKey() const { return hotKey_; }
    HWND Path_LabEdit() const { return path_; }
    HWND Hint_LabEdit() const { return hint_; }
    HWND Sort_CbBox() const { return sort_; }
    HWND Buttons() const { return buttons_; }
    TpsvBrowseFolderDialog& FolderDialog() { return folderDialog_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateChildren();
    void CreateButtonTips();
    bool WriteAdded();
    static LRESULT CALLBACK HintEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    TApplication& app_;
    TMainForm& main_;
    win32::Profile profile_;
    Categories categories_;
    TpsvBrowseFolderDialog folderDialog_;
    win32::Form* chooser_ = nullptr;
    std::string changeSection_; // the binding a change replaces, as it stands in the file
    std::string lastFile_;      // offered again by the file-open dialog

    win32::FontHandle font_;
    std::unique_ptr<win32::Panel> panel_;
    HWND hotKey_ = nullptr;
    HWND path_ = nullptr;
    HWND hint_ = nullptr;
    HWND sort_ = nullptr;
    HWND buttons_ = nullptr; // the three picture buttons
    HWND tips_ = nullptr;
    HIMAGELIST glyphs_ = nullptr;
    WNDPROC hintEditProc_ = nullptr;
};

} // namespace quickdex
