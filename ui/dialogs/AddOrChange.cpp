#include "ui/dialogs/AddOrChange.h"

#include "../../res/resource.h"
#include "store/Errors.h"
#include "store/KeyNames.h"

#include <array>
#include <commdlg.h>
#include <vector>

namespace quickdex {
namespace {

enum Id {
    IdHotKey = 301,
    IdPath,
    IdHint,
    IdSort,
    IdOk,
    IdCancel,
    IdButtons,
    IdFileButton,
    IdFolderButton,
    IdActionButton,
};

constexpr const char* IncompleteInput = "Please make sure you have Filled correct ";
constexpr const char* LimitNotice = "Sorry,you can't Assign more then 100 hotkey.";
constexpr const char* EditorProperty = "quickdex.AddOrChange";

// The tool tips of the picture buttons, stored in GB2312 (code page 936).
constexpr const char* FileTip = "\xD1\xA1\xD4\xF1\xCE\xC4\xBC\xFE";             // choose a file
constexpr const char* FolderTip = "\xD1\xA1\xD4\xF1\xCE\xC4\xBC\xFE\xBC\xD0";   // choose a folder
constexpr const char* ActionTip = "\xD1\xA1\xD4\xF1\xB2\xD9\xD7\xF7";           // choose an action
constexpr unsigned ChineseCodePage = 936;

std::string TextOf(HWND control)
{
    return win32::WindowText(control);
}

} // namespace

TAddOrChange_Form::TAddOrChange_Form(TApplication& application, TMainForm& mainForm, const std::string& exeDir)
    : app_(application),
      main_(mainForm),
      categories_(profile_, exeDir),
      folderDialog_(application.Handle())
{
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_EDITOR));
    CreateForm("TAddOrChange_Form", AddCaption, 440, 131, app_.Handle(), icon);
    opener_ = main_.Handle();
    font_ = win32::CreateUiFont("MS Sans Serif", 8);
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    CreateChildren();
    CreateButtonTips();
}

TAddOrChange_Form::~TAddOrChange_Form()
{
    if (tips_)
        DestroyWindow(tips_);
    if (glyphs_)
        ImageList_Destroy(glyphs_);
}

