#include "ui/main/main.h"

#include "../../res/resource.h"
#include "engine/BuiltInActions.h"
#include "engine/HotkeyStates.h"
#include "store/BindingEdit.h"
#include "store/Errors.h"
#include "store/KeyNames.h"
#include "ui/ProductInfo.h"
#include "ui/main/MainIds.h"
#include "platform/win32/SystemLibraries.h"

#include <array>

namespace quickdex {
namespace {

constexpr int ClientWidth = 394;
constexpr int ClientHeight = 404;
constexpr int PanelHeight = 44;
constexpr DWORD FormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// The notice ends in the ideographic full stop, stored in GB2312 (A1 A3);
// it is shown through the wide call so that it reads right on any code page.
constexpr const char* SelectToDeleteNotice = "Please select the item you want to delete\xA1\xA3";
constexpr unsigned ChineseCodePage = 936;

// AutoRun turned off, but an older setting for every user still starts it.
constexpr const char* MachineAutoRunStays =
    "quickdex still starts with Windows: an older setting for all users of this computer names it, and only an "
    "administrator can remove that setting.";

// The state pictures of the rows (1-based, in the marks strip).
constexpr int MarkActive = 1;
constexpr int MarkRefused = 2;
constexpr int MarkStopped = 3;
constexpr int MarkMissing = 4; // the hotkey works, but its target is gone

// Session notifications (the session was unlocked) come once asked for.
constexpr UINT WmSessionChange = 0x02B1; // WM_WTSSESSION_CHANGE
constexpr WPARAM SessionUnlock = 0x8;    // WTS_SESSION_UNLOCK
constexpr WPARAM ResumeAutomatic = 0x12; // PBT_APMRESUMEAUTOMATIC

constexpr UINT_PTR HotkeyRepeatTimer = 1;
constexpr UINT_PTR SessionNotesTimer = 2;

struct MenuItem {
    int id; // 0: a separator
    const char* text;
};

HMENU BuildMenu(std::initializer_list<MenuItem> items)
{
    HMENU menu = CreatePopupMenu();
    for (const MenuItem& item : items) {
        if (item.id == 0)
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(item.id), item.text);
    }
    return menu;
}

} // namespace

TMainForm::TMainForm(TApplication& application, std::string exeDir, AutoRunSetting autoRun)
    : app_(application), exeDir_(std::move(exeDir)), autoRun_(std::move(autoRun))
{
    CreateMenus();
    CreateForm({.className = MainWindowClass,
                .caption = MainWindowCaption,
                .clientWidth = ClientWidth,
                .clientHeight = ClientHeight,
                .owner = app_.Handle(), // owned by the application window: no taskbar button of its own
                .iconId = IDI_APP,
                .style = FormStyle,
                .exStyle = 0,
                .menu = mainMenu_});
    app_.SetMainWindow(Handle());
    showRunningMessage_ = RegisterWindowMessageA(ShowRunningMessage);

    hotkeyApi_ = std::make_unique<win32::HotkeyApi>(Handle());
    hotkeyRepeats_ = std::make_unique<win32::HotkeyRepeatLatch>(Handle(), HotkeyRepeatTimer);
    engine_ = std::make_unique<HotkeyEngine>(HotkeyEngine::Services{files_, *hotkeyApi_, system_, *this, *this, launches_},
                                             exeDir_);
    CreateChildren();
    CreateTrayIcon();
    FormCreate();
    // After the bindings are registered: the library is not on their road.
    sessionNotes_ = std::make_unique<win32::SessionNotes>(Handle(), SessionNotesTimer);
    sessionNotes_->Register();
}

