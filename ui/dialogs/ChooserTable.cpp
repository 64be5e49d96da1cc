#include "ui/dialogs/ChooserTable.h"

namespace quickdex {

std::string SelectionTargetFor(std::string_view label)
{
    struct Mapping {
        std::string_view label;
        std::string_view target;
    };
    static constexpr std::array<Mapping, 9> map = {{
        {"Paint", "mspaint.exe"},
        {"notepad", "notepad.exe"},
        {"wordpad", "wordpad.exe"},
        {"calc", "calc.exe"},
        {"MS-Dos Prompt", "cmd.exe"},
        {"IE", "iexplore.exe"},
        {"Volume Control", "sndvol.exe"}, // sndvol32.exe is gone since Windows Vista
        {"Open Web", "http://"},
        {"Send E-Mail", "mailto:"},
    }};
    for (const Mapping& m : map)
        if (m.label == label)
            return std::string(m.target);
    return std::string(label);
}

} // namespace quickdex
