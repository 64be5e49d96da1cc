#pragma once
// Recording fakes of the platform calls, for the native tests of the core.
#include "engine/BuiltInActions.h"
#include "engine/HotkeyEngine.h"
#include "platform/HotkeyApi.h"
#include "platform/SystemApi.h"
#include "platform/portable/PortableFiles.h"
#include "platform/portable/ProfileValue.h"
#include "store/KeyNames.h"
#include "support/TempDir.h"

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace quickdex::test {

// The lParam of the hotkey message for a combination: modifiers low, key high.
inline std::uint32_t Press(int modifiers, int key)
{
    return static_cast<std::uint32_t>(modifiers) | (static_cast<std::uint32_t>(key) << 16);
}


// Global atoms with reference counts, and one window's hotkeys, with the
// system's rule that a combination is held by one registration at a time.
class FakeHotkeyApi : public IHotkeyApi {
public:
    std::uint16_t AddGlobalAtom(const char* name) override
    {
        ++addAtomCalls;
        if (failAtoms)
            return 0;
        auto it = atoms.find(name);
        if (it == atoms.end())
            it = atoms.emplace(name, Atom{nextAtom++, 0}).first;
        ++it->second.refs;
        return it->second.value;
    }
    void DeleteGlobalAtom(std::uint16_t atom) override
    {
        for (auto it = atoms.begin(); it != atoms.end(); ++it) {
            if (it->second.value == atom) {
                if (--it->second.refs == 0)
                    atoms.erase(it);
                return;
            }
        }
    }
    bool Register(int id, unsigned modifiers, unsigned key) override
    {
        registerCalls.push_back({id, modifiers, key});
        if (registered.count(id))
            return false;
        for (const auto& [other, combo] : registered)
            if (combo == std::make_pair(modifiers, key))
                return false;
        if (heldElsewhere.count({modifiers, key}))
            return false;
        registered[id] = {modifiers, key};
        return true;
    }
    bool Unregister(int id) override
    {
        ++unregisterCalls;
        return registered.erase(id) > 0;
    }

    int RefsOf(const std::string& name) const
    {
        auto it = atoms.find(name);
        return it == atoms.end() ? 0 : it->second.refs;
    }

    struct Atom {
        std::uint16_t value;
        int refs;
    };
    struct RegisterCall {
        int id;
        unsigned modifiers;
        unsigned key;
    };
    std::map<std::string, Atom> atoms;
    std::uint16_t nextAtom = 0xC000;
    std::map<int, std::pair<unsigned, unsigned>> registered;
    std::set<std::pair<unsigned, unsigned>> heldElsewhere;
    std::vector<RegisterCall> registerCalls;
    int addAtomCalls = 0;
    int unregisterCalls = 0;
    bool failAtoms = false;
};

// Runs each press's job at once, on the caller's thread: the calls of a
// press are all made when WMHotKey returns. Or, while `hold` is set, keeps
// them for the test to run, as a worker that is busy would.
class InlineLaunchQueue : public ILaunchQueue {
public:
    void Post(std::function<void()> job) override
    {
        if (hold)
            held.push_back(std::move(job));
        else
            job();
    }
    bool hold = false;
    std::vector<std::function<void()>> held;
};

// Records every call as one line of text, in order.
class FakeSystemApi : public ISystemApi {
public:
    // Not the usual place, so that a test sees the folder came from here.
    std::string SystemFolder() override { return "D:\\WINNT\\System32\\"; }
    void WinExec(const char* commandLine, int showMode) override
    {
        calls.push_back("WinExec(" + std::string(commandLine) + "," + std::to_string(showMode) + ")");
    }
    void ShellExecuteFile(const char* file, int showMode) override
    {
        calls.push_back("ShellExecute(" + std::string(file) + "," + std::to_string(showMode) + ")");
    }
    void MciSendString(const char* command) override { calls.push_back("mci(" + std::string(command) + ")"); }
    std::optional<std::uint32_t> VersionPlatformId() override
    {
        calls.push_back("GetVersionEx");
        return platformId;
    }
    std::optional<TokenHandle> OpenProcessToken(std::uint32_t access) override
    {
        calls.push_back("OpenProcessToken(" + std::to_string(access) + ")");
        if (!tokenOpens)
            return std::nullopt;
        return TokenHandle{42};
    }
    std::optional<Luid> LookupPrivilege(const char* name) override
    {
        calls.push_back("LookupPrivilegeValue(" + std::string(name) + ")");
        if (!lookupWorks)
            return std::nullopt;
        return Luid{19, 0};
    }
    bool AdjustTokenPrivilege(TokenHandle token, Luid luid, std::uint32_t attributes) override
    {
        calls.push_back("AdjustTokenPrivileges(" + std::to_string(token) + "," + std::to_string(luid.lowPart) + "," +
                        std::to_string(attributes) + ")");
        return adjustWorks;
    }
    void CloseHandle(TokenHandle token) override { calls.push_back("CloseHandle(" + std::to_string(token) + ")"); }
    bool RequestExitWindows(unsigned flags, unsigned reserved) override
    {
        calls.push_back("ExitWindowsEx(" + std::to_string(flags) + "," + std::to_string(reserved) + ")");
        return true;
    }

    std::optional<std::string> ResolveProgram(const std::string& target) override
    {
        calls.push_back("ResolveProgram(" + target + ")");
        const auto it = programs.find(target);
        if (it == programs.end())
            return std::nullopt;
        return it->second;
    }
    bool BringToFront(const std::string& programPath, FrontMode mode) override
    {
        const char* name = mode == FrontMode::Toggle ? "Toggle(" : mode == FrontMode::Cycle ? "Cycle(" : "Front(";
        calls.push_back(name + programPath + ")");
        return running.count(programPath) > 0;
    }
    // "Launch(verb|file|parameters|directory|show)", the verb "-" for none.
    LaunchOutcome Launch(const LaunchRequest& r) override
    {
        calls.push_back("Launch(" + std::string(r.verb ? r.verb : "-") + "|" + r.file + "|" + r.parameters + "|" +
                        r.directory + "|" + std::to_string(r.showMode) + ")");
        if (r.verb && noSuchVerb.count(r.file))
            return LaunchOutcome::NoSuchVerb;
        return r.verb ? launchAnswer : LaunchOutcome::Started;
    }
    // %NAME% from `environment`; a name not set stays as written, as the
    // system leaves it.
    std::string ExpandEnvironment(const std::string& text) override
    {
        calls.push_back("Expand(" + text + ")");
        std::string out;
        for (std::size_t i = 0; i < text.size();) {
            const std::size_t end = text[i] == '%' ? text.find('%', i + 1) : std::string::npos;
            const auto it = end == std::string::npos ? environment.end() : environment.find(text.substr(i + 1, end - i - 1));
            if (it != environment.end()) {
                out += it->second;
                i = end + 1;
            } else if (end != std::string::npos) {
                out += text.substr(i, end - i); // the "%" and the name; the closing "%" may open the next
                i = end;
            } else {
                out += text.substr(i);
                break;
            }
        }
        return out;
    }

    std::vector<std::string> calls;
    std::map<std::string, std::string> programs; // target -> the program it resolves to
    std::set<std::string> running;               // programs with a window
    std::map<std::string, std::string> environment;
    std::set<std::string> noSuchVerb;                       // files whose type knows no "runas"
    LaunchOutcome launchAnswer = LaunchOutcome::Started;    // for a launch with a verb
    std::optional<std::uint32_t> platformId = 2; // VER_PLATFORM_WIN32_NT
    bool tokenOpens = true;
    bool lookupWorks = true;
    bool adjustWorks = true;
};

class FakeProgramWindow : public IProgramWindow {
public:
    void CloseMainWindow() override { ++closes; }
    void ShowMainWindow() override { ++shows; }
    int closes = 0;
    int shows = 0;
};

struct Row {
    int slot;
    std::string caption;
    std::string action;
    std::string sort;
};

class FakeView : public IEngineView {
public:
    void AddRow(int slot, const Tquickdex& b) override
    {
        rows.push_back({slot, HotkeyCaption(b.Modifiers, b.Key), b.Action, b.Sort});
    }
    void ClearRows() override { rows.clear(); }
    void RowsDone() override { ++loadsDone; }
    void SetTrayImage(int index) override { trayImage = index; }
    void SetStopCaptions(const char* caption) override { stopCaption = caption; }
    void ShowPlainMessage(const char* text) override { messages.emplace_back(text); }

    std::vector<Row> rows;
    int loadsDone = 0;
    int trayImage = -1;
    std::string stopCaption = "Stop";
    std::vector<std::string> messages;
};

// The engine on the fakes and the portable INI engine, reading hotkey.ini
// from a folder of the test's own.
struct EngineOnFakes {
    TempDir dir;
    PortableFiles files;
    FakeHotkeyApi hotkeys;
    FakeSystemApi system;
    FakeProgramWindow window;
    FakeView view;
    InlineLaunchQueue launches;
    HotkeyEngine engine{{files, hotkeys, system, window, view, launches}, dir.Dir()};
};

} // namespace quickdex::test
