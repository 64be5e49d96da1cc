#pragma once
// Makes the table live: registers every binding as a system-wide hotkey,
// rebuilds table, list and registrations in one reload cycle, stops and
// starts all hotkeys, and answers the hotkey message.
#include "engine/BuiltInActions.h"
#include "platform/Files.h"
#include "platform/HotkeyApi.h"
#include "platform/LaunchQueue.h"
#include "platform/SystemApi.h"
#include "store/HotkeyStore.h"
#include "store/Hotkeys.h"

#include <array>
#include <cstdint>
#include <string>

namespace quickdex {

inline constexpr int TrayImageRunning = 0;
inline constexpr int TrayImageStopped = 1;
inline constexpr const char* StopCaption = "Stop";
inline constexpr const char* StartCaption = "Start";
inline constexpr const char* RegisterFailText = "Register hotkey fail";

// What the reload cycle and the toggle show: the rows of the list, the tray
// picture and the two Stop/Start menu captions. The main window implements it.
class IEngineView : public IRowSink {
public:
    virtual void ClearRows() = 0;
    virtual void SetTrayImage(int index) = 0;
    virtual void SetStopCaptions(const char* caption) = 0;
    // A plain message box: one OK button, no icon, the application title.
    virtual void ShowPlainMessage(const char* text) = 0;
};

// "hotkey1" .. "hotkey100": the atom behind slot i's hotkey id.
std::string AtomName(int slot);

// Whether a binding's hotkey works, and if not, why.
enum class SlotState {
    Empty,         // no binding in the slot
    Active,        // registered: a press runs it
    HeldElsewhere, // refused: another program holds the combination
    SameAsEarlier, // refused: an earlier slot of the table has the same combination
    Stopped,       // not registered: the hotkeys are stopped
};
struct SlotStatus {
    SlotState state = SlotState::Empty;
    int earlierSlot = 0; // for SameAsEarlier: the slot that holds the combination
};

class HotkeyEngine {
public:
    struct Services {
        IFiles& files;
        IHotkeyApi& hotkeys;
        ISystemApi& system;
        IProgramWindow& window;
        IEngineView& view;
        // Where a press's program lookup and launch run.
        ILaunchQueue& launches;
    };

    // `exeDir` ends in a backslash; hotkey.ini is read from there.
    HotkeyEngine(const Services& services, std::string exeDir);
    ~HotkeyEngine();
    HotkeyEngine(const HotkeyEngine&) = delete;
    HotkeyEngine& operator=(const HotkeyEngine&) = delete;

    void RegisterSlot(const Tquickdex& slot, const std::string& atomName, int index);
    void RegisterAll();
    void UnregisterAll();
    LoadResult ReloadHotkeys();
    LoadResult ReloadAndRegister();
    // The Stop/Start menu items.
    void ToggleStop();
    // The hotkey message: modifiers in the low word of lParam, key in the high.
    void WMHotKey(std::uint32_t lParam);
    bool RunBuiltInAction(int slot);
    // Reloads the way a change of hotkey.ini asks for: without registering
    // while the hotkeys are stopped.
    LoadResult ReloadAfterChange();

    // Gives back the atom references registration took.
    void ReleaseAtoms();

    SlotStatus StatusOf(int slot) const;
    // The first slot after `after` whose binding has this combination; 0
    // when none has. The first in the file is the one the system gives it to.
    int SlotHolding(int modifiers, int key, int after = 0) const;
    // Slots with a binding, and those of them whose hotkey was refused.
    int BoundCount() const;
    int RefusedCount() const;
    // Tries again the slots whose combination was refused, and only those:
    // the active ones are not touched, ids and atoms stay as they are.
    // Returns how many became active. Nothing while stopped or standing aside.
    int RetryRefused();
    // While the user types a combination into the editor, the program's own
    // hotkeys stand aside (they would catch the keys); then they come back.
    // The Stop/Start state is not changed.
    void StandAside(bool aside);
    bool StandingAside() const { return standingAside_; }

    const std::string& HotkeyPath() const { return store_.Path(); }
    const std::string& ExeDir() const { return exeDir_; }
    // hotkey.ini: the one place bindings are written.
    const HotkeyStore& Store() const { return store_; }

    HotkeyTable Hotkeys;
    std::array<int, MaxHotkeys> HotkeyIds{};
    bool Stopped = false;
    BuiltInActions Actions;

private:
    Services services_;
    std::string exeDir_;
    HotkeyStore store_;
    // One reference per slot on its atom, held while the engine lives, so
    // that thousands of reloads leave the global atom table as it was.
    std::array<std::uint16_t, MaxHotkeys> heldAtoms_{};
    // Which slots' ids the system accepted, so that only those are dropped.
    std::array<bool, MaxHotkeys> registered_{};
    bool standingAside_ = false;
};

} // namespace quickdex
