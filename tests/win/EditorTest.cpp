// The editing windows in-process, wired as the program wires them: the
// hotkey editor, the action chooser, the category editor and its name
// dialog, driven through their real controls.
#include "DialogAnswerer.h"
#include "ProgramWindows.h"
#include "WinSupport.h"
#include "ui/Application.h"
#include "support/TempDir.h"
#include "store/KeyNames.h"
#include "ui/dialogs/AddOrChange.h"
#include "ui/dialogs/DoList.h"
#include "ui/dialogs/Sort.h"
#include "ui/main/MainIds.h"
#include "ui/main/main.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <optional>

#include <dlgs.h>
#include <shlobj.h>
#include <windowsx.h>

namespace quickdex {
namespace {

using namespace quickdex::test;

HWND Control(HWND root, const char* className, const char* text)
{
    return FindControl(root, className, text);
}

void Click(HWND button)
{
    ASSERT_NE(button, nullptr);
    SendMessageA(button, BM_CLICK, 0, 0);
}

class EditorTest : public ProgramWindowsTest {
protected:
    // The editor's fields, filled as a user would.
    void Fill(WORD vk, BYTE flags, const char* path, const char* hint = "", const char* sort = nullptr)
    {
        SendMessageA(editor->HotKey(), HKM_SETHOTKEY, MAKEWORD(vk, flags), 0);
        SetWindowTextA(editor->Path_LabEdit(), path);
        SetWindowTextA(editor->Hint_LabEdit(), hint);
        if (sort)
            SetWindowTextA(editor->Sort_CbBox(), sort);
    }
    void PressOk() { Click(Control(editor->Handle(), "Button", "OK")); }
    std::vector<std::string> Captions() const
    {
        std::vector<std::string> out;
        const int rows = ListView_GetItemCount(main->ListView());
        for (int row = 0; row < rows; ++row) {
            char text[256] = {};
            ListView_GetItemText(main->ListView(), row, 0, text, sizeof text);
            out.emplace_back(text);
        }
        return out;
    }
    void SelectRow(int row)
    {
        ListView_SetItemState(main->ListView(), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    static std::string Sections(int count, int firstKey = 150)
    {
        std::string ini;
        for (int i = 0; i < count; ++i)
            ini += "[7+" + std::to_string(firstKey + i) + "]\r\nAction=x" + std::to_string(i) + "\r\n";
        return ini;
    }

};

TEST_F(EditorTest, AddWritesTheSectionAndTheListFollows)
{
    Start("[0+112]\r\nAction=calc.exe\r\n");
    Click(Control(main->Handle(), "Button", "Add"));
    EXPECT_TRUE(editor->Visible());
    EXPECT_EQ(editor->Caption(), "Add Hotkey");
    EXPECT_FALSE(IsWindowEnabled(main->Handle())) << "the main window takes input while the editor is open";
    EXPECT_EQ(win32::WindowText(editor->Sort_CbBox()), "Other");

    Fill('A', HOTKEYF_CONTROL | HOTKEYF_ALT, "notepad.exe");
    PressOk();
    EXPECT_EQ(Ini(), "[0+112]\r\nAction=calc.exe\r\n[3+65]\r\nAction=notepad.exe\r\nHint=\r\nSort=Other\r\n");
    EXPECT_EQ(Captions().back(), "Ctrl + ALT + A");
    EXPECT_FALSE(editor->Visible());
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));
    // Closed: the fields are reset for the next opening.
    EXPECT_EQ(win32::WindowText(editor->Path_LabEdit()), "");
    EXPECT_EQ(SendMessageA(editor->HotKey(), HKM_GETHOTKEY, 0, 0), 0);
    EXPECT_EQ(win32::WindowText(editor->Sort_CbBox()), "Other");
    EXPECT_FALSE(RegisterHotKey(nullptr, 90, MOD_CONTROL | MOD_ALT, 'A')) << "the new binding is not registered";
}

// A target, a note and a category in three scripts and an emoji, pasted into
// the editor: once written to hotkey.ini as "C:\??\?? caf?.exe" without a
// word. Now the file turns UTF-16 (its old bytes kept, the user told once),
// and the list, the tip and a later start show every character.
TEST_F(EditorTest, TextsInEveryScriptAreKeptSavedListedAndReadBack)
{
    const std::string original = "[0+112]\r\nAction=calc.exe\r\n";
    Start(original);
    const std::wstring target = L"C:\\\x6D4B\x8BD5\\\xD83D\xDE00 caf\xE9.exe";
    const std::wstring hint = L"\x4E2D\x6587\x63D0\x793A \x141Bukasz \x0395\x03BB\x03BB\x03AC\x03B4\x03B1";
    const std::wstring sort = L"\x7C7B\x522B";
    DialogAnswerer answerer;
    main->AddBitBtnClick();
    Fill('C', HOTKEYF_CONTROL | HOTKEYF_ALT, "");
    SetWindowTextW(editor->Path_LabEdit(), target.c_str());
    SetWindowTextW(editor->Hint_LabEdit(), hint.c_str());
    SetWindowTextW(editor->Sort_CbBox(), sort.c_str());
    PressOk();
    ASSERT_FALSE(editor->Visible()) << "the editor refused the texts";
    const auto boxes = answerer.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find(L"now keeps its text as Unicode (UTF-16)"), std::wstring::npos);
    EXPECT_NE(boxes[0].text.find(L"hotkey.ini.bak"), std::wstring::npos);
    EXPECT_EQ(dir.Read("hotkey.ini.bak"), original);
    EXPECT_EQ(Ini().rfind("\xFF\xFE", 0), 0u) << "not UTF-16 with its mark";