void TAddOrChange_Form::CreateChildren()
{
    panel_ = std::make_unique<win32::Panel>(Handle(), 0, 0, 0, 440, 131);
    HWND panel = panel_->Handle();
    // In tab order: Cancel, target, key, OK, hint, category; then the labels.
    static constexpr std::array controls = {
        win32::ControlSpec{IdCancel, WC_BUTTONA, "Cancel", 360, 96, 65, 25, WS_TABSTOP | BS_PUSHBUTTON},
        win32::ControlSpec{IdPath, WC_EDITA, "", 128, 24, 225, 21, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
        win32::ControlSpec{IdHotKey, HOTKEY_CLASSA, "", 8, 26, 113, 19, WS_TABSTOP},
        win32::ControlSpec{IdOk, WC_BUTTONA, "OK", 272, 96, 57, 25, WS_TABSTOP | BS_PUSHBUTTON},
        win32::ControlSpec{IdHint, WC_EDITA, "", 128, 64, 305, 21, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
        win32::ControlSpec{IdSort, WC_COMBOBOXA, "", 8, 64, 113, 200, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN |
                                                                            CBS_SORT | CBS_AUTOHSCROLL},
        win32::ControlSpec{0, WC_STATICA, "Hotkey", 8, 8, 65, 13},
        win32::ControlSpec{0, WC_STATICA, "Application/Action          ", 128, 8, 225, 13},
        win32::ControlSpec{0, WC_STATICA, "Sort", 8, 48, 73, 13},
        win32::ControlSpec{0, WC_STATICA, "Hint", 128, 48, 305, 13},
    };
    const auto handles = win32::CreateControls(panel, controls, font_.get());
    path_ = handles[1];
    hotKey_ = handles[2];
    hint_ = handles[4];
    sort_ = handles[5];
    SetWindowTextA(sort_, DefaultSort);

    // A key alone or with Shift alone is not a hotkey; nothing is put in its place.
    SendMessageA(hotKey_, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, 0);

    // Enter in the hint field is OK.
    SetPropA(hint_, EditorProperty, this);
    hintEditProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hint_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TAddOrChange_Form::HintEditProc)));

    // The three picture buttons: a flat toolbar, whose buttons never take the focus.
    buttons_ = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                               WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER,
                               win32::Scale(360), win32::Scale(24), win32::Scale(3 * 24), win32::Scale(22), panel,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdButtons)), GetModuleHandleA(nullptr),
                               nullptr);
    SendMessageA(buttons_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    glyphs_ = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 3, 0);
    for (int id : {IDI_BTN_FILE, IDI_BTN_FOLDER, IDI_BTN_ACTION}) {
        HICON glyph = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0));
        ImageList_AddIcon(glyphs_, glyph);
        DestroyIcon(glyph);
    }
    SendMessageA(buttons_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(glyphs_));
    SendMessageA(buttons_, TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 16));
    std::array<TBBUTTON, 3> buttons{};
    const int ids[] = {IdFileButton, IdFolderButton, IdActionButton};
    for (int i = 0; i < 3; ++i) {
        buttons[static_cast<std::size_t>(i)].iBitmap = i;
        buttons[static_cast<std::size_t>(i)].idCommand = ids[i];
        buttons[static_cast<std::size_t>(i)].fsState = TBSTATE_ENABLED;
        buttons[static_cast<std::size_t>(i)].fsStyle = BTNS_BUTTON;
    }
    SendMessageA(buttons_, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageA(buttons_, TB_SETBUTTONSIZE, 0, MAKELPARAM(win32::Scale(23), win32::Scale(22)));
}

void TAddOrChange_Form::CreateButtonTips()
{
    // The tips are Chinese text: they go through the wide calls so that they
    // read right whatever the system's code page.
    tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0,
                            0, Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    static const std::array<std::wstring, 3> texts = {win32::FromCodePage(FileTip, ChineseCodePage),
                                                      win32::FromCodePage(FolderTip, ChineseCodePage),
                                                      win32::FromCodePage(ActionTip, ChineseCodePage)};
    for (int i = 0; i < 3; ++i) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = buttons_;
        tool.uId = static_cast<UINT_PTR>(IdFileButton + i);
        SendMessageA(buttons_, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tool.rect));
        tool.lpszText = const_cast<wchar_t*>(texts[static_cast<std::size_t>(i)].c_str());
        SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void TAddOrChange_Form::SetFields(std::uint16_t hotKey, const std::string& path, const std::string& hint,
                                  const std::string& sort, const std::string& section)
{
    SendMessageA(hotKey_, HKM_SETHOTKEY, HotKeyControlFromShortcut(hotKey), 0);
    SetWindowTextA(path_, path.c_str());
    SetWindowTextA(hint_, hint.c_str());
    SetWindowTextA(sort_, sort.c_str());
    // Remembered now: the list may be rebuilt while the editor is open.
    changeSection_ = section;
}

BindingFields TAddOrChange_Form::Fields() const
{
    const auto value = static_cast<std::uint16_t>(SendMessageA(hotKey_, HKM_GETHOTKEY, 0, 0));
    return {ShortcutFromHotKeyControl(value), TextOf(path_), TextOf(hint_), TextOf(sort_)};
}