void TMainForm::CreateMenus()
{
    // Each menu and item carries an underlined letter, so that Alt and the
    // letter reach it from the keyboard; the texts read as before.
    auto bar = [this](HMENU popup, const char* caption) {
        AppendMenuA(mainMenu_, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), caption);
    };
    const std::string stop = std::string("&") + StopCaption;
    mainMenu_ = CreateMenu();
    bar(BuildMenu({{ids::MStop_N, stop.c_str()}, {0, nullptr}, {ids::N4, "E&xit"}}), "&File");
    bar(BuildMenu({{ids::AutoRun_N, "&AutoRun"}, {0, nullptr}, {ids::Sort_N, "Edit &Sort"}}), "&Set");
    bar(BuildMenu({{ids::N7, "&Go to quickdex Home Page ->"},
                   {ids::N6, "&E-Mail"},
                   {0, nullptr},
                   {ids::N3, "&Help"},
                   {ids::N5, "&About"}}),
        "&Help");
    trayMenu_.reset(BuildMenu(
        {{ids::Stop_N, stop.c_str()}, {ids::Show_N, "S&how"}, {0, nullptr}, {ids::N1, "&About"}, {ids::N2, "E&xit"}}));
    listMenu_.reset(BuildMenu({{ids::Add_N, "&Add"}, {ids::Change_N, "&Change"}, {ids::Delete_N, "&Delete"}}));
}

void TMainForm::CreateChildren()
{
    static constexpr win32::ControlSpec groupBox{ids::M_GroupBox, WC_BUTTONA, "Set HotKey", 0, 0, ClientWidth,
                                                 ClientHeight - PanelHeight, BS_GROUPBOX};
    win32::CreateControls(Handle(), {&groupBox, 1});
    // Inside the group box's frame, below its caption.
    list_ = std::make_unique<TBindingList>(Handle(), ids::M_ListView, 2, 15, ClientWidth - 4,
                                           ClientHeight - PanelHeight - 17);
    static constexpr std::array<win32::DrawnStrip, 4> marks = {
        {{16, IDB_MARKS16}, {20, IDB_MARKS20}, {24, IDB_MARKS24}, {32, IDB_MARKS32}}};
    list_->SetStateImages(marks);

    HWND panel = AddPanel(ids::B_Panel, 0, ClientHeight - PanelHeight, ClientWidth, PanelHeight);
    static constexpr std::array panelControls = {
        win32::ControlSpec{ids::AddBitBtn, WC_BUTTONA, "Add", 8, 8, 57, 25, WS_TABSTOP | BS_PUSHBUTTON},
        win32::ControlSpec{ids::ChangeBitBtn, WC_BUTTONA, "Change", 72, 8, 57, 25, WS_TABSTOP | BS_PUSHBUTTON},
        win32::ControlSpec{ids::DelBitBtn, WC_BUTTONA, "Delete", 136, 8, 57, 25, WS_TABSTOP | BS_PUSHBUTTON},
        win32::ControlSpec{ids::Mini_BitBtn, WC_BUTTONA, "Hide", 256, 8, 57, 25, WS_TABSTOP | BS_PUSHBUTTON},
        win32::ControlSpec{ids::C_BitBtn, WC_BUTTONA, "Exit", 320, 8, 65, 25, WS_TABSTOP | BS_PUSHBUTTON},
    };
    win32::CreateControls(panel, panelControls);
}

void TMainForm::FormDpiChanged(int dpi)
{
    if (list_)
        list_->SetDpi(dpi);
}

void TMainForm::CreateTrayIcon()
{
    // Five pictures drawn for each small-icon size: picture 0 while the
    // hotkeys run, picture 1 while they are stopped.
    static constexpr std::array trayIcons = {IDI_TRAY_RUNNING, IDI_TRAY_STOPPED, IDI_TRAY_GREEN, IDI_TRAY_PLUS,
                                             IDI_TRAY_MINUS};
    imageList_ = win32::LoadSmallIcons(trayIcons);

    tray_ = std::make_unique<TCoolTrayIcon>(Handle(), app_.Handle());
    tray_->SetIconList(imageList_.get());
    tray_->PopupMenu = trayMenu_.get();
    tray_->StartMinimized = true;
    tray_->MinimizeToTray = true;
    tray_->OnClick = [this] { CoolTrayIconClick(); };
    tray_->OnTaskbarCreated = [this] { RetryRefusedHotkeys(); };
    tray_->Loaded();
}