    const auto listed = [&](int row, int column) {
        wchar_t text[512] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = 512;
        SendMessageW(main->ListView(), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        return std::wstring(text);
    };
    const auto checkList = [&] {
        ASSERT_EQ(ListView_GetItemCount(main->ListView()), 2);
        EXPECT_EQ(listed(1, 1), target);
        EXPECT_EQ(listed(1, 2), sort);
        wchar_t tip[512] = L"item text";
        NMLVGETINFOTIPW request{};
        request.hdr.hwndFrom = main->ListView();
        request.hdr.code = LVN_GETINFOTIPW;
        request.pszText = tip;
        request.cchTextMax = 512;
        request.iItem = 1;
        SendMessageW(main->Handle(), WM_NOTIFY, ids::M_ListView, reinterpret_cast<LPARAM>(&request));
        EXPECT_NE(std::wstring(tip).find(hint), std::wstring::npos);
    };
    checkList();

    // A later start reads every character back, and a change shows them.
    const std::string saved = Ini();
    Stop();
    Start(saved);
    checkList();
    SelectRow(1);
    main->ChangeBitBtnClick();
    EXPECT_EQ(win32::Wide(win32::WindowText(editor->Path_LabEdit())), target);
    EXPECT_EQ(win32::Wide(win32::WindowText(editor->Hint_LabEdit())), hint);
    editor->C_BitBtnClick();
    EXPECT_EQ(answerer.Boxes().size(), 1u) << "the notice came twice";

    // The category editor: a name in Greek, in a Set.ini that did not exist.
    sortForm->Show();
    sortForm->Add_BitBtnClick();
    SetWindowTextW(sortName->Sort_Edit(), L"\x0395\x03C1\x03B3\x03B1\x03C3\x03AF\x03B1");
    sortName->OK_BitBtnClick();
    wchar_t first[64] = {};
    SendMessageW(sortForm->Sort_ListBox(), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(first));
    EXPECT_EQ(std::wstring(first), L"\x0395\x03C1\x03B3\x03B1\x03C3\x03AF\x03B1");
    EXPECT_EQ(dir.Read("Set.ini").rfind("\xFF\xFE", 0), 0u);
    sortForm->Close();
}

// A name in three scripts and an emoji, as the system's file dialog and
// folder browser hand it back, reaches the target field whole: the real
// dialogs, answered from another thread as a user would answer them.
TEST_F(EditorTest, FileDialogAndFolderBrowserHandBackNamesOfAnyScript)
{
    const std::wstring name = L"\x6D4B\x8BD5 \x141Bukasz \x0395\x03BB \xD83D\xDE00";
    const std::filesystem::path folder = dir.Path() / name;
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / L"caf\xE9 \xD83D\xDE00.exe";
    std::ofstream(file, std::ios::binary) << "MZ";
    Start("");
    main->AddBitBtnClick();
    const auto field = [&] { return win32::Wide(win32::WindowText(editor->Path_LabEdit())); };

    // The file dialog: the full name typed into its file name field, then Open.
    const DWORD uiThread = GetCurrentThreadId();
    auto answer = [&](std::function<void(HWND)> act) {
        return std::thread([uiThread, act] {
            for (int look = 0; look < 500; ++look) {
                HWND dialog = nullptr;
                EnumThreadWindows(
                    uiThread,
                    [](HWND hwnd, LPARAM param) -> BOOL {
                        char name[32] = {};
                        GetClassNameA(hwnd, name, sizeof name);
                        if (std::string(name) != "#32770" || !IsWindowVisible(hwnd))
                            return TRUE;
                        *reinterpret_cast<HWND*>(param) = hwnd;
                        return FALSE;
                    },
                    reinterpret_cast<LPARAM>(&dialog));
                if (dialog) {
                    Sleep(200); // its controls filled
                    act(dialog);
                    return;
                }
                Sleep(20);
            }
        });
    };
    std::thread answerer = answer([&](HWND dialog) {
        HWND nameField = GetDlgItem(dialog, cmb13);
        if (!nameField || !IsWindowVisible(nameField))
            nameField = GetDlgItem(dialog, edt1);
        SendMessageW(nameField, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.wstring().c_str()));
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    });
    editor->File_SBtnClick();
    answerer.join();
    EXPECT_EQ(field(), file.wstring());

