#pragma once
// The action chooser's fixed tree: six groups of leaves, each leaf with its
// picture in the chooser's image list (0: none) and the target it writes.
#include <array>
#include <string>
#include <string_view>

namespace quickdex {

struct ChooserLeaf {
    std::string_view label;
    int image; // index into the 17 pictures; 0 = no picture
};

struct ChooserGroup {
    std::string_view label;
    std::array<ChooserLeaf, 6> leaves; // unused entries have an empty label
};

inline constexpr std::array<ChooserGroup, 6> ChooserTree = {{
    {"Windows Application",
     {{{"Paint", 3}, {"notepad", 4}, {"wordpad", 5}, {"calc", 6}, {"MS-Dos Prompt", 7}, {"IE", 10}}}},
    {"Shot Down Windows", {{{"Shut Down", 8}, {"Restart", 11}}}},
    {"Control Panel",
     {{{"Control Panel", 12},
       {"Add/Remove Programs", 13},
       {"System Properties", 14},
       {"Display Properties", 15},
       {"Date/Time Properties", 0},
       {"Volume Control", 0}}}},
    {"Internet", {{{"Open Web", 10}, {"Send E-Mail", 0}}}},
    {"CD-Rom", {{{"Close/Open CD-ROM", 9}}}},
    {"quickdex", {{{"Close quickdex", 2}, {"Show quickdex", 1}}}},
}};

// The target a leaf writes, by its label alone: nine labels map to a
// program or an address prefix, every other label is its own target.
std::string SelectionTargetFor(std::string_view label);

} // namespace quickdex
