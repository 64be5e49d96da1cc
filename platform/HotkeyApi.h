#pragma once
// System-wide hotkeys of one window, and the global atoms that give their ids.
#include <cstdint>

namespace quickdex {

class IHotkeyApi {
public:
    virtual ~IHotkeyApi() = default;
    // GlobalAddAtomA: 0 when the atom could not be added.
    virtual std::uint16_t AddGlobalAtom(const char* name) = 0;
    // GlobalDeleteAtom: gives back one reference.
    virtual void DeleteGlobalAtom(std::uint16_t atom) = 0;
    // RegisterHotKey / UnregisterHotKey on the window this object was made for.
    virtual bool Register(int id, unsigned modifiers, unsigned virtualKey) = 0;
    virtual bool Unregister(int id) = 0;
};

} // namespace quickdex
