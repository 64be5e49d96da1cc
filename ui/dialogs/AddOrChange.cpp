#include "ui/dialogs/AddOrChange.h"

#include "../../res/resource.h"
#include "engine/HotkeyStates.h"
#include "store/Errors.h"
#include "store/KeyNames.h"

#include <algorithm>
#include <array>
#include "platform/win32/KeyboardLayouts.h"
#include "platform/win32/SystemLibraries.h"

#include <commdlg.h>
#include <windowsx.h>
#include <vector>

namespace quickdex {
namespace {

using namespace editor_ids;

constexpr int ClientWidth = 440;
constexpr int LayoutHeight = 131;
// Under the layout, which grows by it alone: the status line, the choices
// for a program that runs already, then how the target starts.
constexpr int StatusTop = LayoutHeight;
constexpr int FrontTop = StatusTop + 20;
constexpr int ToggleTop = FrontTop + 18;
constexpr int CycleTop = ToggleTop + 18;
constexpr int ArgumentsTop = CycleTop + 24;
constexpr int StartInTop = ArgumentsTop + 25;
constexpr int WindowTop = StartInTop + 25;
constexpr int BlockHeight = WindowTop + 21 + 10 - LayoutHeight;
constexpr int OptionLeft = 84; // the fields of the options, after their labels
constexpr int LabelWidth = OptionLeft - 12;

constexpr const char* IncompleteInput = "Please make sure you have Filled correct ";
constexpr const char* LimitNotice = "Sorry,you can't Assign more then 100 hotkey.";

// The tool tips of the picture buttons, stored in GB2312 (code page 936).
constexpr const char* FileTip = "\xD1\xA1\xD4\xF1\xCE\xC4\xBC\xFE";           // choose a file
constexpr const char* FolderTip = "\xD1\xA1\xD4\xF1\xCE\xC4\xBC\xFE\xBC\xD0"; // choose a folder
constexpr const char* ActionTip = "\xD1\xA1\xD4\xF1\xB2\xD9\xD7\xF7";         // choose an action
constexpr unsigned ChineseCodePage = 936;

// What the window combo lists, in its order.
constexpr std::array<WindowMode, 3> WindowChoices = {WindowMode::Normal, WindowMode::Min, WindowMode::Max};

// The picture buttons stand at 360, 384 and 408, 23 wide.
constexpr int ButtonsLeft = 360;
constexpr int ButtonPitch = 24;
// Their pictures, a strip of three at each size they are drawn at.
constexpr std::array<win32::DrawnStrip, 4> ButtonPictures = {
    {{16, IDB_BUTTONS}, {20, IDB_BUTTONS20}, {24, IDB_BUTTONS24}, {32, IDB_BUTTONS32}}};

} // namespace

TAddOrChange_Form::TAddOrChange_Form(TApplication& application, TMainForm& mainForm, const std::string& exeDir)
    : app_(application), main_(mainForm), categories_(files_, exeDir), folderDialog_(nullptr),
      altGrText_(win32::AltGrText), capture_([this](WORD value) { TakeCombination(value); })
{
    CreateForm({.className = "TAddOrChange_Form",
                .caption = AddCaption,
                .clientWidth = ClientWidth,
                .clientHeight = LayoutHeight + BlockHeight,
                .owner = app_.Handle(),
                .iconId = IDI_EDITOR});
    SetOpener(main_.Handle());
    // The folder browser opens above the editor, not under it.
    folderDialog_.SetOwner(Handle());
    CreateChildren();
}

void TAddOrChange_Form::CreateChildren()
{
    HWND panel = AddPanel(0, 0, 0, ClientWidth, LayoutHeight);
    // In tab order: Cancel, target, key, OK, hint, category; then the labels.
    static constexpr std::array controls = {
        win32::ControlSpec{IdCancel, WC_BUTTONA, "Cancel", 360, 96, 65, 25, WS_TABSTOP | BS_PUSHBUTTON},
        win32::ControlSpec{IdPath, WC_EDITA, "", 128, 24, 225, 21, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
        win32::ControlSpec{IdHotKey, HOTKEY_CLASSA, "", 8, 26, 113, 19, WS_TABSTOP},
        win32::ControlSpec{IdOk, WC_BUTTONA, "OK", 272, 96, 57, 25, WS_TABSTOP | BS_PUSHBUTTON},
        win32::ControlSpec{IdHint, WC_EDITA, "", 128, 64, 305, 21, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
        win32::ControlSpec{IdSort, WC_COMBOBOXA, "", 8, 64, 113, 200,
                           WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_SORT | CBS_AUTOHSCROLL},
        win32::ControlSpec{0, WC_STATICA, "Hotkey", 8, 8, 65, 13},
        win32::ControlSpec{0, WC_STATICA, "Application/Action          ", 128, 8, 225, 13},
        win32::ControlSpec{0, WC_STATICA, "Sort", 8, 48, 73, 13},
        win32::ControlSpec{0, WC_STATICA, "Hint", 128, 48, 305, 13},
    };
    win32::CreateControls(panel, controls);
    // In tab order, top to bottom; each label stands just before its field,
    // whose focus its access key gives.
    static constexpr std::array block = {
        win32::ControlSpec{IdStatus, WC_STATICA, "", 8, StatusTop + 3, ClientWidth - 16, 14,
                           SS_NOPREFIX | SS_ENDELLIPSIS},
        win32::ControlSpec{IdFront, WC_BUTTONA, "If it is running, bring it to the &front", 8, FrontTop, 300, 16,
                           WS_TABSTOP | BS_AUTOCHECKBOX},
        win32::ControlSpec{IdToggle, WC_BUTTONA, "&Minimise it when it is already in front", 24, ToggleTop, 300, 16,
                           WS_TABSTOP | BS_AUTOCHECKBOX | WS_DISABLED},
        win32::ControlSpec{IdCycle, WC_BUTTONA, "Or bring its &next window when one is in front", 24, CycleTop, 300,
                           16, WS_TABSTOP | BS_AUTOCHECKBOX | WS_DISABLED},
        win32::ControlSpec{0, WC_STATICA, "&Arguments", 8, ArgumentsTop + 4, LabelWidth, 13},
        win32::ControlSpec{IdArguments, WC_EDITA, "", OptionLeft, ArgumentsTop, ClientWidth - 8 - OptionLeft, 21,
                           WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
        win32::ControlSpec{0, WC_STATICA, "Start &in", 8, StartInTop + 4, LabelWidth, 13},
        win32::ControlSpec{IdStartIn, WC_EDITA, "", OptionLeft, StartInTop, ClientWidth - 8 - 28 - OptionLeft, 21,
                           WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
        win32::ControlSpec{IdStartInButton, WC_BUTTONA, "...", ClientWidth - 8 - 24, StartInTop, 24, 21,
                           WS_TABSTOP | BS_PUSHBUTTON},
        win32::ControlSpec{0, WC_STATICA, "&Window", 8, WindowTop + 4, LabelWidth, 13},
        win32::ControlSpec{IdWindow, WC_COMBOBOXA, "", OptionLeft, WindowTop, 121, 200,
                           WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST},
        win32::ControlSpec{IdAdmin, WC_BUTTONA, "Run as a&dministrator", OptionLeft + 121 + 16, WindowTop + 2, 200, 16,
                           WS_TABSTOP | BS_AUTOCHECKBOX},
    };
    win32::CreateControls(Handle(), block);
    SetItemText(IdSort, DefaultSort);
    for (const char* choice : {"Normal window", "Minimised", "Maximised"})
        SendMessageA(Window_CbBox(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
    SendMessageA(Window_CbBox(), CB_SETCURSEL, 0, 0);

    // No field takes more than a load reads back whole (2,047 characters).
    SendMessageA(Item(IdPath), EM_LIMITTEXT, MaxValueLength, 0);
    SendMessageA(Item(IdHint), EM_LIMITTEXT, MaxValueLength, 0);
    SendMessageA(Item(IdSort), CB_LIMITTEXT, MaxValueLength, 0);
    SendMessageA(Item(IdArguments), EM_LIMITTEXT, MaxValueLength, 0);
    SendMessageA(Item(IdStartIn), EM_LIMITTEXT, MaxValueLength, 0);

    // The invalid combinations (a key without modifier, Shift alone) get no
    // modifier put in their place, so they are taken as typed: F1 alone is a
    // hotkey.
    SendMessageA(HotKey(), HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, 0);

    // Enter in the hint field is OK; the character goes on to the field.
    hintHook_.Attach(Hint_LabEdit(), [this](UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_CHAR)
            Hint_LabEditKeyPress(static_cast<char>(wParam));
        return std::nullopt;
    });
    // While the key field has the focus, the program's own hotkeys stand
    // aside, and the presses of every other program's are captured for it:
    // any combination can be typed into it.
    hotKeyHook_.Attach(HotKey(), [this](UINT message, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
        if (message == WM_SETFOCUS) {
            main_.StandAside(true);
            capture_.Start();
        } else if (message == WM_KILLFOCUS) {
            capture_.Stop();
            main_.StandAside(false);
        } else if ((message == WM_KEYDOWN || message == WM_SYSKEYDOWN) &&
                   (wParam == VK_SHIFT || wParam == VK_CONTROL || wParam == VK_MENU)) {
            // The field starts over at a modifier's press; one pressed before
            // the combination the capture took (it waited in the queue) must
            // not wipe that combination out.
            const DWORD pressed = static_cast<DWORD>(GetMessageTime());
            const LRESULT result = DefSubclassProc(HotKey(), message, wParam, lParam);
            if (const std::optional<WORD> taken = capture_.TakenSince(pressed))
                TakeCombination(*taken);
            return result;
        }
        return std::nullopt;
    });

    // The three picture buttons: a flat toolbar, whose buttons never take the
    // focus. Their pictures come with the first showing.
    HWND buttons = CreateWindowExA(
        0, TOOLBARCLASSNAMEA, "",
        WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER,
        win32::Scale(ButtonsLeft), win32::Scale(24), win32::Scale(3 * ButtonPitch), win32::Scale(22), panel,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdButtons)), GetModuleHandleA(nullptr), nullptr);
    win32::KeepLayout(buttons, ButtonsLeft, 24, 3 * ButtonPitch, 22);
}

void TAddOrChange_Form::FormDpiChanged(int dpi)
{
    // The pictures drawn for this DPI, once there are buttons (the first
    // showing makes them).
    if (SendMessageA(Buttons(), TB_BUTTONCOUNT, 0, 0) > 0)
        ShowGlyphs(dpi);
    // A button as wide as the pitch (the toolbar puts them side by side), so
    // that each starts where the layout places it.
    SendMessageA(Buttons(), TB_SETBUTTONSIZE, 0, MAKELPARAM(win32::Scale(ButtonPitch, dpi), win32::Scale(22, dpi)));
}

void TAddOrChange_Form::ShowGlyphs(int dpi)
{
    // The toolbar does not own its image list: the old one is destroyed once
    // it holds the new one.
    win32::ImageListHandle glyphs = win32::LoadImageStrip(ButtonPictures, dpi);
    int size = 0;
    ImageList_GetIconSize(glyphs.get(), &size, &size);
    SendMessageA(Buttons(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(glyphs.get()));
    SendMessageA(Buttons(), TB_SETBITMAPSIZE, 0, MAKELPARAM(size, size));
    glyphs_ = std::move(glyphs);
}

void TAddOrChange_Form::FormFirstShow()
{
    HWND buttons = Buttons();
    SendMessageA(buttons, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    std::array<TBBUTTON, 3> entries{};
    const int commands[] = {IdFileButton, IdFolderButton, IdActionButton};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        entries[i].iBitmap = static_cast<int>(i);
        entries[i].idCommand = commands[i];
        entries[i].fsState = TBSTATE_ENABLED;
        entries[i].fsStyle = BTNS_BUTTON;
    }
    SendMessageA(buttons, TB_ADDBUTTONSA, entries.size(), reinterpret_cast<LPARAM>(entries.data()));
    FormDpiChanged(Dpi()); // their pictures and size

    // The tips are Chinese text: they go through the wide calls so that they
    // read right whatever the system's code page.
    tips_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0,
                                0, 0, 0, Handle(), nullptr, GetModuleHandleA(nullptr), nullptr));
    static const std::array<std::wstring, 3> texts = {win32::FromCodePage(FileTip, ChineseCodePage),
                                                      win32::FromCodePage(FolderTip, ChineseCodePage),
                                                      win32::FromCodePage(ActionTip, ChineseCodePage)};
    for (int i = 0; i < 3; ++i) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = buttons;
        tool.uId = static_cast<UINT_PTR>(IdFileButton + i);
        SendMessageA(buttons, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tool.rect));
        tool.lpszText = const_cast<wchar_t*>(texts[static_cast<std::size_t>(i)].c_str());
        SendMessageW(tips_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void TAddOrChange_Form::SetBinding(const Tquickdex& binding, const BindingId& id)
{
    const auto key = static_cast<std::uint16_t>(binding.Key);
    SendMessageA(HotKey(), HKM_SETHOTKEY,
                 HotKeyControlFromShortcut(MakeShortcut(key, ModifiersToShiftState(binding.Modifiers))), 0);
    SetItemText(IdPath, binding.Action);
    SetItemText(IdHint, binding.Hint);
    SetItemText(IdSort, binding.Sort);
    SetItemText(IdArguments, binding.Arguments);
    SetItemText(IdStartIn, binding.StartIn);
    const auto window = std::find(WindowChoices.begin(), WindowChoices.end(), binding.Window);
    SendMessageA(Window_CbBox(), CB_SETCURSEL, static_cast<WPARAM>(window - WindowChoices.begin()), 0);
    Button_SetCheck(AdminCheck(), binding.Admin ? BST_CHECKED : BST_UNCHECKED);
    // Remembered now: the list may be rebuilt while the editor is open, and
    // a change keeps what the editor does not show.
    loaded_ = binding;
    changeId_ = id;
    SetIfRunning(binding.IfRunning);
    ShowKeyStatus();
}

Tquickdex TAddOrChange_Form::EditedBinding() const
{
    return BindingFromFields(Fields(), IfRunning(), changeId_.place ? &loaded_ : nullptr);
}

IfRunningMode TAddOrChange_Form::IfRunning() const
{
    if (Button_GetCheck(FrontCheck()) != BST_CHECKED)
        return IfRunningMode::Start;
    if (Button_GetCheck(ToggleCheck()) == BST_CHECKED)
        return IfRunningMode::Toggle;
    return Button_GetCheck(CycleCheck()) == BST_CHECKED ? IfRunningMode::Cycle : IfRunningMode::Front;
}

void TAddOrChange_Form::SetIfRunning(IfRunningMode mode)
{
    Button_SetCheck(FrontCheck(), mode != IfRunningMode::Start ? BST_CHECKED : BST_UNCHECKED);
    Button_SetCheck(ToggleCheck(), mode == IfRunningMode::Toggle ? BST_CHECKED : BST_UNCHECKED);
    Button_SetCheck(CycleCheck(), mode == IfRunningMode::Cycle ? BST_CHECKED : BST_UNCHECKED);
    // The second choices go with the first only.
    EnableWindow(ToggleCheck(), mode != IfRunningMode::Start);
    EnableWindow(CycleCheck(), mode != IfRunningMode::Start);
}

void TAddOrChange_Form::IfRunningClick(int id)
{
    // Minimising and going round the windows exclude each other: a tick in
    // one clears the other; without the first box, neither applies.
    const bool front = Button_GetCheck(FrontCheck()) == BST_CHECKED;
    if (id == IdToggle && Button_GetCheck(ToggleCheck()) == BST_CHECKED)
        Button_SetCheck(CycleCheck(), BST_UNCHECKED);
    if (id == IdCycle && Button_GetCheck(CycleCheck()) == BST_CHECKED)
        Button_SetCheck(ToggleCheck(), BST_UNCHECKED);
    if (!front) {
        Button_SetCheck(ToggleCheck(), BST_UNCHECKED);
        Button_SetCheck(CycleCheck(), BST_UNCHECKED);
    }
    EnableWindow(ToggleCheck(), front);
    EnableWindow(CycleCheck(), front);
}

BindingFields TAddOrChange_Form::Fields() const
{
    const auto value = static_cast<std::uint16_t>(SendMessageA(HotKey(), HKM_GETHOTKEY, 0, 0));
    const auto window = SendMessageA(Window_CbBox(), CB_GETCURSEL, 0, 0);
    return {.hotKey = ShortcutFromHotKeyControl(value),
            .path = ItemText(IdPath),
            .hint = ItemText(IdHint),
            .sort = ItemText(IdSort),
            .arguments = ItemText(IdArguments),
            .startIn = ItemText(IdStartIn),
            .window = window > 0 && window < static_cast<LRESULT>(WindowChoices.size())
                          ? WindowChoices[static_cast<std::size_t>(window)]
                          : WindowMode::Normal,
            .admin = Button_GetCheck(AdminCheck()) == BST_CHECKED};
}

std::string TAddOrChange_Form::KeyStatus() const
{
    // A binding opened for a change whose key field is untouched keeps its
    // own combination, the Win key included, which the field cannot show.
    const Tquickdex edited = EditedBinding();
    // Held by another program: our own registration of it is refused.
    auto isFree = [this](int modifiers, int key) {
        if (!RegisterHotKey(Handle(), 0x3FFF, static_cast<UINT>(modifiers), static_cast<UINT>(key)))
            return false;
        UnregisterHotKey(Handle(), 0x3FFF);
        return true;
    };
    return quickdex::KeyStatus(main_.Engine(), edited.Modifiers, edited.Key, changeId_.place ? &changeId_ : nullptr,
                               [this](int slot) { return main_.RowOfSlot(slot); }, isFree, altGrText_);
}

void TAddOrChange_Form::TakeCombination(WORD value)
{
    // The field shows what was pressed as if it had seen the press itself;
    // a key held down repeats the same value.
    if (static_cast<WORD>(SendMessageA(HotKey(), HKM_GETHOTKEY, 0, 0)) == value)
        return;
    SendMessageA(HotKey(), HKM_SETHOTKEY, value, 0);
    ShowKeyStatus();
}

void TAddOrChange_Form::ShowKeyStatus()
{
    SetItemText(IdStatus, KeyStatus());
}

void TAddOrChange_Form::FormShow()
{
    // The choices follow Set.ini; the text in the field stays.
    HWND sort = Sort_CbBox();
    const std::string text = ItemText(IdSort);
    SendMessageA(sort, CB_RESETCONTENT, 0, 0);
    for (const std::string& name : categories_.ReadCategories())
        SendMessageW(sort, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Wide(name).c_str()));
    SetItemText(IdSort, text);
    ShowKeyStatus();
}

void TAddOrChange_Form::FormClose()
{
    SetItemText(IdPath, "");
    SetItemText(IdHint, "");
    SendMessageA(HotKey(), HKM_SETHOTKEY, 0, 0);
    SetItemText(IdSort, DefaultSort);
    SetItemText(IdStatus, "");
    SetItemText(IdArguments, "");
    SetItemText(IdStartIn, "");
    SendMessageA(Window_CbBox(), CB_SETCURSEL, 0, 0);
    Button_SetCheck(AdminCheck(), BST_UNCHECKED);
    loaded_ = Tquickdex{};
    changeId_ = BindingId{};
    SetIfRunning(IfRunningMode::Start);
    capture_.Stop();
    main_.StandAside(false);
}

int TAddOrChange_Form::Notice(const char* text, const char* caption, UINT style)
{
    return app_.Box(Handle(), text, caption, style);
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
    Notice(IncompleteInput, MainWindowCaption, MB_ICONINFORMATION | MB_OK);
    return false;
}

bool TAddOrChange_Form::AddBinding()
{
    // Counted on the table as loaded last, not on the file.
    if (main_.HotkeyCount() >= MaxHotkeys) {
        Notice(LimitNotice, app_.Title().c_str(), MB_OK);
        return false;
    }
    return WriteAdded();
}

bool TAddOrChange_Form::WriteAdded()
{
    if (!CheckInput())
        return false;
    // An add onto a combination bound already replaces that binding whole.
    main_.WriteBinding(nullptr, BindingFromFields(Fields(), IfRunning(), nullptr));
    return true;
}

bool TAddOrChange_Form::ChangeBinding()
{
    if (!CheckInput())
        return false;
    if (!changeId_.place)
        return WriteAdded(); // nothing to replace: the change adds
    main_.WriteBinding(&changeId_, EditedBinding());
    return true;
}

void TAddOrChange_Form::File_SBtnClick()
{
    std::vector<wchar_t> file(32768, L'\0');
    const std::wstring last = win32::Wide(lastFile_);
    last.copy(file.data(), std::min(last.size(), file.size() - 1));
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Handle();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    // A shortcut is kept as the target, not replaced by what it starts: its
    // arguments and folder would be lost.
    dialog.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER | OFN_NODEREFERENCELINKS;
    const auto open = win32::OpenFileDialog();
    if (!open)
        return;
    {
        TApplication::ModalLoop loop(app_);
        win32::EnsureCom();
        if (!open(&dialog))
            return;
    }
    lastFile_ = win32::Utf8(file.data());
    SetItemText(IdPath, lastFile_);
}

void TAddOrChange_Form::folder_SBtnClick()
{
    bool chosen = false;
    {
        TApplication::ModalLoop loop(app_);
        chosen = folderDialog_.Execute();
    }
    if (chosen)
        SetItemText(IdPath, folderDialog_.FolderPath);
}

void TAddOrChange_Form::StartIn_BtnClick()
{
    bool chosen = false;
    {
        TApplication::ModalLoop loop(app_);
        chosen = folderDialog_.Execute();
    }
    if (chosen)
        SetItemText(IdStartIn, folderDialog_.FolderPath);
}

void TAddOrChange_Form::SpeedButton3Click()
{
    if (chooser_)
        chooser_->Show();
}

LRESULT TAddOrChange_Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) {
        switch (LOWORD(wParam)) {
        case IdFileButton:
            File_SBtnClick();
            return 0;
        case IdFolderButton:
            folder_SBtnClick();
            return 0;
        case IdActionButton:
            SpeedButton3Click();
            return 0;
        case IdHotKey:
            if (HIWORD(wParam) == EN_CHANGE)
                ShowKeyStatus();
            return 0;
        case IdStartInButton:
            if (HIWORD(wParam) == BN_CLICKED)
                StartIn_BtnClick();
            return 0;
        case IdFront:
        case IdToggle:
        case IdCycle:
            if (HIWORD(wParam) == BN_CLICKED)
                IfRunningClick(LOWORD(wParam));
            return 0;
        default:
            break;
        }
    }
    return Form::HandleMessage(message, wParam, lParam);
}

} // namespace quickdex