void TMainForm::FormCreate()
{
    sort_ = ListSortState{};
    engine_->Actions.CDDoorOpen = false;
    engine_->Stopped = false;
    // A broken AutoRun value is shown, but it does not keep the bindings
    // from being loaded and registered.
    win32::Guarded([this] { ReadAutoRunSetting(); });
    win32::Guarded([this] {
        const LoadResult loaded = ReloadAndRegister();
        if (const std::string text = IgnoredBindingsText(loaded); !text.empty())
            MessageBoxText(text, MB_ICONINFORMATION | MB_OK);
        ReportLoad(loaded);
    });
}

void TMainForm::ReportLoad(const LoadResult& loaded)
{
    // A section that is no binding is the file's error, shown in the
    // standard error box, once: it stays in the file through every edit.
    if (loaded.foreign != reportedForeign_) {
        reportedForeign_ = loaded.foreign;
        if (const std::string text = ForeignSectionsText(loaded); !text.empty())
            win32::ReportError(AppError(text));
    }
}

void TMainForm::FormClose()
{
    UnregisterAll();
}

void TMainForm::Close()
{
    // A box or dialog still open: its question is not answered by closing
    // the program under it. It is closed as Cancel, then the program ends.
    if (app_.InModalLoop()) {
        app_.CloseAfterModalLoops();
        return;
    }
    FormClose();
    DestroyWindow(Handle());
}