    // The folder browser opens at the desktop: the folder is put there, and
    // chosen in the browser's tree.
    wchar_t desktop[MAX_PATH] = {};
    ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop), S_OK);
    const std::wstring leaf = name + L" " + std::to_wstring(GetCurrentProcessId());
    const std::filesystem::path onDesktop = std::filesystem::path(desktop) / leaf;
    std::filesystem::create_directories(onDesktop);
    struct Cleanup {
        std::filesystem::path path;
        ~Cleanup() { std::error_code ec; std::filesystem::remove_all(path, ec); }
    } cleanup{onDesktop};
    std::atomic<bool> found{false};
    const auto chooseOnDesktop = [&](HWND dialog) {
        HWND tree = FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr);
        for (int look = 0; tree && look < 250 && !found; ++look) {
            const auto root = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
            SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
            auto item = reinterpret_cast<HTREEITEM>(
                SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(root)));
            for (; item; item = reinterpret_cast<HTREEITEM>(
                             SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
                wchar_t text[MAX_PATH] = {};
                TVITEMW request{};
                request.mask = TVIF_TEXT;
                request.hItem = item;
                request.pszText = text;
                request.cchTextMax = MAX_PATH;
                SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&request));
                if (leaf == text) {
                    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
                    found = true;
                    break;
                }
            }
            if (!found)
                Sleep(20);
        }
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(found ? IDOK : IDCANCEL, BN_CLICKED), 0);
    };
    answerer = answer(chooseOnDesktop);
    editor->folder_SBtnClick();
    answerer.join();
    ASSERT_TRUE(found) << "the folder was not in the browser's tree";
    EXPECT_EQ(field(), onDesktop.wstring());
    found = false;
    answerer = answer([&](HWND dialog) { chooseOnDesktop(dialog); });
    editor->StartIn_BtnClick();
    answerer.join();
    EXPECT_EQ(win32::Wide(win32::WindowText(editor->StartIn_Edit())), onDesktop.wstring());

    // Saved, listed and read back after a restart, as typed.
    DialogAnswerer notice;
    Fill('D', HOTKEYF_CONTROL | HOTKEYF_ALT, "");
    SetWindowTextW(editor->Path_LabEdit(), file.wstring().c_str());
    PressOk();
    ASSERT_FALSE(editor->Visible());
    const std::string saved = Ini();
    Stop();
    Start(saved);
    SelectRow(0);
    main->ChangeBitBtnClick();
    EXPECT_EQ(field(), file.wstring());
    EXPECT_EQ(win32::Wide(win32::WindowText(editor->StartIn_Edit())), onDesktop.wstring());
    editor->C_BitBtnClick();
}

TEST_F(EditorTest, KeyTypedIntoTheHotKeyControl)
{
    Start("");
    main->AddBitBtnClick();
    SetForegroundWindow(editor->Handle());
    SetFocus(editor->HotKey());
    PressCombination(0, VK_F1); // F1 alone
    PumpUntil([&] { return SendMessageA(editor->HotKey(), HKM_GETHOTKEY, 0, 0) != 0; }, 5000);
    SetWindowTextA(editor->Path_LabEdit(), "help.exe");
    PressOk();
    EXPECT_EQ(Ini(), "[0+112]\r\nAction=help.exe\r\nHint=\r\nSort=Other\r\n");
}

TEST_F(EditorTest, IncompleteInputWritesNothingAndStaysOpen)
{
    Start("[0+112]\r\nAction=calc.exe\r\n");
    const std::string before = Ini();
    DialogAnswerer answerer;
    main->AddBitBtnClick();
    Fill(0, 0, "notepad.exe");
    PressOk();
    Fill('B', HOTKEYF_CONTROL, "");
    PressOk();
    // Enter in the hint field is OK, and it too finds the target empty.
    SendMessageA(editor->Hint_LabEdit(), WM_CHAR, '\r', 0);
    const auto boxes = answerer.Boxes();
    ASSERT_EQ(boxes.size(), 3u);
    for (const SeenBox& box : boxes) {
        EXPECT_EQ(box.text, L"Please make sure you have Filled correct ");
        EXPECT_EQ(box.caption, L"quickdex 3.5");
    }
    EXPECT_EQ(Ini(), before);
    EXPECT_TRUE(editor->Visible());

    // A target of blanks is a target; Enter in the hint field writes it (the
    // system's private-profile call drops the blanks at the start of a value).
    SetWindowTextA(editor->Path_LabEdit(), "   ");
    SendMessageA(editor->Hint_LabEdit(), WM_CHAR, '\r', 0);
    EXPECT_NE(Ini().find("[2+66]\r\nAction="), std::string::npos);
    EXPECT_FALSE(editor->Visible());
}

TEST_F(EditorTest, HundredBindingsRefuseAddButNotChange)
{
    Start(Sections(100));
    DialogAnswerer answerer;
    main->AddBitBtnClick();
    Fill(150, HOTKEYF_CONTROL | HOTKEYF_SHIFT | HOTKEYF_ALT, "would only replace"); // 7+150 exists
    PressOk();
    auto boxes = answerer.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Sorry,you can't Assign more then 100 hotkey.");
    EXPECT_EQ(boxes[0].caption, L"quickdex 3.50");
    EXPECT_EQ(Ini(), Sections(100));
    Click(Control(editor->Handle(), "Button", "Cancel"));

    SelectRow(0);
    main->ChangeBitBtnClick();
    EXPECT_EQ(editor->Caption(), "Change Hotkey");
    SetWindowTextA(editor->Hint_LabEdit(), "changed");
    PressOk();
    EXPECT_EQ(main->HotkeyCount(), 100);
    EXPECT_EQ(answerer.Boxes().size(), 1u);
}

TEST_F(EditorTest, AddingAnExistingCombinationReplacesIt)
{
    Start(Sections(99));
    main->AddBitBtnClick();
    Fill(151, HOTKEYF_CONTROL | HOTKEYF_SHIFT | HOTKEYF_ALT, "replaced", "h", "S");
    PressOk();
    EXPECT_EQ(main->HotkeyCount(), 99);
    EXPECT_NE(Ini().find("[7+151]\r\nAction=replaced\r\nHint=h\r\nSort=S\r\n[7+152]"), std::string::npos);
}