void TAddOrChange_Form::FormShow()
{
    // The choices follow Set.ini; the text in the field stays.
    const std::string text = TextOf(sort_);
    SendMessageA(sort_, CB_RESETCONTENT, 0, 0);
    for (const std::string& name : categories_.ReadCategories())
        SendMessageA(sort_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SetWindowTextA(sort_, text.c_str());
    EnableWindow(main_.Handle(), FALSE);
}

void TAddOrChange_Form::FormClose()
{
    SetWindowTextA(path_, "");
    SetWindowTextA(hint_, "");
    SendMessageA(hotKey_, HKM_SETHOTKEY, 0, 0);
    SetWindowTextA(sort_, DefaultSort);
    changeSection_.clear();
    EnableWindow(main_.Handle(), TRUE);
}

void TAddOrChange_Form::OK_BitBtnClick()
{
    const std::string caption = Caption();
    if (caption == AddCaption) {
        if (AddBinding())
            Close();
    } else if (caption == ChangeCaption) {
        if (ChangeBinding())
            Close();
    }
}

void TAddOrChange_Form::C_BitBtnClick()
{
    Close();
}

void TAddOrChange_Form::Hint_LabEditKeyPress(char key)
{
    if (key == '\r')
        OK_BitBtnClick();
}

bool TAddOrChange_Form::CheckInput()
{
    if (InputComplete(Fields()))
        return true;
    MessageBoxA(Handle(), IncompleteInput, MainWindowCaption, MB_ICONINFORMATION | MB_OK);
    return false;
}

bool TAddOrChange_Form::AddBinding()
{
    // Counted on the table as loaded last, not on the file.
    if (main_.HotkeyCount() >= MaxHotkeys) {
        MessageBoxA(Handle(), LimitNotice, app_.Title().c_str(), MB_OK);
        return false;
    }
    return WriteAdded();
}

bool TAddOrChange_Form::WriteAdded()
{
    if (!CheckInput())
        return false;
    WriteBinding(profile_, main_.Engine().HotkeyPath(), Fields());
    main_.AfterBindingChange();
    return true;
}

bool TAddOrChange_Form::ChangeBinding()
{
    if (!CheckInput())
        return false;
    const std::string section = changeSection_.empty() ? main_.SelectedSectionName() : changeSection_;
    if (section.empty())
        return WriteAdded(); // nothing to replace any more: the change adds
    ReplaceBinding(profile_, main_.Engine().HotkeyPath(), section, Fields());
    main_.AfterBindingChange();
    return true;
}

void TAddOrChange_Form::File_SBtnClick()
{
    std::vector<char> file(32768, '\0');
    lastFile_.copy(file.data(), std::min(lastFile_.size(), file.size() - 1));
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Handle();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER;
    static const auto open = win32::LateBound<decltype(&GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
    if (!open || !open(&dialog))
        return;
    lastFile_ = file.data();
    SetWindowTextA(path_, lastFile_.c_str());
}

void TAddOrChange_Form::folder_SBtnClick()
{
    if (folderDialog_.Execute())
        SetWindowTextA(path_, folderDialog_.FolderPath.c_str());
}

void TAddOrChange_Form::SpeedButton3Click()
{
    if (chooser_)
        chooser_->Show();
}

LRESULT CALLBACK TAddOrChange_Form::HintEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = static_cast<TAddOrChange_Form*>(GetPropA(hwnd, EditorProperty));
    if (!self)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    const WNDPROC original = self->hintEditProc_;
    if (message == WM_CHAR)
        win32::Guarded([&] { self->Hint_LabEditKeyPress(static_cast<char>(wParam)); });
    return CallWindowProcA(original, hwnd, message, wParam, lParam);
}

LRESULT TAddOrChange_Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) {
        switch (LOWORD(wParam)) {
        case IdOk:
            OK_BitBtnClick();
            return 0;
        case IdCancel:
            C_BitBtnClick();
            return 0;
        case IdFileButton:
            File_SBtnClick();
            return 0;
        case IdFolderButton:
            folder_SBtnClick();
            return 0;
        case IdActionButton:
            SpeedButton3Click();
            return 0;
        default:
            break;
        }
    }
    return Form::HandleMessage(message, wParam, lParam);
}

} // namespace quickdex
