#include "engine/HotkeyEngine.h"

#include "engine/ProgramTarget.h"
#include "store/Errors.h"

#include <utility>

namespace quickdex {
namespace {
// String atoms lie in 0xC000..0xFFFF; the ids they give lie in 0..0x3FFF,
// inside the range the system leaves to applications.
constexpr int AtomBase = 0xC000;
} // namespace

std::string AtomName(int slot)
{
    return "hotkey" + std::to_string(slot);
}

HotkeyEngine::HotkeyEngine(const Services& services, std::string exeDir)
    : Actions(services.system, services.window),
      services_(services),
      exeDir_(std::move(exeDir)),
      store_(services.files, exeDir_ + HotkeyFileName)
{
}

HotkeyEngine::~HotkeyEngine()
{
    ReleaseAtoms();
}

void HotkeyEngine::ReleaseAtoms()
{
    for (std::uint16_t& atom : heldAtoms_) {
        if (atom)
            services_.hotkeys.DeleteGlobalAtom(atom);
        atom = 0;
    }
}

void HotkeyEngine::RegisterSlot(const Tquickdex& slot, const std::string& atomName, int index)
{
    if (slot.Key == 0)
        return;
    // A failure here is this slot's alone: it is shown and the other slots
    // are still registered.
    try {
        const std::uint16_t atom = services_.hotkeys.AddGlobalAtom(atomName.c_str());
        if (atom == 0)
            throw AppError("GlobalAddAtom failed for " + atomName);
        std::uint16_t& held = heldAtoms_[static_cast<std::size_t>(index - 1)];
        // The slot already holds a reference from an earlier cycle: the new
        // one replaces it. The count never drops to zero in between, so the
        // atom, and with it the slot's id, stays the same.
        if (held)
            services_.hotkeys.DeleteGlobalAtom(held);
        held = atom;
        const int id = static_cast<int>(atom) - AtomBase;
        HotkeyIds[static_cast<std::size_t>(index - 1)] = id;
        // A refused combination (held by another program, or by an earlier
        // slot) stays silently inactive.
        registered_[static_cast<std::size_t>(index - 1)] =
            services_.hotkeys.Register(id, static_cast<unsigned>(slot.Modifiers), static_cast<unsigned>(slot.Key));
    } catch (const std::exception&) {
        services_.view.ShowPlainMessage(RegisterFailText);
    }
}

void HotkeyEngine::RegisterAll()
{
    UnregisterAll();
    standingAside_ = false;
    for (int i = 1; i <= MaxHotkeys; ++i)
        RegisterSlot(Hotkeys[i], AtomName(i), i);
}

void HotkeyEngine::UnregisterAll()
{
    // Only what is registered: each call is a round trip to the system,
    // and a reload of one binding should not pay for a hundred.
    for (std::size_t i = 0; i < HotkeyIds.size(); ++i)
        if (std::exchange(registered_[i], false) && !standingAside_)
            services_.hotkeys.Unregister(HotkeyIds[i]);
    standingAside_ = false;
}

SlotStatus HotkeyEngine::StatusOf(int slot) const
{
    const Tquickdex& binding = Hotkeys[slot];
    if (binding.Key == 0)
        return {};
    if (registered_[static_cast<std::size_t>(slot - 1)])
        return {SlotState::Active};
    if (Stopped)
        return {SlotState::Stopped};
    const int first = SlotHolding(binding.Modifiers, binding.Key);
    if (first != 0 && first < slot)
        return {SlotState::SameAsEarlier, first};
    return {SlotState::HeldElsewhere};
}

int HotkeyEngine::SlotHolding(int modifiers, int key, int after) const
{
    if (key == 0)
        return 0;
    for (int slot = after + 1; slot <= MaxHotkeys; ++slot) {
        const Tquickdex& binding = Hotkeys[slot];
        if (binding.Key == key && binding.Modifiers == modifiers)
            return slot;
    }
    return 0;
}

int HotkeyEngine::BoundCount() const
{
    int count = 0;
    for (int i = 1; i <= MaxHotkeys; ++i)
        count += Hotkeys[i].Key != 0;
    return count;
}

int HotkeyEngine::RefusedCount() const
{
    int count = 0;
    for (int i = 1; i <= MaxHotkeys; ++i) {
        const SlotState state = StatusOf(i).state;
        count += state == SlotState::HeldElsewhere || state == SlotState::SameAsEarlier;
    }
    return count;
}

int HotkeyEngine::RetryRefused()
{
    if (Stopped || standingAside_)
        return 0;
    int gained = 0;
    for (int i = 1; i <= MaxHotkeys; ++i) {
        // An earlier slot with the same combination would refuse it again.
        if (StatusOf(i).state != SlotState::HeldElsewhere)
            continue;
        const std::size_t index = static_cast<std::size_t>(i - 1);
        if (!heldAtoms_[index]) { // registration never got as far as its id
            RegisterSlot(Hotkeys[i], AtomName(i), i);
        } else {
            registered_[index] = services_.hotkeys.Register(HotkeyIds[index],
                                                            static_cast<unsigned>(Hotkeys[i].Modifiers),
                                                            static_cast<unsigned>(Hotkeys[i].Key));
        }
        gained += registered_[index];
    }
    return gained;
}

void HotkeyEngine::StandAside(bool aside)
{
    if (aside == standingAside_)
        return;
    for (int i = 1; i <= MaxHotkeys; ++i) {
        const std::size_t index = static_cast<std::size_t>(i - 1);
        if (!registered_[index])
            continue;
        if (aside) {
            services_.hotkeys.Unregister(HotkeyIds[index]);
        } else {
            // Taken meanwhile by another program: then it is refused now.
            registered_[index] = services_.hotkeys.Register(HotkeyIds[index],
                                                            static_cast<unsigned>(Hotkeys[i].Modifiers),
                                                            static_cast<unsigned>(Hotkeys[i].Key));
        }
    }
    standingAside_ = aside;
}

LoadResult HotkeyEngine::ReloadHotkeys()
{
    services_.view.SetTrayImage(Stopped ? TrayImageStopped : TrayImageRunning);
    Hotkeys.ClearKeys();
    services_.view.ClearRows();
    return store_.Load(Hotkeys, services_.view);
}

LoadResult HotkeyEngine::ReloadAndRegister()
{
    const LoadResult result = ReloadHotkeys();
    RegisterAll();
    return result;
}

LoadResult HotkeyEngine::ReloadAfterChange()
{
    return Stopped ? ReloadHotkeys() : ReloadAndRegister();
}

void HotkeyEngine::ToggleStop()
{
    UnregisterAll();
    if (!Stopped) {
        services_.view.SetStopCaptions(StartCaption);
        Stopped = true;
        services_.view.SetTrayImage(TrayImageStopped);
        return;
    }
    services_.view.SetStopCaptions(StopCaption);
    Stopped = false;
    services_.view.SetTrayImage(TrayImageRunning);
    // The file is read again, so edits made while stopped are picked up.
    ReloadAndRegister();
}

void HotkeyEngine::WMHotKey(std::uint32_t lParam)
{
    // The message may carry the no-repeat flag the combination was
    // registered with (Wine reports it): it names no key.
    constexpr std::uint32_t NoRepeatFlag = 0x4000; // MOD_NOREPEAT
    const int modifiers = static_cast<int>(lParam & 0xFFFF & ~NoRepeatFlag);
    const int key = static_cast<int>((lParam >> 16) & 0xFFFF);
    for (int i = 1; i <= MaxHotkeys; ++i) {
        const Tquickdex& slot = Hotkeys[i];
        if (slot.Key != 0 && slot.Modifiers == modifiers && slot.Key == key) {
            // Copy first: a built-in action may close the window.
            const Tquickdex binding = slot;
            if (RunBuiltInAction(i))
                return;
            // The rest waits on the disk, or on a server that may not answer:
            // it runs away from the window's thread.
            services_.launches.Post([&system = services_.system, binding] { StartOrFront(system, binding); });
            return;
        }
    }
}

bool HotkeyEngine::RunBuiltInAction(int slot)
{
    return Actions.Run(Hotkeys[slot].Action);
}

} // namespace quickdex