TEST_F(EditorTest, ChangeKeepsItsPlaceAndMergesOntoAnother)
{
    Start("[1+65]\r\nAction=a\r\nHint=x\r\nSort=S\r\n[1+66]\r\nAction=b\r\nHint=\r\nSort=S\r\n[1+67]\r\nAction=c\r\n");
    SelectRow(0);
    main->ChangeBitBtnClick();
    EXPECT_EQ(win32::WindowText(editor->Path_LabEdit()), "a");
    EXPECT_EQ(SendMessageA(editor->HotKey(), HKM_GETHOTKEY, 0, 0), MAKEWORD('A', HOTKEYF_ALT));
    SetWindowTextA(editor->Hint_LabEdit(), "only the hint");
    PressOk();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Alt + A", "Alt + B", "Alt + C"}));
    EXPECT_EQ(Ini().rfind("[1+65]\r\nAction=a\r\nHint=only the hint\r\nSort=S\r\n", 0), 0u);

    // Alt+C onto Alt+B: one binding is left, with C's new values.
    SelectRow(2);
    main->ChangeBitBtnClick();
    SendMessageA(editor->HotKey(), HKM_SETHOTKEY, MAKEWORD('B', HOTKEYF_ALT), 0);
    SetWindowTextA(editor->Path_LabEdit(), "c moved");
    PressOk();
    EXPECT_EQ(main->HotkeyCount(), 2);
    EXPECT_NE(Ini().find("[1+66]\r\nAction=c moved\r\n"), std::string::npos);
    EXPECT_EQ(Ini().find("[1+67]"), std::string::npos);
}

TEST_F(EditorTest, ChangeNeverTurnsACombinationIntoOneNotTypedNorLosesWhatItDidNotTouch)
{
    // A hand-written Win+A, and a target longer than a load reads back.
    const std::string longTarget(3003, 't');
    Start("[8+65]\r\nAction=win.exe\r\nHint=old\r\n[1+66]\r\nAction=" + longTarget + "\r\nHint=x\r\n");
    EXPECT_EQ(Captions().front(), "Win + A");
    SelectRow(0);
    main->ChangeBitBtnClick();
    EXPECT_NE(win32::WindowText(editor->StatusLine()).find("Win + A"), std::string::npos)
        << "the editor does not say the binding holds the Win key";
    SetWindowTextA(editor->Hint_LabEdit(), "new note");
    PressOk();
    EXPECT_EQ(Ini().rfind("[8+65]\r\nAction=win.exe\r\nHint=new note\r\n", 0), 0u);
    EXPECT_EQ(Ini().find("[0+65]"), std::string::npos) << "the plain A key was bound";

    SelectRow(1);
    main->ChangeBitBtnClick();
    SetWindowTextA(editor->Hint_LabEdit(), "only the hint");
    PressOk();
    EXPECT_NE(Ini().find("Action=" + longTarget + "\r\nHint=only the hint"), std::string::npos)
        << "a change of the hint cut the target";

    // The fields take no more than a load reads back.
    main->AddBitBtnClick();
    const std::string tooLong(3000, 'x');
    for (HWND field : {editor->Path_LabEdit(), editor->Hint_LabEdit()}) {
        SendMessageA(field, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(tooLong.c_str()));
        EXPECT_EQ(GetWindowTextLengthA(field), 2047);
    }
}

TEST_F(EditorTest, ChangeOfTheFirstOfManySectionsStaysListedAndWorking)
{
    DialogAnswerer answerer; // the start-up notice of the sections past the 100th
    Start(Sections(120));
    SelectRow(0);
    main->ChangeBitBtnClick();
    SetWindowTextA(editor->Hint_LabEdit(), "edited");
    PressOk();
    EXPECT_EQ(answerer.Boxes().size(), 1u) << "the change was refused or failed";
    EXPECT_EQ(main->SlotOfRow(0), 1);
    EXPECT_EQ(Captions().front(), "Ctrl + Shift + Alt + " + KeyName(150));
    EXPECT_TRUE(CombinationHeld(MOD_CONTROL | MOD_SHIFT | MOD_ALT, 150)) << "its hotkey stopped working";
}

