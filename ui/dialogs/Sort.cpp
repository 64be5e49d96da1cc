#include "ui/dialogs/Sort.h"

#include "../../res/resource.h"

#include <array>

#include <commctrl.h>

namespace quickdex {
namespace {

enum Id { IdList = 501, IdAdd, IdEdit, IdDelete, IdClose, IdName, IdNameOk, IdNameCancel };

std::string ListText(HWND list, int index)
{
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return text;
}

} // namespace

TSort_Form::TSort_Form(TApplication& application, HWND mainWindow, const std::string& exeDir)
    : mainWindow_(mainWindow), categories_(profile_, exeDir)
{
    CreateForm("TSort_Form", "Edit Sort", 243, 396, application.Handle(),
               LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP)));
    opener_ = mainWindow_;
    font_ = win32::CreateUiFont("MS Sans Serif", 8);
    // In tab order: the list, Add, Delete, Change, Close.
    static constexpr std::array controls = {
        win32::ControlSpec{IdList, WC_LISTBOXA, "", 0, 0, 243, 361,
                           WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE},
        win32::ControlSpec{IdAdd, WC_BUTTONA, "Add", 8, 368, 41, 22, WS_TABSTOP | BS_PUSHBUTTON},
        win32::ControlSpec{IdDelete, WC_BUTTONA, "Delete", 104, 368, 41, 22, WS_TABSTOP | BS_PUSHBUTTON},
        win32::ControlSpec{IdEdit, WC_BUTTONA, "Change", 56, 368, 41, 22, WS_TABSTOP | BS_PUSHBUTTON},
        win32::ControlSpec{IdClose, WC_BUTTONA, "Close", 192, 368, 41, 22, WS_TABSTOP | BS_PUSHBUTTON},
    };
    list_ = win32::CreateControls(Handle(), controls, font_.get())[0];
    SendMessageA(list_, LB_SETITEMHEIGHT, 0, win32::Scale(13));
}

void TSort_Form::Notice(const char* text)
{
    MessageBoxA(Handle(), text, "", MB_ICONINFORMATION | MB_OK);
}

void TSort_Form::FormShow()
{
    EnableWindow(mainWindow_, FALSE);
    SendMessageA(list_, LB_RESETCONTENT, 0, 0);
    for (const std::string& name : categories_.ReadCategories())
        SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

void TSort_Form::FormClose()
{
    EnableWindow(mainWindow_, TRUE);
}

void TSort_Form::Add_BitBtnClick()
{
    if (!nameDialog_)
        return;
    nameDialog_->SetCaption(AddSortCaption);
    SetWindowTextA(nameDialog_->Sort_Edit(), "");
    nameDialog_->Show();
}

void TSort_Form::Edit_BitBtnClick()
{
    const LRESULT index = SendMessageA(list_, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) {
        Notice("Please select the item you want to change");
        return;
    }
    if (!nameDialog_)
        return;
    nameDialog_->SetCaption(ChangeSortCaption);
    SetWindowTextA(nameDialog_->Sort_Edit(), ListText(list_, static_cast<int>(index)).c_str());
    nameDialog_->Show();
}

void TSort_Form::Del_BitBtnClick()
{
    const LRESULT index = SendMessageA(list_, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) {
        Notice("Please select the item you want to delete");
        return;
    }
    categories_.DeleteCategory(ListText(list_, static_cast<int>(index)));
    SendMessageA(list_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void TSort_Form::Close_BitBtnClick()
{
    Close();
}

LRESULT TSort_Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IdAdd:
            Add_BitBtnClick();
            return 0;
        case IdEdit:
            Edit_BitBtnClick();
            return 0;
        case IdDelete:
            Del_BitBtnClick();
            return 0;
        case IdClose:
            Close_BitBtnClick();
            return 0;
        default:
            break;
        }
    }
    return Form::HandleMessage(message, wParam, lParam);
}

TAddOrChangeSort_Form::TAddOrChangeSort_Form(TApplication& application, TSort_Form& editor) : editor_(editor)
{
    CreateForm("TAddOrChangeSort_Form", AddSortCaption, 361, 25, application.Handle(),
               LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP)));
    opener_ = editor_.Handle();
    font_ = win32::CreateUiFont("MS Sans Serif", 8);
    static constexpr std::array controls = {
        win32::ControlSpec{IdName, WC_EDITA, "", 0, 0, 249, 21, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
        win32::ControlSpec{IdNameOk, WC_BUTTONA, "OK", 256, 0, 49, 25, WS_TABSTOP | BS_PUSHBUTTON},
        win32::ControlSpec{IdNameCancel, WC_BUTTONA, "Cancel", 312, 0, 49, 25, WS_TABSTOP | BS_PUSHBUTTON},
    };
    edit_ = win32::CreateControls(Handle(), controls, font_.get())[0];
}

void TAddOrChangeSort_Form::FormShow()
{
    EnableWindow(editor_.Handle(), FALSE);
}

void TAddOrChangeSort_Form::FormClose()
{
    EnableWindow(editor_.Handle(), TRUE);
}

void TAddOrChangeSort_Form::OK_BitBtnClick()
{
    const std::string name = win32::WindowText(edit_);
    const std::string caption = Caption();
    HWND list = editor_.Sort_ListBox();
    // A refused write raises here: the list stays as it was and the dialog
    // stays open.
    if (caption == AddSortCaption) {
        editor_.Store().AddCategory(name);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    if (caption == ChangeSortCaption) {
        const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
        if (index != LB_ERR) {
            editor_.Store().RenameCategory(ListText(list, static_cast<int>(index)), name);
            SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
            SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(name.c_str()));
            SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        }
    }
    Close();
}

void TAddOrChangeSort_Form::C_BitBtnClick()
{
    SetWindowTextA(edit_, "");
    Close();
}

LRESULT TAddOrChangeSort_Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IdNameOk) {
            OK_BitBtnClick();
            return 0;
        }
        if (LOWORD(wParam) == IdNameCancel) {
            C_BitBtnClick();
            return 0;
        }
    }
    return Form::HandleMessage(message, wParam, lParam);
}

} // namespace quickdex