void TMainForm::CloseMainWindow()
{
    // Posted: the hotkey that asks for it is still being handled.
    PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

void TMainForm::ShowMainWindow()
{
    if (!IsWindowVisible(Handle())) {
        ComeToUsersMonitor(); // on the monitor where the user clicked or typed
        // A hotkey refused at start may be free by now, and a target may
        // have gone (or come back) while the window was hidden. The rows are
        // marked before the window is shown: it is painted once, as it is.
        targetsChecked_ = false;
        const bool retaken = engine_->RetryRefused() > 0;
        if (CheckTargets(Showing::About) || retaken)
            ShowHotkeyStates();
        ShowWindow(Handle(), SW_SHOW); // the tray's watcher brings back the taskbar button
    }
    // A dialog of it that is open holds it disabled: that dialog comes to
    // the front, with the focus in it, not the window that cannot take input.
    SetForegroundWindow(win32::InputWindowFor(Handle()));
}

int TMainForm::MessageBoxText(const std::string& text, UINT style)
{
    return app_.Box(Handle(), text, MainWindowCaption, style);
}

// --- The reload cycle -----------------------------------------------------

LoadResult TMainForm::ReloadHotkeys()
{
    targetsChecked_ = false;
    const StatesShownAfter states(*this);
    return engine_->ReloadHotkeys();
}

LoadResult TMainForm::ReloadAndRegister()
{
    targetsChecked_ = false;
    const StatesShownAfter states(*this);
    return engine_->ReloadAndRegister();
}

void TMainForm::RegisterAll()
{
    engine_->RegisterAll();
    ShowHotkeyStates();
}

void TMainForm::UnregisterAll()
{
    engine_->UnregisterAll();
}

void TMainForm::AfterBindingChange()
{
    targetsChecked_ = false;
    const StatesShownAfter states(*this);
    const LoadResult loaded = engine_->ReloadAfterChange();
    sort_.Reset();
    ReportLoad(loaded);
}

void TMainForm::WriteBinding(const BindingId* replacing, const Tquickdex& binding)
{
    bool converted = false;
    try {
        converted = engine_->Store().Write(replacing, binding);
    } catch (const BindingChangedError&) {
        AfterBindingChange();
        throw;
    }
    AfterBindingChange();
    if (converted)
        MessageBoxText(UnicodeNotice(engine_->HotkeyPath()), MB_ICONINFORMATION | MB_OK);
}

void TMainForm::RetryRefusedHotkeys()
{
    if (engine_->RetryRefused() > 0)
        ShowHotkeyStates();
}

void TMainForm::StandAside(bool aside)
{
    const bool wasAside = engine_->StandingAside();
    engine_->StandAside(aside);
    // Coming back, a combination another program took meanwhile is refused:
    // the marks and the tray say so at once.
    if (wasAside && !aside)
        ShowHotkeyStates();
}

// --- Commands ------------------------------------------------------------

void TMainForm::AddBitBtnClick()
{
    if (!editor_)
        return;
    editor_->SetCaption("Add Hotkey");
    editor_->Show();
}

void TMainForm::ChangeBitBtnClick()
{
    const int slot = SelectedSlot();
    if (slot == 0) {
        MessageBoxText("Please select the item you want to change", MB_ICONINFORMATION | MB_OK);
        return;
    }
    if (!editor_)
        return;
    editor_->SetBinding(engine_->Hotkeys[slot], engine_->Hotkeys.IdOf(slot));
    editor_->SetCaption("Change Hotkey");
    editor_->Show();
}

void TMainForm::DelBitBtnClick()
{
    const int row = list_->SelectedRow();
    if (row < 0) {
        app_.Box(Handle(), win32::FromCodePage(SelectToDeleteNotice, ChineseCodePage),
                 win32::FromCodePage(MainWindowCaption, CP_ACP).c_str(),
                 MB_ICONINFORMATION | MB_OK);
        return;
    }
    // The binding is taken before the question: whatever happens to the list
    // while the box is open, OK erases the binding the user was asked about,
    // and only that one (a second section of the same name is another).
    const BindingId id = engine_->Hotkeys.IdOf(list_->SlotOfRow(row));
    const std::string text = DeleteConfirmationText(list_->Text(row, 0), list_->Text(row, 1), list_->Text(row, 2));
    // Only a yes erases: a box closed under the program answers nothing.
    if (MessageBoxText(text, MB_ICONQUESTION | MB_OKCANCEL) != IDOK)
        return;
    try {
        engine_->Store().Erase(id);
    } catch (const BindingChangedError&) {
        AfterBindingChange();
        throw;
    }
    AfterBindingChange();
}

void TMainForm::Mini_BitBtnClick()
{
    app_.Minimize();
}

void TMainForm::C_BitBtnClick()
{
    Close();
}

void TMainForm::MStop_NClick()
{
    engine_->ToggleStop();
    ShowHotkeyStates();
}

void TMainForm::Show_NClick()
{
    ShowMainWindow();
}

void TMainForm::CoolTrayIconClick()
{
    ShowMainWindow();
}

void TMainForm::N5Click()
{
    if (OnShowAbout)
        OnShowAbout();
}

void TMainForm::AutoRun_NClick()
{
    ToggleAutoRun();
}

void TMainForm::Sort_NClick()
{
    if (OnEditSort)
        OnEditSort();
}

void TMainForm::N3Click()
{
    ShellOpen(system_, exeDir_ + HelpFileName);
}

void TMainForm::N7Click()
{
    ShellOpen(system_, HomePageAddress);
}

void TMainForm::N6Click()
{
    ShellOpen(system_, std::string("mailto:") + SupportMailAddress);
}

void TMainForm::ReadAutoRunSetting()
{
    // The tick follows the outcome, also when the read fails half-way.
    bool ticked = autoRunTicked_;
    struct Apply {
        TMainForm& form;
        bool& ticked;
        ~Apply()
        {
            form.autoRunTicked_ = ticked;
            CheckMenuItem(form.mainMenu_, ids::AutoRun_N, MF_BYCOMMAND | (ticked ? MF_CHECKED : MF_UNCHECKED));
        }
    } apply{*this, ticked};
    autoRun_.ReadAutoRunSetting(ticked);
}

void TMainForm::ToggleAutoRun()
{
    bool ticked = autoRunTicked_;
    const bool done = autoRun_.ToggleAutoRun(ticked);
    autoRunTicked_ = ticked;
    CheckMenuItem(mainMenu_, ids::AutoRun_N, MF_BYCOMMAND | (ticked ? MF_CHECKED : MF_UNCHECKED));
    if (!done)
        MessageBoxText(MachineAutoRunStays, MB_ICONINFORMATION | MB_OK);
}

// --- The list and the hotkeys' states ---------------------------------------

std::string TMainForm::SelectedSectionName() const
{
    const int slot = SelectedSlot();
    return slot == 0 ? std::string() : engine_->Hotkeys.SectionOf(slot);
}

void TMainForm::AddRow(int slot, const Tquickdex& binding)
{
    list_->Add(slot, HotkeyCaption(binding.Modifiers, binding.Key), binding.Action, binding.Sort);
}

void TMainForm::ClearRows()
{
    list_->Clear();
}

void TMainForm::RowsDone()
{
    list_->Done();
}

int TMainForm::RowOfSlot(int slot) const
{
    for (int row = 0, n = list_->RowCount(); row < n; ++row)
        if (list_->SlotOfRow(row) == slot)
            return row;
    return -1;
}

std::string TMainForm::StateText(int slot) const
{
    return quickdex::StateText(*engine_, slot, [this](int other) { return RowOfSlot(other); });
}

std::string TMainForm::TrayTip() const
{
    return quickdex::TrayTip(*engine_);
}

bool TMainForm::CheckTargets(Showing showing)
{
    // Hidden, nobody sees the marks: nothing is looked for.
    if (targetsChecked_ || (showing == Showing::AsIs && !IsWindowVisible(Handle())))
        return false;
    targetsChecked_ = true;
    std::array<bool, MaxHotkeys + 1> missing{};
    win32::TargetsMissing isMissing;
    for (int slot = 1; slot <= MaxHotkeys; ++slot) {
        const Tquickdex& binding = engine_->Hotkeys[slot];
        missing[slot] = binding.Key != 0 && !IsBuiltInActionName(binding.Action) && isMissing(binding.Action);
    }
    const bool changed = missing != missingTargets_;
    missingTargets_ = missing;
    return changed;
}

bool TMainForm::TargetMissing(int slot) const
{
    // Until the next look, as last found: the rows do not flicker at each reload.
    return slot >= 1 && slot <= MaxHotkeys && missingTargets_[slot];
}

void TMainForm::ShowHotkeyStates()
{
    CheckTargets();
    {
        const auto pause = list_->PauseRedraw();
        for (int row = 0, n = list_->RowCount(); row < n; ++row) {
            const int slot = list_->SlotOfRow(row);
            switch (engine_->StatusOf(slot).state) {
            case SlotState::Active:
                list_->SetRowState(row, TargetMissing(slot) ? MarkMissing : MarkActive);
                break;
            case SlotState::Stopped:
                list_->SetRowState(row, MarkStopped);
                break;
            case SlotState::Empty:
                break;
            default:
                list_->SetRowState(row, MarkRefused);
                break;
            }
        }
    }
    if (tray_) {
        const std::string tip = TrayTip();
        tray_->SetHint(tip);
        tray_->SetShowHint(!tip.empty());
    }
}

void TMainForm::SetTrayImage(int index)
{
    if (tray_)
        tray_->SetIconIndex(index);
}

void TMainForm::SetStopCaptions(const char* caption)
{
    const std::string text = std::string("&") + caption; // Stop and Start both underline their first letter
    ModifyMenuA(mainMenu_, ids::MStop_N, MF_BYCOMMAND | MF_STRING, ids::MStop_N, text.c_str());
    ModifyMenuA(trayMenu_.get(), ids::Stop_N, MF_BYCOMMAND | MF_STRING, ids::Stop_N, text.c_str());
}

void TMainForm::ShowPlainMessage(const char* text)
{
    app_.Box(Handle(), text, app_.Title().c_str(), MB_OK);
}

void TMainForm::M_ListViewColumnClick(int column)
{
    sort_.ColumnClicked(column);
    list_->Sort([this](int slot1, int slot2) { return M_ListViewCompare(slot1, slot2); });
}

int TMainForm::M_ListViewCompare(int slot1, int slot2) const
{
    auto text = [this](int slot) {
        const Tquickdex& b = engine_->Hotkeys[slot];
        switch (sort_.SortColumn) {
        case 0:
            return HotkeyCaption(b.Modifiers, b.Key);
        case 1:
            return b.Action;
        default:
            return b.Sort;
        }
    };
    auto key = [this](const std::string& utf8) { return ListSortKey(utf8, files_.Utf8ToCodePage(utf8)); };
    return sort_.Compare(key(text(slot1)), key(text(slot2)));
}

std::string TMainForm::M_ListViewInfoTip(int row) const
{
    const int slot = SlotOfRow(row);
    return InfoTip(*engine_, slot, [this](int other) { return RowOfSlot(other); }, TargetMissing(slot));
}

void TMainForm::M_ListViewDblClick()
{
    if (SelectedSlot() != 0)
        ChangeBitBtnClick();
}

void TMainForm::ShowListMenu(LPARAM position)
{
    POINT at{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    if (position == -1) { // from the keyboard: at the list's corner
        at = POINT{0, 0};
        ClientToScreen(ListView(), &at);
    }
    TrackPopupMenu(listMenu_.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
}

// --- Messages --------------------------------------------------------------

void TMainForm::OnCommand(int id)
{
    switch (id) {
    case ids::AddBitBtn:
    case ids::Add_N:
        AddBitBtnClick();
        break;
    case ids::ChangeBitBtn:
    case ids::Change_N:
        ChangeBitBtnClick();
        break;
    case ids::DelBitBtn:
    case ids::Delete_N:
        DelBitBtnClick();
        break;
    case ids::Mini_BitBtn:
        Mini_BitBtnClick();
        break;
    case ids::C_BitBtn:
    case ids::N4:
    case ids::N2:
        C_BitBtnClick();
        break;
    case ids::MStop_N:
    case ids::Stop_N:
        MStop_NClick();
        break;
    case ids::Show_N:
        Show_NClick();
        break;
    case ids::N5:
    case ids::N1:
        N5Click();
        break;
    case ids::AutoRun_N:
        AutoRun_NClick();
        break;
    case ids::Sort_N:
        Sort_NClick();
        break;
    case ids::N3:
        N3Click();
        break;
    case ids::N7:
        N7Click();
        break;
    case ids::N6:
        N6Click();
        break;
    default:
        break;
    }
}

LRESULT TMainForm::OnNotify(const NMHDR& header)
{
    if (header.hwndFrom != ListView())
        return 0;
    if (list_->AnswerInfoTip(header, [this](int row) { return M_ListViewInfoTip(row); }))
        return 0;
    switch (header.code) {
    case LVN_COLUMNCLICK:
        M_ListViewColumnClick(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
        break;
    case NM_DBLCLK:
        M_ListViewDblClick();
        break;
    default:
        break;
    }
    return 0;
}

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (tray_)
        tray_->OwnerMessage(message, wParam, lParam);
    switch (message) {
    case WM_HOTKEY:
        if (hotkeyRepeats_->Accept(lParam))
            engine_->WMHotKey(static_cast<std::uint32_t>(lParam));
        return 0;
    case WM_TIMER:
        if (hotkeyRepeats_->OnTimer(wParam) || (sessionNotes_ && sessionNotes_->OnTimer(wParam)))
            return 0;

        break;
    case WM_SYSCOMMAND:
        // The close button, Close on the window menu and Alt+F4 only
        // minimise; the program ends through Exit.
        if ((wParam & 0xFFF0) == SC_CLOSE)
            wParam = SC_MINIMIZE;
        if ((wParam & 0xFFF0) == SC_MINIMIZE) {
            app_.Minimize();
            return 0;
        }
        break;
    case WM_COMMAND:
        if (lParam == 0 || HIWORD(wParam) == BN_CLICKED)
            OnCommand(LOWORD(wParam));
        return 0;
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) == ListView()) {
            ShowListMenu(lParam);
            return 0;
        }
        break;
    case WM_POWERBROADCAST:
        if (wParam == ResumeAutomatic)
            RetryRefusedHotkeys();
        return TRUE;
    case WmSessionChange:
        if (wParam == SessionUnlock)
            RetryRefusedHotkeys();
        return 0;
    case WM_CLOSE:
        Close();
        return 0;
    case WM_DESTROY:
        if (OnDestroy)
            OnDestroy();
        sessionNotes_.reset(); // given back while the window can still be named
        tray_.reset(); // the icon leaves the notification area
        PostQuitMessage(0);
        return 0;
    default:
        if (message == showRunningMessage_ && message != 0) {
            ShowMainWindow();
            return 0;
        }
        break;
    }
    return Form::HandleMessage(message, wParam, lParam);
}

} // namespace quickdex