// A binding written from the editor is exactly what the editor showed,
// whole, wherever its section stands and however it is spelled. A change
// onto a binding that toggled once kept "toggle"; a choice for a section
// spelled "02+66" once went to a new, empty "2+66" that became a second row.
TEST_F(EditorTest, ChangeWritesTheBindingWholeAsTheEditorShowsIt)
{
    Start("[0+112]\r\nAction=f.exe\r\n[1+65]\r\nAction=a.exe\r\nHint=x\r\nSort=S\r\n"
          "[02+66]\r\nAction=b.exe\r\nHint=y\r\nSort=T\r\nIfRunning=toggle\r\n");
    main->AddBitBtnClick();
    EXPECT_FALSE(IsWindowEnabled(editor->ToggleCheck())) << "the second choice is open without the first";
    Fill('C', HOTKEYF_ALT, "c.exe");
    Click(editor->FrontCheck());
    EXPECT_TRUE(IsWindowEnabled(editor->ToggleCheck()));
    Click(editor->ToggleCheck());
    PressOk();
    const std::string withC = "[0+112]\r\nAction=f.exe\r\n[1+65]\r\nAction=a.exe\r\nHint=x\r\nSort=S\r\n"
                              "[02+66]\r\nAction=b.exe\r\nHint=y\r\nSort=T\r\nIfRunning=toggle\r\n"
                              "[1+67]\r\nAction=c.exe\r\nHint=\r\nSort=Other\r\nIfRunning=toggle\r\n";
    EXPECT_EQ(Ini(), withC);
    EXPECT_NE(InfoTipOf(*main, 3).find("Brings a running copy to the front, or minimises it"), std::string::npos);

    // Alt+A changed to Ctrl+B, "bring it to the front" ticked: it takes the
    // place of "02+66" with its own values and its own choice.
    SelectRow(1);
    main->ChangeBitBtnClick();
    EXPECT_EQ(Button_GetCheck(editor->FrontCheck()), BST_UNCHECKED);
    SendMessageA(editor->HotKey(), HKM_SETHOTKEY, MAKEWORD('B', HOTKEYF_CONTROL), 0);
    Click(editor->FrontCheck());
    PressOk();
    EXPECT_EQ(Ini(), "[0+112]\r\nAction=f.exe\r\n[02+66]\r\nAction=a.exe\r\nHint=x\r\nSort=S\r\nIfRunning=front\r\n"
                     "[1+67]\r\nAction=c.exe\r\nHint=\r\nSort=Other\r\nIfRunning=toggle\r\n");
    EXPECT_EQ(Captions(), (std::vector<std::string>{"F1", "Ctrl + B", "Alt + C"}));

    // Alt+C onto Ctrl+B without a choice: the one left starts c.exe, nothing more.
    SelectRow(2);
    main->ChangeBitBtnClick();
    EXPECT_EQ(Button_GetCheck(editor->ToggleCheck()), BST_CHECKED);
    SendMessageA(editor->HotKey(), HKM_SETHOTKEY, MAKEWORD('B', HOTKEYF_CONTROL), 0);
    Click(editor->FrontCheck());
    PressOk();
    EXPECT_EQ(Ini(), "[0+112]\r\nAction=f.exe\r\n[02+66]\r\nAction=c.exe\r\nHint=\r\nSort=Other\r\n");
    EXPECT_EQ(InfoTipOf(*main, 1), "");
}

TEST_F(EditorTest, PictureButtonsStandWhereTheLayoutPutsThem)
{
    Start("");
    main->AddBitBtnClick();
    RECT editorClient;
    GetClientRect(editor->Handle(), &editorClient);
    POINT origin{0, 0};
    ClientToScreen(editor->Handle(), &origin);
    for (int i = 0; i < 3; ++i) {
        RECT r;
        SendMessageA(editor->Buttons(), TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        MapWindowPoints(editor->Buttons(), nullptr, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left - origin.x, win32::Scale(360 + 24 * i)) << "button " << i;
        EXPECT_EQ(r.top - origin.y, win32::Scale(24)) << "button " << i;
    }
    EXPECT_FALSE(GetWindowLongA(editor->Buttons(), GWL_STYLE) & WS_TABSTOP) << "the picture buttons take the focus";
}

TEST_F(EditorTest, ChangeRemembersItsBindingWhenTheListIsRebuilt)
{
    Start("[1+65]\r\nAction=a\r\n[1+66]\r\nAction=b\r\n");
    SelectRow(1);
    main->ChangeBitBtnClick();
    // Stop and Start from the tray menu while the editor is open: the list
    // is rebuilt and has no selection any more.
    SendMessageA(main->Handle(), WM_COMMAND, ids::Stop_N, 0);
    SendMessageA(main->Handle(), WM_COMMAND, ids::Stop_N, 0);
    EXPECT_EQ(main->SelectedSlot(), 0);
    SetWindowTextA(editor->Path_LabEdit(), "b changed");
    PressOk();
    EXPECT_EQ(Ini(), "[1+65]\r\nAction=a\r\n[1+66]\r\nAction=b changed\r\n");
}

TEST_F(EditorTest, WhileStoppedNothingRegistersUntilStart)
{
    Start("");
    SendMessageA(main->Handle(), WM_COMMAND, ids::MStop_N, 0);
    main->AddBitBtnClick();
    Fill('J', HOTKEYF_CONTROL | HOTKEYF_SHIFT, "j.exe");
    PressOk();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Ctrl + Shift + J"}));
    EXPECT_EQ(shell.ShownGrey(), true) << "the shell does not show the stopped picture";
    EXPECT_TRUE(RegisterHotKey(nullptr, 91, MOD_CONTROL | MOD_SHIFT, 'J')) << "registered while stopped";
    UnregisterHotKey(nullptr, 91);
    SendMessageA(main->Handle(), WM_COMMAND, ids::MStop_N, 0);
    EXPECT_FALSE(RegisterHotKey(nullptr, 91, MOD_CONTROL | MOD_SHIFT, 'J')) << "Start did not register it";
}

TEST_F(EditorTest, ReadOnlyFileShowsTheErrorAndLosesNothing)
{
    Start("[1+65]\r\nAction=a\r\n");
    const std::string path = dir.File("hotkey.ini");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    DialogAnswerer answerer;
    main->AddBitBtnClick();
    Fill('N', HOTKEYF_CONTROL, "new.exe");
    PressOk();
    SelectRow(0);
    Click(Control(editor->Handle(), "Button", "Cancel"));
    main->ChangeBitBtnClick();
    SetWindowTextA(editor->Path_LabEdit(), "changed");
    PressOk();
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);

    const auto boxes = answerer.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    const std::wstring expected = win32::FromCodePage("Unable to write to " + path + ".", CP_ACP);
    EXPECT_EQ(boxes[0].text, expected);
    EXPECT_EQ(boxes[1].text, expected);
    EXPECT_EQ(boxes[0].caption, L"quickdex 3.50");
    EXPECT_EQ(Ini(), "[1+65]\r\nAction=a\r\n");
    EXPECT_TRUE(editor->Visible()) << "a failed write closed the editor";
}

