#pragma once
// The category editor ("Edit Sort") and its name dialog ("Add Sort" /
// "Change Sort"): they keep the list of category names in Set.ini.
#include "ui/Application.h"
#include "platform/win32/Files.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Window.h"
#include "store/Categories.h"

#include <string>

namespace quickdex {

inline constexpr const char* AddSortCaption = "Add Sort";
inline constexpr const char* ChangeSortCaption = "Change Sort";

namespace sort_ids {
inline constexpr int List = 501;
inline constexpr int Add = 502;
inline constexpr int Edit = 503;
inline constexpr int Delete = 504;
inline constexpr int Close = IDCANCEL;
inline constexpr int Name = 506;
inline constexpr int NameOk = IDOK;
inline constexpr int NameCancel = IDCANCEL;
} // namespace sort_ids

class TAddOrChangeSort_Form;

class TSort_Form final : public win32::Form {
public:
    // `mainWindow` is disabled while the editor is open.
    TSort_Form(TApplication& application, HWND mainWindow, const std::string& exeDir);

    void SetNameDialog(TAddOrChangeSort_Form* dialog) { nameDialog_ = dialog; }

    void FormShow() override;
    void Add_BitBtnClick();
    void Edit_BitBtnClick();
    void Del_BitBtnClick();
    void Close_BitBtnClick();

    HWND Sort_ListBox() const { return Item(sort_ids::List); }
    Categories& Store() { return categories_; }
    // A box of the category editor: the text, an empty caption, the
    // information icon and OK, above `owner`.
    void Notice(HWND owner, const std::string& text);

protected:
    void OnCancel() override { Close_BitBtnClick(); }
    void FormDpiChanged(int dpi) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    TApplication& app_;
    win32::Files files_;
    Categories categories_;
    TAddOrChangeSort_Form* nameDialog_ = nullptr;
};

class TAddOrChangeSort_Form final : public win32::Form {
public:
    TAddOrChangeSort_Form(TApplication& application, TSort_Form& editor);

    void OK_BitBtnClick();
    void C_BitBtnClick();

    HWND Sort_Edit() const { return Item(sort_ids::Name); }

protected:
    void OnOK() override { OK_BitBtnClick(); }
    void OnCancel() override { C_BitBtnClick(); }

private:
    TSort_Form& editor_;
};

} // namespace quickdex
