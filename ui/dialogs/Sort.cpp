#include "ui/dialogs/Sort.h"

#include <array>
#include <vector>

#include <commctrl.h>

namespace quickdex {
namespace {

using namespace sort_ids;

std::string ListText(HWND list, int index)
{
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return win32::Utf8(text);
}

void InsertListText(HWND list, WPARAM index, const std::string& text)
{
    SendMessageW(list, index == static_cast<WPARAM>(-1) ? LB_ADDSTRING : LB_INSERTSTRING, index,
                 reinterpret_cast<LPARAM>(win32::Wide(text).c_str()));
}

std::vector<std::string> ListTexts(HWND list)
{
    std::vector<std::string> texts;
    const auto count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        texts.push_back(ListText(list, i));
    return texts;
}

} // namespace

TSort_Form::TSort_Form(TApplication& application, HWND mainWindow, const std::string& exeDir)
    : app_(application), categories_(files_, exeDir)
{
    CreateForm({.className = "TSort_Form",
                .caption = "Edit Sort",
                .clientWidth = 243,
                .clientHeight = 396,
                .owner = application.Handle()});
    SetOpener(mainWindow);
    // In tab order: the list, Add, Delete, Change, Close.
    static constexpr std::array controls = {
        win32::ControlSpec{List, WC_LISTBOXA, "", 0, 0, 243, 361,
                           WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE},
        win32::ControlSpec{Add, WC_BUTTONA, "Add", 8, 368, 41, 22, WS_TABSTOP | BS_PUSHBUTTON},
        win32::ControlSpec{Delete, WC_BUTTONA, "Delete", 104, 368, 41, 22, WS_TABSTOP | BS_PUSHBUTTON},
        win32::ControlSpec{Edit, WC_BUTTONA, "Change", 56, 368, 41, 22, WS_TABSTOP | BS_PUSHBUTTON},
        win32::ControlSpec{sort_ids::Close, WC_BUTTONA, "Close", 192, 368, 41, 22, WS_TABSTOP | BS_PUSHBUTTON},
    };
    win32::CreateControls(Handle(), controls);
    SendMessageA(Sort_ListBox(), LB_SETITEMHEIGHT, 0, win32::Scale(13));
}

void TSort_Form::FormDpiChanged(int dpi)
{
    SendMessageA(Sort_ListBox(), LB_SETITEMHEIGHT, 0, win32::Scale(13, dpi));
}

void TSort_Form::Notice(HWND owner, const std::string& text)
{
    app_.Box(owner, text, "", MB_ICONINFORMATION | MB_OK);
}

void TSort_Form::FormShow()
{
    HWND list = Sort_ListBox();
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& name : categories_.ReadCategories())
        InsertListText(list, static_cast<WPARAM>(-1), name);
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
    const LRESULT index = SendMessageA(Sort_ListBox(), LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) {
        Notice(Handle(), "Please select the item you want to change");
        return;
    }
    if (!nameDialog_)
        return;
    nameDialog_->SetCaption(ChangeSortCaption);
    win32::SetWindowTextUtf8(nameDialog_->Sort_Edit(), ListText(Sort_ListBox(), static_cast<int>(index)));
    nameDialog_->Show();
}

void TSort_Form::Del_BitBtnClick()
{
    const LRESULT index = SendMessageA(Sort_ListBox(), LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) {
        Notice(Handle(), "Please select the item you want to delete");
        return;
    }
    categories_.DeleteCategory(ListText(Sort_ListBox(), static_cast<int>(index)));
    SendMessageA(Sort_ListBox(), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void TSort_Form::Close_BitBtnClick()
{
    Close();
}

LRESULT TSort_Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case Add:
            Add_BitBtnClick();
            return 0;
        case Edit:
            Edit_BitBtnClick();
            return 0;
        case Delete:
            Del_BitBtnClick();
            return 0;
        default:
            break;
        }
    }
    return Form::HandleMessage(message, wParam, lParam);
}

TAddOrChangeSort_Form::TAddOrChangeSort_Form(TApplication& application, TSort_Form& editor) : editor_(editor)
{
    CreateForm({.className = "TAddOrChangeSort_Form",
                .caption = AddSortCaption,
                .clientWidth = 361,
                .clientHeight = 25,
                .owner = application.Handle()});
    SetOpener(editor_.Handle());
    static constexpr std::array controls = {
        win32::ControlSpec{Name, WC_EDITA, "", 0, 0, 249, 21, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
        win32::ControlSpec{NameOk, WC_BUTTONA, "OK", 256, 0, 49, 25, WS_TABSTOP | BS_PUSHBUTTON},
        win32::ControlSpec{NameCancel, WC_BUTTONA, "Cancel", 312, 0, 49, 25, WS_TABSTOP | BS_PUSHBUTTON},
    };
    win32::CreateControls(Handle(), controls);
}

void TAddOrChangeSort_Form::OK_BitBtnClick()
{
    const std::string name = ItemText(Name);
    const std::string caption = Caption();
    const bool adding = caption == AddSortCaption;
    const bool changing = caption == ChangeSortCaption;
    // A name the file cannot hold as typed is refused before anything is
    // touched, with what is wrong with it; the dialog stays open.
    if (adding || changing) {
        if (const std::string problem = CategoryNameProblem(name); !problem.empty()) {
            editor_.Notice(Handle(), problem);
            return;
        }
    }
    HWND list = editor_.Sort_ListBox();
    // A name the list holds already (the file would take it for the same
    // key) is refused the same way; the store checks the file too.
    if (adding || changing) {
        const LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
        const std::string renamed = changing && selected != LB_ERR ? ListText(list, static_cast<int>(selected)) : "";
        const std::string problem = ListedCategoryProblem(ListTexts(list), name, changing ? &renamed : nullptr);
        if (!problem.empty()) {
            editor_.Notice(Handle(), problem);
            return;
        }
    }
    // A refused write raises here: the list stays as it was and the dialog
    // stays open.
    bool converted = false;
    if (adding) {
        converted = editor_.Store().AddCategory(name);
        InsertListText(list, static_cast<WPARAM>(-1), name);
    }
    if (changing) {
        const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
        if (index != LB_ERR) {
            converted = editor_.Store().RenameCategory(ListText(list, static_cast<int>(index)), name);
            SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
            InsertListText(list, static_cast<WPARAM>(index), name);
            SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        }
    }
    Close();
    if (converted)
        editor_.Notice(editor_.Handle(), UnicodeNotice(editor_.Store().Path()));
}

void TAddOrChangeSort_Form::C_BitBtnClick()
{
    SetItemText(Name, "");
    Close();
}

} // namespace quickdex