TEST_F(EditorTest, ChooserLeavesGroupsAndTheDisabledEditor)
{
    Start("");
    main->AddBitBtnClick();
    editor->SpeedButton3Click(); // the action button
    ASSERT_TRUE(chooser->Visible());
    EXPECT_FALSE(IsWindowEnabled(editor->Handle())) << "the editor takes input while the chooser is open";
    EXPECT_EQ(chooser->Caption(), "Action");

    DialogAnswerer answerer;
    TreeView_SelectItem(chooser->TreeView(), nullptr);
    Click(Control(chooser->Handle(), "Button", "OK"));
    TreeView_SelectItem(chooser->TreeView(), chooser->FindNode("Control Panel"));
    Click(Control(chooser->Handle(), "Button", "OK"));
    ASSERT_EQ(answerer.Boxes().size(), 2u);
    EXPECT_EQ(answerer.Boxes()[1].text, L"Please selecte correct item");
    EXPECT_EQ(win32::WindowText(editor->Path_LabEdit()), "");

    // Every leaf, with the target its label stands for.
    struct Leaf {
        const char* path;
        const char* target;
    };
    static constexpr Leaf leaves[] = {
        {"Windows Application->Paint", "mspaint.exe"},
        {"Windows Application->notepad", "notepad.exe"},
        {"Windows Application->wordpad", "wordpad.exe"},
        {"Windows Application->calc", "calc.exe"},
        {"Windows Application->MS-Dos Prompt", "cmd.exe"},
        {"Windows Application->IE", "iexplore.exe"},
        {"Shot Down Windows->Shut Down", "Shut Down"},
        {"Shot Down Windows->Restart", "Restart"},
        {"Control Panel->Control Panel", "Control Panel"},
        {"Control Panel->Add/Remove Programs", "Add/Remove Programs"},
        {"Control Panel->System Properties", "System Properties"},
        {"Control Panel->Display Properties", "Display Properties"},
        {"Control Panel->Date/Time Properties", "Date/Time Properties"},
        {"Control Panel->Volume Control", "sndvol.exe"},
        {"Internet->Open Web", "http://"},
        {"Internet->Send E-Mail", "mailto:"},
        {"CD-Rom->Close/Open CD-ROM", "Close/Open CD-ROM"},
        {"quickdex->Close quickdex", "Close quickdex"},
        {"quickdex->Show quickdex", "Show quickdex"},
    };
    for (const Leaf& leaf : leaves) {
        SCOPED_TRACE(leaf.path);
        chooser->Show();
        SetWindowTextA(editor->Path_LabEdit(), "typed by the user");
        HTREEITEM node = chooser->FindNode(leaf.path);
        ASSERT_NE(node, nullptr);
        TreeView_SelectItem(chooser->TreeView(), node);
        Click(Control(chooser->Handle(), "Button", "OK"));
        EXPECT_EQ(win32::WindowText(editor->Path_LabEdit()), leaf.target);
        EXPECT_EQ(win32::WindowText(editor->Hint_LabEdit()), leaf.path);
        EXPECT_FALSE(chooser->Visible());
        EXPECT_TRUE(IsWindowEnabled(editor->Handle()));
    }
    // The selection is kept for the next opening.
    chooser->Show();
    EXPECT_EQ(chooser->SelectionPathText(), "quickdex->Show quickdex");
    SendMessageA(chooser->Handle(), WM_CLOSE, 0, 0); // the close box
    EXPECT_TRUE(IsWindowEnabled(editor->Handle()));
}

