#pragma once
// The category editor ("Edit Sort") and its name dialog ("Add Sort" /
// "Change Sort"): they keep the list of category names in Set.ini.
#include "app/Application.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Window.h"
#include "store/Categories.h"

#include <memory>
#include <string>

namespace quickdex {

inline constexpr const char* AddSortCaption = "Add Sort";
inline constexpr const char* ChangeSortCaption = "Change Sort";

class TAddOrChangeSort_Form;

class TSort_Form final : public win32::Form {
public:
    // `mainWindow` is disabled while the editor is open.
    TSort_Form(TApplication& application, HWND mainWindow, const std::string& exeDir);

    void SetNameDialog(TAddOrChangeSort_Form* dialog) { nameDialog_ = dialog; }

    void FormShow() override;
    void FormClose() override;
    void Add_BitBtnClick();
    void Edit_BitBtnClick();
    void Del_BitBtnClick();
    void Close_BitBtnClick();

    HWND Sort_ListBox() const { return list_; }
    Categories& Store() { return categories_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Notice(const char* text);

    HWND mainWindow_;
    win32::Profile profile_;
    Categories categories_;
    TAddOrChangeSort_Form* nameDialog_ = nullptr;
    win32::FontHandle font_;
    HWND list_ = nullptr;
};

class TAddOrChangeSort_Form final : public win32::Form {
public:
    TAddOrChangeSort_Form(TApplication& application, TSort_Form& editor);

    void FormShow() override;
    void FormClose() override;
    void OK_BitBtnClick();
    void C_BitBtnClick();

    HWND Sort_Edit() const { return edit_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    TSort_Form& editor_;
    win32::FontHandle font_;
    HWND edit_ = nullptr;
};

} // namespace quickdex
