#pragma once
// The program's windows in-process, created and wired as WinMain wires them,
// on a test folder; and what a test reads of the main list.
#include "ShellRecorder.h"
#include "ui/Application.h"
#include "support/TempDir.h"
#include "ui/about/about.h"
#include "ui/dialogs/AddOrChange.h"
#include "ui/dialogs/DoList.h"
#include "ui/dialogs/Sort.h"
#include "ui/main/MainIds.h"
#include "ui/main/main.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace quickdex::test {

// A row's info tip, asked for as the list asks for it.
inline std::string InfoTipOf(TMainForm& form, int row)
{
    char buffer[512] = "item text";
    NMLVGETINFOTIPA tip{};
    tip.hdr.hwndFrom = form.ListView();
    tip.hdr.code = LVN_GETINFOTIPA;
    tip.pszText = buffer;
    tip.cchTextMax = sizeof buffer;
    tip.iItem = row;
    SendMessageA(form.Handle(), WM_NOTIFY, ids::M_ListView, reinterpret_cast<LPARAM>(&tip));
    return buffer;
}

class ProgramWindowsTest : public ::testing::Test {
protected:
    ProgramWindowsTest() { app.SetTitle(ApplicationTitle); }
    ~ProgramWindowsTest() override { Stop(); }

    // The windows gone, in the order the program ends them.
    void Stop()
    {
        sortName.reset();
        sortForm.reset();
        chooser.reset();
        editor.reset();
        about.reset();
        main.reset();
    }

    // Writes `ini` as hotkey.ini and creates the windows on it.
    void Start(const std::string& ini)
    {
        dir.Write("hotkey.ini", ini);
        // No AutoRun setting on this machine.
        constexpr const char* NoSuchKey = "\\SOFTWARE\\quickdexNoSuchKey";
        main.emplace(app, dir.Dir(), AutoRunSetting("x", {.userPath = NoSuchKey, .machinePath = NoSuchKey, .open = {}}));
        about.emplace(app);
        about->SetMainWindow(main->Handle());
        main->OnShowAbout = [this] { about->Show(); };
        editor.emplace(app, *main, dir.Dir());
        chooser.emplace(app, editor->Handle(), editor->Path_LabEdit(), editor->Hint_LabEdit());
        sortForm.emplace(app, main->Handle(), dir.Dir());
        sortName.emplace(app, *sortForm);
        main->SetEditor(&*editor);
        editor->SetChooser(&*chooser);
        sortForm->SetNameDialog(&*sortName);
        main->OnEditSort = [this] { sortForm->Show(); };
    }
    std::string Ini() const { return dir.Read("hotkey.ini"); }

    TempDir dir;
    ShellRecorder shell;
    TApplication app;
    std::optional<TMainForm> main;
    std::optional<TAbout_Form> about;
    std::optional<TAddOrChange_Form> editor;
    std::optional<TDoList_Form> chooser;
    std::optional<TSort_Form> sortForm;
    std::optional<TAddOrChangeSort_Form> sortName;
};

} // namespace quickdex::test