// A real click (through the system's input queue) on a leaf's picture
// selects the leaf, as a click on its name does, and OK takes that leaf.
TEST_F(EditorTest, ChooserLeafPictureClickedWithTheMouseIsTheOneTaken)
{
    Start("");
    main->AddBitBtnClick();
    editor->SpeedButton3Click();
    ASSERT_TRUE(chooser->Visible());
    HWND tree = chooser->TreeView();
    TreeView_Expand(tree, chooser->FindNode("Windows Application"), TVE_EXPAND);
    HTREEITEM paint = chooser->FindNode("Windows Application->Paint");
    ASSERT_NE(paint, nullptr);
    ASSERT_NE(TreeView_GetSelection(tree), paint);

    RECT label{};
    *reinterpret_cast<HTREEITEM*>(&label) = paint;
    ASSERT_TRUE(SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&label)));
    POINT at{label.left - 8, (label.top + label.bottom) / 2}; // the middle of the picture
    TVHITTESTINFO hit{};
    hit.pt = at;
    TreeView_HitTest(tree, &hit);
    ASSERT_EQ(hit.hItem, paint);
    ASSERT_NE(hit.flags & TVHT_ONITEMSTATEICON, 0u) << "the point is not on the picture";

    SetForegroundWindow(chooser->Handle());
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == chooser->Handle(); }, 5000));
    ClientToScreen(tree, &at);
    const int width = GetSystemMetrics(SM_CXSCREEN) - 1;
    const int height = GetSystemMetrics(SM_CYSCREEN) - 1;
    INPUT clicks[3]{};
    for (INPUT& input : clicks) {
        input.type = INPUT_MOUSE;
        input.mi.dx = at.x * 65535 / width;
        input.mi.dy = at.y * 65535 / height;
    }
    clicks[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    clicks[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    // A busy machine under Wine now and then loses a synthesized click
    // before any window sees it: a lost click is tried again, a click that
    // arrives and selects nothing fails every time.
    bool selected = false;
    for (int attempt = 0; attempt < 3 && !selected; ++attempt) {
        PumpUntil([] { return false; }, GetDoubleClickTime() + 100);
        ASSERT_EQ(SendInput(3, clicks, sizeof(INPUT)), 3u);
        selected = PumpUntil([&] { return TreeView_GetSelection(tree) == paint; }, 4000);
    }
    ASSERT_TRUE(selected) << "the click on the picture left the selection on " << chooser->SelectionPathText();

    Click(Control(chooser->Handle(), "Button", "OK"));
    EXPECT_EQ(win32::WindowText(editor->Path_LabEdit()), "mspaint.exe");
    EXPECT_FALSE(chooser->Visible());
}

TEST_F(EditorTest, CategoryEditorAgainstTheBytesOfSetIni)
{
    Start("");
    dir.Write("Set.ini", "[Sort]\r\nWork=0\r\nGames=0\r\nHome=0\r\n");
    SendMessageA(main->Handle(), WM_COMMAND, ids::Sort_N, 0);
    ASSERT_TRUE(sortForm->Visible());
    EXPECT_FALSE(IsWindowEnabled(main->Handle()));
    HWND list = sortForm->Sort_ListBox();
    auto lines = [&] {
        std::vector<std::string> out;
        const int n = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            char text[256] = {};
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            out.emplace_back(text);
        }
        return out;
    };
    EXPECT_EQ(lines(), (std::vector<std::string>{"Work", "Games", "Home"}));

    {
        DialogAnswerer answerer;
        Click(Control(sortForm->Handle(), "Button", "Change"));
        Click(Control(sortForm->Handle(), "Button", "Delete"));
        const auto boxes = answerer.Boxes();
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[0].text, L"Please select the item you want to change");
        EXPECT_EQ(boxes[1].text, L"Please select the item you want to delete");
        EXPECT_EQ(boxes[0].caption, L"");
    }

    // Rename Work to Office: shown in place now, at the end in the file.
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    Click(Control(sortForm->Handle(), "Button", "Change"));
    EXPECT_EQ(sortName->Caption(), "Change Sort");
    EXPECT_FALSE(IsWindowEnabled(sortForm->Handle()));
    EXPECT_EQ(win32::WindowText(sortName->Sort_Edit()), "Work");
    SetWindowTextA(sortName->Sort_Edit(), "Office");
    Click(Control(sortName->Handle(), "Button", "OK"));
    EXPECT_TRUE(IsWindowEnabled(sortForm->Handle()));
    EXPECT_EQ(lines(), (std::vector<std::string>{"Office", "Games", "Home"}));
    EXPECT_EQ(dir.Read("Set.ini"), "[Sort]\r\nGames=0\r\nHome=0\r\nOffice=0\r\n");

    // A name listed already, in any case, is refused with a notice: the
    // dialog stays open, the list and the file keep one of it.
    Click(Control(sortForm->Handle(), "Button", "Add"));
    EXPECT_EQ(sortName->Caption(), "Add Sort");
    for (const char* typed : {"Games", "gAMES"}) {
        SetWindowTextA(sortName->Sort_Edit(), typed);
        DialogAnswerer answerer;
        Click(Control(sortName->Handle(), "Button", "OK"));
        ASSERT_EQ(answerer.Boxes().size(), 1u) << typed;
        EXPECT_EQ(answerer.Boxes()[0].text, L"The category \"Games\" is in the list already.");
        EXPECT_TRUE(sortName->Visible());
    }
    // Nor may a rename take another listed name.
    Click(Control(sortName->Handle(), "Button", "Cancel"));
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    Click(Control(sortForm->Handle(), "Button", "Change"));
    SetWindowTextA(sortName->Sort_Edit(), "HOME");
    {
        DialogAnswerer answerer;
        Click(Control(sortName->Handle(), "Button", "OK"));
        ASSERT_EQ(answerer.Boxes().size(), 1u);
        EXPECT_EQ(answerer.Boxes()[0].text, L"The category \"Home\" is in the list already.");
    }
    Click(Control(sortName->Handle(), "Button", "Cancel"));
    EXPECT_EQ(lines(), (std::vector<std::string>{"Office", "Games", "Home"}));
    EXPECT_EQ(dir.Read("Set.ini"), "[Sort]\r\nGames=0\r\nHome=0\r\nOffice=0\r\n");

    // A delete the file refuses says so, and the row stays.
    SetFileAttributesA(dir.File("Set.ini").c_str(), FILE_ATTRIBUTE_READONLY);
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    {
        DialogAnswerer answerer;
        Click(Control(sortForm->Handle(), "Button", "Delete"));
        ASSERT_EQ(answerer.Boxes().size(), 1u);
        EXPECT_EQ(answerer.Boxes()[0].text, win32::FromCodePage("Unable to write to " + dir.Dir() + "Set.ini.", CP_ACP));
    }
    SetFileAttributesA(dir.File("Set.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(lines(), (std::vector<std::string>{"Office", "Games", "Home"}));
    EXPECT_EQ(dir.Read("Set.ini"), "[Sort]\r\nGames=0\r\nHome=0\r\nOffice=0\r\n");

    // Cancel writes nothing; Delete asks nothing.
    Click(Control(sortForm->Handle(), "Button", "Add"));
    SetWindowTextA(sortName->Sort_Edit(), "Typed");
    Click(Control(sortName->Handle(), "Button", "Cancel"));
    SendMessageA(list, LB_SETCURSEL, 2, 0);
    Click(Control(sortForm->Handle(), "Button", "Delete"));
    EXPECT_EQ(dir.Read("Set.ini"), "[Sort]\r\nGames=0\r\nOffice=0\r\n");

    Click(Control(sortForm->Handle(), "Button", "Close"));
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));
    sortForm->Show();
    EXPECT_EQ(lines(), (std::vector<std::string>{"Games", "Office"}));
    EXPECT_EQ(dir.Read("hotkey.ini"), ""); // categories never touch the bindings

    // The editor offers the names sorted, and keeps a typed category as typed.
    sortForm->Close();
    main->AddBitBtnClick();
    EXPECT_EQ(SendMessageA(editor->Sort_CbBox(), CB_GETCOUNT, 0, 0), 2);
    char first[64] = {};
    SendMessageA(editor->Sort_CbBox(), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
    EXPECT_STREQ(first, "Games");
    Fill('K', HOTKEYF_CONTROL, "k.exe", "", "Not A Category");
    PressOk();
    EXPECT_NE(Ini().find("Sort=Not A Category"), std::string::npos);
    EXPECT_EQ(dir.Read("Set.ini"), "[Sort]\r\nGames=0\r\nOffice=0\r\n");
}

