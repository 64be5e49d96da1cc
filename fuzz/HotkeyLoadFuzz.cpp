// The load of hotkey.ini through the whole reload cycle (table, list rows,
// registrations) on arbitrary file bytes, with the recording fakes standing
// in for the system. Whatever the file holds, no slot past 100 is touched,
// every row is a loaded slot, and each slot holds one atom reference.
#include "FuzzSupport.h"
#include "engine/HotkeyEngine.h"
#include "platform/portable/IniFile.h"
#include "store/Errors.h"
#include "support/Fakes.h"

using namespace quickdex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Scratch().Write(HotkeyFileName, std::string_view(reinterpret_cast<const char*>(data), size));
    PortableProfile profile;
    test::FakeHotkeyApi hotkeys;
    test::FakeSystemApi system;
    test::FakeProgramWindow window;
    test::FakeView view;
    {
        HotkeyEngine engine({profile, hotkeys, system, window, view}, fuzz::Scratch().Dir());
        for (int round = 0; round < 2; ++round) {
            try {
                const LoadResult loaded = engine.ReloadAndRegister();
                FUZZ_CHECK(engine.Hotkeys.HotkeyCount <= MaxHotkeys);
                FUZZ_CHECK(engine.Hotkeys.HotkeyCount == std::min(loaded.sections, MaxHotkeys));
                FUZZ_CHECK(static_cast<int>(view.rows.size()) == engine.Hotkeys.HotkeyCount);
                for (int slot = 1; slot <= engine.Hotkeys.HotkeyCount; ++slot) {
                    // One read of the section gives what three single reads give.
                    const std::string& section = engine.Hotkeys.SectionOf(slot);
                    const std::string path = fuzz::Scratch().File(HotkeyFileName);
                    FUZZ_CHECK(engine.Hotkeys[slot].Action == ReadValue(profile, path, section, "Action", ""));
                    FUZZ_CHECK(engine.Hotkeys[slot].Hint == ReadValue(profile, path, section, "Hint", ""));
                    FUZZ_CHECK(engine.Hotkeys[slot].Sort == ReadValue(profile, path, section, "Sort", DefaultSort));
                    FUZZ_CHECK(engine.Hotkeys[slot].Action.size() < ValueBufferSize);
                    FUZZ_CHECK(engine.Hotkeys[slot].Hint.size() < ValueBufferSize);
                    FUZZ_CHECK(hotkeys.RefsOf(AtomName(slot)) <= 1);
                }
            } catch (const ConversionError&) {
                FUZZ_CHECK(view.rows.empty());
            }
        }
        // A press of any combination finds at most its first slot.
        engine.WMHotKey(size >= 4 ? (static_cast<std::uint32_t>(data[0]) | data[1] << 8 | data[2] << 16 | data[3] << 24)
                                  : 0);
    }
    FUZZ_CHECK(hotkeys.atoms.empty()); // every reference given back
    return 0;
}
