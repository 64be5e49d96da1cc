// The load of hotkey.ini through the whole reload cycle (table, list rows,
// registrations) on arbitrary file bytes, with the recording fakes standing
// in for the system. Whatever the file holds, no slot past 100 is touched,
// every row is a loaded slot, and each slot holds one atom reference.
#include "FuzzSupport.h"
#include "engine/HotkeyEngine.h"
#include "platform/portable/IniFile.h"
#include "platform/portable/PortableFiles.h"
#include "platform/portable/Utf.h"
#include "store/Errors.h"
#include "support/Fakes.h"

using namespace quickdex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Scratch().Write(HotkeyFileName, std::string_view(reinterpret_cast<const char*>(data), size));
    PortableProfile profile; // the reference single-value reads
    PortableFiles files;
    test::FakeHotkeyApi hotkeys;
    test::FakeSystemApi system;
    test::FakeProgramWindow window;
    test::FakeView view;
    test::InlineLaunchQueue launches;
    {
        HotkeyEngine engine({files, hotkeys, system, window, view, launches}, fuzz::Scratch().Dir());
        for (int round = 0; round < 2; ++round) {
            const LoadResult loaded = engine.ReloadAndRegister();
            FUZZ_CHECK(engine.Hotkeys.HotkeyCount <= MaxHotkeys);
            FUZZ_CHECK(engine.Hotkeys.HotkeyCount == std::min(loaded.bindings, MaxHotkeys));
            FUZZ_CHECK(loaded.bindings + static_cast<int>(loaded.foreign.size()) == loaded.sections);
            FUZZ_CHECK(static_cast<int>(view.rows.size()) == engine.Hotkeys.HotkeyCount);
            for (int slot = 1; slot <= engine.Hotkeys.HotkeyCount; ++slot) {
                // The first section of a name reads as the single-value reads
                // of our profile engine read it.
                const std::string& section = engine.Hotkeys.SectionOf(slot);
                bool first = true;
                for (int earlier = 1; earlier < slot; ++earlier)
                    first = first && engine.Hotkeys.SectionOf(earlier) != section;
                const std::string path = fuzz::Scratch().File(HotkeyFileName);
                // In a file of the code page (no byte-order mark), as UTF-8.
                const bool codePage = !(size >= 2 && data[0] == 0xFF && data[1] == 0xFE) &&
                                      !(size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF);
                const auto reference = [&](const char* key, const char* fallback) {
                    return files.CodePageToUtf8(ReadValue(profile, path, section, key, fallback));
                };
                if (first && codePage) {
                    FUZZ_CHECK(engine.Hotkeys[slot].Action == reference("Action", ""));
                    FUZZ_CHECK(engine.Hotkeys[slot].Hint == reference("Hint", ""));
                    FUZZ_CHECK(engine.Hotkeys[slot].Sort == reference("Sort", DefaultSort));
                }
                // At most 2,047 characters: in UTF-8, up to four bytes each.
                FUZZ_CHECK(Utf16Length(engine.Hotkeys[slot].Action) < ValueBufferSize);
                FUZZ_CHECK(Utf16Length(engine.Hotkeys[slot].Hint) < ValueBufferSize);
                FUZZ_CHECK(hotkeys.RefsOf(AtomName(slot)) <= 1);
            }
        }
        // A press of any combination finds at most its first slot.
        engine.WMHotKey(size >= 4 ? (static_cast<std::uint32_t>(data[0]) | data[1] << 8 | data[2] << 16 | data[3] << 24)
                                  : 0);
    }
    FUZZ_CHECK(hotkeys.atoms.empty()); // every reference given back
    return 0;
}