// The launch options as the user sets them are written whole and said in
// the row's tip; a change shows them and keeps what was not touched (a value
// the program does not know included); the next add starts empty.
TEST_F(EditorTest, LaunchOptionsSetInTheEditorAndKeptByAChange)
{
    Start("[0+112]\r\nAction=f.exe\r\nHint=\r\nSort=S\r\nWindow=huge\r\nArguments=%APPDATA%\\x\r\n");
    main->AddBitBtnClick();
    EXPECT_FALSE(IsWindowEnabled(editor->CycleCheck())) << "the second choices are open without the first";
    Fill('D', HOTKEYF_ALT, "tool.exe");
    SetWindowTextA(editor->Arguments_Edit(), "-n \"a b\"");
    SetWindowTextA(editor->StartIn_Edit(), "C:\\work");
    SendMessageA(editor->Window_CbBox(), CB_SETCURSEL, 2, 0);
    Click(editor->AdminCheck());
    Click(editor->FrontCheck());
    Click(editor->ToggleCheck());
    Click(editor->CycleCheck());
    EXPECT_EQ(Button_GetCheck(editor->ToggleCheck()), BST_UNCHECKED) << "minimise and cycle both ticked";
    PressOk();
    const std::string added = "[0+112]\r\nAction=f.exe\r\nHint=\r\nSort=S\r\nWindow=huge\r\nArguments=%APPDATA%\\x\r\n"
                              "[1+68]\r\nAction=tool.exe\r\nHint=\r\nSort=Other\r\nIfRunning=cycle\r\n"
                              "Arguments=-n \"a b\"\r\nStartIn=C:\\work\r\nWindow=max\r\nAdmin=1\r\n";
    EXPECT_EQ(Ini(), added);
    EXPECT_EQ(InfoTipOf(*main, 1), "Starts it with -n \"a b\", as administrator, maximised, in C:\\work.\r\n"
                                   "Brings a running copy to the front, or its next window when one is in front.");

    // Opened for a change, the editor shows every option; a change of the
    // note alone writes them back as they were.
    SelectRow(1);
    main->ChangeBitBtnClick();
    char text[256] = {};
    GetWindowTextA(editor->StartIn_Edit(), text, sizeof text);
    EXPECT_STREQ(text, "C:\\work");
    EXPECT_EQ(SendMessageA(editor->Window_CbBox(), CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(Button_GetCheck(editor->AdminCheck()), BST_CHECKED);
    EXPECT_EQ(Button_GetCheck(editor->CycleCheck()), BST_CHECKED);
    SetWindowTextA(editor->Hint_LabEdit(), "n");
    PressOk();
    EXPECT_EQ(Ini(), "[0+112]\r\nAction=f.exe\r\nHint=\r\nSort=S\r\nWindow=huge\r\nArguments=%APPDATA%\\x\r\n"
                     "[1+68]\r\nAction=tool.exe\r\nHint=n\r\nSort=Other\r\nIfRunning=cycle\r\n"
                     "Arguments=-n \"a b\"\r\nStartIn=C:\\work\r\nWindow=max\r\nAdmin=1\r\n");

    // A window the program does not know shows as normal and stays as it
    // stands; the arguments cleared go.
    SelectRow(0);
    main->ChangeBitBtnClick();
    EXPECT_EQ(SendMessageA(editor->Window_CbBox(), CB_GETCURSEL, 0, 0), 0);
    SetWindowTextA(editor->Arguments_Edit(), "");
    PressOk();
    EXPECT_EQ(Ini(), "[0+112]\r\nAction=f.exe\r\nHint=\r\nSort=S\r\nWindow=huge\r\n"
                     "[1+68]\r\nAction=tool.exe\r\nHint=n\r\nSort=Other\r\nIfRunning=cycle\r\n"
                     "Arguments=-n \"a b\"\r\nStartIn=C:\\work\r\nWindow=max\r\nAdmin=1\r\n");

    main->AddBitBtnClick();
    GetWindowTextA(editor->Arguments_Edit(), text, sizeof text);
    EXPECT_STREQ(text, "") << "an add shows the last binding's options";
    EXPECT_EQ(SendMessageA(editor->Window_CbBox(), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(Button_GetCheck(editor->AdminCheck()), BST_UNCHECKED);
    Click(Control(editor->Handle(), "Button", "Cancel"));
}

} // namespace
} // namespace quickdex
